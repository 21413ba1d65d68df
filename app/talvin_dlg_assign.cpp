// Button assignment in the main window: the key combos open the main function menu, the menu opens
// its submenus beside itself, and a choice from any of them is stored on the combo's button through
// the assignment rules (assign/assignment_rules.h), which keep the mouse one left button. The popups
// talk to the window with the messages of ui/program_messages.h; PopupMessageTable routes them.
#include <memory>
#include <utility>

#include "app/talvin_dlg.h"
#include "assign/assign_popups.h"
#include "assign/fire_key_dlg.h"
#include "assign/quick_launch_dlg.h"
#include "assign/shortcut_dlg.h"
#include "assign/popup_placement.h"
#include "dialogs/attention_dlg.h"
#include "macro/dialogs/macro_select_dlg.h"
#include "ui/combo_button.h"
#include "ui/program_messages.h"
#include "ui/wnd_popup.h"

namespace {

gm::ui::IntRect ToIntRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

int RowsOf(gm::FunctionMenuId menu) { return static_cast<int>(gm::FunctionMenuOf(menu).entries.size()); }

// A submenu of the main function menu: the message that asks for it, the menu, its popup and the
// message it reports its choice with.
struct SubmenuRow {
  UINT openMessage;
  gm::FunctionMenuId menu;
  UINT choiceMessage;
  std::unique_ptr<gm::win::CWndPopup> (*make)(const gm::ui::UiContext&);
};

template <typename Popup>
std::unique_ptr<gm::win::CWndPopup> Make(const gm::ui::UiContext& context) {
  return std::make_unique<Popup>(context);
}

constexpr SubmenuRow kSubmenus[] = {
    {gm::msg::kOpenDpiMenu, gm::FunctionMenuId::kDpi, gm::msg::kDpiFunctionChosen, &Make<gm::win::CDPIPopup>},
    {gm::msg::kOpenMultimediaMenu, gm::FunctionMenuId::kMultimedia, gm::msg::kMultimediaChosen,
     &Make<gm::win::CMultimediaPopup>},
    {gm::msg::kOpenDpiLockMenu, gm::FunctionMenuId::kDpiLock, gm::msg::kDpiLockChosen, &Make<gm::win::CDPILockPopup>},
    {gm::msg::kOpenWindowsMenu, gm::FunctionMenuId::kWindows, gm::msg::kWindowsFunctionChosen,
     &Make<gm::win::CWindowsManagePopup>},
    {gm::msg::kOpenOfficeMenu, gm::FunctionMenuId::kOffice, gm::msg::kOfficeFunctionChosen,
     &Make<gm::win::COfficePopup>},
};

// The dialog-asking entries of the main menu: the menus close first, then the posted message runs
// the dialog, so that it opens after the menu has gone.
UINT RunMessageFor(UINT askMessage) {
  switch (askMessage) {
    case gm::msg::kAskShortcutDialog: return gm::msg::kRunShortcutDialog;
    case gm::msg::kAskQuickLaunchDialog: return gm::msg::kRunQuickLaunchDialog;
    case gm::msg::kAskFireKeyDialog: return gm::msg::kRunFireKeyDialog;
    case gm::msg::kAskMacroSelectDialog: return gm::msg::kRunMacroSelectDialog;
    default: return 0;
  }
}

}  // namespace

