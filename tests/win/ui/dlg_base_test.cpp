// The skinned dialog base with real windows: layers, hit testing, mouse routing, window dragging,
// repaint areas, off-screen painting, popups and the open-dialog table.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "ui/control_table.h"
#include "ui/buttons.h"
#include "ui/colour_buttons.h"
#include "ui/selector_buttons.h"
#include "ui/dialog_table.h"
#include "ui/dlg_base.h"
#include "ui/popup_notices.h"
#include "ui/static_controls.h"
#include "ui/wnd_popup.h"
#include "ui_test_support.h"
#include "win_test_support.h"
#include "ui/program_messages.h"
#include "app/res/skin_resource_ids.h"

using uitest::Notice;

namespace {

constexpr COLORREF kLower = RGB(200, 0, 0);
constexpr COLORREF kUpper = RGB(0, 0, 200);

// A dialog that records the events its controls queue, the program messages it gets and the
// window-drag requests.
class TestDlg : public gm::win::CDlgBase {
 public:
  explicit TestDlg(const gm::ui::UiContext& context) : CDlgBase(context) { SetWindowSize(300, 200); }
  std::vector<Notice> notices;
  int dragRequests = 0;
  int hovers = 0;
  std::function<void(TestDlg&, const RECT&)> create;

 protected:
  void CreateControls(const RECT& client) override {
    if (create) create(*this, client);
  }
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_MOUSEHOVER) ++hovers;  // counted, then handled by the base
    if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) {
      ++dragRequests;  // recorded instead of entering the system's move loop
      return true;
    }
    if (message >= WM_USER && message < WM_APP) {
      notices.push_back({message, wParam, lParam});
      result = 1;
      return true;
    }
    return false;
  }
  void OnControlEvent(const gm::win::ControlEventRecord& e) override { notices.push_back({e.id, e.param, e.event}); }
};

template <typename T>
T* Add(TestDlg& d, int layer, UINT id, RECT r) {
  return d.AddControl(layer, std::make_unique<T>(d, id, r));
}

void Pump() {
  gmtest::PumpUntil([] { return false; }, std::chrono::milliseconds(30));
}

void Send(HWND hwnd, UINT message, int x, int y, WPARAM flags = 0) {
  SendMessageW(hwnd, message, flags, MAKELPARAM(x, y));
}

void Click(HWND hwnd, int x, int y) {
  Send(hwnd, WM_MOUSEMOVE, x, y);
  Send(hwnd, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  Send(hwnd, WM_LBUTTONUP, x, y);
}

class DlgBaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skins_.Solid(L"skins\\lower.png", 10, 10, kLower);
    skins_.Solid(L"skins\\upper.png", 10, 10, kUpper);
  }
  HWND Open() {
    HWND h = dlg_.CreateModelessDialog();
    EXPECT_NE(h, nullptr);
    return h;
  }
  // Runs the window's messages until `count` events or messages were recorded.
  bool WaitForNotices(size_t count) {
    return gmtest::PumpUntil([&] { return dlg_.notices.size() >= count; }, std::chrono::seconds(2));
  }
  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  TestDlg dlg_{ui_.context};
};

}  // namespace

