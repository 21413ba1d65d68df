// The macro dialogs as a person uses them: typing into the box, Enter, Escape, clicks on the
// buttons and the tree rows, and, for the key dialog, a key pressed for real (seen through the
// keyboard hook).
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "assign/key_tables.h"
#include "macro/dialogs/action_dlgs.h"
#include "macro/dialogs/macro_select_dlg.h"
#include "macro/dialogs/name_dlgs.h"
#include "settings/language_indexes.h"
#include "ui/macro_lists.h"
#include "ui/program_messages.h"
#include "ui/scroll_bar.h"
#include "ui/ui_test_support.h"
#include "win_test_support.h"

namespace {

using gm::MacroAction;
using gm::win::CMacroFieldDlg;
using uitest::ClickControl;
using uitest::LabelOf;
using uitest::RunScripted;
using uitest::WhenReady;

constexpr UINT kNoticeMessage = 2013;  // the notice's message line
constexpr UINT kNoticeOk = 2010;

std::array<int, 4> Bytes(MacroAction a) { return {a.Byte(0), a.Byte(1), a.Byte(2), a.Byte(3)}; }

HWND Box(HWND dialog) { return GetDlgItem(dialog, CMacroFieldDlg::kBox); }
// Replaces the box's text as typed: everything selected, then the characters.
void TypeOver(HWND dialog, const std::wstring& text) {
  SendMessageW(Box(dialog), EM_SETSEL, 0, -1);
  for (wchar_t c : text) SendMessageW(Box(dialog), WM_CHAR, c, 1);
}
void Press(HWND dialog, WPARAM vk) { PostMessageW(Box(dialog), WM_KEYDOWN, vk, 1); }
std::wstring BoxText(HWND dialog) {
  wchar_t text[64] = {};
  GetWindowTextW(Box(dialog), text, 64);
  return text;
}

class MacroDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::pair<int, const wchar_t*> texts[] = {
        {gm::kTextOk, L"OK"},
        {gm::kTextCancel, L"Cancel"},
        {gm::kTextDigitsOnly, L"Digits only"},
        {gm::kTextSelectMacroFirst, L"Select a macro"},
        {gm::kTextDelayTitle, L"Delay"},
        {gm::kTextKeyTitle, L"Key"},
        {gm::kTextAmountMoveLeft, L"Move left"},
        {gm::kTextAmountWheelDown, L"Wheel down"},
        {gm::kTextNewMacroTitle, L"New macro"},
        {gm::kTextNewFolderTitle, L"New folder"},
        {gm::kTextRenameTitle, L"Rename"},
    };
    for (const auto& [index, text] : texts) ui_.texts[index] = text;
  }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
};

// A typed delay is stored up to 15,300,000 ms; the box starts with the delay there was.
TEST_F(MacroDialogs, DelayAboveTheLimitIsStoredAsTheLimit) {
  MacroAction action = MacroAction::Delay(500);
  gm::win::CActionTimeModifyDlg dlg(ui_.context, nullptr, action);
  std::wstring start, title;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             start = BoxText(h);
                                             title = LabelOf(h, CMacroFieldDlg::kTitle);
                                             TypeOver(h, L"20000000");
                                           },
                                           [](HWND h) { ClickControl(h, CMacroFieldDlg::kOk); }});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(start, L"500");
  EXPECT_EQ(title, L"Delay");
  EXPECT_EQ(Bytes(action), (std::array<int, 4>{0x03, 0xE9, 0x76, 0x20}));
}

// Any character but a digit or Backspace brings the notice; the box still takes it, and the number
// read on confirm is the leading digits.
TEST_F(MacroDialogs, NonDigitShowsTheNoticeAndStillReachesTheBox) {
  MacroAction action = MacroAction::Delay(0);
  gm::win::CActionTimeModifyDlg dlg(ui_.context, nullptr, action);
  std::wstring notice, afterNotice;
  const INT_PTR result = RunScripted(dlg, {[](HWND h) {
                                             TypeOver(h, L"12");
                                             PostMessageW(Box(h), WM_CHAR, L'x', 1);  // the notice is modal
                                           },
                                           [&](HWND h) {
                                             notice = LabelOf(h, kNoticeMessage);
                                             ClickControl(h, kNoticeOk);
                                           },
                                           [&](HWND h) {
                                             afterNotice = BoxText(h);
                                             PostMessageW(Box(h), WM_CHAR, L'\b', 1);  // no notice
                                           },
                                           [](HWND h) { Press(h, VK_RETURN); }});
  EXPECT_EQ(notice, L"Digits only");
  EXPECT_EQ(afterNotice, L"12x");
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(action, MacroAction::Delay(12));
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
}

