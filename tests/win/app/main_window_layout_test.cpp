// The demo's main window under Wine: its client area has the design size at the display scale,
// its windowless controls answer the pointer where the layout puts them, and section headers open
// and close their sections in place.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_window_support.h"
#include "app/single_instance.h"

using namespace std::chrono_literals;

namespace {

using MainWindowLayout = apptest::DemoMainWindow;

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
