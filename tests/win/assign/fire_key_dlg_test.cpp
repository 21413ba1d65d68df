// The rapid-fire dialog as a person uses it: typing into its boxes, clicking its buttons, and the
// regular check that cuts a box above 255. A notice opens modally inside the dialog, so the step
// after the one that caused it finds it as the newest dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "assign/dialog_owner_support.h"
#include "assign/fire_key_dlg.h"
#include "settings/language_indexes.h"
#include "ui/program_messages.h"
#include "ui/ui_test_support.h"

namespace {

using gm::win::CFireKeyDlg;

constexpr UINT kNoticeMessage = 2013;
constexpr UINT kNoticeOk = 2010;

std::wstring TextOf(HWND edit) {
  wchar_t text[64] = {};
  GetWindowTextW(edit, text, 64);
  return text;
}

class FireKeyDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_.texts[gm::kTextRapidFire] = L"Rapid fire";
    ui_.texts[gm::kTextRapidFireIntervalRange] = L"interval range";
    ui_.texts[gm::kTextRapidFireCountRange] = L"count range";
    ui_.texts[gm::kTextDigitsOnly] = L"digits only";
  }
  HWND Box(UINT id) const { return GetDlgItem(dlg_.Hwnd(), static_cast<int>(id)); }
  void SetBox(UINT id, const std::wstring& text) const { SetWindowTextW(Box(id), text.c_str()); }
  // A step on the notice in front of the dialog: its message, then its OK button.
  std::function<void(HWND)> ReadNotice(std::wstring& into) const {
    return [this, &into](HWND notice) {
      into = notice == dlg_.Hwnd() ? L"<no notice>" : uitest::LabelOf(notice, kNoticeMessage);
      if (notice != dlg_.Hwnd()) uitest::ClickControl(notice, kNoticeOk);
    };
  }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  assigntest::DialogOwner owner_;
  CFireKeyDlg dlg_{ui_.context, owner_.Hwnd()};
};

// A box above 255 is cut to "255" by the regular check (every 100 ms, so before the next step
// 150 ms later), each box with its own notice.
TEST_F(FireKeyDlgTest, BoxesAboveTheMaximumAreCutWithTheirNotice) {
  std::wstring start[2], cut[2], notices[2];
  uitest::RunScripted(dlg_, {[&](HWND) {
                               start[0] = TextOf(Box(CFireKeyDlg::kIntervalBox));
                               start[1] = TextOf(Box(CFireKeyDlg::kCountBox));
                               SetBox(CFireKeyDlg::kIntervalBox, L"300");
                             },
                             [&](HWND n) {
                               cut[0] = TextOf(Box(CFireKeyDlg::kIntervalBox));
                               ReadNotice(notices[0])(n);
                             },
                             [&](HWND) { SetBox(CFireKeyDlg::kCountBox, L"99999999999"); },
                             [&](HWND n) {
                               cut[1] = TextOf(Box(CFireKeyDlg::kCountBox));
                               ReadNotice(notices[1])(n);
                             },
                             [](HWND h) { uitest::ClickControl(h, CFireKeyDlg::kClose); }});
  EXPECT_EQ(start[0], L"50");
  EXPECT_EQ(start[1], L"0");
  EXPECT_EQ(cut[0], L"255");
  EXPECT_EQ(cut[1], L"255");
  EXPECT_EQ(notices[0], L"interval range");
  EXPECT_EQ(notices[1], L"count range");
  EXPECT_TRUE(owner_.reports.empty());
}

