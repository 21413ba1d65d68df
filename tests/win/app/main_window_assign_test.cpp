// Button assignment and profiles in the demo's main window under Wine: the pointer opens the key
// combos' menus and the profile list as a person would, at the design coordinates × the display
// scale. What the program stored is read back from the files it writes: config.ini as soon as a
// profile operation saves it, the profile files when the program ends (an assignment is uploaded
// and then saved on the way out). Files are the robust witness here: they are the program's own
// output format, and nothing else of the simulated mouse is visible outside the process.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/demo_panel.h"
#include "app/main_layout.h"
#include "app/main_window_support.h"
#include "app/osd_dialog.h"
#include "app/profile_operations.h"
#include "app/single_instance.h"
#include "assign/assignment_rules.h"
#include "assign/function_menus.h"
#include "assign/popup_placement.h"
#include "settings/app_config.h"
#include "settings/language.h"
#include "settings/language_indexes.h"
#include "settings/profile_record.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "ui/program_messages.h"
#include "win_test_support.h"

using namespace std::chrono_literals;

namespace {

constexpr wchar_t kPopupClass[] = L"GmSkinnedPopup";
constexpr wchar_t kDialogClass[] = L"#32770";

gm::LayoutRect RectOf(int id) {
  for (const gm::MainControlSpec& spec : gm::MainWindowControls())
    if (static_cast<int>(spec.id) == id) return spec.rect;
  return {};
}

// The 1-based entry of `menu` whose label (fixed or language text `text`) matches.
int EntryWithText(gm::FunctionMenuId menu, int text) {
  const auto& entries = gm::FunctionMenuOf(menu).entries;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].text == text) return static_cast<int>(i) + 1;
  return 0;
}
int EntryWithLabel(gm::FunctionMenuId menu, const std::wstring& label) {
  const auto& entries = gm::FunctionMenuOf(menu).entries;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].label && label == entries[i].label) return static_cast<int>(i) + 1;
  return 0;
}
int EntryWithSubmenu(unsigned message) {
  const auto& entries = gm::FunctionMenuOf(gm::FunctionMenuId::kMain).entries;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].message == message) return static_cast<int>(i) + 1;
  return 0;
}

class MainWindowAssign : public apptest::DemoMainWindow {
 protected:
  // Closes the program as WM_CLOSE does (saving what is pending) and waits for its end.
  void Close() { ASSERT_TRUE(CloseAndWait()); }

  static int Rows(gm::FunctionMenuId menu) { return static_cast<int>(gm::FunctionMenuOf(menu).entries.size()); }

  // The centre of entry `entry` (1-based) of a menu, in its client coordinates.
  LPARAM EntryPoint(int entry) const { return apptest::MenuEntryPoint(entry, scale_); }
  void HoverEntry(HWND popup, int entry) const {
    apptest::PointAtMenuEntry(popup, entry, scale_);
    PostMessageW(popup, WM_MOUSEMOVE, 0, EntryPoint(entry));
  }
  void ClickEntry(HWND popup, int entry) const { ClickMenuEntry(popup, entry); }
  void RightClickEntry(HWND popup, int entry) const {
    HoverEntry(popup, entry);
    PostMessageW(popup, WM_RBUTTONDOWN, MK_RBUTTON, EntryPoint(entry));
    PostMessageW(popup, WM_RBUTTONUP, 0, EntryPoint(entry));
  }

  // Opens the main function menu of key combo `combo` (0..5).
  HWND OpenFunctionMenu(int combo) {
    ClickAt(RectOf(gm::kControlKeyComboFirst + combo));
    return WaitForPopup(Rows(gm::FunctionMenuId::kMain));
  }
  // Opens the main menu of `combo`, rests on the submenu entry of `openMessage` and returns the
  // submenu of `submenu`.
  HWND OpenSubmenu(int combo, unsigned openMessage, gm::FunctionMenuId submenu) {
    HWND menu = OpenFunctionMenu(combo);
    if (!menu) return nullptr;
    HoverEntry(menu, EntryWithSubmenu(openMessage));
    return WaitForPopup(Rows(submenu));
  }
  bool MenusClosed() const {
    return gmtest::PumpUntil([&] { return VisibleWindows(kPopupClass).empty(); }, 10s);
  }

  // The notice dialog the program shows (the only dialog window of the process besides the main
  // window's class), or nullptr once `timeout` has passed.
  HWND WaitForNotice(std::chrono::milliseconds timeout) const {
    HWND notice = nullptr;
    gmtest::PumpUntil(
        [&] {
          const auto found = VisibleWindows(kDialogClass);
          notice = found.empty() ? nullptr : found.front();
          return notice != nullptr;
        },
        timeout);
    return notice;
  }

  // The profile files as the program left them.
  std::unique_ptr<gm::SettingsModel> SavedSettings() const {
    auto model = std::make_unique<gm::SettingsModel>();
    model->env.dataFolder = DataFolder();
    gm::LoadAppConfig(*model);
    return model;
  }
};

