// The demo's main window under Wine: its client area has the design size at the display scale,
// its windowless controls answer the pointer where the layout puts them, and section headers open
// and close their sections in place.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/main_layout.h"
#include "app/single_instance.h"
#include "win_test_support.h"
#include "ui/program_messages.h"

using namespace std::chrono_literals;

namespace {

class MainWindowLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    std::error_code ec;
    std::filesystem::remove_all(gmtest::AppDataFolder() + L"\\GamingMouseData20260526C", ec);
    // Under load Wine now and then refuses to create a process right after the previous test's
    // program was ended: the start is tried again until it succeeds.
    DWORD startError = 0;
    gmtest::PumpUntil(
        [&] {
          process_ = gmtest::StartProgram(L"GamingMouseDemo.exe");
          startError = process_.handle ? 0 : GetLastError();
          return static_cast<bool>(process_.handle);
        },
        10s);
    ASSERT_TRUE(process_.handle) << "the program did not start, error " << startError;
    ASSERT_TRUE(gmtest::PumpUntil(
        [&] { return (window_ = gmtest::FindWindowOfProcess(gm::kMainWindowClassName, process_.id)) != nullptr; },
        60s));
    ASSERT_TRUE(gmtest::PumpUntil([&] { return Shown(); }, 20s)) << "the main window was not shown";
    RECT client{};
    GetClientRect(window_, &client);
    scale_ = client.right / static_cast<double>(gm::kMainDesignWidth);
    ASSERT_TRUE(Painted()) << "the main window did not paint";
  }
  void TearDown() override {
    if (process_.handle && WaitForSingleObject(process_.handle.Get(), 0) == WAIT_TIMEOUT) gmtest::Terminate(process_);
  }

  bool Shown() const { return IsWindowVisible(window_) && !IsIconic(window_); }

  // Waits until the window has painted: shown on screen, its first key row shows its picture and
  // text (not one flat colour, as before the first paint) and its pixels stay the same over a few
  // samples. Pixels taken as a reference before that would be those of the empty screen.
  bool Painted() const {
    const gm::LayoutRect keyRow{82, 81, 244, 102};  // key combo 1
    std::vector<COLORREF> last;
    int unchanged = 0;
    return gmtest::PumpUntil(
        [&] {
          std::vector<COLORREF> now = Pixels(keyRow);
          unchanged = now == last ? unchanged + 1 : 0;
          last = now;
          std::sort(now.begin(), now.end());
          const auto colours = std::unique(now.begin(), now.end()) - now.begin();
          return Shown() && colours >= 3 && unchanged >= 3;
        },
        20s);
  }

  // The pointer goes there for real (so nothing Wine synthesises from the real pointer moves the
  // hover elsewhere) and the move is also posted, as the window would receive it.
  void MoveTo(const gm::LayoutRect& r) {
    const POINT p = Centre(r);
    POINT screen = p;
    ClientToScreen(window_, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  }

  // The pixels of `r` once they have stopped changing (painting is asynchronous).
  std::vector<COLORREF> SteadyPixels(const gm::LayoutRect& r) const {
    std::vector<COLORREF> last = Pixels(r);
    gmtest::PumpUntil(
        [&] {
          std::vector<COLORREF> now = Pixels(r);
          const bool same = now == last;
          last = std::move(now);
          return same;
        },
        5s);
    return last;
  }

  // Waits until the pixels of `r` differ from (or, with `differ` false, equal) `reference`.
  bool PixelsBecome(const gm::LayoutRect& r, const std::vector<COLORREF>& reference, bool differ) const {
    return gmtest::PumpUntil([&] { return (Pixels(r) != reference) == differ; }, 5s);
  }

  POINT Centre(const gm::LayoutRect& r) const {
    const gm::LayoutRect s = gm::ScaleRect(r, scale_);
    return {(s.left + s.right) / 2, (s.top + s.bottom) / 2};
  }

  // A click as the pointer makes it: move, press and release at the centre of a design rectangle.
  void ClickAt(const gm::LayoutRect& r) {
    const POINT p = Centre(r);
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageW(window_, WM_MOUSEMOVE, 0, at);
    PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window_, WM_LBUTTONUP, 0, at);
  }

  // The screen's pixels of a design rectangle of the window.
  std::vector<COLORREF> Pixels(const gm::LayoutRect& r) const {
    const gm::LayoutRect s = gm::ScaleRect(r, scale_);
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    std::vector<COLORREF> out;
    HDC screen = GetDC(nullptr);
    for (int y = s.top; y < s.bottom; y += 3)
      for (int x = s.left; x < s.right; x += 3) out.push_back(GetPixel(screen, origin.x + x, origin.y + y));
    ReleaseDC(nullptr, screen);
    return out;
  }

  gmtest::Process process_;
  HWND window_ = nullptr;
  double scale_ = 1;
};

