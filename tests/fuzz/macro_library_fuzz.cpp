// Feeds arbitrary bytes to the macro library reader as a file, then checks that whatever it
// accepted is a well-formed tree whose written text reads back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "macro/library_file.h"
#include "settings/utf.h"
#include "tests/fuzz/scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::wstring input = FuzzScratchFile(L"gm_macro_fuzz_", L".mlf");
  if (std::FILE* f = std::fopen(gm::ToUtf8(input).c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  gm::MacroLibrary lib;
  gm::MacroItemLocation selected;
  gm::ReadLibraryFile(input, lib, &selected);

  // Every placed item lies inside the tree, under a folder, and holds at most 250 actions.
  for (int stage = 0; stage < gm::kMacroLevels; ++stage) {
    lib.ForEachUsed(stage, [&](const gm::MacroItemLocation& at, const gm::MacroItem& item) {
      if (!at.IsValid()) std::abort();
      if (stage > 0 && !lib.ItemAt(at.Parent())->IsFolder()) std::abort();
      if (item.IsMacro() && (!item.Macro || item.Macro->MacroActionNum > 250)) std::abort();
    });
  }
  // The visible-row mapping stays consistent whatever the file opened.
  const int rows = lib.VisibleRowCount();
  for (int row = 0; row < rows && row < 64; ++row)
    if (lib.RowOfLocation(lib.LocationOfRow(row)) != row) std::abort();

  // What was accepted survives a write and a second read unchanged. The round trip runs over the
  // writer's text in memory (the file write flushes to disk, too slow to do for every input).
  const std::wstring text = gm::LibraryText(lib, selected);
  size_t position = 0;
  auto nextLine = [&](std::wstring& line) {
    line.clear();
    if (position >= text.size()) return false;
    const size_t end = text.find(L'\n', position);
    line = text.substr(position, end - position);
    position = end + 1;
    if (line.empty()) line = L"\n";
    return true;
  };
  gm::MacroLibrary back;
  gm::MacroItemLocation backSelected;
  if (!gm::ReadLibraryLines(nextLine, back, &backSelected) || !(back == lib) || !(backSelected == selected))
    std::abort();
  return 0;
}