TEST_F(DlgBaseTest, LaterLayerAndLaterControlReceiveThePointer) {
  gm::win::CImageButton *a = nullptr, *b = nullptr, *c = nullptr;
  dlg_.create = [&](TestDlg& d, const RECT&) {
    b = Add<gm::win::CImageButton>(d, 2, 2102, {10, 10, 60, 60});
    a = Add<gm::win::CImageButton>(d, 1, 2101, {10, 10, 60, 60});  // added later, lower layer
    c = Add<gm::win::CImageButton>(d, 1, 2103, {100, 10, 150, 60});
    Add<gm::win::CImageButton>(d, 1, 2104, {100, 10, 150, 60});  // same layer, later
  };
  HWND h = Open();
  Send(h, WM_MOUSEMOVE, 30, 30);
  EXPECT_EQ(dlg_.HotControl(), b);
  Send(h, WM_MOUSEMOVE, 120, 30);
  EXPECT_EQ(dlg_.HotControl()->Id(), 2104u);
  EXPECT_NE(dlg_.HotControl(), c);
  Click(h, 30, 30);
  // The events arrive once the mouse messages have been handled, not from inside them.
  EXPECT_TRUE(dlg_.notices.empty());
  ASSERT_TRUE(WaitForNotices(2));
  EXPECT_EQ(dlg_.notices, (std::vector<Notice>{{2102, 0, 1}, {2102, 2102, 2}}));
  EXPECT_EQ(dlg_.GetControl(2101), a);
  EXPECT_EQ(dlg_.GetControl(9999), nullptr);
}

TEST_F(DlgBaseTest, HiddenControlsAreNotHitAndStaticOnesOnlyPainted) {
  gm::win::CImageButton* hidden = nullptr;
  dlg_.create = [&](TestDlg& d, const RECT&) {
    auto* picture = Add<gm::win::CStaticImage>(d, 0, 3400, {10, 10, 60, 60});
    picture->SetNormalImage(L"skins\\lower.png");
    hidden = Add<gm::win::CImageButton>(d, 1, 2105, {10, 10, 60, 60});
    hidden->SetNormalImage(L"skins\\upper.png");
    hidden->SetVisible(false);
  };
  HWND h = Open();
  Click(h, 30, 30);
  Pump();
  EXPECT_EQ(dlg_.HotControl(), nullptr);
  EXPECT_TRUE(dlg_.notices.empty());
  EXPECT_EQ(dlg_.dragRequests, 1);  // nothing there to take the press: the window is dragged
  uitest::Surface s(300, 200);
  dlg_.Render(s.Dc());
  EXPECT_EQ(s.Pixel(30, 30), kLower);  // the picture is painted, the hidden button is not
  hidden->SetVisible(true);
  uitest::Surface t(300, 200);
  dlg_.Render(t.Dc());
  EXPECT_EQ(t.Pixel(30, 30), kUpper);  // later layer paints over the earlier one
}

