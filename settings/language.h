#pragma once
// The user-interface texts and font chosen by the language file.
//
// config\LanSetting.ini picks the language: line 1 "[ChangeLanguage]", line 2 "<key>=<code>"; the
// code "EN" (exactly) selects config\Lan_En.txt, anything else config\Lan_Tu.txt. A language file
// is "[Setting]" followed by "<index>=<text>" lines in any order (a later line for the same index
// wins); the first line that is not of that form ends the reading. All three files are UTF-16LE
// with a byte-order mark and are read through CStdioFileEx. Named indexes: settings/language_indexes.h.
// The program also carries the English texts itself (built from config/Lan_En.txt): they stand in
// for a language file that is missing or damaged and for any index a language file lacks.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace gm {

class CStdioFileEx;

inline constexpr std::size_t kLanguageTextCount = 500;
using LanguageTable = std::array<std::wstring, kLanguageTextCount>;

// Files below the data folder.
inline constexpr std::wstring_view kLanguageSettingFile = L"config\\LanSetting.ini";
inline constexpr std::wstring_view kEnglishLanguageFile = L"config\\Lan_En.txt";
inline constexpr std::wstring_view kSecondLanguageFile = L"config\\Lan_Tu.txt";

// What reading a language file found.
struct LanguageReadResult {
  bool opened = false;     // the file could be opened
  bool header = false;     // line 1 was "[Setting]"
  bool complete = false;   // read to its end (the load succeeded)
  int linesRead = 0;       // lines read, the header included
  int stopLine = 0;        // 1-based number of the line that ended the reading early, else 0
  int textsSet = 0;        // valid lines stored into the table
  int outOfRange = 0;      // valid lines ignored because their index is not 0..499
};

// Reads language lines from an open file into `texts` (only the indexes the file names change).
// The first line must be "[Setting]". Each further line "<index>=<text>" with at least one
// character after the first "=" stores the text; the index is read like strtol (0 when there is
// no number) and lines whose index is outside 0..499 are ignored. The first other line stops the
// reading; the texts read before it stay.
LanguageReadResult ReadLanguageLines(CStdioFileEx& file, LanguageTable& texts);

// The same for a file given by its program path, and for the bytes of a file held in memory.
LanguageReadResult ReadLanguageFile(std::wstring_view path, LanguageTable& texts);
LanguageReadResult ReadLanguageBytes(std::string bytes, LanguageTable& texts);

// The language code written in LanSetting.ini at `path`: at most two characters, empty when the
// file cannot be opened. With the "[ChangeLanguage]" section line the code comes from line 2 (the
// text after its first "=" when one follows, else the whole line); without it, from line 1.
std::wstring ReadLanguageCode(std::wstring_view path);

// The language file (relative to the data folder) for a code: English for exactly L"EN".
std::wstring_view LanguageFileForCode(std::wstring_view code);

struct UiFont {
  std::wstring name;
  int size = 0;
  int charset = 0;
  friend bool operator==(const UiFont&, const UiFont&) = default;
};

// The interface font for a loaded table: "宋体", trunc(12 × scale), character set 134 when text 0
// is "中文"; otherwise "Tahoma", trunc(16 × scale), character set 1.
UiFont UiFontFor(const LanguageTable& texts, float displayScale);

// The start-up load: `texts` becomes `fallback` (the English texts the program carries), then the
// language picked by dataFolder + LanSetting.ini is read over it, so every index the file does not
// name (or a file that is missing, unreadable or cut short names) keeps its fallback text and no
// text the program shows is ever left empty by a damaged install. `font` is set for the resulting
// table at `displayScale`. Returns whether the language file was read to its end.
bool LoadLanguage(LanguageTable& texts, UiFont& font, std::wstring_view dataFolder, float displayScale,
                  const LanguageTable& fallback);

}  // namespace gm
