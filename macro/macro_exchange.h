#pragma once
// The macro manager's exchange commands without their file dialogs: export a macro (.mkf) or a
// folder or the whole library (.mbf), and import either kind into a library. Both exchange files
// are whole library files; line 3 names the item the file is about.
#include <string>
#include <string_view>

#include "macro/macro_library.h"

namespace gm {

enum class MacroImportStatus {
  kImported,    // done (an .mbf import may have skipped items that had no place: `skipped`)
  kNotRead,     // the file could not be opened; nothing changed
  kNoItem,      // the file's line 3 addresses no used item, or the file holds none; nothing changed
  kNameExists,  // a name is already taken where an item would go; nothing changed
  kNoRoom,      // no item found a place (a full parent, or a place that takes no such item);
                // nothing changed
};

struct MacroImportResult {
  MacroImportStatus status = MacroImportStatus::kNotRead;
  int created = 0;  // items created (macros and folders)
  int skipped = 0;  // .mbf: items of the file that found no place (a skipped folder with its macros)
};

// The notice the macro manager shows for an import's result (a language text index), or 0 when
// the import went through whole: every failure says why, and a bundle that left items behind
// says so.
int ImportNotice(const MacroImportResult& result);

// Default file names offered by the export dialogs: "<macro name>.mkf"; "<item name>.mbf", or
// "AllMacroKey.mbf" when nothing (or a free slot) is selected.
std::wstring DefaultMacroExportName(const MacroLibrary& library, const MacroItemLocation& selection);
std::wstring DefaultBundleExportName(const MacroLibrary& library, const MacroItemLocation& selection);

// Both exports write the whole library with the selection in line 3.
bool ExportMacroFile(std::wstring_view path, const MacroLibrary& library,
                     const MacroItemLocation& selection);

// .mkf: reads the file into `scratch`, creates a macro named after the file's item where
// CreateMacro puts it for `selection`, copies the file's macro into it (a folder in the file gives
// an empty macro), opens the folder it went into and selects it (`selection` is updated).
// `scratch` is emptied afterwards.
MacroImportResult ImportMacroFile(std::wstring_view path, MacroLibrary& library,
                                  MacroItemLocation& selection, MacroLibrary& scratch);

// .mbf: the file's items (line 3 stage -1: every level-0 item; a folder: that folder; a macro: it
// and every later used slot of its parent) are created relative to `selection` in order, folders
// with their macro children (deeper folders are not imported). Refused as a whole when any name
// is taken. A folder is recreated wherever CreateFolder can place it; where it cannot, the
// folder and its children are skipped, as is a macro whose parent is full (counted in
// `skipped`; kNoRoom when nothing found a place). A selected folder is opened. `scratch` is
// emptied.
MacroImportResult ImportBundleFile(std::wstring_view path, MacroLibrary& library,
                                   const MacroItemLocation& selection, MacroLibrary& scratch);

// The same imports from a library already read from an exchange file (`file`, its line 3 in
// `fileSelected`): what the two above do once they have read the file.
MacroImportResult ImportMacroFrom(const MacroLibrary& file, const MacroItemLocation& fileSelected,
                                  MacroLibrary& library, MacroItemLocation& selection);
MacroImportResult ImportBundleFrom(const MacroLibrary& file, const MacroItemLocation& fileSelected,
                                   MacroLibrary& library, const MacroItemLocation& selection);

}  // namespace gm
