#pragma once
// The macro manager's editing rules without its window: creating, renaming and deleting items of
// the library tree, inserting, changing, moving and deleting actions of the selected macro, the
// replay mode and its repeat count. The window reads its controls, calls these and carries out
// the result (a notice, a new selection, a repaint). Questions to the user go through
// ManagerSubdialogs; a refusal comes back as the language text to show.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_library.h"
#include "macro/manager_subdialogs.h"
#include "settings/profile_record.h"

namespace gm {

// What a command did: the notice to show (a language text index, 0 none) and whether the library
// changed (the window then refreshes its lists).
struct EditorResult {
  int notice = 0;
  bool changed = false;
};

// Insert-action codes: the insert menu's entry - 1; 9 and 10 (wheel) are not offered by the menu.
enum InsertCode : int {
  kInsertLeftClick = 0,
  kInsertRightClick = 1,
  kInsertMiddleClick = 2,
  kInsertDelay = 3,
  kInsertKeyStroke = 4,
  kInsertMoveLeft = 5,
  kInsertMoveRight = 6,
  kInsertMoveUp = 7,
  kInsertMoveDown = 8,
  kInsertWheelUp = 9,
  kInsertWheelDown = 10,
};

// Action-move codes: the move menu's entry - 1.
enum MoveCode : int { kMoveToTop = 0, kMoveUp = 1, kMoveDown = 2, kMoveToBottom = 3 };

// Tree-menu codes: the tree menu's entry - 1.
enum TreeMenuCode : int {
  kTreeNewMacro = 0,
  kTreeNewFolder = 1,
  kTreeExportMacro = 2,
  kTreeImportMacro = 3,
  kTreeRename = 4,
  kTreeDelete = 5,
  kTreeImportSet = 6,
  kTreeExportSet = 7,
};

// The tree menu's entries (1-based) for a selection: nothing (or a free slot) selected offers new
// macro, new folder, import macro, import and export; a macro all eight; a folder all but
// export macro.
std::vector<int> TreeMenuEntries(const MacroLibrary& library, const MacroItemLocation& selection);

// The repeat count typed into the count box: the decimal value limited to 1..255 (0, an empty box
// and anything unreadable give 1; values from 256 up, however long, give 255).
std::uint8_t LoopCountFromText(std::wstring_view text);

// Whether a button of `record` holds a macro function whose macro is the item at `location` or
// lies under it (such an item must not be deleted).
bool MacroInUseByButton(const MacroLibrary& library, const MacroItemLocation& location, const ProfileRecord& record);

// Whether a button of `record` holds a macro function (byte 0 of its function 0x90).
bool AnyButtonHoldsMacro(const ProfileRecord& record);

class MacroEditor {
 public:
  // All three must outlive the editor. `selection` is the shared selected item.
  MacroEditor(MacroLibrary& library, MacroItemLocation& selection, ManagerSubdialogs& dialogs)
      : library_(library), selection_(selection), dialogs_(dialogs) {}
  MacroEditor(const MacroEditor&) = delete;
  MacroEditor& operator=(const MacroEditor&) = delete;

  // The macro of the selected item, or nullptr (nothing, a free slot or a folder selected).
  MacroKey* SelectedMacro() const;

  // ---- the tree ----
  // Ask for a name and create a macro (folder) where the selection puts it; on success the folder
  // it went into is opened and the new item selected. 241 for an empty name, 242 for a taken one;
  // a full parent creates nothing and says nothing.
  EditorResult NewMacro();
  EditorResult NewFolder();
  // Ask for a new name for the selected item: unchanged or cancelled does nothing, 241 empty,
  // 242 taken by a sibling. A macro's own Name follows its item's.
  EditorResult Rename();
  // The delete command before its confirmation: 233 when nothing is selected.
  int DeleteRefusal() const;
  // The confirmed delete: 257 when a button of `record` uses the item's macro (or one under the
  // folder); otherwise the item goes and the selection is cleared.
  EditorResult DeleteSelected(const ProfileRecord& record);

  // ---- the actions of the selected macro; `selected` is the selected action (-1 none) ----
  // Inserts after the selected action (or at the end): 236 without a macro, 237 over the command
  // limit or when the actions would not fit. Dialog-completed insertions are taken back when the
  // dialog is cancelled.
  EditorResult InsertAction(int code, int& selected);
  // Changes the selected action: a delay through the delay dialog, a key through the key dialog
  // (byte 0 only); mouse actions are not changeable.
  EditorResult ChangeAction(int selected);
  // Moves the selected action; the selection follows it.
  EditorResult MoveAction(int code, int& selected);
  // Deletes the selected action; the selection stays on the index, moves to the previous action
  // when the last was deleted, and is cleared when none is left.
  EditorResult DeleteAction(int& selected);

  // ---- replay ----
  // Replay mode 1, 2 or 4 of the selected macro (nothing without one or for another value).
  void SetReplayMode(int mode);
  // Stores the count typed into the box (mode 2 only) and returns the text the box must show
  // instead: "1" or "255" when the value had to be limited, otherwise empty (the box keeps what
  // was typed).
  std::wstring SetLoopCountText(std::wstring_view text);

 private:
  EditorResult CreateItem(bool folder);
  EditorResult InsertClick(std::uint8_t button, int position, int& selected);
  EditorResult InsertDelay(int position, int& selected);
  EditorResult InsertKeyStroke(int position, int& selected);
  EditorResult InsertAmount(int code, int position, int& selected);

  MacroLibrary& library_;
  MacroItemLocation& selection_;
  ManagerSubdialogs& dialogs_;
};

}  // namespace gm