// The amount dialog limits, signs and places the amount; byte 1 is kept. Enter confirms.
TEST_F(MacroDialogs, AmountsAreLimitedAndSignedByDirection) {
  struct Case {
    int code;
    MacroAction start;
    const wchar_t* typed;
    const wchar_t* label;
    const wchar_t* startText;
    std::array<int, 4> bytes;
  };
  const Case cases[] = {
      {5, MacroAction::FromBytes(0xE5, 0x00, 0x00, 0xFB), L"200", L"Move left", L"5", {0xE5, 0x00, 0x00, 0x81}},
      {10, MacroAction::FromBytes(0xE7, 0x80, 0x00, 0xFF), L"9", L"Wheel down", L"1", {0xE7, 0x80, 0x00, 0xF9}},
      {5, MacroAction::FromBytes(0xE5, 0x00, 0x00, 0xFB), L"0", L"Move left", L"5", {0xE5, 0x00, 0x00, 0xFF}},
  };
  for (const Case& c : cases) {
    MacroAction action = c.start;
    gm::win::CActionXYModifyDlg dlg(ui_.context, nullptr, c.code, action);
    std::wstring label, start;
    const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                               label = LabelOf(h, CMacroFieldDlg::kTitle);
                                               start = BoxText(h);
                                               TypeOver(h, c.typed);
                                             },
                                             [](HWND h) { Press(h, VK_RETURN); }});
    EXPECT_EQ(result, IDOK) << c.code << " " << c.typed;
    EXPECT_EQ(label, c.label);
    EXPECT_EQ(start, c.startText);
    EXPECT_EQ(Bytes(action), c.bytes) << c.code << " " << c.typed;
  }
}

// Cancel and the close cross leave the action as it was, whatever was typed; Escape does nothing.
TEST_F(MacroDialogs, CancelAndCloseLeaveTheActionAlone) {
  const MacroAction before = MacroAction::FromBytes(0xE6, 0x00, 0x00, 0x05);
  for (UINT exit : {CMacroFieldDlg::kCancel, CMacroFieldDlg::kClose}) {
    MacroAction action = before;
    gm::win::CActionXYModifyDlg dlg(ui_.context, nullptr, 8, action);
    bool openAfterEscape = false;
    const INT_PTR result = RunScripted(dlg, {[](HWND h) {
                                               TypeOver(h, L"99");
                                               Press(h, VK_ESCAPE);
                                             },
                                             [&](HWND h) {
                                               openAfterEscape = IsWindowVisible(h) != FALSE;
                                               ClickControl(h, exit);
                                             }});
    EXPECT_TRUE(openAfterEscape) << exit;
    EXPECT_EQ(result, IDCANCEL) << exit;
    EXPECT_EQ(action, before) << exit;
  }
}

