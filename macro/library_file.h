#pragma once
// The macro library file (config\MacroLibraryFile.mlf) and the macro exchange files (.mkf, .mbf)
// that share its text format: UTF-16LE lines through CStdioFileEx.
//
//   [MacroLibrary]
//   MacroKeyIndex=<next number>
//   Select Locaton:stage=..;stage0Index=..;stage1Index=..;stage2Index=..;
//   then one block per used slot, level 0 first, then level 1, then level 2; a level-1 block's
//   lines begin with one tab, a level-2 block's with two. A folder block has four lines, a macro
//   block ten, the last "AllAction=" with all 250 actions as 2,000 hexadecimal digits.
//
// Readers take every value after the first "=" of its line and never compare the keys.
#include <functional>
#include <string>
#include <string_view>

#include "macro/macro_library.h"

namespace gm {

// Writes `library` with `location` in line 3. The file is replaced atomically: a failure leaves
// the old file as it was. Returns success.
bool WriteLibraryFile(std::wstring_view path, const MacroLibrary& library,
                      const MacroItemLocation& location);

// Replaces the contents of `library` with the file's and stores line 3 in `fileSelected` (when
// given). A file that cannot be opened fails and leaves the library untouched. A malformed file
// fails at its first bad line; the items read before it stay. An item whose location lies outside
// the tree or under a slot that is not a folder, or that claims more than 250 actions, is a bad
// line too.
bool ReadLibraryFile(std::wstring_view path, MacroLibrary& library,
                     MacroItemLocation* fileSelected = nullptr);

// The same read, telling an unopenable file (library untouched) from a malformed one.
enum class LibraryReadStatus { kRead, kMalformed, kNotOpened };
LibraryReadStatus ReadLibraryFileStatus(std::wstring_view path, MacroLibrary& library,
                                        MacroItemLocation* fileSelected = nullptr);

// The same reader over any source of lines; `nextLine` returns false at the end of the input
// (CStdioFileEx::ReadString semantics: an empty line reads as L"\n").
bool ReadLibraryLines(const std::function<bool(std::wstring&)>& nextLine, MacroLibrary& library,
                      MacroItemLocation* fileSelected = nullptr);

// The file's text exactly as WriteLibraryFile writes it (without the byte-order mark).
std::wstring LibraryText(const MacroLibrary& library, const MacroItemLocation& location);
// Reads such a text as ReadLibraryFile reads a file: `library` then holds what the file would.
bool ReadLibraryText(std::wstring_view text, MacroLibrary& library, MacroItemLocation* fileSelected = nullptr);

// dataFolder + "config\MacroLibraryFile.mlf".
std::wstring LibraryFilePath(std::wstring_view dataFolder);

// Reads the library file of `dataFolder` into `library`, ignoring its line 3. A missing or
// unreadable file leaves the library empty. Returns whether the whole file was read.
bool LoadLibraryAtStartup(MacroLibrary& library, std::wstring_view dataFolder);

// Writes `library` to the library file of `dataFolder` with no location (stage -1) in line 3.
bool SaveLibraryFile(const MacroLibrary& library, std::wstring_view dataFolder);

}  // namespace gm
