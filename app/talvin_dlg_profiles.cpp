// Profiles in the main window: the profile button opens the profile list (the shown profiles in
// list order, the current one marked); choosing an entry switches to that profile, "new" and the
// entries' context menu start a profile operation, which timer 60 runs through
// app/profile_commands.h. The model's side of each is portable (app/main_commands.h,
// app/profile_operations.h); nothing here sends anything to the mouse except the switch's upload.
#include <memory>

#include "app/main_commands.h"
#include "app/profile_operations.h"
#include "app/talvin_dlg.h"
#include "assign/assign_popups.h"
#include "assign/popup_placement.h"
#include "ui/program_messages.h"
#include "ui/wnd_popup.h"

namespace {

// The context menu reports with the tag 2049 + the entry's slot (the ids of the hidden profile tabs).
constexpr UINT kProfileMenuTagFirst = gm::kControlProfileTabFirst;

}  // namespace

void CTalvinDlg::AddProfileCommands(std::vector<gm::win::EventHandler>& rows) {
  rows.push_back({gm::kControlProfileButton, gm::win::kEventClicked, [this] { OnProfileButtonClicked(); }});
}

// The press of this click closed whatever popups were open (CDlgBase::DismissPopups): when the
// list was among them, the click only closes it. The decision is taken at the press itself, so a
// list closed meanwhile by a click elsewhere never costs the next click on the button.
void CTalvinDlg::OnProfileButtonClicked() {
  if (LastPressClosedPopup(kSlotProfileList)) {
    CloseProfilePopups();
    return;
  }
  const gm::win::CControlBase* button = GetControl(gm::kControlProfileButton);
  if (!button) return;
  auto list = std::make_unique<gm::win::CComboProfilePopup>(
      uiContext_, gm::win::ListPopupPictures{L"skins\\header2_nr.png", L"skins\\header2_ov.png", {}, {}});
  const gm::ProfileList shown = gm::ReadProfileList(state_->config);
  for (int i = 0; i < gm::kProfileCount; ++i) {
    const int slot = shown.slots[static_cast<size_t>(i)];
    const bool listed = i < shown.count && slot >= 0 && slot < gm::kProfileCount;
    list->SetProfileName(i, listed ? gm::ProfileName(state_->profiles[static_cast<size_t>(slot)]) : std::wstring());
    if (listed && slot == state_->currentProfile) list->SetCurrentEntry(i + 2);
  }
  const double scale = state_->env.displayScale;
  const gm::ui::IntRect rect =
      gm::PlaceProfileList(ScreenRectOf(*button), gm::MenuSize(gm::kProfileListEntries, scale), scale, WorkArea());
  OpenMenu(kSlotProfileList, std::move(list), rect, gm::msg::kProfileListEvent, gm::kControlProfileButton);
}

// The profile list: wParam 2 with entry 2..6 (a profile) or 7 ("new"), wParam 11 with the entry
// right-clicked.
void CTalvinDlg::OnProfileListEvent(UINT, WPARAM event, LPARAM entry) {
  const gm::ProfileList shown = gm::ReadProfileList(state_->config);
  const int position = static_cast<int>(entry) - 2;
  if (event == gm::kProfileEventChoose && entry == gm::kProfileListEntries) {
    CloseProfilePopups();
    controller_->ScheduleProfileOperation(static_cast<std::uint8_t>(gm::AddOperationCode(state_->config)), 0);
    return;
  }
  if (position < 0 || position >= shown.count) return;
  const int slot = shown.slots[static_cast<size_t>(position)];
  if (event == gm::kProfileEventChoose) {
    SwitchToProfileEntry(slot);
  } else if (event == gm::kProfileEventContextMenu) {
    const double scale = state_->env.displayScale;
    const gm::ui::IntRect rect =
        gm::PlaceSubmenu(PopupRect(kSlotProfileList), static_cast<int>(entry),
                         gm::MenuSize(static_cast<int>(gm::FunctionMenuOf(gm::FunctionMenuId::kProfileContext).entries.size()),
                                      scale),
                         scale, WorkArea());
    OpenMenu(kSlotProfileMenu, std::make_unique<gm::win::CProfileRKeyPopup>(uiContext_), rect,
              gm::msg::kProfileMenuChosen, kProfileMenuTagFirst + static_cast<UINT>(slot));
  }
}

// Carries out the switch as OnProfileChosen decides it.
void CTalvinDlg::SwitchToProfileEntry(int slot) {
  const gm::CommandResult result = gm::OnProfileChosen(*state_, slot);
  if (result.refused) return;
  if (result.closePopups) CloseProfilePopups();
  if (result.refresh) RefreshFromProfile();
  // Reports the mouse sent before it has the new settings must not overwrite them.
  controller_->Session().Status().InputSkipCount = result.skipInputReports;
  for (gm::DirtyGroup group : result.schedule) controller_->ScheduleUpload(group);
}

// The context menu's choice: lParam the selection record, whose byte 0 is the operation code.
void CTalvinDlg::OnProfileMenuChosen(UINT, WPARAM tag, LPARAM record) {
  if (!record) return;
  const auto& choice = *reinterpret_cast<const gm::SelectionRecord*>(record);
  const int slot = static_cast<int>(tag) - static_cast<int>(kProfileMenuTagFirst);
  CloseProfilePopups();
  controller_->ScheduleProfileOperation(choice.value[0], slot);
}

void CTalvinDlg::CloseProfilePopups() {
  ClosePopup(kSlotProfileMenu);
  ClosePopup(kSlotProfileList);
}

void CTalvinDlg::RunChosenProfileOperation(std::uint8_t opCode, int slot) {
  gm::win::RunProfileOperation({*state_, uiContext_, Hwnd(), *this}, opCode, slot);
}

bool CTalvinDlg::SaveAllSettings() { return controller_->SaveAllSettings(); }