// The key dialog takes the next key pressed anywhere, as the hook reports it (Shift with its side),
// and stores it in byte 0 only on confirm.
TEST_F(MacroDialogs, KeyDialogTakesAKeyPressedForReal) {
  const std::wstring shiftName(gm::VirtualKeyName(VK_LSHIFT));
  ASSERT_FALSE(shiftName.empty());
  auto pressShift = [](HWND) {
    INPUT input[2] = {};
    for (INPUT& i : input) {
      i.type = INPUT_KEYBOARD;
      i.ki.wVk = VK_LSHIFT;
      i.ki.wScan = 0x2A;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
  };
  // The dialog loads the hook library from the program folder.
  ASSERT_TRUE(CopyFileW((gmtest::BinFolder() + L"KeyboardHook.dll").c_str(),
                        (skins_.Root() + L"KeyboardHook.dll").c_str(), FALSE));
  for (UINT exit : {CMacroFieldDlg::kOk, CMacroFieldDlg::kCancel}) {
    MacroAction action = MacroAction::FromBytes(0x41, 0x80, 0x00, 0x00);
    gm::win::CActionKeyModifyDlg dlg(ui_.context, nullptr, action);
    std::wstring startName, shownName, title;
    const INT_PTR result = RunScripted(
        dlg, {[&](HWND h) {
                startName = LabelOf(h, CMacroFieldDlg::kField);
                title = LabelOf(h, CMacroFieldDlg::kTitle);
                pressShift(h);
              },
              WhenReady([&](HWND h) { return LabelOf(h, CMacroFieldDlg::kField) == shiftName; },
                        [&](HWND h) {
                          shownName = LabelOf(h, CMacroFieldDlg::kField);
                          ClickControl(h, exit);
                        })});
    EXPECT_EQ(title, L"Key");
    EXPECT_EQ(startName, std::wstring(gm::VirtualKeyName(0x41)));
    EXPECT_EQ(shownName, shiftName) << exit;
    if (exit == CMacroFieldDlg::kOk) {
      EXPECT_EQ(result, IDOK);
      EXPECT_EQ(Bytes(action), (std::array<int, 4>{VK_LSHIFT, 0x80, 0x00, 0x00}));
    } else {
      EXPECT_EQ(result, IDCANCEL);
      EXPECT_EQ(action, MacroAction::FromBytes(0x41, 0x80, 0x00, 0x00));
    }
  }
}

// Reports of keys the system names with one of the codes a macro uses for mouse events never
// make the key action a mouse action: "<>|" (0xE2) becomes the key it is (0xF3), the others leave
// the key as it was.
TEST_F(MacroDialogs, KeyDialogKeepsKeysUnderTheMouseCodesAsKeys) {
  ASSERT_TRUE(CopyFileW((gmtest::BinFolder() + L"KeyboardHook.dll").c_str(),
                        (skins_.Root() + L"KeyboardHook.dll").c_str(), FALSE));
  MacroAction action = MacroAction::FromBytes(0x41, 0x80, 0x00, 0x00);
  gm::win::CActionKeyModifyDlg dlg(ui_.context, nullptr, action);
  std::wstring afterOthers;
  const INT_PTR result = RunScripted(
      dlg, {[](HWND h) {
              for (WPARAM code : {0xE0, 0xE1, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7}) {
                PostMessageW(h, gm::msg::kKeyReport, code, 0);
                PostMessageW(h, gm::msg::kKeyReport, code, static_cast<LPARAM>(0x80000000u));
              }
            },
            [&](HWND h) {
              afterOthers = LabelOf(h, CMacroFieldDlg::kField);
              PostMessageW(h, gm::msg::kKeyReport, 0xE2, 0);
            },
            WhenReady([](HWND h) { return LabelOf(h, CMacroFieldDlg::kField) != L"A"; },
                      [](HWND h) { ClickControl(h, CMacroFieldDlg::kOk); })});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(afterOthers, L"A");
  EXPECT_EQ(Bytes(action), (std::array<int, 4>{0xF3, 0x80, 0x00, 0x00}));
}

TEST_F(MacroDialogs, NewNameDialogsHandBackWhatWasTyped) {
  struct Case {
    int mode;
    const wchar_t* title;
  };
  for (const Case c : {Case{0, L"New macro"}, Case{1, L"New folder"}}) {
    std::wstring name = L"left over";
    gm::win::CMacroKeyOrFolderNameDlg dlg(ui_.context, nullptr, c.mode, name);
    std::wstring title, start;
    const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                               title = LabelOf(h, CMacroFieldDlg::kTitle);
                                               start = BoxText(h);
                                               TypeOver(h, L" Jump 2 ");
                                             },
                                             [](HWND h) { Press(h, VK_RETURN); }});
    EXPECT_EQ(title, c.title);
    EXPECT_EQ(start, L"");
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(name, L" Jump 2 ");
  }
  std::wstring name = L"untouched";
  gm::win::CMacroKeyOrFolderNameDlg dlg(ui_.context, nullptr, 0, name);
  EXPECT_EQ(RunScripted(dlg, {[](HWND h) {
                          TypeOver(h, L"typed");
                          ClickControl(h, CMacroFieldDlg::kCancel);
                        }}),
            IDCANCEL);
  EXPECT_EQ(name, L"untouched");
}

