// The demo's settings commands under Wine, driven with the pointer at the layout's places. What
// reaches the simulated mouse is read from the state line of the panel that acts as the mouse
// (its DPI stage, enabled stages and the count of DPI reports it accepted) and from the panel's
// rate label: both show the mouse's own stored state, re-read every 200 ms, which is the one view
// from outside the process that counts uploads. What reaches the profile is read from the file
// the program writes when it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <optional>

#include "app/demo_panel.h"
#include "app/main_ids.h"
#include "app/main_window_support.h"
#include "settings/settings_model.h"
#include "ui/dial_geometry.h"

using namespace std::chrono_literals;

namespace {

constexpr int kStages = 6;
// One DPI command goes out as two reports: the X values, then the Y values.
constexpr int kReportsPerDpiCommand = 2;

// The simulated mouse's DPI state as the panel's state line shows it.
struct MouseDpi {
  int stage = 0;  // 0-based
  int mask = 0;
  int reports = 0;
  friend bool operator==(const MouseDpi&, const MouseDpi&) = default;
};

gm::LayoutRect Around(int x, int y) { return {x - 1, y - 1, x + 1, y + 1}; }

// The centre of a polygon given in design units.
gm::LayoutRect CentreOf(const std::vector<gm::ui::IntPoint>& points, int left, int top) {
  int x = 0, y = 0;
  for (const auto& p : points) {
    x += p.x;
    y += p.y;
  }
  const int n = static_cast<int>(points.size());
  return Around(left + x / n, top + y / n);
}

class MainSettings : public apptest::DemoMainWindow {
 protected:
  static gm::LayoutRect StageCheck(int stage) { return {881 + 36 * stage, 226, 892 + 36 * stage, 237}; }

  // A control of a section that sits below `header` (design units).
  static gm::LayoutRect InSection(int id, const gm::LayoutRect& header) {
    return gm::PlaceInSection(*gm::FindMainControl(id), header.left, header.bottom, false);
  }
  // Where the sections' headers are with `open` sections (the default sensor keeps the lift slot).
  static gm::LayoutRect Header(const gm::SectionOpenState& open, gm::Section section) {
    return gm::StackSections(open, true)[static_cast<size_t>(section)].header;
  }

