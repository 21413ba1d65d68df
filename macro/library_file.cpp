#include "macro/library_file.h"

#include <optional>

#include "settings/number_text.h"
#include "settings/text_file.h"

namespace gm {
namespace {

constexpr std::wstring_view kHeader = L"[MacroLibrary]";
constexpr int kActionDigits = kMacroActionCapacity * 8;

std::wstring LocationText(std::wstring_view prefix, const MacroItemLocation& at) {
  return std::wstring(prefix) + L"stage=" + DecimalText(at.stage) + L";stage0Index=" +
         DecimalText(at.stage0Index) + L";stage1Index=" + DecimalText(at.stage1Index) +
         L";stage2Index=" + DecimalText(at.stage2Index) + L";";
}

// Calls line(text) for every line of the file, without line feeds.
template <typename Line>
void EmitLibrary(const MacroLibrary& library, const MacroItemLocation& location, Line&& line) {
  line(std::wstring(kHeader));
  line(L"MacroKeyIndex=" + DecimalText(library.NextMacroKeyIndex));
  line(LocationText(L"Select Locaton:", location));
  for (int stage = 0; stage < kMacroLevels; ++stage) {
    const std::wstring tabs(static_cast<size_t>(stage), L'\t');
    library.ForEachUsed(stage, [&](const MacroItemLocation& at, const MacroItem& item) {
      line(tabs + L"++++++++MacroItemName=" + item.MacroItemName);
      line(tabs + LocationText(L"MacroItemLocation:", at));
      line(tabs + L"MacroItemIsFolder=" + DecimalText(item.MacroItemIsFolder ? 1 : 0));
      line(tabs + L"MacroItemFolderIsOpen=" + DecimalText(item.MacroItemFolderIsOpen));
      if (item.MacroItemIsFolder) return;
      const MacroKey empty;
      const MacroKey& m = item.Macro ? *item.Macro : empty;
      line(tabs + L"MacroKeyIndex=" + DecimalText(m.MacroKeyIndex));
      line(tabs + L"MacroKeyLoopType=" + DecimalText(m.MacroKeyLoopType));
      line(tabs + L"MacroKeyLoopNum=" + DecimalText(m.MacroKeyLoopNum));
      line(tabs + L"MacroActionNum=" + DecimalText(m.MacroActionNum));
      line(tabs + L"MacroCommandActionNum=" + DecimalText(m.MacroCommandActionNum));
      std::wstring all = tabs + L"AllAction=";
      const size_t head = all.size();
      all.resize(head + kActionDigits);  // the 2,000 digits written in place, not appended one by one
      wchar_t* digit = all.data() + head;
      static constexpr wchar_t kHex[] = L"0123456789ABCDEF";  // "%.2X" per byte
      for (const MacroAction action : m.Actions) {
        for (int b = 0; b < 4; ++b) {
          *digit++ = kHex[action.Byte(b) >> 4];
          *digit++ = kHex[action.Byte(b) & 0xF];
        }
      }
      line(all);
    });
  }
}

// The text after the first "="; nothing when there is none or it ends the line.
std::optional<std::wstring_view> ValueOf(std::wstring_view line) {
  const size_t eq = line.find(L'=');
  if (eq == std::wstring_view::npos || eq + 1 == line.size()) return std::nullopt;
  return line.substr(eq + 1);
}

// Four numbers, each between an "=" and the next ";" (or the end of the line).
std::optional<MacroItemLocation> ParseLocation(std::wstring_view line) {
  std::int32_t values[4];
  size_t from = 0;
  for (auto& value : values) {
    const size_t eq = line.find(L'=', from);
    if (eq == std::wstring_view::npos || eq + 1 == line.size()) return std::nullopt;
    size_t end = line.find(L';', eq + 1);
    if (end == std::wstring_view::npos) end = line.size();
    value = ParseLong(line.substr(eq + 1, end - eq - 1), 10);
    from = end;
  }
  return MacroItemLocation{values[0], values[1], values[2], values[3]};
}

// One action byte from two characters, read with base 16 like any other number of the file.
std::uint8_t HexPair(std::wstring_view pair) {
  const int high = DigitValue(pair[0]), low = DigitValue(pair[1]);
  if (high < 16 && low < 16) return static_cast<std::uint8_t>(high * 16 + low);
  return static_cast<std::uint8_t>(ParseLong(pair, 16));
}

// The lines of the input, each read into the same buffer: a line handed out stays valid until
// the next call, so the reader takes what it keeps before asking for another line.
class LineReader {
 public:
  explicit LineReader(const std::function<bool(std::wstring&)>& next) : next_(next) {}
  // The next line, or nothing at the end of the input.
  std::optional<std::wstring_view> Next() {
    if (!next_(line_)) return std::nullopt;
    return std::wstring_view(line_);
  }
  // The value of the next line, or nothing (end of input, no "=", "=" last).
  std::optional<std::wstring_view> NextValue() {
    const auto line = Next();
    if (!line) return std::nullopt;
    return ValueOf(*line);
  }
  // The value of the next line read as a number by `parse`, or nothing as for NextValue.
  template <typename Parse>
  auto NextNumber(Parse parse) -> std::optional<decltype(parse(std::wstring_view()))> {
    const auto value = NextValue();
    if (!value) return std::nullopt;
    return parse(*value);
  }

