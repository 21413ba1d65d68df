#pragma once
// The selection popups of the button functions and of the profiles. Each is a list popup over
// one menu table of assign/function_menus.h; what a hover, press or release sends comes from that
// table's reactions. A final choice goes to the owner as the popup's message with wParam its tag
// and lParam the address of a SelectionRecord, sent synchronously: the owner copies the record
// before it returns.
//
// Sizes: every menu is 162 design units wide with rows of 22 (MenuSize in
// assign/popup_placement.h gives the pixels). The main function menu is made as tall as its 17
// rows (374 units) rather than the 300 × 300 units of a drop-down: 300 units hold only 13 rows,
// and every entry must be reachable.
#include <array>
#include <string>

#include "assign/function_menus.h"
#include "ui/list_popup.h"

namespace gm::win {

// The menu pictures of the assignment popups.
ListPopupPictures AssignmentMenuPictures();

// A popup showing one function menu.
class CFunctionMenuPopup : public CListPopup {
 public:
  CFunctionMenuPopup(const ui::UiContext& context, FunctionMenuId menu,
                     ListPopupPictures pictures = AssignmentMenuPictures());

 protected:
  std::vector<ListPopupRow> MakeRows() override;
  void OnEntryHovered(int entry) override;
  void OnEntryPressed(int entry) override;
  void OnEntryReleased(int entry) override;

 private:
  void Send(const MenuMessage& message);
  const FunctionMenu& menu_;
};

// The main function menu of a button (kind 0): choices on msg::kAssignmentChosen.
class CComboPopup final : public CFunctionMenuPopup {
 public:
  explicit CComboPopup(const ui::UiContext& context) : CFunctionMenuPopup(context, FunctionMenuId::kMain) {}
};
// DPI functions (kind 2).
class CDPIPopup final : public CFunctionMenuPopup {
 public:
  explicit CDPIPopup(const ui::UiContext& context) : CFunctionMenuPopup(context, FunctionMenuId::kDpi) {}
};
// Multimedia keys (kind 3).
class CMultimediaPopup final : public CFunctionMenuPopup {
 public:
  explicit CMultimediaPopup(const ui::UiContext& context) : CFunctionMenuPopup(context, FunctionMenuId::kMultimedia) {}
};
// Office shortcuts (kind 12).
class COfficePopup final : public CFunctionMenuPopup {
 public:
  explicit COfficePopup(const ui::UiContext& context) : CFunctionMenuPopup(context, FunctionMenuId::kOffice) {}
};
// Windows management (kind 11).
class CWindowsManagePopup final : public CFunctionMenuPopup {
 public:
  explicit CWindowsManagePopup(const ui::UiContext& context) : CFunctionMenuPopup(context, FunctionMenuId::kWindows) {}
};
// DPI lock (kind 10): names "<texts[36]>-<DPI>".
class CDPILockPopup final : public CFunctionMenuPopup {
 public:
  explicit CDPILockPopup(const ui::UiContext& context) : CFunctionMenuPopup(context, FunctionMenuId::kDpiLock) {}
};
// The context menu of a profile list entry (kind 13): import, export, rename, delete as byte 0
// 0..3 of the record.
class CProfileRKeyPopup final : public CFunctionMenuPopup {
 public:
  explicit CProfileRKeyPopup(const ui::UiContext& context)
      : CFunctionMenuPopup(context, FunctionMenuId::kProfileContext) {}
};

// The profile list (kind 7): its caption, five profile entries and "new". The owner names the
// profile entries and marks the current one. A left click on entries 2..7 with a text sends
// (message, 2, entry); a right click on entries 2..6 sends (message, 11, entry).
class CComboProfilePopup final : public CListPopup {
 public:
  // `pictures` are the rows' pictures (the owner gives the profile rows' picture).
  CComboProfilePopup(const ui::UiContext& context, ListPopupPictures pictures);

  // Names profile entry 2 + i (i = 0..4); an empty name leaves the row blank and not choosable.
  void SetProfileName(int i, std::wstring name);
  // Marks entry `entry` (2..6) as the current profile, unmarking the others; 0 marks none.
  void SetCurrentEntry(int entry);

 protected:
  std::vector<ListPopupRow> MakeRows() override;
  void OnEntryReleased(int entry) override;
  void OnEntryRightReleased(int entry) override;

 private:
  void Report(int entry, bool right);
  std::array<std::wstring, 5> names_;
  int current_ = 0;
};

}  // namespace gm::win
