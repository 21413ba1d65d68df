#include "macro/macro_exchange.h"

#include <vector>

#include "macro/library_file.h"

namespace gm {
namespace {

// Empties the scratch library on every way out of an import.
struct ScratchGuard {
  MacroLibrary& scratch;
  ~ScratchGuard() { scratch.Clear(); }
};

// Creates a macro named `name` relative to `selection` and fills it from `source` (if any).
// Returns the new location, or stage -1 when nothing was created.
MacroItemLocation CreateFilledMacro(MacroLibrary& library, const std::wstring& name,
                                    const MacroItemLocation& selection, const MacroKey* source) {
  MacroItemLocation at = selection;
  if (library.CreateMacro(name, at) != kMacroNameOk || at == selection) return MacroItemLocation::None();
  if (source) library.ItemAt(at)->Macro->CopyContentFrom(*source);
  return at;
}

void OpenFolder(MacroLibrary& library, const MacroItemLocation& folder) {
  MacroItem* item = library.ItemAt(folder);
  if (item && item->IsFolder()) item->MacroItemFolderIsOpen = 1;
}

}  // namespace

std::wstring DefaultMacroExportName(const MacroLibrary& library, const MacroItemLocation& selection) {
  const MacroItem* item = library.ItemAt(selection);
  return (item ? item->MacroItemName : std::wstring()) + L".mkf";
}

std::wstring DefaultBundleExportName(const MacroLibrary& library, const MacroItemLocation& selection) {
  const MacroItem* item = library.ItemAt(selection);
  if (!item || !item->IsUsed()) return L"AllMacroKey.mbf";
  return item->MacroItemName + L".mbf";
}

bool ExportMacroFile(std::wstring_view path, const MacroLibrary& library,
                     const MacroItemLocation& selection) {
  return WriteLibraryFile(path, library, selection);
}

MacroImportResult ImportMacroFile(std::wstring_view path, MacroLibrary& library,
                                  MacroItemLocation& selection, MacroLibrary& scratch) {
  ScratchGuard guard{scratch};
  MacroItemLocation fileSelected;
  // A malformed file still offers whatever was read before its bad line.
  if (ReadLibraryFileStatus(path, scratch, &fileSelected) == LibraryReadStatus::kNotOpened)
    return {MacroImportStatus::kNotRead, 0};
  const MacroItem* source = scratch.ItemAt(fileSelected);
  if (!source || !source->IsUsed()) return {MacroImportStatus::kNoItem, 0};

  MacroItemLocation at = selection;
  if (library.CreateMacro(source->MacroItemName, at) == kMacroNameExists)
    return {MacroImportStatus::kNameExists, 0};
  if (at == selection) return {MacroImportStatus::kNoRoom, 0};
  if (at.stage > 0) OpenFolder(library, at.Parent());
  if (source->IsMacro() && source->Macro) library.ItemAt(at)->Macro->CopyContentFrom(*source->Macro);
  selection = at;
  return {MacroImportStatus::kImported, 1};
}

MacroImportResult ImportBundleFile(std::wstring_view path, MacroLibrary& library,
                                   const MacroItemLocation& selection, MacroLibrary& scratch) {
  ScratchGuard guard{scratch};
  MacroItemLocation fileSelected;
  if (ReadLibraryFileStatus(path, scratch, &fileSelected) == LibraryReadStatus::kNotOpened)
    return {MacroImportStatus::kNotRead, 0};

  // The source items.
  std::vector<MacroItemLocation> sources;
  if (fileSelected.stage == -1) {
    scratch.ForEachUsed(0, [&](const MacroItemLocation& at, const MacroItem&) { sources.push_back(at); });
  } else {
    const MacroItem* item = scratch.ItemAt(fileSelected);
    if (!item || !item->IsUsed()) return {MacroImportStatus::kNoItem, 0};
    sources.push_back(fileSelected);
    if (item->IsMacro()) {
      const MacroItemLocation parent = fileSelected.Parent();
      for (int i = fileSelected.Index() + 1; i < kMacroSlotsPerLevel; ++i)
        if (scratch.ItemAt(parent.Child(i))->IsUsed()) sources.push_back(parent.Child(i));
    }
  }

  // Refuse everything when any name is taken where its item would go.
  for (const auto& at : sources) {
    const MacroItem& item = *scratch.ItemAt(at);
    const auto parent = library.CreationParent(selection, item.IsFolder());
    if (parent && library.NameExistsUnder(*parent, item.MacroItemName))
      return {MacroImportStatus::kNameExists, 0};
  }

  int created = 0;
  for (const auto& at : sources) {
    const MacroItem& item = *scratch.ItemAt(at);
    if (!item.IsFolder()) {
      created += CreateFilledMacro(library, item.MacroItemName, selection, item.Macro.get()).stage >= 0;
      continue;
    }
    MacroItemLocation folder = selection;
    if (library.CreateFolder(item.MacroItemName, folder) != kMacroNameOk || folder == selection) continue;
    ++created;
    if (at.stage + 1 >= kMacroLevels) continue;
    for (int i = 0; i < kMacroSlotsPerLevel; ++i) {
      const MacroItem& child = *scratch.ItemAt(at.Child(i));
      if (child.IsMacro())
        created += CreateFilledMacro(library, child.MacroItemName, folder, child.Macro.get()).stage >= 0;
    }
  }
  OpenFolder(library, selection);
  return {MacroImportStatus::kImported, created};
}

}  // namespace gm
