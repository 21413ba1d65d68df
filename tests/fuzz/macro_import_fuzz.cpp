// Imports arbitrary bytes as .mkf and .mbf files into a small library with each kind of
// selection, and checks that the library keeps its invariants: used slots contiguous from 0,
// unique names per parent, children only under folders, numbers never reused.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "macro/library_file.h"
#include "macro/macro_exchange.h"
#include "settings/utf.h"
#include "tests/fuzz/scratch_file.h"

namespace {

using gm::MacroItemLocation;

// Level by level over the used slots (ForEachUsed visits the children of used folders only, one
// parent after the other in slot order): each parent's used slots are its first ones and have
// distinct names, no macro has children, no two macros share a number.
void Check(const gm::MacroLibrary& lib) {
  std::set<std::uint32_t> numbers;
  for (int stage = 0; stage < gm::kMacroLevels; ++stage) {
    std::optional<MacroItemLocation> parent;
    int next = 0;
    std::set<std::wstring_view> names;  // the library's own strings: nothing is copied
    lib.ForEachUsed(stage, [&](const MacroItemLocation& at, const gm::MacroItem& item) {
      if (at.Parent() != parent) {
        parent = at.Parent();
        next = 0;
        names.clear();
      }
      if (at.Index() != next++ || !names.insert(item.MacroItemName).second) std::abort();
      if (!item.IsMacro()) return;
      if (!item.Macro || !numbers.insert(item.Macro->MacroKeyIndex).second) std::abort();
      if (at.stage < 2 && lib.ItemAt(at.Child(0))->IsUsed()) std::abort();
    });
  }
}

void Build(gm::MacroLibrary& lib) {
  MacroItemLocation top = MacroItemLocation::None(), mid, m;
  lib.CreateFolder(L"F", top);
  mid = top;
  lib.CreateFolder(L"G", mid);
  m = mid;
  lib.CreateMacro(L"A", m);
  m = MacroItemLocation::None();
  lib.CreateMacro(L"A", m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::wstring path = FuzzScratchFile(L"gm_macro_import_fuzz_", L"");
  if (std::FILE* f = std::fopen(gm::ToUtf8(path).c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  const MacroItemLocation selections[] = {MacroItemLocation::None(), MacroItemLocation::Level0(0),
                                          MacroItemLocation::Level1(0, 0), MacroItemLocation::Level2(0, 0, 0),
                                          MacroItemLocation::Level0(1), MacroItemLocation::Level0(7)};
  // The file is read once; the first selection of each kind imports through the file itself,
  // the others import from what was read (the same import after the read, without reading the
  // same bytes eleven more times).
  gm::MacroLibrary file;
  MacroItemLocation fileSelected;
  gm::ReadLibraryFileStatus(path, file, &fileSelected);
  gm::MacroLibrary scratch;
  for (const auto& selection : selections) {
    const bool throughFile = &selection == &selections[0];
    for (bool bundle : {false, true}) {
      gm::MacroLibrary lib;
      Build(lib);
      MacroItemLocation selected = selection;
      if (bundle && throughFile)
        gm::ImportBundleFile(path, lib, selected, scratch);
      else if (bundle)
        gm::ImportBundleFrom(file, fileSelected, lib, selected);
      else if (throughFile)
        gm::ImportMacroFile(path, lib, selected, scratch);
      else
        gm::ImportMacroFrom(file, fileSelected, lib, selected);
      Check(lib);
      if (throughFile && scratch.VisibleRowCount() != 0) std::abort();
      if (!bundle && selected != selection && !lib.ItemAt(selected)->IsMacro()) std::abort();
    }
  }
  return 0;
}