  std::optional<MouseDpi> ShownDpi() const {
    MouseDpi d;
    const std::wstring line = PanelText(CDemoPanel::kStateLine);
    if (swscanf(line.c_str(), L"Stage %d, stages 0x%X, DPI reports %d", &d.stage, &d.mask, &d.reports) != 3)
      return std::nullopt;
    --d.stage;
    return d;
  }
  bool MouseShows(const MouseDpi& expected) const {
    return gmtest::PumpUntil([&] { return ShownDpi() == expected; }, 10s);
  }
  MouseDpi CurrentDpi() const {
    std::optional<MouseDpi> d;
    EXPECT_TRUE(gmtest::PumpUntil([&] { return (d = ShownDpi()).has_value(); }, 10s)) << "no state line";
    return d.value_or(MouseDpi{});
  }
};

TEST_F(MainSettings, ThreeStageClicksWithin20msGoOutAsOneUploadOfTheLastState) {
  const gm::ProfileRecord start = SavedProfile();
  ASSERT_EQ(start.DPIOffOnFlagValue & 0x38, 0x38) << "stages 3..5 are enabled by default";
  ASSERT_LT(start.CurrentDPILevelValue, 3);
  const MouseDpi before = CurrentDpi();

  // The clicks are queued together: all are handled before the 20 ms upload timer can fire.
  for (int stage : {5, 4, 3}) ClickAt(StageCheck(stage));
  const int mask = start.DPIOffOnFlagValue & ~0x38;
  const MouseDpi after{start.CurrentDPILevelValue, mask, before.reports + kReportsPerDpiCommand};
  EXPECT_TRUE(MouseShows(after)) << "not one DPI command with the last state: the mouse shows "
                                 << PanelText(CDemoPanel::kStateLine) << " after " << before.reports << " reports";
  // A second upload would follow within a few timer periods.
  EXPECT_FALSE(gmtest::PumpUntil([&] { return ShownDpi() != after; }, 1s));

  ASSERT_TRUE(CloseAndWait());
  EXPECT_EQ(SavedProfile().DPIOffOnFlagValue, mask);
}

TEST_F(MainSettings, TheCurrentStageMovesOnWhenUncheckedAndTheLastStageStaysChecked) {
  const gm::ProfileRecord start = SavedProfile();
  const int current = start.CurrentDPILevelValue;
  ASSERT_LT(current, kStages - 1);
  ASSERT_EQ(start.DPIOffOnFlagValue >> current & 3, 3) << "the current stage and the next are enabled";

  ClickAt(StageCheck(current));
  int mask = start.DPIOffOnFlagValue & ~(1 << current);
  EXPECT_TRUE(gmtest::PumpUntil(
      [&] {
        const auto d = ShownDpi();
        return d && d->stage == current + 1 && d->mask == mask;
      },
      10s))
      << "the mouse did not move to the next enabled stage";

  // Every other stage off: the next stage is the only one left.
  const int only = current + 1;
  for (int stage = 0; stage < kStages; ++stage)
    if (stage != only && (mask >> stage & 1) != 0) ClickAt(StageCheck(stage));
  mask = 1 << only;
  EXPECT_TRUE(gmtest::PumpUntil(
      [&] {
        const auto d = ShownDpi();
        return d && d->stage == only && d->mask == mask;
      },
      10s));

  // The panel shows each command as it arrives: the rest of the upload (and its progress dialog)
  // ends before the mouse's state is taken as the reference.
  AwaitUploadProgress();

  // Unchecking it is refused: the check shows checked again and nothing is sent.
  MoveTo(StageCheck(only));
  const auto checked = SteadyPixels(StageCheck(only));
  const MouseDpi held = CurrentDpi();
  ClickAt(StageCheck(only));
  EXPECT_TRUE(PixelsBecome(StageCheck(only), checked, false)) << "the check did not show checked again";
  EXPECT_FALSE(gmtest::PumpUntil([&] { return ShownDpi() != held; }, 1s)) << "the refused click was sent";

  ASSERT_TRUE(CloseAndWait());
  const gm::ProfileRecord saved = SavedProfile();
  EXPECT_EQ(saved.DPIOffOnFlagValue, mask);
  EXPECT_EQ(saved.CurrentDPILevelValue, only);
}

// The simulated cable reports the 8000 Hz capability: the 8000 Hz dial is the visible one.
TEST_F(MainSettings, TheRateDialStoresTheSectorClicked) {
  const gm::LayoutRect dial =
      InSection(gm::kControlRateDial8000, Header({true, true, false, false, false}, gm::Section::kRate));
  struct Case {
    int sector;
    const wchar_t* shown;
  };
  for (const Case& c : {Case{0, L"Report rate: 125 Hz"}, Case{6, L"Report rate: 8000 Hz"},
                        Case{4, L"Report rate: 2000 Hz"}}) {
    ClickAt(CentreOf(gm::ui::DialSectorPolygon(gm::ui::RateDial::k8000, c.sector, {0, 0}, 1.0), dial.left, dial.top));
    EXPECT_TRUE(PanelShows(CDemoPanel::kRate, c.shown)) << "sector " << c.sector;
  }
  ASSERT_TRUE(CloseAndWait());
  const gm::ProfileRecord saved = SavedProfile();
  EXPECT_EQ(saved.PollingRateValue[0], 4);
  EXPECT_EQ(saved.PollingRateName, L"2000HZ");
}

TEST_F(MainSettings, SensorChecksAndThePowerDialAreStored) {
  const gm::ProfileRecord start = SavedProfile();
  // Opening the sensor section keeps DPI open and closes the report rate.
  ClickAt(Header({true, true, false, false, false}, gm::Section::kSensor));
  const gm::LayoutRect header = Header({true, false, false, false, true}, gm::Section::kSensor);
  // A control's event is queued behind its own handling: each click is seen on screen before the
  // window is closed, so the close cannot overtake the events. The progress notice of one click's
  // upload may still show at the next click; it takes no input.
  auto clickAndSee = [&](const gm::LayoutRect& r) {
    MoveTo(r);
    const auto before = SteadyPixels(r);
    ClickAt(r);
    EXPECT_TRUE(PixelsBecome(r, before, true)) << "no change at " << r.left << ", " << r.top;
  };
  ASSERT_TRUE(Painted());
  for (int i = 0; i < 3; ++i) clickAndSee(InSection(gm::kControlAngleSnapCheck + i, header));
  const int sector = gm::SettingNumber(start, gm::kPowerDownTime) == 2 ? 4 : 1;
  clickAndSee(CentreOf(gm::ui::PowerSectorPolygon(sector, {0, 0}, 1.0), 81, 550));

  ASSERT_TRUE(CloseAndWait());
  const gm::ProfileRecord saved = SavedProfile();
  for (int option : {gm::kAngleSnap, gm::kMotionSync, gm::kRippleControl})
    EXPECT_EQ(gm::SettingNumber(saved, option) > 0, gm::SettingNumber(start, option) == 0) << option;
  EXPECT_EQ(gm::SettingNumber(saved, gm::kPowerDownTime), sector + 1);
}

// The progress notice after each upload that sent something shows for half a second while the
// person goes on: clicks of the real pointer on three stage checks, each made at least 300 ms after
// the last and while the notice of the last upload shows, all reach the mouse and the profile. The
// notice leaves the main window enabled and active.
TEST_F(MainSettings, ChecksClickedWhileTheProgressNoticeShowsAllReachTheMouseAndTheProfile) {
  const gm::ProfileRecord start = SavedProfile();
  ASSERT_EQ(start.DPIOffOnFlagValue & 0x38, 0x38) << "stages 3..5 are enabled by default";
  ASSERT_LT(start.CurrentDPILevelValue, 3);
  const MouseDpi before = CurrentDpi();

  auto last = std::chrono::steady_clock::now();
  RealClickAt(StageCheck(5));
  ASSERT_TRUE(gmtest::PumpUntil([&] { return GetForegroundWindow() == window_; }, 5s))
      << "the click did not activate the main window";
  for (int stage : {4, 3}) {
    HWND notice = nullptr;
    ASSERT_TRUE(gmtest::PumpUntil(
        [&] {
          notice = FindDialog(429, 140);
          return notice && std::chrono::steady_clock::now() - last >= 300ms;
        },
        10s))
        << "no progress notice before the click on stage " << stage;
    EXPECT_EQ(GetForegroundWindow(), window_) << "the notice took the activation";
    EXPECT_TRUE(IsWindowEnabled(window_)) << "the notice disabled the main window";
    last = std::chrono::steady_clock::now();
    RealClickAt(StageCheck(stage));
  }
  const int mask = start.DPIOffOnFlagValue & ~0x38;
  EXPECT_TRUE(gmtest::PumpUntil(
      [&] {
        const auto d = ShownDpi();
        return d && d->mask == mask;
      },
      10s))
      << "the mouse shows " << PanelText(CDemoPanel::kStateLine) << ", stages 0x" << std::hex << mask << " expected";
  EXPECT_GT(CurrentDpi().reports, before.reports);

  ASSERT_TRUE(CloseAndWait());
  EXPECT_EQ(SavedProfile().DPIOffOnFlagValue, mask);
}

// The exit button clicked with the real pointer while the notice of an edit's upload shows ends
// the program, and the edit is saved on the way out.
TEST_F(MainSettings, ExitClickedWhileTheProgressNoticeShowsEndsTheProgram) {
  const gm::ProfileRecord start = SavedProfile();
  ASSERT_EQ(start.DPIOffOnFlagValue >> 5 & 1, 1) << "stage 5 is enabled by default";
  RealClickAt(StageCheck(5));
  ASSERT_TRUE(gmtest::PumpUntil([&] { return FindDialog(429, 140) != nullptr; }, 10s)) << "no progress notice";
  RealClickAt(gm::FindMainControl(gm::kControlExit)->rect);
  ASSERT_TRUE(gmtest::PumpUntilExited(process_.handle.Get(), 20s)) << "the exit click did nothing";
  DWORD code = 99;
  GetExitCodeProcess(process_.handle.Get(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(SavedProfile().DPIOffOnFlagValue, start.DPIOffOnFlagValue & ~0x20);
}

// With the receiver in, the cable out and the mouse asleep there is no usable link: the factory
// reset shows only the notice (the attention dialog, told from the confirmation by its width).
// The receiver's report that the mouse sleeps is seen when the battery gauge empties (the
// battery is forgotten without another link), which is when the window has taken it in.
TEST_F(MainSettings, FactoryResetWithoutAUsableLinkShowsTheNoticeAndChangesNothing) {
  const gm::ProfileRecord start = SavedProfile();
  const MouseDpi before = CurrentDpi();
  const gm::LayoutRect battery{80, 433, 110, 494};
  const auto full = SteadyPixels(battery);
  ClickPanel(CDemoPanel::kPlugWireless);
  ClickPanel(CDemoPanel::kPlugWired);
  ClickPanel(CDemoPanel::kSleepWake);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return Pixels(battery) != full; }, 20s)) << "the gauge did not empty";

  ClickAt({1040, 700, 1109, 720});
  HWND notice = nullptr;
  ASSERT_TRUE(gmtest::PumpUntil(
      [&] { return (notice = gmtest::FindWindowOfProcess(L"#32770", process_.id)) != nullptr; }, 10s))
      << "no dialog";
  // The dialog is found as soon as it exists; it takes its own size while it initialises.
  const LONG noticeWidth = static_cast<LONG>(319 * scale_), confirmationWidth = static_cast<LONG>(429 * scale_);
  RECT client{};
  gmtest::PumpUntil(
      [&] {
        GetClientRect(notice, &client);
        return client.right == noticeWidth || client.right == confirmationWidth;
      },
      10s);
  EXPECT_EQ(client.right, noticeWidth) << "not the notice";
  // The notice is made topmost right after it is created.
  EXPECT_TRUE(gmtest::PumpUntil([&] { return (GetWindowLongPtrW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }, 5s))
      << "the notice is not topmost";
  PostMessageW(notice, WM_CLOSE, 0, 0);
  EXPECT_EQ(CurrentDpi(), before);

  ASSERT_TRUE(CloseAndWait());
  EXPECT_TRUE(SavedProfile() == start) << "the profile changed";
}

}  // namespace
