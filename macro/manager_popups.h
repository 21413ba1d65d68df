#pragma once
// The macro manager's three menus: the insert-action menu under its combo button (kind 14), the
// tree's context menu (kind 15) and the action list's move menu (kind 16). Each shows a list of
// language texts; choosing an entry sends the popup's message to the owner with wParam the tag
// and lParam the entry's code (its menu entry number - 1, whichever entries are shown).
#include <utility>
#include <vector>

#include "ui/list_popup.h"

namespace gm::win {

class CMacroMenuPopup : public CListPopup {
 public:
  // One shown entry: its code and the language text of its label.
  struct Entry {
    int code;
    int text;
  };
  CMacroMenuPopup(const ui::UiContext& context, int kind, std::vector<Entry> entries);
  int EntryCount() const { return static_cast<int>(entries_.size()); }

 protected:
  std::vector<ListPopupRow> MakeRows() override;
  void OnEntryReleased(int entry) override;

 private:
  std::vector<Entry> entries_;
};

// The insert-action menu: left, right, middle click, delay, key stroke, moves left, right, up, down.
class CComboActionInsertPopup final : public CMacroMenuPopup {
 public:
  explicit CComboActionInsertPopup(const ui::UiContext& context);
};

// The tree menu with the entries (1-based) `shown` of new macro, new folder, export macro, import
// macro, rename, delete, import, export.
class CMacroListPopup final : public CMacroMenuPopup {
 public:
  CMacroListPopup(const ui::UiContext& context, const std::vector<int>& shown);
};

// The action-move menu: to the top, up, down, to the end.
class CActionListPopup final : public CMacroMenuPopup {
 public:
  explicit CActionListPopup(const ui::UiContext& context);
};

// Popup kinds.
inline constexpr int kInsertActionPopupKind = 14;
inline constexpr int kTreeMenuPopupKind = 15;
inline constexpr int kActionMovePopupKind = 16;

}  // namespace gm::win
