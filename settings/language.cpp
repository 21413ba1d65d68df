#include "settings/language.h"

#include <cmath>
#include <utility>

#include "settings/number_text.h"
#include "settings/text_file.h"

namespace gm {
namespace {

constexpr std::wstring_view kLanguageHeader = L"[Setting]";
constexpr std::wstring_view kLanguageSection = L"[ChangeLanguage]";

// Position of the first "=" when it has at least one character before and after it, else npos.
std::size_t SeparatorOf(std::wstring_view line) {
  const std::size_t eq = line.find(L'=');
  if (eq == std::wstring_view::npos || eq == 0 || eq + 1 >= line.size()) return std::wstring_view::npos;
  return eq;
}

}  // namespace

LanguageReadResult ReadLanguageLines(CStdioFileEx& file, LanguageTable& texts) {
  LanguageReadResult result;
  result.opened = file.IsOpen();
  if (!result.opened) return result;

  std::wstring line;
  file.ReadString(line);
  result.linesRead = 1;
  if (line != kLanguageHeader) {
    result.stopLine = 1;
    return result;
  }
  result.header = true;

  // ReadString gives an empty text only at the end of the file (an empty line reads as "\n").
  while (file.ReadString(line)) {
    ++result.linesRead;
    const std::size_t eq = SeparatorOf(line);
    if (eq == std::wstring_view::npos) {
      result.stopLine = result.linesRead;
      return result;
    }
    const std::int32_t index = ParseLong(std::wstring_view(line).substr(0, eq), 10);
    if (index < 0 || static_cast<std::size_t>(index) >= texts.size()) {
      ++result.outOfRange;
      continue;
    }
    texts[static_cast<std::size_t>(index)] = line.substr(eq + 1);
    ++result.textsSet;
  }
  result.complete = true;
  return result;
}

LanguageReadResult ReadLanguageFile(std::wstring_view path, LanguageTable& texts) {
  CStdioFileEx file;
  if (!file.Open(path, kOpenForReading)) return {};
  LanguageReadResult result = ReadLanguageLines(file, texts);
  file.Close();
  return result;
}

LanguageReadResult ReadLanguageBytes(std::string bytes, LanguageTable& texts) {
  CStdioFileEx file;
  if (!file.OpenBytes(std::move(bytes), kOpenForReading)) return {};
  return ReadLanguageLines(file, texts);
}

std::wstring ReadLanguageCode(std::wstring_view path) {
  CStdioFileEx file;
  if (!file.Open(path, kOpenForReading)) return {};
  std::wstring buffer;
  file.ReadString(buffer);
  if (buffer == kLanguageSection) {
    file.ReadString(buffer);
    const std::size_t eq = SeparatorOf(buffer);
    if (eq != std::wstring::npos) buffer.erase(0, eq + 1);
  }
  file.Close();
  return buffer.substr(0, 2);
}

std::wstring_view LanguageFileForCode(std::wstring_view code) {
  return code == L"EN" ? kEnglishLanguageFile : kSecondLanguageFile;
}

UiFont UiFontFor(const LanguageTable& texts, float displayScale) {
  if (texts[0] == L"\u4E2D\u6587") {  // 中文
    return {L"\u5B8B\u4F53", static_cast<int>(std::trunc(displayScale * 12.0)), 134};  // 宋体
  }
  return {L"Tahoma", static_cast<int>(std::trunc(displayScale * 16.0)), 1};
}

bool LoadLanguage(LanguageTable& texts, UiFont& font, std::wstring_view dataFolder, float displayScale,
                  const LanguageTable& fallback) {
  const std::wstring folder(dataFolder);
  const std::wstring code = ReadLanguageCode(folder + std::wstring(kLanguageSettingFile));
  const std::wstring path = folder + std::wstring(LanguageFileForCode(code));
  texts = fallback;
  const bool complete = ReadLanguageFile(path, texts).complete;
  font = UiFontFor(texts, displayScale);
  return complete;
}

}  // namespace gm