// A rename confirmed without a change counts as cancelled; a changed name is handed back.
TEST_F(MacroDialogs, RenameWithoutChangeCountsAsCancelled) {
  struct Case {
    std::wstring typed;
    INT_PTR result;
    std::wstring name;
  };
  for (const Case& c : {Case{L"Old", IDCANCEL, L"before"}, Case{L"New", IDOK, L"New"}}) {
    std::wstring name = L"before";
    gm::win::CMacroKeyRenameDlg dlg(ui_.context, nullptr, L"Old", name);
    std::wstring start;
    const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                               start = BoxText(h);
                                               TypeOver(h, c.typed);
                                             },
                                             [](HWND h) { ClickControl(h, CMacroFieldDlg::kOk); }});
    EXPECT_EQ(start, L"Old");
    EXPECT_EQ(result, c.result) << c.typed.c_str();
    EXPECT_EQ(name, c.name);
  }
}

// ---- the selection dialog ----

int g_macroSelectedMessages = 0;
size_t g_dialogsOpenAtMessage = 0;
const gm::DialogTable* g_dialogs = nullptr;
const gm::MacroItemLocation* g_selected = nullptr;  // the dialog's result location
gm::MacroItemLocation g_selectedAtMessage;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == gm::msg::kMacroSelected && wParam == 0 && lParam == 0) {
    ++g_macroSelectedMessages;
    g_dialogsOpenAtMessage = g_dialogs ? g_dialogs->Count() : 0;
    if (g_selected) g_selectedAtMessage = *g_selected;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A hidden owner that counts the selection messages it receives.
class OwnerWindow {
 public:
  OwnerWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GmMacroSelectOwner";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                            wc.hInstance, nullptr);
    g_macroSelectedMessages = 0;
  }
  ~OwnerWindow() { DestroyWindow(hwnd_); }
  HWND Hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

// Clicks tree row `row` (rows are 20 design units high from the tree's top) on its text, or on
// the folder icon at the row's start.
void ClickRow(HWND dialog, int row, bool onIcon = false) {
  constexpr int kTreeLeft = 24, kTreeTop = 40, kRowHeight = 20, kTextX = 200;
  const LPARAM at = MAKELPARAM(onIcon ? kTreeLeft + 6 : kTextX, kTreeTop + kRowHeight * row + kRowHeight / 2);
  SendMessageW(dialog, WM_MOUSEMOVE, 0, at);
  SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(dialog, WM_LBUTTONUP, 0, at);
}

// Library: row 0 folder "F" (closed, holding "inside"), row 1 macro "M".
class MacroSelect : public MacroDialogs {
 protected:
  void SetUp() override {
    MacroDialogs::SetUp();
    skins_.Solid(L"skins\\foldr_open.png", 16, 16, RGB(255, 255, 0));
    skins_.Solid(L"skins\\foldr_close.png", 16, 16, RGB(0, 255, 255));
    gm::MacroItemLocation at;
    ASSERT_EQ(library_.CreateFolder(L"F", at), gm::kMacroNameOk);
    ASSERT_EQ(library_.CreateMacro(L"inside", at), gm::kMacroNameOk);
    at = gm::MacroItemLocation::None();
    ASSERT_EQ(library_.CreateMacro(L"M", at), gm::kMacroNameOk);
    g_dialogs = &ui_.dialogs;
  }
  void TearDown() override {
    g_dialogs = nullptr;
    g_selected = nullptr;
  }
  gm::MacroLibrary library_;
  OwnerWindow owner_;
};

TEST_F(MacroSelect, FolderSelectedShowsTheNoticeAndStaysOpen) {
  gm::MacroItemLocation selected = gm::MacroItemLocation::None();
  gm::win::CMacroSelectDlg dlg(ui_.context, owner_.Hwnd(), library_, selected);
  std::vector<std::wstring> notices;
  bool openAfterNotices = false, openAfterEnter = false;
  auto readNotice = [&](HWND h) {
    notices.push_back(LabelOf(h, kNoticeMessage));
    ClickControl(h, kNoticeOk);
  };
  const INT_PTR result = RunScripted(
      dlg, {[](HWND h) { ClickControl(h, gm::win::CMacroSelectDlg::kOk); },  // nothing selected
            readNotice,
            [](HWND h) {
              ClickRow(h, 0);  // the folder
              ClickControl(h, gm::win::CMacroSelectDlg::kOk);
            },
            readNotice,
            [&](HWND h) {
              openAfterNotices = IsWindowVisible(h) && ui_.dialogs.Count() == 1;
              PostMessageW(h, WM_COMMAND, IDOK, 0);  // Enter
            },
            [&](HWND h) {
              openAfterEnter = IsWindowVisible(h) != FALSE;
              ClickControl(h, gm::win::CMacroSelectDlg::kClose);
            }});
  EXPECT_EQ(notices, (std::vector<std::wstring>{L"Select a macro", L"Select a macro"}));
  EXPECT_TRUE(openAfterNotices);
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(selected, gm::MacroItemLocation::None());
  EXPECT_EQ(g_macroSelectedMessages, 0);
}

TEST_F(MacroSelect, MacroSelectedIsHandedBackAndAnnouncedToTheOwner) {
  gm::MacroItemLocation selected = gm::MacroItemLocation::None();
  g_selected = &selected;
  gm::win::CMacroSelectDlg dlg(ui_.context, owner_.Hwnd(), library_, selected);
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             ClickRow(h, 1);  // "M"
                                             ClickControl(h, gm::win::CMacroSelectDlg::kOk);
                                           }});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(selected, gm::MacroItemLocation::Level0(1));
  // The owner hears of the choice once, while the dialog is still open, and can read it then.
  EXPECT_EQ(g_macroSelectedMessages, 1);
  EXPECT_EQ(g_dialogsOpenAtMessage, 1u);
  EXPECT_EQ(g_selectedAtMessage, gm::MacroItemLocation::Level0(1));
}