const std::vector<CTalvinDlg::PopupMessageRow>& CTalvinDlg::PopupMessageTable() {
  namespace m = gm::msg;
  static const std::vector<PopupMessageRow> rows = {
      // The main function menu and its submenus.
      {m::kAssignmentChosen, &CTalvinDlg::OnFunctionChosen},
      {m::kMenuEntryRested, &CTalvinDlg::OnMenuEntryRested},
      {m::kOpenDpiMenu, &CTalvinDlg::OnSubmenuRequested},
      {m::kOpenMultimediaMenu, &CTalvinDlg::OnSubmenuRequested},
      {m::kOpenDpiLockMenu, &CTalvinDlg::OnSubmenuRequested},
      {m::kOpenWindowsMenu, &CTalvinDlg::OnSubmenuRequested},
      {m::kOpenOfficeMenu, &CTalvinDlg::OnSubmenuRequested},
      {m::kDpiFunctionChosen, &CTalvinDlg::OnSelectionMade},
      {m::kMultimediaChosen, &CTalvinDlg::OnSelectionMade},
      {m::kDpiLockChosen, &CTalvinDlg::OnSelectionMade},
      {m::kWindowsFunctionChosen, &CTalvinDlg::OnSelectionMade},
      {m::kOfficeFunctionChosen, &CTalvinDlg::OnSelectionMade},
      // The assignment dialogs report through the same store, on the combo that opened them.
      {m::kShortcutChosen, &CTalvinDlg::OnDialogChoice},
      {m::kQuickLaunchChosen, &CTalvinDlg::OnDialogChoice},
      {m::kFireKeyChosen, &CTalvinDlg::OnDialogChoice},
      {m::kMacroSelected, &CTalvinDlg::OnMacroSelected},
      {m::kMainMenuClosed, &CTalvinDlg::OnMenuClosedNotice},
      {m::kDpiMenuClosed, &CTalvinDlg::OnMenuClosedNotice},
      {m::kMultimediaMenuClosed, &CTalvinDlg::OnMenuClosedNotice},
      {m::kDpiLockMenuClosed, &CTalvinDlg::OnMenuClosedNotice},
      {m::kWindowsMenuClosed, &CTalvinDlg::OnMenuClosedNotice},
      {m::kOfficeMenuClosed, &CTalvinDlg::OnMenuClosedNotice},
      {m::kAskShortcutDialog, &CTalvinDlg::OnDialogAsked},
      {m::kAskQuickLaunchDialog, &CTalvinDlg::OnDialogAsked},
      {m::kAskFireKeyDialog, &CTalvinDlg::OnDialogAsked},
      {m::kAskMacroSelectDialog, &CTalvinDlg::OnDialogAsked},
      {m::kRunShortcutDialog, &CTalvinDlg::OnRunDialogPosted},
      {m::kRunQuickLaunchDialog, &CTalvinDlg::OnRunDialogPosted},
      {m::kRunFireKeyDialog, &CTalvinDlg::OnRunDialogPosted},
      {m::kRunMacroSelectDialog, &CTalvinDlg::OnRunMacroSelectPosted},
      // The profile list and its context menu.
      {m::kProfileListEvent, &CTalvinDlg::OnProfileListEvent},
      {m::kProfileMenuChosen, &CTalvinDlg::OnProfileMenuChosen},
  };
  return rows;
}

bool CTalvinDlg::RoutePopupMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const PopupMessageRow& row : PopupMessageTable()) {
    if (row.message != message) continue;
    (this->*row.handler)(message, wParam, lParam);
    return true;
  }
  return false;
}

void CTalvinDlg::AddAssignmentCommands(std::vector<gm::win::EventHandler>& rows) {
  // The extra rows 2019..2021 are never built; their ids open the menu like the others and store
  // nothing (StoreButtonChoice ignores them).
  for (UINT id = gm::kControlKeyComboFirst; id <= gm::kControlExtraKeyComboLast; ++id) {
    rows.push_back({id, gm::win::kEventClicked, [this, id] { OnKeyComboClicked(id); }});
    // The mark on the mouse picture follows the hot control (UpdateMouseMark); entering and leaving
    // a combo only make it look again.
    rows.push_back({id, gm::win::kEventEntered, [this] { UpdateMouseMark(); }});
    rows.push_back({id, gm::win::kEventLeft, [this] { UpdateMouseMark(); }});
  }
}

gm::win::CComboButton* CTalvinDlg::ComboOf(UINT comboId) const {
  return dynamic_cast<gm::win::CComboButton*>(GetControl(comboId));
}

gm::ui::IntRect CTalvinDlg::ScreenRectOf(const gm::win::CControlBase& control) const {
  RECT r = control.GetRect();
  MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return ToIntRect(r);
}

gm::ui::IntRect CTalvinDlg::PopupRect(int slot) const {
  RECT r{};
  if (const gm::win::CWndPopup* popup = Popup(slot); popup && popup->Hwnd() && IsWindow(popup->Hwnd())) {
    GetWindowRect(popup->Hwnd(), &r);
  }
  return ToIntRect(r);
}