TEST_F(DlgBaseTest, PressOnAFreeAreaDragsTheWindowButNotOnAControl) {
  dlg_.create = [&](TestDlg& d, const RECT&) { Add<gm::win::CImageButton>(d, 1, 2106, {10, 10, 60, 60}); };
  HWND h = Open();
  Send(h, WM_MOUSEMOVE, 30, 30);
  Send(h, WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
  Send(h, WM_LBUTTONUP, 30, 30);
  Pump();
  EXPECT_EQ(dlg_.dragRequests, 0);
  Send(h, WM_MOUSEMOVE, 200, 150);
  Send(h, WM_LBUTTONDOWN, 200, 150, MK_LBUTTON);
  Pump();
  EXPECT_EQ(dlg_.dragRequests, 1);
}

TEST_F(DlgBaseTest, FlaggedControlsRepaintTheWholeWindowOthersOnlyThemselves) {
  dlg_.create = [&](TestDlg& d, const RECT&) {
    Add<gm::win::CCheckButton>(d, 1, 3001, {10, 10, 40, 40})->SetBehaviour(gm::ui::kRepaintsWindowOnClick);
    Add<gm::win::CImageButton>(d, 1, 2010, {100, 10, 130, 40});
  };
  HWND h = Open();
  const struct {
    int x;
    RECT expected;
  } cases[] = {{20, {0, 0, 300, 200}}, {110, {100, 10, 130, 40}}};
  for (const auto& c : cases) {
    Send(h, WM_MOUSEMOVE, c.x, 20);
    Send(h, WM_LBUTTONDOWN, c.x, 20, MK_LBUTTON);
    ValidateRect(h, nullptr);
    Send(h, WM_LBUTTONUP, c.x, 20);
    RECT update{};
    GetUpdateRect(h, &update, FALSE);
    EXPECT_TRUE(EqualRect(&update, &c.expected)) << c.x << ": " << update.left << "," << update.top << ","
                                                 << update.right << "," << update.bottom;
  }
}

TEST_F(DlgBaseTest, ReleaseOutsideTheHotControlForgetsIt) {
  gm::win::CCheckButton* box = nullptr;
  dlg_.create = [&](TestDlg& d, const RECT&) { box = Add<gm::win::CCheckButton>(d, 1, 3540, {10, 10, 40, 40}); };
  HWND h = Open();
  Send(h, WM_MOUSEMOVE, 20, 20);
  Send(h, WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Send(h, WM_MOUSEMOVE, 200, 150, MK_LBUTTON);
  EXPECT_EQ(dlg_.HotControl(), box);  // held: the hot control stays
  Send(h, WM_LBUTTONUP, 200, 150);
  EXPECT_EQ(dlg_.HotControl(), nullptr);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(box->State(), 0);
  Pump();
  EXPECT_EQ(dlg_.notices, (std::vector<Notice>{{3540, 0, 1}}));
}

TEST_F(DlgBaseTest, MouseLeaveClearsTheHoverLook) {
  gm::win::CImageButton* button = nullptr;
  dlg_.create = [&](TestDlg& d, const RECT&) { button = Add<gm::win::CImageButton>(d, 1, 2001, {10, 10, 40, 40}); };
  HWND h = Open();
  Send(h, WM_MOUSEMOVE, 20, 20);
  EXPECT_EQ(button->State(), 1);
  SendMessageW(h, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(button->State(), 0);
  EXPECT_EQ(dlg_.HotControl(), nullptr);
}

// With the real pointer: it rests on a control until the hover has been reported (after which only
// the leave is watched), then leaves the window; the system's leave notice still arrives and
// clears the hover look.
TEST_F(DlgBaseTest, ThePointerLeavingAfterTheHoverClearsTheHoverLook) {
  gm::win::CImageButton* button = nullptr;
  dlg_.create = [&](TestDlg& d, const RECT&) { button = Add<gm::win::CImageButton>(d, 1, 2001, {10, 10, 40, 40}); };
  HWND h = Open();
  SetWindowPos(h, HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  POINT inside{20, 20};
  ClientToScreen(h, &inside);
  SetCursorPos(inside.x, inside.y);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return dlg_.hovers > 0; }, std::chrono::seconds(5))) << "no hover";
  EXPECT_EQ(button->State(), 1);
  RECT frame{};
  GetWindowRect(h, &frame);
  SetCursorPos(frame.right + 50, frame.bottom + 50);
  EXPECT_TRUE(gmtest::PumpUntil([&] { return button->State() == 0; }, std::chrono::seconds(5))) << "no leave";
  EXPECT_EQ(dlg_.HotControl(), nullptr);
}

TEST_F(DlgBaseTest, PaintingGoesThroughTheOffscreenBitmap) {
  dlg_.create = [&](TestDlg& d, const RECT&) {
    Add<gm::win::CStaticImage>(d, 0, 3400, {0, 0, 300, 200})->SetNormalImage(L"skins\\upper.png");
  };
  HWND h = Open();
  ShowWindow(h, SW_SHOW);
  InvalidateRect(h, nullptr, TRUE);
  UpdateWindow(h);
  HDC screen = GetDC(h);
  const COLORREF painted = GetPixel(screen, 150, 100);
  ReleaseDC(h, screen);
  EXPECT_EQ(painted, kUpper);
}

TEST_F(DlgBaseTest, DialogsEnterAndLeaveTheOpenDialogTable) {
  gm::DialogTable& table = ui_.dialogs;
  table.Add(reinterpret_cast<void*>(0x10));
  HWND h = Open();
  EXPECT_EQ(table.At(1), h);
  TestDlg second(ui_.context);
  HWND h2 = second.CreateModelessDialog();
  EXPECT_EQ(table.At(2), h2);
  DestroyWindow(h);
  EXPECT_EQ(table.At(1), h2);  // later entries move down
  EXPECT_EQ(table.At(2), nullptr);
  DestroyWindow(h2);
  // A full table leaves a new dialog unregistered, and its closing removes nothing.
  for (uintptr_t i = 2; i <= 10; ++i) table.Add(reinterpret_cast<void*>(0x10 * i));
  TestDlg third(ui_.context);
  HWND h3 = third.CreateModelessDialog();
  ASSERT_NE(h3, nullptr);
  EXPECT_EQ(table.Count(), 10u);
  DestroyWindow(h3);
  EXPECT_EQ(table.Count(), 10u);
  EXPECT_EQ(table.At(9), reinterpret_cast<void*>(0xA0));
}

namespace {

class ListPopup : public gm::win::CWndPopup {
 public:
  using CWndPopup::CWndPopup;
  int created = 0;
  int presses = 0;

 protected:
  void CreateItems() override { ++created; }
  void DrawItems(HDC dc, const RECT& r) override { gm::win::FillSolid(dc, {2, 2, 20, 20}, RGB(0, 255, 0)); }
  bool OnPress(int, int) override {
    ++presses;
    return true;
  }
};

}  // namespace

// A popup never takes the activation: its owner stays the active window while it opens and while
// it is clicked.
TEST_F(DlgBaseTest, PopupOpensAndIsClickedWithoutTakingTheActivation) {
  HWND h = Open();
  ShowWindow(h, SW_SHOW);
  SetActiveWindow(h);
  ASSERT_EQ(GetActiveWindow(), h);
  auto popup = std::make_unique<ListPopup>(ui_.context, 2);
  ListPopup* raw = popup.get();
  ASSERT_TRUE(dlg_.OpenPopup(3, std::move(popup), {100, 100, 200, 160}, gm::msg::kDpiFunctionChosen, 2013));
  HWND p = raw->Hwnd();
  ASSERT_TRUE(IsWindow(p));
  EXPECT_TRUE(IsWindowVisible(p));
  EXPECT_EQ(raw->created, 1);
  const LONG_PTR style = GetWindowLongPtrW(p, GWL_EXSTYLE);
  for (LONG_PTR bit : {LONG_PTR{WS_EX_TOPMOST}, LONG_PTR{WS_EX_TOOLWINDOW}, LONG_PTR{WS_EX_LAYERED}, LONG_PTR{WS_EX_NOACTIVATE}})
    EXPECT_TRUE(style & bit) << bit;
  EXPECT_EQ(GetWindow(p, GW_OWNER), h);
  EXPECT_EQ(GetActiveWindow(), h);
  EXPECT_EQ(SendMessageW(p, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(p), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  SendMessageW(p, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(p, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(raw->presses, 1);
  EXPECT_EQ(GetActiveWindow(), h);
  Pump();
  EXPECT_TRUE(dlg_.notices.empty()) << "a click in the popup is no loss of activation";
}

// The popup has lost the activation when its owner does, or when a button is pressed in the owner:
// it reports that with its kind's notice and closes. Closed by its owner it only says it closed.
TEST_F(DlgBaseTest, PopupClosesWithItsKindsNoticeWhenItsOwnerIsClickedOrDeactivated) {
  HWND h = Open();
  ShowWindow(h, SW_SHOW);
  SetActiveWindow(h);
  const Notice kindNotice{gm::msg::kDpiMenuClosed, 2013, 2};
  auto open = [&](int slot, UINT_PTR tag) {
    EXPECT_TRUE(dlg_.OpenPopup(slot, std::make_unique<ListPopup>(ui_.context, 2), {100, 100, 200, 160},
                               gm::msg::kDpiFunctionChosen, tag));
    return dlg_.Popup(slot)->Hwnd();
  };

  // A press on a free area of the owner: the popup is hidden before the press goes on (to drag
  // the window here), its notice comes first, then it goes.
  HWND p = open(3, 2013);
  dlg_.notices.clear();
  Send(h, WM_LBUTTONDOWN, 250, 150, MK_LBUTTON);
  EXPECT_FALSE(IsWindowVisible(p));
  EXPECT_TRUE(dlg_.LastPressClosedPopup(3));
  EXPECT_FALSE(dlg_.LastPressClosedPopup(4));
  EXPECT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(p); }, std::chrono::seconds(2)));
  EXPECT_EQ(dlg_.notices, (std::vector<Notice>{kindNotice, {gm::msg::kPopupClosed, 0, 0}}));
  EXPECT_EQ(dlg_.dragRequests, 1);
  Send(h, WM_LBUTTONUP, 250, 150);
  // The next press closed nothing.
  Send(h, WM_LBUTTONDOWN, 250, 150, MK_LBUTTON);
  Send(h, WM_LBUTTONUP, 250, 150);
  EXPECT_FALSE(dlg_.LastPressClosedPopup(3));

  // Another window takes the activation: every open popup goes, each with its notice.
  HWND first = open(3, 2013), second = open(5, 2014);
  dlg_.notices.clear();
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  SetActiveWindow(other);
  EXPECT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(first) && !IsWindow(second); }, std::chrono::seconds(2)));
  EXPECT_EQ(std::count(dlg_.notices.begin(), dlg_.notices.end(), kindNotice), 1);
  EXPECT_EQ(std::count(dlg_.notices.begin(), dlg_.notices.end(), Notice{gm::msg::kDpiMenuClosed, 2014, 2}), 1);
  DestroyWindow(other);

  // Closed by the owner: only the closing message.
  SetActiveWindow(h);
  p = open(3, 2013);
  dlg_.notices.clear();
  dlg_.ClosePopup(3);
  EXPECT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(p); }, std::chrono::seconds(2)));
  EXPECT_EQ(dlg_.notices, (std::vector<Notice>{{gm::msg::kPopupClosed, 0, 0}}));

  // Opening a slot again closes the popup it holds first.
  HWND replaced = open(3, 7);
  dlg_.notices.clear();
  open(3, 8);
  EXPECT_FALSE(IsWindow(replaced));
  EXPECT_EQ(dlg_.notices, (std::vector<Notice>{{gm::msg::kPopupClosed, 0, 0}}));
  EXPECT_EQ(dlg_.Popup(3)->Tag(), 8u);
}