// The folder icon opens a folder in the dialog's view only: its macro can be chosen, and the
// library (shared with the manager) keeps the folder closed.
TEST_F(MacroSelect, FoldersOpenInTheViewWithoutChangingTheLibrary) {
  gm::MacroItemLocation selected = gm::MacroItemLocation::None();
  gm::win::CMacroSelectDlg dlg(ui_.context, owner_.Hwnd(), library_, selected);
  int rowsClosed = 0, rowsOpen = 0;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             rowsClosed = dlg.Tree()->RowCount();
                                             ClickRow(h, 0, true);  // opens "F"
                                             rowsOpen = dlg.Tree()->RowCount();
                                             ClickRow(h, 1);  // "inside"
                                             ClickControl(h, gm::win::CMacroSelectDlg::kOk);
                                           }});
  EXPECT_EQ(rowsClosed, 2);
  EXPECT_EQ(rowsOpen, 3);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(selected, gm::MacroItemLocation::Level1(0, 0));
  EXPECT_EQ(library_.ItemAt(gm::MacroItemLocation::Level0(0))->MacroItemFolderIsOpen, 0);
}

// The wheel scrolls the tree within its rows; the scroll bar follows.
TEST_F(MacroDialogs, SelectionTreeScrollsWithTheWheel) {
  gm::MacroLibrary library;
  for (int i = 0; i < 30; ++i) {
    gm::MacroItemLocation at;
    ASSERT_EQ(library.CreateMacro(L"m" + std::to_wstring(i), at), gm::kMacroNameOk);
  }
  gm::MacroItemLocation selected;
  gm::win::CMacroSelectDlg dlg(ui_.context, nullptr, library, selected);
  std::vector<int> firstRows, barPositions;
  auto wheel = [&](int notches) {
    return [&, notches](HWND h) {
      SendMessageW(h, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-notches * WHEEL_DELTA)), 0);
      firstRows.push_back(dlg.Tree()->FirstRow());
      barPositions.push_back(dlg.ScrollBar()->Position());
    };
  };
  int visible = 0;
  RunScripted(dlg, {[&](HWND h) {
                      visible = dlg.Tree()->VisibleRows();
                      wheel(1)(h);
                    },
                    wheel(100), wheel(-1), wheel(-100),
                    [](HWND h) { ClickControl(h, gm::win::CMacroSelectDlg::kClose); }});
  ASSERT_GT(visible, 0);
  ASSERT_LT(visible, 30);
  EXPECT_EQ(firstRows, (std::vector<int>{3, 30 - visible, 27 - visible, 0}));
  EXPECT_EQ(barPositions, firstRows);
}

// A macro already selected (in the manager) is the choice until a row is clicked.
TEST_F(MacroSelect, StartsOnTheCurrentSelection) {
  gm::MacroItemLocation selected = gm::MacroItemLocation::Level0(1);
  gm::win::CMacroSelectDlg dlg(ui_.context, owner_.Hwnd(), library_, selected);
  int row = -2;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             row = dlg.Tree() ? dlg.Tree()->SelectedRow() : -3;
                                             ClickControl(h, gm::win::CMacroSelectDlg::kOk);
                                           }});
  EXPECT_EQ(row, 1);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(selected, gm::MacroItemLocation::Level0(1));
}

}  // namespace
