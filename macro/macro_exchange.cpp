#include "macro/macro_exchange.h"

#include <optional>
#include <utility>
#include <vector>

#include "macro/library_file.h"
#include "settings/language_indexes.h"

namespace gm {
namespace {

// Empties the scratch library on every way out of an import.
struct ScratchGuard {
  MacroLibrary& scratch;
  ~ScratchGuard() { scratch.Clear(); }
};

// Creates a macro or a folder named `name` relative to `selection`: the creation's result and,
// when something was created, where. The location the library hands back does not tell this by
// itself: with the selection on a free slot the new item lands on exactly that slot. So the slot
// decides: it holds an item now that it did not hold before (a used selection is never the slot
// a new item takes).
struct Creation {
  int result = kMacroNameOk;
  std::optional<MacroItemLocation> at;
};

Creation CreateItem(MacroLibrary& library, const std::wstring& name, const MacroItemLocation& selection,
                    bool folder) {
  const MacroItem* before = std::as_const(library).ItemAt(selection);
  const bool selectionWasFree = !before || !before->IsUsed();
  MacroItemLocation at = selection;
  const int result = folder ? library.CreateFolder(name, at) : library.CreateMacro(name, at);
  const MacroItem* now = std::as_const(library).ItemAt(at);
  const bool created = result == kMacroNameOk && now && now->IsUsed() && (at != selection || selectionWasFree);
  return {result, created ? std::optional(at) : std::nullopt};
}

// Creates a macro named `name` relative to `selection` and fills it from `source` (if any).
// Returns the new location, or nothing when nothing was created.
std::optional<MacroItemLocation> CreateFilledMacro(MacroLibrary& library, const std::wstring& name,
                                                   const MacroItemLocation& selection, const MacroKey* source) {
  const Creation made = CreateItem(library, name, selection, false);
  if (made.at && source) library.ItemAt(*made.at)->Macro->CopyContentFrom(*source);
  return made.at;
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
  return ImportMacroFrom(scratch, fileSelected, library, selection);
}

MacroImportResult ImportMacroFrom(const MacroLibrary& file, const MacroItemLocation& fileSelected,
                                  MacroLibrary& library, MacroItemLocation& selection) {
  const MacroItem* source = file.ItemAt(fileSelected);
  if (!source || !source->IsUsed()) return {MacroImportStatus::kNoItem, 0};

  const Creation made = CreateItem(library, source->MacroItemName, selection, false);
  if (made.result == kMacroNameExists) return {MacroImportStatus::kNameExists, 0};
  if (!made.at) return {MacroImportStatus::kNoRoom, 0};
  const MacroItemLocation at = *made.at;
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
  return ImportBundleFrom(scratch, fileSelected, library, selection);
}

MacroImportResult ImportBundleFrom(const MacroLibrary& file, const MacroItemLocation& fileSelected,
                                   MacroLibrary& library, const MacroItemLocation& selection) {
  // The source items.
  std::vector<MacroItemLocation> sources;
  if (fileSelected.stage == -1) {
    file.ForEachUsed(0, [&](const MacroItemLocation& at, const MacroItem&) { sources.push_back(at); });
  } else {
    const MacroItem* item = file.ItemAt(fileSelected);
    if (!item || !item->IsUsed()) return {MacroImportStatus::kNoItem, 0};
    sources.push_back(fileSelected);
    if (item->IsMacro()) {
      const MacroItemLocation parent = fileSelected.Parent();
      for (int i = fileSelected.Index() + 1; i < kMacroSlotsPerLevel; ++i)
        if (file.ItemAt(parent.Child(i))->IsUsed()) sources.push_back(parent.Child(i));
    }
  }

  // A file that holds no item at all (empty, or not a library file) imports nothing: that is no
  // success to report.
  if (sources.empty()) return {MacroImportStatus::kNoItem, 0};

  // Refuse everything when any name is taken where its item would go.
  for (const auto& at : sources) {
    const MacroItem& item = *file.ItemAt(at);
    const auto parent = library.CreationParent(selection, item.IsFolder());
    if (parent && library.NameExistsUnder(*parent, item.MacroItemName))
      return {MacroImportStatus::kNameExists, 0};
  }

  int created = 0, skipped = 0;
  const auto count = [&](bool made) { ++(made ? created : skipped); };
  for (const auto& at : sources) {
    const MacroItem& item = *file.ItemAt(at);
    if (!item.IsFolder()) {
      count(CreateFilledMacro(library, item.MacroItemName, selection, item.Macro.get()).has_value());
      continue;
    }
    // The folder's macros come with it; its own folders are not imported.
    std::vector<const MacroItem*> children;
    if (at.stage + 1 < kMacroLevels) {
      for (int i = 0; i < kMacroSlotsPerLevel; ++i)
        if (const MacroItem& child = *file.ItemAt(at.Child(i)); child.IsMacro()) children.push_back(&child);
    }
    const Creation made = CreateItem(library, item.MacroItemName, selection, true);
    count(made.at.has_value());
    for (const MacroItem* child : children)
      count(made.at && CreateFilledMacro(library, child->MacroItemName, *made.at, child->Macro.get()).has_value());
  }
  if (created == 0) return {MacroImportStatus::kNoRoom, 0, skipped};
  OpenFolder(library, selection);
  return {MacroImportStatus::kImported, created, skipped};
}

int ImportNotice(const MacroImportResult& result) {
  switch (result.status) {
    case MacroImportStatus::kImported: return result.skipped > 0 ? kTextImportPartly : 0;
    case MacroImportStatus::kNotRead: return kTextImportUnreadable;
    case MacroImportStatus::kNoItem: return kTextImportNoItem;
    case MacroImportStatus::kNameExists: return kTextNameExists;
    case MacroImportStatus::kNoRoom: return kTextImportNoRoom;
  }
  return 0;
}

}  // namespace gm
