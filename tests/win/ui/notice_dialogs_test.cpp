// The notice, confirmation and progress dialogs run as their users run them: modally (driven by a
// timer of the test while the dialog's loop runs) or modeless.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "settings/language_indexes.h"
#include "ui/dialog_table.h"
#include "dialogs/attention_dlg.h"
#include "dialogs/firmware_reset_dlg.h"
#include "dialogs/progress_bar_dlg.h"
#include "ui/static_controls.h"
#include "ui_test_support.h"
#include "win_test_support.h"

namespace {

using uitest::NewestDialog;
using uitest::RunScripted;

void ClickAt(HWND h, int x, int y) {
  SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void Key(HWND h, WPARAM vk) { PostMessageW(h, WM_KEYDOWN, vk, 0); }

// The open dialogs a timer callback of a test looks at.
const gm::DialogTable* gCloserDialogs = nullptr;

class NoticeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_.texts[gm::kTextOk] = L"OK";
    ui_.texts[gm::kTextCancel] = L"Cancel";
    ui_.texts[gm::kTextFactoryResetQuestion] = L"Reset the mouse?";
  }
  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  const gm::ui::UiContext& context_ = ui_.context;
};

}  // namespace

TEST_F(NoticeTest, NoticeShowsOnlyItsMessageAndEndsWithOk) {
  gm::win::CAttentionDlg notice(context_, L"Heading", L"The mouse is not connected.", nullptr);
  std::wstring heading = L"unset", message;
  const INT_PTR result = RunScripted(notice, {[&](HWND h) {
                                                heading = static_cast<gm::win::CStaticText*>(notice.GetControl(2012))->Label();
                                                message = static_cast<gm::win::CStaticText*>(notice.GetControl(2013))->Label();
                                              },
                                              [](HWND h) { ClickAt(h, 270, 80); }});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(heading, L"");
  EXPECT_EQ(message, L"The mouse is not connected.");
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
}

TEST_F(NoticeTest, ModelessNoticeIsTopmostAndGoesWhenClosed) {
  HWND h = gm::win::CAttentionDlg::ShowModeless(context_, L"", L"Connection lost", nullptr);
  ASSERT_NE(h, nullptr);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(ui_.dialogs.At(0), h);
  RECT client{};
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 319);
  EXPECT_EQ(client.bottom, 102);
  ClickAt(h, 307, 10);  // the close button
  gmtest::PumpUntil([&] { return !IsWindow(h); }, std::chrono::seconds(2));
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
}

TEST_F(NoticeTest, ResetConfirmationIgnoresEscapeAndConfirmsWithEnter) {
  gm::win::CFirmwareResetDlg confirm(context_);
  bool openAfterEscape = false;
  const INT_PTR result = RunScripted(confirm, {[](HWND h) { Key(h, VK_ESCAPE); },
                                               [&](HWND h) {
                                                 openAfterEscape = IsWindowVisible(h) != FALSE;
                                                 Key(h, VK_RETURN);
                                               }});
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(result, IDOK);
}

TEST_F(NoticeTest, ResetConfirmationCancelButtons) {
  for (POINT p : {POINT{380, 120}, POINT{412, 10}}) {  // cancel, close
    gm::win::CFirmwareResetDlg confirm(context_);
    EXPECT_EQ(RunScripted(confirm, {[p](HWND h) { ClickAt(h, p.x, p.y); }}), IDCANCEL) << p.x;
  }
  gm::win::CFirmwareResetDlg confirm(context_);
  EXPECT_EQ(RunScripted(confirm, {[](HWND h) { ClickAt(h, 290, 120); }}), IDOK);
}

TEST_F(NoticeTest, ProgressDialogEndsByItselfAfterAboutHalfASecond) {
  gm::win::CProgressBarDlg progress(context_, L"Saving", L"", nullptr);
  const auto start = std::chrono::steady_clock::now();
  const INT_PTR result = progress.DoModal();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(progress.Progress(), 100);
  // 50 steps of 10 ms at the least; generous above for a loaded machine.
  EXPECT_GE(elapsed, std::chrono::milliseconds(450));
  EXPECT_LT(elapsed, std::chrono::seconds(10));
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
}