 private:
  const std::function<bool(std::wstring&)>& next_;
  std::wstring line_;
};

std::int32_t Decimal(std::wstring_view text) { return ParseLong(text, 10); }
std::uint32_t UnsignedDecimal(std::wstring_view text) { return ParseUnsignedLong(text, 10); }

// Reads one item block whose first line is `first`; false on a bad line.
bool ReadItem(LineReader& in, std::wstring_view first, MacroLibrary& library) {
  const auto nameValue = ValueOf(first);
  if (!nameValue) return false;
  const std::wstring name(*nameValue);  // `first` lives only until the next line is read
  const auto locationLine = in.Next();
  if (!locationLine) return false;
  const auto location = ParseLocation(*locationLine);
  const auto isFolder = in.NextNumber(Decimal);
  const auto isOpen = in.NextNumber(Decimal);
  if (!location || !isFolder || !isOpen) return false;
  if (*isFolder != 0) return library.PlaceFolderAt(name, *location, *isOpen != 0);

  MacroKey macro{name};
  std::uint32_t numbers[5];
  for (auto& n : numbers) {
    const auto value = in.NextNumber(UnsignedDecimal);
    if (!value) return false;
    n = *value;
  }
  macro.MacroKeyIndex = numbers[0];
  macro.MacroKeyLoopType = static_cast<std::uint8_t>(numbers[1]);
  macro.MacroKeyLoopNum = static_cast<std::uint8_t>(numbers[2]);
  macro.MacroActionNum = numbers[3];
  macro.MacroCommandActionNum = static_cast<std::uint8_t>(numbers[4]);
  if (macro.MacroActionNum > static_cast<std::uint32_t>(kMacroActionCapacity)) return false;

  const auto digits = in.NextValue();
  if (!digits || digits->size() != static_cast<size_t>(kActionDigits)) return false;
  for (int a = 0; a < kMacroActionCapacity; ++a) {
    std::uint8_t bytes[4];
    for (int b = 0; b < 4; ++b)
      bytes[b] = HexPair(digits->substr(a * 8 + b * 2, 2));
    macro.Actions[a] = MacroAction::FromBytes(bytes[0], bytes[1], bytes[2], bytes[3]);
  }
  return library.PlaceMacroAt(name, *location, macro);
}

}  // namespace

std::wstring LibraryText(const MacroLibrary& library, const MacroItemLocation& location) {
  std::wstring text;
  EmitLibrary(library, location, [&](const std::wstring& line) {
    text += SingleLine(line);
    text += L'\n';
  });
  return text;
}

bool WriteLibraryFile(std::wstring_view path, const MacroLibrary& library,
                      const MacroItemLocation& location) {
  CStdioFileEx file;
  if (!file.Open(path, kOpenForWriting)) return false;
  bool ok = true;
  // WriteLine keeps a name with a line feed on its one line.
  EmitLibrary(library, location, [&](const std::wstring& line) { ok = file.WriteLine(line) && ok; });
  return file.Close() && ok;
}

bool ReadLibraryLines(const std::function<bool(std::wstring&)>& nextLine, MacroLibrary& library,
                      MacroItemLocation* fileSelected) {
  library.Clear();
  LineReader in(nextLine);
  const auto header = in.Next();
  if (!header || *header != kHeader) return false;
  const auto next = in.NextNumber(Decimal);
  if (!next) return false;
  library.NextMacroKeyIndex = *next;
  const auto selectLine = in.Next();
  if (!selectLine) return false;
  const auto selected = ParseLocation(*selectLine);
  if (!selected) return false;
  if (fileSelected) *fileSelected = *selected;
  while (const auto first = in.Next())
    if (!ReadItem(in, *first, library)) return false;
  return true;
}

bool ReadLibraryText(std::wstring_view text, MacroLibrary& library, MacroItemLocation* fileSelected) {
  size_t from = 0;
  return ReadLibraryLines(
      [&](std::wstring& line) {
        if (from >= text.size()) return false;
        size_t end = text.find(L'\n', from);
        if (end == std::wstring_view::npos) end = text.size();
        // As the file reader hands it out: an empty line reads as a lone line feed.
        line = end == from ? std::wstring(L"\n") : std::wstring(text.substr(from, end - from));
        from = end + 1;
        return true;
      },
      library, fileSelected);
}

LibraryReadStatus ReadLibraryFileStatus(std::wstring_view path, MacroLibrary& library,
                                        MacroItemLocation* fileSelected) {
  CStdioFileEx file;
  if (!file.Open(path, kOpenForReading)) return LibraryReadStatus::kNotOpened;
  const bool read = ReadLibraryLines([&](std::wstring& line) { return file.ReadString(line); },
                                     library, fileSelected);
  return read ? LibraryReadStatus::kRead : LibraryReadStatus::kMalformed;
}

bool ReadLibraryFile(std::wstring_view path, MacroLibrary& library, MacroItemLocation* fileSelected) {
  return ReadLibraryFileStatus(path, library, fileSelected) == LibraryReadStatus::kRead;
}

std::wstring LibraryFilePath(std::wstring_view dataFolder) {
  return std::wstring(dataFolder) + L"config\\MacroLibraryFile.mlf";
}

bool LoadLibraryAtStartup(MacroLibrary& library, std::wstring_view dataFolder) {
  return ReadLibraryFile(LibraryFilePath(dataFolder), library);
}

bool SaveLibraryFile(const MacroLibrary& library, std::wstring_view dataFolder) {
  return WriteLibraryFile(LibraryFilePath(dataFolder), library, MacroItemLocation::None());
}

}  // namespace gm