TEST_F(MainWindowLayout, ClientAreaIsTheDesignSizeAtTheDisplayScale) {
  RECT client{}, outer{};
  GetClientRect(window_, &client);
  GetWindowRect(window_, &outer);
  EXPECT_TRUE(scale_ == 1.0 || scale_ == 1.5 || scale_ == 2.0) << scale_;
  EXPECT_EQ(client.bottom, static_cast<LONG>(gm::kMainDesignHeight * scale_));
  // No title bar or frame: the window is its client area.
  EXPECT_EQ(outer.right - outer.left, client.right);
  EXPECT_EQ(outer.bottom - outer.top, client.bottom);
}

TEST_F(MainWindowLayout, ExitAndMinimiseButtonsAnswerAtTheirPlaces) {
  ClickAt({1072, 12, 1087, 27});  // minimise: the window is hidden, the program runs on
  EXPECT_TRUE(gmtest::PumpUntil([&] { return !IsWindowVisible(window_); }, 10s));
  EXPECT_EQ(WaitForSingleObject(process_.handle.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

  PostMessageW(window_, gm::msg::kHandOver, 0, 0);  // as a second start would
  ASSERT_TRUE(gmtest::PumpUntil([&] { return Shown(); }, 10s));
  ASSERT_TRUE(Painted()) << "the window did not paint again after it was shown";
  ClickAt({1092, 12, 1107, 27});  // exit
  EXPECT_TRUE(gmtest::PumpUntilExited(process_.handle.Get(), 30s)) << "the exit button did not end the program";
  DWORD code = 99;
  GetExitCodeProcess(process_.handle.Get(), &code);
  EXPECT_EQ(code, 0u);
}

TEST_F(MainWindowLayout, DesktopHeaderOpensBelowItsSlotThenMovesUpAsTheRateSectionCloses) {
  // At start DPI and report rate are open and the lift-off slot of the default sensor is kept:
  // the desktop-mouse header sits at 127 + 196 + 180 = 503.
  const auto start = gm::StackSections({true, true, false, false, false}, true);
  const gm::LayoutRect desktop = start[static_cast<int>(gm::Section::kDesktop)].header;
  ASSERT_EQ(desktop.top, 503);
  const gm::LayoutRect below{desktop.left, desktop.bottom, desktop.right, desktop.bottom + 110};
  const gm::LayoutRect rateArea = start[static_cast<int>(gm::Section::kRate)].frame;
  const auto belowClosed = SteadyPixels(below);
  const auto rateOpen = SteadyPixels(rateArea);

  ClickAt(desktop);
  EXPECT_TRUE(PixelsBecome(below, belowClosed, true)) << "no section opened below the desktop-mouse header";
  EXPECT_TRUE(PixelsBecome(rateArea, rateOpen, true)) << "the report-rate section stayed as it was";

  // DPI stays open, report rate closed: the header is now at 127 + 196 = 323; a click there closes it.
  const auto moved = gm::StackSections({true, false, false, true, false}, true);
  const gm::LayoutRect movedHeader = moved[static_cast<int>(gm::Section::kDesktop)].header;
  ASSERT_EQ(movedHeader.top, 323);
  const gm::LayoutRect movedFrame = moved[static_cast<int>(gm::Section::kDesktop)].frame;
  const auto openFrame = SteadyPixels(movedFrame);
  ClickAt(movedHeader);
  EXPECT_TRUE(PixelsBecome(movedFrame, openFrame, true)) << "the moved header did not close its section";
}

TEST_F(MainWindowLayout, HoveringAKeyRowMarksItsButtonOnTheMousePicture) {
  const gm::LayoutRect mark{467, 311, 489, 333};  // button 4's mark, 22 units square
  MoveTo({700, 100, 720, 120});                   // the pointer starts on a free area
  const auto plain = SteadyPixels(mark);
  MoveTo({82, 169, 244, 190});  // key combo 4
  EXPECT_TRUE(PixelsBecome(mark, plain, true)) << "no mark while the pointer rests on key combo 4";

  MoveTo({700, 100, 720, 120});
  EXPECT_TRUE(PixelsBecome(mark, plain, false)) << "the mark stayed after the pointer left";
}

}  // namespace