TEST_F(MainWindowAssign, RightClickOnTheOnlyLeftButtonIsUndoneWithANotice) {
  const auto before = SavedSettings();
  ASSERT_EQ(before->profiles[0].KeyAssignments[0].KeyValue, (gm::ThreeBytes{0x10, 0x01, 0x00}));
  ASSERT_EQ(gm::LeftClickButtonCount(before->profiles[0]), 1) << "the default profile has one left button";

  HWND menu = OpenFunctionMenu(0);
  ASSERT_TRUE(menu) << "no function menu";
  ClickEntry(menu, EntryWithText(gm::FunctionMenuId::kMain, gm::kTextRightClick));
  EXPECT_TRUE(MenusClosed());
  HWND notice = WaitForNotice(10s);
  ASSERT_TRUE(notice) << "no notice that a left button is required";
  PostMessageW(notice, WM_CLOSE, 0, 0);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(notice); }, 10s));
  Close();

  const auto after = SavedSettings();
  EXPECT_EQ(after->profiles[0].KeyAssignments[0].KeyValue, (gm::ThreeBytes{0x10, 0x01, 0x00}));
  EXPECT_EQ(after->profiles[0].KeyAssignments[0].KeyName, before->profiles[0].KeyAssignments[0].KeyName);
}

// A choice from a submenu is stored on the button with its name; a submenu entry of the main menu
// stores nothing and leaves the menu open.
TEST_F(MainWindowAssign, SubmenuChoicesAreStoredOnTheirButtons) {
  struct Case {
    int combo;
    unsigned openMessage;
    gm::FunctionMenuId submenu;
    int entry;
    gm::ThreeBytes value;
  };
  const Case cases[] = {
      {5, gm::msg::kOpenDpiLockMenu, gm::FunctionMenuId::kDpiLock,
       EntryWithLabel(gm::FunctionMenuId::kDpiLock, L"700"), {0x50, 0x06, 0x00}},
      {3, gm::msg::kOpenMultimediaMenu, gm::FunctionMenuId::kMultimedia,
       EntryWithText(gm::FunctionMenuId::kMultimedia, 53), {0x80, 0x8A, 0x01}},
  };
  for (const Case& c : cases) {
    HWND menu = OpenFunctionMenu(c.combo);
    ASSERT_TRUE(menu);
    // Releasing on the submenu's own entry in the main menu stores nothing and keeps the menu.
    ClickEntry(menu, EntryWithSubmenu(c.openMessage));
    HWND submenu = WaitForPopup(Rows(c.submenu));
    ASSERT_TRUE(submenu) << "no submenu for message " << c.openMessage;
    EXPECT_TRUE(IsWindowVisible(menu));
    ClickEntry(submenu, c.entry);
    EXPECT_TRUE(MenusClosed());
  }
  // An upload is followed by a save 10 s later: wait for the profile file to hold both choices.
  auto saved = std::make_unique<gm::SettingsModel>();
  const auto& keys = saved->profiles[0].KeyAssignments;
  EXPECT_TRUE(gmtest::PumpUntil(
      [&] {
        return gm::ReadProfileFile(*saved, 0, DataFolder() + L"config\\default0.psf") &&
               keys[5].KeyValue == gm::ThreeBytes{0x50, 0x06, 0x00} && keys[3].KeyValue == gm::ThreeBytes{0x80, 0x8A, 0x01};
      },
      30s))
      << "the choices did not reach the profile file";
  Close();
  // The test's data folder has no language file, so the program takes its built-in English texts:
  // the DPI-lock name is "<texts[36]>-700".
  EXPECT_EQ(keys[5].KeyName, L"DPI Lock-700");
  // The other buttons kept their functions.
  EXPECT_EQ(keys[0].KeyValue, (gm::ThreeBytes{0x10, 0x01, 0x00}));
}

// The profile list as config.ini holds it before the start: slots 0, 2, 1 shown (then 3, 4).
class MainWindowProfiles : public MainWindowAssign {
 protected:
  void PrepareDataFolder(const std::wstring&) override {
    std::filesystem::create_directories(DataFolder() + L"config");
    auto model = std::make_unique<gm::SettingsModel>();
    model->env.dataFolder = DataFolder();
    gm::FillAppConfigDefaults(model->config, DataFolder());
    gm::WriteProfileList(model->config, {3, {0, 2, 1, 3, 4}});
    ASSERT_TRUE(gm::WriteAppConfigFile(model->config, gm::AppConfigPath(DataFolder())));
    // Slot 2 differs from slot 0 in every button's name, so switching to it changes the captions.
    for (int slot = 0; slot < gm::kProfileCount; ++slot) {
      gm::ProfileRecord& record = model->profiles[static_cast<size_t>(slot)];
      gm::ResetProfile(record, slot, model->texts, gm::ConfigSensor(model->config));
      gm::SetProfileName(record, L"Profile " + std::to_wstring(slot));
    }
    for (auto& key : model->profiles[2].KeyAssignments) key.KeyName = L"Second profile";
    ASSERT_TRUE(gm::SaveAllProfiles(*model));
  }

