// The demo program under Wine: its simulated mouse answers the status report, so the main window
// shows itself even in the default start mode; the panel that acts as the mouse drives it.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>

#include "app/demo_panel.h"
#include "app/main_window_support.h"
#include "app/osd_dialog.h"
#include "app/single_instance.h"
#include "settings/profile_record.h"
#include "settings/settings_store.h"
#include "win_test_support.h"

using namespace std::chrono_literals;

namespace {

// Starts the demo on a first-run data folder (default configuration: start minimised and hidden
// until the mouse answers) and waits for its main window, shown or not.
class DemoProgram : public apptest::DemoMainWindow {
 protected:
  void SetUp() override {
    std::error_code ec;
    std::filesystem::remove_all(DataFolder(), ec);
    process_ = gmtest::StartProgram(L"GamingMouseDemo.exe");
    ASSERT_TRUE(process_.handle);
    const bool appeared = gmtest::PumpUntil(
        [&] { return (window_ = gmtest::FindWindowOfProcess(gm::kMainWindowClassName, process_.id)) != nullptr; },
        60s);
    ASSERT_TRUE(appeared) << "no main window";
  }

  bool Ended(std::chrono::milliseconds timeout) { return gmtest::PumpUntilExited(process_.handle.Get(), timeout); }
};

}  // namespace

TEST_F(DemoProgram, ShowsItsMainWindowByItselfAndEndsWhenItIsClosed) {
  EXPECT_TRUE(gmtest::PumpUntil([&] { return Shown(); }, 20s)) << "the main window was not shown";
  // It stays shown: the visibility timer must not hide it again.
  gmtest::PumpUntil([] { return false; }, 500ms);
  EXPECT_TRUE(Shown());
  // The simulated mouse holds the default profile's stages from the start, before any upload:
  // stage 3 of sensor 0x3950 has the code 0x1F.
  EXPECT_TRUE(gmtest::PumpUntil(
      [&] { return PanelText(CDemoPanel::kStateLine).find(L"Stage 3, stages 0x3F") == 0 &&
                   PanelText(CDemoPanel::kStateLine).find(L"X 0x001F Y 0x001F") != std::wstring::npos; },
      10s))
      << PanelText(CDemoPanel::kStateLine);

  PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(Ended(30s));
  DWORD code = 99;
  GetExitCodeProcess(process_.handle.Get(), &code);
  EXPECT_EQ(code, 0u);
}

TEST_F(DemoProgram, UnpluggingTheOnlyLinkOnThePanelEndsTheProgram) {
  ASSERT_TRUE(gmtest::PumpUntil([&] { return Shown(); }, 20s));
  ClickPanel(CDemoPanel::kPlugWired);
  EXPECT_TRUE(Ended(30s)) << "the program kept running without a link";
}

TEST_F(DemoProgram, AStageChangedOnTheMouseReachesTheProfileAndIsSavedOnClosing) {
  ASSERT_TRUE(gmtest::PumpUntil([&] { return Shown(); }, 20s));
  const std::wstring profile = gmtest::AppDataFolder() + L"\\GamingMouseData20260526C\\config\\default0.psf";
  const auto state = std::make_unique<gm::SettingsModel>();  // the test's own view of the files
  ASSERT_TRUE(gm::ReadProfileFile(*state, 0, profile));
  const int before = state->profiles[0].CurrentDPILevelValue;

  ClickPanel(CDemoPanel::kDpiButton);  // the simulated mouse moves to its next stage and reports it
  // The report travels from the worker thread to the window's queue; folding it in shows the
  // on-screen display of the new stage.
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !VisibleWindows(gm::win::COSDDialog::kClassName).empty(); }, 10s))
      << "the stage change did not reach the program";
  PostMessageW(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Ended(30s));

  ASSERT_TRUE(gm::ReadProfileFile(*state, 0, profile));
  EXPECT_EQ(state->profiles[0].CurrentDPILevelValue, before + 1);
}