TEST_F(DlgBaseTest, DoubleAndRightClicksReachTheControlUnderThePointer) {
  gm::win::CControlBase* swatch = nullptr;
  dlg_.create = [&](TestDlg& d, const RECT&) {
    swatch = Add<gm::win::CColorSelectCheckButton>(d, 1, 3600, {10, 10, 40, 40});
    Add<gm::win::CTabControl>(d, 0, 2050, {100, 10, 160, 40});
    Add<gm::win::CTabControl>(d, 1, 2051, {200, 10, 260, 40});
  };
  HWND h = Open();
  Send(h, WM_LBUTTONDBLCLK, 20, 20, MK_LBUTTON);
  ASSERT_TRUE(WaitForNotices(1));
  EXPECT_EQ(dlg_.notices, (std::vector<Notice>{{3600, 0, 10}}));
  dlg_.notices.clear();
  // Right releases go to the hot control only where a layer-0 control lies.
  Send(h, WM_MOUSEMOVE, 120, 20);
  Send(h, WM_RBUTTONUP, 120, 20);
  Send(h, WM_MOUSEMOVE, 220, 20);
  Send(h, WM_RBUTTONUP, 220, 20);
  Pump();
  EXPECT_EQ(dlg_.notices, (std::vector<Notice>{{2050, 2050, 11}}));
}