gm::ui::IntRect CTalvinDlg::WorkArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return ToIntRect(area);
}

void CTalvinDlg::OpenMenu(int slot, std::unique_ptr<gm::win::CWndPopup> popup, const gm::ui::IntRect& at,
                          UINT message, UINT_PTR tag) {
  OpenPopup(slot, std::move(popup), RECT{at.left, at.top, at.right, at.bottom}, message, tag);
}

void CTalvinDlg::OnKeyComboClicked(UINT comboId) {
  gm::win::CComboButton* combo = ComboOf(comboId);
  if (!combo) return;
  combo->SetOpen(true);
  combo->Invalidate();
  const double scale = state_->env.displayScale;
  const gm::ui::IntRect rect = gm::PlaceMainMenu(ScreenRectOf(*combo),
                                                 gm::MenuSize(RowsOf(gm::FunctionMenuId::kMain), scale), scale,
                                                 WorkArea());
  ClosePopup(kSlotSubmenu);
  OpenMenu(kSlotFunctionMenu, std::make_unique<gm::win::CComboPopup>(uiContext_), rect,
            gm::msg::kAssignmentChosen, comboId);
}

// The main menu's choice; a press on its first entries comes with wParam 0 and only raises the
// open popups above other windows.
void CTalvinDlg::OnFunctionChosen(UINT, WPARAM tag, LPARAM record) {
  if (tag == 0) {
    for (int slot : {kSlotFunctionMenu, kSlotSubmenu}) {
      if (const gm::win::CWndPopup* popup = Popup(slot); popup && popup->Hwnd() && IsWindow(popup->Hwnd())) {
        SetWindowPos(popup->Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
    }
    return;
  }
  OnSelectionMade(gm::msg::kAssignmentChosen, tag, record);
}

void CTalvinDlg::OnSubmenuRequested(UINT message, WPARAM tag, LPARAM entry) {
  for (const SubmenuRow& row : kSubmenus) {
    if (row.openMessage != message) continue;
    const double scale = state_->env.displayScale;
    const gm::ui::IntRect rect = gm::PlaceSubmenu(PopupRect(kSlotFunctionMenu), static_cast<int>(entry),
                                                  gm::MenuSize(RowsOf(row.menu), scale), scale, WorkArea());
    // The slot holds one submenu: opening this one closes the other.
    OpenMenu(kSlotSubmenu, row.make(uiContext_), rect, row.choiceMessage, tag);
    return;
  }
}


// The pointer rests on a main-menu entry without a submenu: an open submenu goes.
void CTalvinDlg::OnMenuEntryRested(UINT, WPARAM, LPARAM) { ClosePopup(kSlotSubmenu); }

// A final choice: lParam the popup's selection record, valid for the duration of this call.
void CTalvinDlg::OnSelectionMade(UINT, WPARAM tag, LPARAM record) {
  if (!record) return;
  gm::AssignmentChoice choice;
  choice.record = *reinterpret_cast<const gm::SelectionRecord*>(record);
  StoreButtonChoice(static_cast<UINT>(tag), choice);
}

void CTalvinDlg::StoreButtonChoice(UINT comboId, const gm::AssignmentChoice& choice) {
  const int button = static_cast<int>(comboId) - gm::kControlKeyComboFirst;
  if (button >= 0 && button < gm::kKeyComboCount) {
    gm::ProfileRecord& record = state_->CurrentRecord();
    gm::StoreChoice(record, button, choice);
    const gm::GuardOutcome outcome = gm::ApplyLeftButtonGuard(record, button, state_->texts);
    if (gm::win::CComboButton* combo = ComboOf(comboId)) {
      combo->SetCaption(record.KeyAssignments[static_cast<size_t>(button)].KeyName);
    }
    if (outcome == gm::GuardOutcome::kUpload) {
      controller_->ScheduleUpload(gm::DirtyGroup::kKeyMap);
    } else {
      controller_->ScheduleAssignmentRejectedNotice();  // nothing is uploaded
    }
  }
  CloseAssignmentPopups();
  ReleaseCombo(comboId);
}

void CTalvinDlg::CloseAssignmentPopups() {
  ClosePopup(kSlotSubmenu);
  ClosePopup(kSlotFunctionMenu);
}

void CTalvinDlg::ReleaseCombo(UINT comboId) {
  if (gm::win::CComboButton* combo = ComboOf(comboId)) {
    combo->SetOpen(false);
    combo->Invalidate();
  }
}

// A menu lost activation: its combo no longer looks pressed.
void CTalvinDlg::OnMenuClosedNotice(UINT, WPARAM tag, LPARAM) { ReleaseCombo(static_cast<UINT>(tag)); }

void CTalvinDlg::OnDialogAsked(UINT message, WPARAM tag, LPARAM) {
  CloseAssignmentPopups();
  ReleaseCombo(static_cast<UINT>(tag));
  PostMessageW(Hwnd(), RunMessageFor(message), tag, 0);
}

// The key combination, rapid-fire and program-launch dialogs; each reports its choice while it runs
// (OnDialogChoice).
void CTalvinDlg::OnRunDialogPosted(UINT message, WPARAM tag, LPARAM) {
  dialogCombo_ = static_cast<UINT>(tag);
  switch (message) {
    case gm::msg::kRunShortcutDialog: {
      gm::win::CShortcutDlg dlg(uiContext_, Hwnd(), uiContext_.ProgramFile(L"KeyboardHook.dll"));
      dlg.DoModal();
      break;
    }
    case gm::msg::kRunFireKeyDialog: {
      gm::win::CFireKeyDlg dlg(uiContext_, Hwnd());
      dlg.DoModal();
      break;
    }
    case gm::msg::kRunQuickLaunchDialog: {
      gm::win::CQuickLaunchDlg dlg(uiContext_, Hwnd());
      dlg.DoModal();
      break;
    }
    default:
      break;
  }
  dialogCombo_ = 0;
}

// lParam the dialog's selection record; for the program launch wParam its path. Both are valid for
// the duration of this call. A report when no dialog runs has no combo and is dropped.
void CTalvinDlg::OnDialogChoice(UINT message, WPARAM path, LPARAM record) {
  if (!record || dialogCombo_ == 0) return;
  const auto& selection = *reinterpret_cast<const gm::SelectionRecord*>(record);
  gm::AssignmentChoice choice;
  if (message == gm::msg::kQuickLaunchChosen) {
    choice = gm::LaunchReportChoice(selection, path ? reinterpret_cast<const wchar_t*>(path) : L"");
  } else {
    choice.record = selection;
  }
  StoreButtonChoice(dialogCombo_, choice);
}

// The macro selection dialog: a button without a macro may take one only while a device macro
// slot is free. The dialog reports a confirmed choice with msg::kMacroSelected before it closes,
// after it has set the window's selected library item.
void CTalvinDlg::OnRunMacroSelectPosted(UINT, WPARAM tag, LPARAM) {
  const int button = static_cast<int>(tag) - gm::kControlKeyComboFirst;
  gm::ProfileRecord& record = state_->CurrentRecord();
  controller_->Session().Mapping().ResolveMacroSlots(record);
  if (!gm::MacroAssignmentAllowed(record, button, controller_->Session().Mapping().MacroSlotNext())) {
    gm::win::CAttentionDlg notice(uiContext_, std::wstring(gm::kMacroLimitTitle), std::wstring(gm::kMacroLimitText),
                                  Hwnd());
    notice.DoModal();
    return;
  }
  macroAskingCombo_ = static_cast<UINT>(tag);
  gm::win::CMacroSelectDlg dialog(uiContext_, Hwnd(), state_->library, state_->selectedLocation);
  dialog.DoModal();
  macroAskingCombo_ = 0;
}

// The selection dialog's confirm: the selected library item goes to the button that asked.
void CTalvinDlg::OnMacroSelected(UINT, WPARAM, LPARAM) {
  if (!macroAskingCombo_) return;
  const gm::MacroItem* item = std::as_const(state_->library).ItemAt(state_->selectedLocation);
  StoreButtonChoice(macroAskingCombo_, gm::MacroSelectionChoice(item, state_->texts));
}
