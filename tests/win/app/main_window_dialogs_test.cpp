// The key combination, rapid-fire and program-launch dialogs opened from the demo's main window
// under Wine, as a person opens them: a click on a key combo, then the menu entry. Keys are real
// key presses (SendInput reaches the program's keyboard hook); the open-file dialog is driven
// through its file name box. What was stored is read from the profile file the program writes when
// it ends: the program's own output, and what the simulated mouse was given (the combo shows the
// same name).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "app/main_layout.h"
#include "app/main_window_support.h"
#include "assign/dialog_owner_support.h"
#include "assign/fire_key_dlg.h"
#include "assign/function_menus.h"
#include "assign/quick_launch_dlg.h"
#include "assign/shortcut_dlg.h"
#include "settings/language_indexes.h"

using namespace std::chrono_literals;

namespace {

using gm::win::CFireKeyDlg;

// Where the dialogs draw their controls (design units).
constexpr gm::LayoutRect kCtrlBox{24, 76, 39, 91};
constexpr gm::LayoutRect kShiftBox{94, 76, 109, 91};
constexpr gm::LayoutRect kKeyName{300, 70, 420, 96};
constexpr gm::LayoutRect kBrowse{24, 56, 93, 76};
constexpr gm::LayoutRect kOk{260, 110, 329, 130};
constexpr gm::LayoutRect kCancel{350, 110, 419, 130};
constexpr gm::LayoutRect kClose{405, 4, 420, 19};

void Key(WORD vk, WORD scan, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = scan;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

// What an edit box of the program holds now (GetWindowText would give another process's edit only
// its first text).
std::wstring TextOf(HWND edit) {
  wchar_t text[64] = {};
  SendMessageW(edit, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
  return text;
}

class MainWindowDialogs : public apptest::DemoMainWindow {
 protected:
  // Opens the dialog of the main menu's entry labelled `text` for key combo `combo` (0..5).
  HWND OpenDialog(int combo, int text) {
    const auto& entries = gm::FunctionMenuOf(gm::FunctionMenuId::kMain).entries;
    int entry = 0;
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i].text == text) entry = static_cast<int>(i) + 1;
    ClickAt(ComboRect(combo));
    HWND menu = WaitForPopup(static_cast<int>(entries.size()));
    if (!menu) return nullptr;
    ClickMenuEntry(menu, entry);
    HWND dialog = WaitForDialog(429, 140);
    // The window shows at its size before its controls exist: wait until its OK button is drawn.
    if (dialog && !gmtest::PumpUntil(
                      [&] {
                        const std::vector<COLORREF> ok = SteadyPixelsOf(dialog, kOk);
                        return std::count(ok.begin(), ok.end(), ok.front()) < static_cast<long>(ok.size());
                      },
                      10s))
      return nullptr;
    return dialog;
  }
  static gm::LayoutRect ComboRect(int combo) {
    for (const gm::MainControlSpec& spec : gm::MainWindowControls())
      if (static_cast<int>(spec.id) == gm::kControlKeyComboFirst + combo) return spec.rect;
    return {};
  }
  bool Gone(HWND dialog) const { return gmtest::PumpUntil([&] { return !IsWindow(dialog); }, 10s); }
  // Closes the notice in front (319 × 102 units) once it opens.
  bool CloseNotice() const {
    HWND notice = WaitForDialog(319, 102);
    if (!notice) return false;
    PostMessageW(notice, WM_CLOSE, 0, 0);
    return Gone(notice);
  }
};

TEST_F(MainWindowDialogs, EachDialogStoresItsChoiceOnTheButtonThatOpenedIt) {
  // Key combination on button 2: Ctrl and Shift checked, then left Ctrl held while S is pressed.
  HWND shortcut = OpenDialog(2, gm::kTextKeyCombination);
  ASSERT_TRUE(shortcut) << "no key combination dialog";
  ClickInDialog(shortcut, kCtrlBox);
  ClickInDialog(shortcut, kShiftBox);
  // The key's name appears in the dialog once its report has arrived: the empty field is taken
  // once the dialog has painted and its pixels hold still.
  const std::vector<COLORREF> noKey = SteadyPixelsOf(shortcut, kKeyName);
  Key(VK_LCONTROL, 0x1D, false);
  Key('S', 0x1F, false);
  Key('S', 0x1F, true);
  Key(VK_LCONTROL, 0x1D, true);
  EXPECT_TRUE(gmtest::PumpUntil([&] { return PixelsOf(shortcut, kKeyName) != noKey; }, 10s)) << "no key shown";
  ClickInDialog(shortcut, kOk);
  ASSERT_TRUE(Gone(shortcut));
  AwaitUploadProgress();

  // Rapid fire on button 3: 300 is cut to 255 by the check that runs every 100 ms (the deadline
  // allows for a loaded machine), with its notice; then 5 and 0.
  HWND fire = OpenDialog(3, gm::kTextRapidFire);
  ASSERT_TRUE(fire) << "no rapid-fire dialog";
  HWND interval = GetDlgItem(fire, CFireKeyDlg::kIntervalBox);
  HWND count = GetDlgItem(fire, CFireKeyDlg::kCountBox);
  SendMessageW(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"300"));
  EXPECT_TRUE(gmtest::PumpUntil([&] { return TextOf(interval) == L"255"; }, 5s));
  EXPECT_TRUE(CloseNotice()) << "no range notice";
  SendMessageW(interval, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5"));
  SendMessageW(count, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0"));
  ClickInDialog(fire, kOk);
  ASSERT_TRUE(Gone(fire));
  AwaitUploadProgress();

  // Program launch on button 4: the demo program itself chosen in the open-file dialog.
  const std::wstring program = gmtest::BinFolder() + L"GamingMouseDemo.exe";
  HWND launch = OpenDialog(4, gm::kTextLaunchProgram);
  ASSERT_TRUE(launch) << "no program-launch dialog";
  ClickInDialog(launch, kBrowse);
  HWND files = nullptr;
  ASSERT_TRUE(gmtest::PumpUntil([&] { return (files = assigntest::FindFileDialog(process_.id)) != nullptr; }, 20s))
      << "no open-file dialog";
  assigntest::ChooseInFileDialog(files, program);
  ASSERT_TRUE(Gone(files));
  ClickInDialog(launch, kOk);
  ASSERT_TRUE(Gone(launch));
  AwaitUploadProgress();

  ASSERT_TRUE(CloseAndWait());
  const gm::ProfileRecord saved = SavedProfile();
  const auto& keys = saved.KeyAssignments;
  EXPECT_EQ(keys[2].KeyName, L"Ctrl+Shift+S");
  EXPECT_EQ(keys[2].KeyValue, (gm::ThreeBytes{0x70, 0x03, 0x16}));
  EXPECT_EQ(keys[3].KeyValue, (gm::ThreeBytes{0x30, 0x05, 0x00}));
  EXPECT_EQ(keys[4].KeyName, L"GamingMouseDemo.exe");
  EXPECT_EQ(keys[4].KeyValue, (gm::ThreeBytes{0x60, 0x05, 0x00}));
  EXPECT_EQ(_wcsicmp(keys[4].KeyURL.c_str(), program.c_str()), 0);
  EXPECT_EQ(keys[0].KeyValue, (gm::ThreeBytes{0x10, 0x01, 0x00}));  // the others kept theirs
}

// Cancel and the close cross store nothing; a dialog still open when the program exits is closed
// with the main window.
TEST_F(MainWindowDialogs, CancelCloseAndExitStoreNothing) {
  const gm::ProfileRecord before = SavedProfile();
  struct Case {
    int combo;
    int text;
    gm::LayoutRect exit;
  };
  const Case cases[] = {{1, gm::kTextKeyCombination, kCancel},
                        {2, gm::kTextRapidFire, kClose},
                        {3, gm::kTextLaunchProgram, kCancel},
                        {4, gm::kTextKeyCombination, kClose}};
  for (const Case& c : cases) {
    HWND dialog = OpenDialog(c.combo, c.text);
    ASSERT_TRUE(dialog) << c.text;
    if (c.text == gm::kTextKeyCombination) {
      Key('A', 0x1E, false);
      Key('A', 0x1E, true);
    }
    ClickInDialog(dialog, c.exit);
    EXPECT_TRUE(Gone(dialog)) << c.text;
  }
  HWND open = OpenDialog(5, gm::kTextRapidFire);
  ASSERT_TRUE(open);
  ASSERT_TRUE(CloseAndWait()) << "the program did not end with the dialog open";
  EXPECT_EQ(SavedProfile().KeyAssignments, before.KeyAssignments);
}

}  // namespace