TEST_F(DlgBaseTest, BackgroundBitmapIsStretchedAndAveraged) {
  HWND h = Open();
  ASSERT_NE(h, nullptr);
  EXPECT_FALSE(dlg_.SetBackgroundBitmap(4321));
  ASSERT_TRUE(dlg_.SetBackgroundBitmap(9364));
  EXPECT_EQ(dlg_.BackgroundColour(), RGB(127, 0, 127));
  uitest::Surface s(300, 200);
  dlg_.Render(s.Dc());
  // The 2-pixel picture is stretched (half-tone, so blended between the two) over the whole
  // 1127 × 740 design area: red at the far left, still more red than blue at x = 280 of 1127.
  const COLORREF left = s.Pixel(20, 100), quarter = s.Pixel(280, 100);
  EXPECT_GT(GetRValue(left), 200) << std::hex << left;
  EXPECT_LT(GetBValue(left), 60) << std::hex << left;
  EXPECT_GT(GetRValue(quarter), GetBValue(quarter)) << std::hex << quarter;
  EXPECT_GT(GetBValue(quarter), 0) << std::hex << quarter;
}

// At the display scale 1 the 1127 × 740 picture is shown at its own size, read from the resource:
// the window shows exactly the picture's pixels.
TEST_F(DlgBaseTest, BackgroundAtItsOwnSizeShowsThePicturePixelForPixel) {
  HWND h = Open();
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(dlg_.SetBackgroundBitmap(IDB_MAIN_BACKGROUND));
  const int w = gm::win::CDlgBase::kDesignWidth, ht = gm::win::CDlgBase::kDesignHeight;
  // The window draws over its client area: it is given the picture's size.
  RECT frame{0, 0, w, ht};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE)));
  SetWindowPos(h, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(h, &client);
  ASSERT_EQ(client.right, w);
  ASSERT_EQ(client.bottom, ht);
  uitest::Surface shown(w, ht, RGB(1, 2, 3)), picture(w, ht, RGB(4, 5, 6));
  dlg_.Render(shown.Dc());
  ASSERT_TRUE(picture.DrawBitmapResource(IDB_MAIN_BACKGROUND));
  EXPECT_EQ(shown.DifferingPixels(picture), 0);
  // Set a second time, it still shows.
  ASSERT_TRUE(dlg_.SetBackgroundBitmap(IDB_MAIN_BACKGROUND));
  uitest::Surface again(w, ht, RGB(1, 2, 3));
  dlg_.Render(again.Dc());
  EXPECT_EQ(again.Pixel(w / 2, ht / 2), picture.Pixel(w / 2, ht / 2));
}