namespace {

// The window a passing notice stands over: it counts the left-button presses it gets, and those
// it got while the notice was on screen.
struct PressCounter {
  static inline int presses = 0;
  static inline int pressesUnderNotice = 0;
  static inline HWND notice = nullptr;
  static LRESULT CALLBACK Proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
      ++presses;
      if (notice && IsWindowVisible(notice)) ++pressesUnderNotice;
    }
    return DefWindowProcW(h, message, wParam, lParam);
  }
};

}  // namespace

// Shown after an upload, the notice leaves its owner enabled and active, and a click of the real
// pointer on the notice reaches the owner. It still ends by itself once its bar is full, and a
// later upload starts the bar again.
TEST_F(NoticeTest, PassiveProgressKeepsItsOwnerActiveAndLetsItsClicksThrough) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = &PressCounter::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  wc.lpszClassName = L"GmNoticeOwner";
  RegisterClassExW(&wc);
  HWND owner = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 300, 200, 800, 500, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  SetForegroundWindow(owner);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return GetForegroundWindow() == owner; }, std::chrono::seconds(5)));
  PressCounter::presses = PressCounter::pressesUnderNotice = 0;

  gm::win::CProgressBarDlg progress(context_, L"Saving", L"", owner);
  HWND h = progress.ShowPassive();
  ASSERT_NE(h, nullptr);
  PressCounter::notice = h;
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(GetForegroundWindow(), owner);
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(ui_.dialogs.At(0), h);
  RECT client{};
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, 429);
  EXPECT_EQ(client.bottom, 140);
  // Its timers run only with this thread's messages: nothing has moved the bar yet.
  EXPECT_TRUE(progress.Running());
  progress.Restart(L"Saving");
  EXPECT_EQ(progress.Progress(), 0);

  // The click is queued before any tick of the bar can run (input comes before timers), so it
  // arrives while the notice shows.
  RECT r{};
  GetWindowRect(h, &r);
  gmtest::RealClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  EXPECT_TRUE(gmtest::PumpUntil([] { return PressCounter::presses == 1; }, std::chrono::seconds(5)))
      << "the click on the notice did not reach the window below";
  EXPECT_EQ(PressCounter::pressesUnderNotice, 1);
  EXPECT_EQ(GetForegroundWindow(), owner);

  EXPECT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(h); }, std::chrono::seconds(10)));
  EXPECT_EQ(progress.Progress(), 100);
  EXPECT_FALSE(progress.Running());
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
  PressCounter::notice = nullptr;
  DestroyWindow(owner);
}

TEST_F(NoticeTest, ClosingMessagesEndEvenTheDialogsThatIgnoreEscape) {
  // What the main window sends every open dialog at shutdown.
  auto closeAll = [this](HWND) {
    const auto open = ui_.dialogs.Entries();
    for (void* w : open)
      if (w) SendMessageW(static_cast<HWND>(w), WM_CLOSE, 0, 0);
  };
  gm::win::CFirmwareResetDlg confirm(context_);
  EXPECT_EQ(RunScripted(confirm, {closeAll}), IDCANCEL);
  gm::win::CProgressBarDlg progress(context_, L"Saving", L"", nullptr);
  const auto start = std::chrono::steady_clock::now();
  // Closed from inside its own run, before the bar is full.
  struct Closer {
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      if (HWND h = NewestDialog(*gCloserDialogs)) SendMessageW(h, WM_CLOSE, 0, 0);
    }
  };
  gCloserDialogs = &ui_.dialogs;
  SetTimer(nullptr, 0, 50, &Closer::Tick);
  EXPECT_EQ(progress.DoModal(), IDCANCEL);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}
