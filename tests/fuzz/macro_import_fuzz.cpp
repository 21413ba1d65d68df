// Imports arbitrary bytes as .mkf and .mbf files into a small library with each kind of
// selection, and checks that the library keeps its invariants: used slots contiguous from 0,
// unique names per parent, children only under folders, numbers never reused.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "macro/macro_exchange.h"
#include "settings/utf.h"
#include "tests/fuzz/scratch_file.h"

namespace {

using gm::MacroItemLocation;

void Check(const gm::MacroLibrary& lib, const MacroItemLocation& parent, std::set<std::uint32_t>& numbers) {
  std::set<std::wstring> names;
  bool freeSeen = false;
  for (int i = 0; i < gm::kMacroSlotsPerLevel; ++i) {
    const MacroItemLocation at = parent.Child(i);
    const gm::MacroItem* item = lib.ItemAt(at);
    if (!item->IsUsed()) {
      freeSeen = true;
      continue;
    }
    if (freeSeen || !names.insert(item->MacroItemName).second) std::abort();
    if (item->IsMacro()) {
      if (!item->Macro || !numbers.insert(item->Macro->MacroKeyIndex).second) std::abort();
      if (at.stage < 2 && lib.ItemAt(at.Child(0))->IsUsed()) std::abort();
    } else if (at.stage < 2) {
      Check(lib, at, numbers);
    }
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
  gm::MacroLibrary scratch;
  for (const auto& selection : selections) {
    for (bool bundle : {false, true}) {
      gm::MacroLibrary lib;
      Build(lib);
      MacroItemLocation selected = selection;
      if (bundle)
        gm::ImportBundleFile(path, lib, selected, scratch);
      else
        gm::ImportMacroFile(path, lib, selected, scratch);
      std::set<std::uint32_t> numbers;
      Check(lib, MacroItemLocation::None(), numbers);
      if (scratch.VisibleRowCount() != 0) std::abort();
      if (!bundle && selected != selection && !lib.ItemAt(selected)->IsMacro()) std::abort();
    }
  }
  return 0;
}
