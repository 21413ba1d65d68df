// The profile name dialogs as a person uses them: typing into the edit box, clicking the buttons
// where they are drawn (design coordinates × the display scale), Enter and Escape.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/profile_name_dlg.h"
#include "settings/language_indexes.h"
#include "ui/edit_box.h"
#include "ui/static_controls.h"
#include "ui/ui_test_support.h"

namespace {

using gm::win::CProfileNameDlg;
using uitest::RunScripted;

// Design-unit centres of the buttons.
constexpr POINT kOkCentre{295, 120};
constexpr POINT kCancelCentre{385, 120};
constexpr POINT kCloseCentre{412, 11};
constexpr POINT kNoticeOkCentre{274, 80};

HWND NameBox(HWND dialog) { return GetDlgItem(dialog, CProfileNameDlg::kName); }

void Type(HWND dialog, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(NameBox(dialog), WM_CHAR, c, 1);
}

void PressKey(HWND dialog, WPARAM vk) { PostMessageW(NameBox(dialog), WM_KEYDOWN, vk, 1); }

class ProfileNameDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_.texts[gm::kTextOk] = L"OK";
    ui_.texts[gm::kTextCancel] = L"Cancel";
    ui_.texts[gm::kTextAddProfileTitle] = L"Add profile";
    ui_.texts[gm::kTextRenameProfileTitle] = L"Rename profile";
    ui_.texts[gm::kTextEmptyProfileName] = L"Please enter a name.";
  }
  // Clicks at a design point of the dialog at the context's scale.
  void ClickDesign(HWND dialog, POINT design) const {
    const LPARAM at = MAKELPARAM(ui_.context.Px(design.x), ui_.context.Px(design.y));
    SendMessageW(dialog, WM_MOUSEMOVE, 0, at);
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(dialog, WM_LBUTTONUP, 0, at);
  }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  std::wstring name_ = L"Old name";
};

TEST_F(ProfileNameDlgTest, AddDialogTakesTheTypedNameOnOkAtTheScaledButton) {
  ui_.context.displayScale = 1.5;
  ui_.context.textScale = 1.25;
  gm::win::CAddProfileDlg dlg(ui_.context, nullptr, name_);
  RECT client{}, box{};
  std::wstring title, startText = L"unset", face;
  LONG fontHeight = 0;
  LONG_PTR boxStyle = 0;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             GetClientRect(h, &client);
                                             GetWindowRect(NameBox(h), &box);
                                             MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&box), 2);
                                             boxStyle = GetWindowLongPtrW(NameBox(h), GWL_STYLE);
                                             LOGFONTW font{};
                                             GetObjectW(reinterpret_cast<HFONT>(SendMessageW(NameBox(h), WM_GETFONT, 0, 0)),
                                                        sizeof(font), &font);
                                             face = font.lfFaceName;
                                             fontHeight = font.lfHeight;
                                             title = uitest::LabelOf(h, CProfileNameDlg::kTitle);
                                             startText = dlg.NameBox()->CurrentText();
                                             Type(h, L" Gämer 1 ");
                                           },
                                           [&](HWND h) { ClickDesign(h, kOkCentre); }});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(client.right, 643);   // 429 × 1.5
  EXPECT_EQ(client.bottom, 210);  // 140 × 1.5
  EXPECT_EQ(box.left, 60);
  EXPECT_EQ(box.top, 84);
  EXPECT_EQ(box.right, 583);
  EXPECT_EQ(box.bottom, 126);
  EXPECT_TRUE(boxStyle & ES_CENTER);
  EXPECT_EQ(face, L"Tahoma");
  // 10 points × 1.5 ÷ 1.25 = 12 points at 96 pixels per inch.
  EXPECT_EQ(fontHeight, -16);
  EXPECT_EQ(title, L"Add profile");
  EXPECT_EQ(startText, L"");
  EXPECT_EQ(name_, L" Gämer 1 ");  // as typed: nothing trimmed
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
}

TEST_F(ProfileNameDlgTest, EditDialogStartsWithTheNameAndTheCaretAtItsEnd) {
  gm::win::CEditProfileDlg dlg(ui_.context, nullptr, name_);
  DWORD start = 0, end = 0;
  bool focused = false;
  std::wstring title;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             SendMessageW(NameBox(h), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                                          reinterpret_cast<LPARAM>(&end));
                                             focused = GetFocus() == NameBox(h);
                                             title = uitest::LabelOf(h, CProfileNameDlg::kTitle);
                                             Type(h, L"X");
                                           },
                                           [](HWND h) { PressKey(h, VK_RETURN); }});
  EXPECT_EQ(title, L"Rename profile");
  EXPECT_TRUE(focused);
  EXPECT_EQ(start, 8u);  // after "Old name"
  EXPECT_EQ(end, 8u);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(name_, L"Old nameX");
}

TEST_F(ProfileNameDlgTest, EmptyNameShowsTheNoticeAndKeepsTheDialogOpen) {
  gm::win::CAddProfileDlg dlg(ui_.context, nullptr, name_);
  std::vector<std::wstring> notices;
  auto readNotice = [&](HWND h) {
    notices.push_back(uitest::LabelOf(h, 2013));  // the notice's message
    ClickDesign(h, kNoticeOkCentre);
  };
  bool openBetween = false;
  const INT_PTR result = RunScripted(dlg, {[](HWND h) { PressKey(h, VK_RETURN); },  // Enter, empty box
                                           readNotice,
                                           [&](HWND h) { ClickDesign(h, kOkCentre); },  // OK, empty box
                                           readNotice,
                                           [&](HWND h) {
                                             openBetween = IsWindowVisible(h) && ui_.dialogs.Count() == 1;
                                             Type(h, L"A");
                                             ClickDesign(h, kOkCentre);
                                           }});
  EXPECT_EQ(notices, (std::vector<std::wstring>{L"Please enter a name.", L"Please enter a name."}));
  EXPECT_TRUE(openBetween);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(name_, L"A");
}

TEST_F(ProfileNameDlgTest, CancelCloseAndEscapeLeaveTheNameUntouched) {

  for (POINT exit : {kCancelCentre, kCloseCentre}) {
    gm::win::CEditProfileDlg dlg(ui_.context, nullptr, name_);
    bool openAfterEscape = false;
    const INT_PTR result = RunScripted(dlg, {[](HWND h) {
                                               Type(h, L"changed");
                                               PressKey(h, VK_ESCAPE);
                                             },
                                             [&](HWND h) {
                                               openAfterEscape = IsWindowVisible(h) != FALSE;
                                               ClickDesign(h, exit);
                                             }});
    EXPECT_TRUE(openAfterEscape) << exit.x;
    EXPECT_EQ(result, IDCANCEL) << exit.x;
    EXPECT_EQ(name_, L"Old name") << exit.x;
  }
}

}  // namespace