// An interval of 4 is refused and the dialog stays; 5 and 0 are sent as 30 05 00.
TEST_F(FireKeyDlgTest, IntervalOfFourIsRefusedAndFiveIsSent) {
  std::wstring refusal;
  bool stillOpen = false;
  const INT_PTR result = uitest::RunScripted(dlg_, {[&](HWND h) {
                                                      SetBox(CFireKeyDlg::kIntervalBox, L"4");
                                                      uitest::ClickControl(h, CFireKeyDlg::kOk);
                                                    },
                                                    ReadNotice(refusal),
                                                    [&](HWND h) {
                                                      stillOpen = h == dlg_.Hwnd() && owner_.reports.empty();
                                                      SetBox(CFireKeyDlg::kIntervalBox, L"5");
                                                      SetBox(CFireKeyDlg::kCountBox, L"0");
                                                      uitest::ClickControl(h, CFireKeyDlg::kOk);
                                                    }});
  EXPECT_EQ(refusal, L"interval range");
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(owner_.reports.size(), 1u);
  EXPECT_EQ(owner_.reports[0].message, gm::msg::kFireKeyChosen);
  EXPECT_EQ(owner_.reports[0].record, (gm::SelectionRecord{L"Rapid fire", {0x30, 0x05, 0x00}}));
}

// A letter draws the digits-only notice and still reaches the box; Enter and Escape do not close.
// The notice runs inside the box's own handling of the letter, so these steps wait for conditions
// (assigntest::ConditionScript) rather than for ticks.
TEST_F(FireKeyDlgTest, TypedLetterIsNoticedAndKeptEnterAndEscapeDoNothing) {
  std::wstring notice, afterTyping;
  bool openAfterKeys = false;
  auto newest = [&] { return uitest::NewestDialog(ui_.dialogs); };
  auto type = [&](const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(Box(CFireKeyDlg::kIntervalBox), WM_CHAR, c, 1);
  };
  assigntest::ConditionScript script(
      {{"dialog open", [&] { return newest() == dlg_.Hwnd() && dlg_.Hwnd(); },
        [&] {
          SetBox(CFireKeyDlg::kIntervalBox, L"");
          type(L"7x");
        }},
       {"notice open", [&] { return newest() && newest() != dlg_.Hwnd(); }, [&] { ReadNotice(notice)(newest()); }},
       {"letter in the box", [&] { return newest() == dlg_.Hwnd() && TextOf(Box(CFireKeyDlg::kIntervalBox)) == L"7x"; },
        [&] {
          afterTyping = TextOf(Box(CFireKeyDlg::kIntervalBox));
          for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            PostMessageW(Box(CFireKeyDlg::kIntervalBox), WM_KEYDOWN, key, 1);
            PostMessageW(Box(CFireKeyDlg::kIntervalBox), WM_KEYUP, key, 1);
          }
          type(L"1");  // handled after the keys: tells when they have been
        }},
       {"keys handled", [&] { return TextOf(Box(CFireKeyDlg::kIntervalBox)) == L"7x1"; },
        [&] {
          openAfterKeys = newest() == dlg_.Hwnd() && IsWindowVisible(dlg_.Hwnd());
          uitest::ClickControl(dlg_.Hwnd(), CFireKeyDlg::kOk);  // "7x1" reads as 7
        }}},
      std::chrono::seconds(20));
  const INT_PTR result = dlg_.DoModal();
  EXPECT_EQ(script.failed, "");
  EXPECT_EQ(notice, L"digits only");
  EXPECT_EQ(afterTyping, L"7x");
  EXPECT_TRUE(openAfterKeys);
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(owner_.reports.size(), 1u);
  EXPECT_EQ(owner_.reports[0].record.value, (gm::ThreeBytes{0x30, 0x07, 0x00}));
}

TEST_F(FireKeyDlgTest, CancelAndCloseSendNothing) {
  for (UINT exit : {CFireKeyDlg::kCancel, CFireKeyDlg::kClose}) {
    CFireKeyDlg dlg(ui_.context, owner_.Hwnd());
    bool registered = false;
    const INT_PTR result = uitest::RunScripted(dlg, {[&](HWND h) {
      registered = ui_.dialogs.Count() == 1;
      SetWindowTextW(GetDlgItem(h, CFireKeyDlg::kIntervalBox), L"20");
      uitest::ClickControl(h, exit);
    }});
    EXPECT_TRUE(registered);
    EXPECT_EQ(result, IDCANCEL) << exit;
    EXPECT_TRUE(owner_.reports.empty()) << exit;
    EXPECT_EQ(ui_.dialogs.Count(), 0u);
  }
}

}  // namespace