// A window that sits unchanged gives its backdrop up once no paint has copied from it for the
// keep time (each paint starts the time again); the next paint draws the same picture again.
TEST_F(DlgBaseTest, AnUnusedBackdropIsLetGoAndDrawnAgainAlike) {
  using Clock = std::chrono::steady_clock;
  constexpr auto keep = gm::win::CDlgBase::kBackdropKeep;
  HWND h = Open();
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(dlg_.SetBackgroundBitmap(9364));
  uitest::Surface first(300, 200);
  dlg_.Render(first.Dc());
  EXPECT_TRUE(dlg_.HoldsBackdrop());

  // Used again before the keep time is out: still held a whole keep time after that use.
  gmtest::PumpUntil([] { return false; }, keep * 3 / 5);
  ASSERT_TRUE(dlg_.HoldsBackdrop());
  uitest::Surface second(300, 200);
  dlg_.Render(second.Dc());
  const auto used = Clock::now();
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !dlg_.HoldsBackdrop(); }, keep * 3)) << "backdrop kept";
  EXPECT_GE(Clock::now() - used, keep - std::chrono::milliseconds(50));

  uitest::Surface third(300, 200);
  dlg_.Render(third.Dc());
  EXPECT_TRUE(dlg_.HoldsBackdrop());
  EXPECT_EQ(third.DifferingPixels(first), 0);
  EXPECT_EQ(second.DifferingPixels(first), 0);
}