  HWND OpenProfileList() {
    ClickAt(RectOf(gm::kControlProfileButton));
    return WaitForPopup(gm::kProfileListEntries);
  }
  // Chooses `choice` (1..4: import, export, rename, delete) in the context menu of list entry `entry`.
  void ProfileMenu(int entry, int choice) {
    HWND list = OpenProfileList();
    ASSERT_TRUE(list) << "no profile list";
    RightClickEntry(list, entry);
    HWND menu = WaitForPopup(Rows(gm::FunctionMenuId::kProfileContext));
    ASSERT_TRUE(menu) << "no context menu";
    ClickEntry(menu, choice);
  }
  gm::ProfileList SavedList() const {
    auto model = std::make_unique<gm::SettingsModel>();
    model->env.dataFolder = DataFolder();
    gm::LoadAppConfig(*model);
    return gm::ReadProfileList(model->config);
  }
};

TEST_F(MainWindowProfiles, DeletingAProfileMovesItBehindTheShownOnes) {
  ProfileMenu(3, 4);  // entry 3 is slot 2; delete
  EXPECT_TRUE(gmtest::PumpUntil([&] { return SavedList().count == 2; }, 10s)) << "config.ini was not rewritten";
  EXPECT_EQ(SavedList(), (gm::ProfileList{2, {0, 1, 3, 4, 2}}));
  Close();
}

TEST_F(MainWindowProfiles, DeletingTheCurrentProfileIsRefused) {
  ProfileMenu(2, 4);  // entry 2 is slot 0, the current profile
  HWND notice = WaitForNotice(10s);
  ASSERT_TRUE(notice) << "no notice that the current profile cannot be deleted";
  PostMessageW(notice, WM_CLOSE, 0, 0);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(notice); }, 10s));
  Close();
  EXPECT_EQ(SavedList(), (gm::ProfileList{3, {0, 2, 1, 3, 4}}));
}

TEST_F(MainWindowProfiles, SwitchingProfileShowsItsButtons) {
  const gm::LayoutRect row = RectOf(gm::kControlKeyComboFirst);
  const auto before = Pixels(row);
  HWND list = OpenProfileList();
  ASSERT_TRUE(list);
  ClickEntry(list, 3);  // slot 2
  EXPECT_TRUE(MenusClosed());
  EXPECT_TRUE(gmtest::PumpUntil([&] { return Pixels(row) != before; }, 10s)) << "the key row still shows profile 0";
  Close();
  EXPECT_EQ(gm::GetCurrentProfile(SavedSettings()->config), 2);
}

// The mouse moves to its next stage while the rename dialog is open: OK stores the new name and
// keeps the stage the mouse reported (the dialog must not put back the profile as it was when it
// opened).
TEST_F(MainWindowProfiles, RenamingKeepsTheStageTheMouseChangedMeanwhile) {
  const int before = SavedProfile().CurrentDPILevelValue;
  ProfileMenu(2, 3);  // entry 2 is slot 0, the current profile; rename
  HWND dialog = WaitForDialog(429, 140);
  ASSERT_TRUE(dialog) << "no rename dialog";
  ClickPanel(CDemoPanel::kDpiButton);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !VisibleWindows(gm::win::COSDDialog::kClassName).empty(); }, 10s))
      << "the stage change did not reach the program";
  for (wchar_t c : std::wstring(L" X")) PostMessageW(GetDlgItem(dialog, 2017), WM_CHAR, c, 1);
  ClickInDialog(dialog, {260, 110, 329, 130});  // OK
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(dialog); }, 10s)) << "the dialog stayed open";
  Close();
  const gm::ProfileRecord saved = SavedProfile();
  EXPECT_EQ(gm::ProfileName(saved), L"Profile 0 X");
  EXPECT_EQ(saved.CurrentDPILevelValue, before + 1);
}

// With GM_MENU_SCREENSHOT_FLAG set (tools/menu-screenshot), the main menu and its DPI-lock submenu
// stay open until the script has photographed the screen and removed the flag file.
TEST_F(MainWindowAssign, MenuAndSubmenuOpenTogether) {
  HWND submenu = OpenSubmenu(5, gm::msg::kOpenDpiLockMenu, gm::FunctionMenuId::kDpiLock);
  ASSERT_TRUE(submenu);
  EXPECT_EQ(VisibleWindows(kPopupClass).size(), 2u);
  wchar_t flag[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"GM_MENU_SCREENSHOT_FLAG", flag, MAX_PATH)) {
    CloseHandle(CreateFileW(flag, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(gmtest::PumpUntil([&] { return GetFileAttributesW(flag) == INVALID_FILE_ATTRIBUTES; }, 60s));
  }
  // Resting on an entry without a submenu closes the submenu; the main menu stays.
  HWND menu = WaitForPopup(Rows(gm::FunctionMenuId::kMain));
  HoverEntry(menu, 1);
  EXPECT_TRUE(gmtest::PumpUntil([&] { return VisibleWindows(kPopupClass).size() == 1; }, 10s));
  Close();
}

}  // namespace
