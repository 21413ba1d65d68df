// How long the demo's main window leaves the user waiting while it brings the simulated mouse in
// line, at the mouse's real pacing (60 ms per acknowledged report, 120 ms per macro packet). For
// each case the demo starts on a prepared data folder, a probe thread sends the main window
// WM_NULL every 5 ms from just before the user's action until the mouse holds what was sent, and
// the answer times are printed as one line:
//   stall <case>: answers N, median X ms, p99 Y ms, longest Z ms
// The end of each upload is read from the panel that acts as the mouse (its command, macro and
// flash lines count what the mouse accepted), never from the window answering and never after a
// fixed sleep, so the same cases measure an upload on the window's thread and one on a thread of
// its own. The figures are printed, not judged: tools/bench gathers them into its table.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/demo_panel.h"
#include "app/main_ids.h"
#include "app/main_layout.h"
#include "app/main_window_support.h"
#include "app/profile_operations.h"
#include "app/responsiveness_support.h"
#include "assign/function_menus.h"
#include "device/command_report.h"
#include "device/mapping_commands.h"
#include "macro/library_file.h"
#include "settings/app_config.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "tests/bench/answer_times.h"

using namespace std::chrono_literals;

namespace {

// The profile list as the prepared config.ini shows it: slots 0..3 in slot order. Entry 1 of the
// list popup is its header, so slot s is entry s + 2.
constexpr int kShownProfiles = 4;
constexpr int kEveryCommandSlot = 1;
constexpr int kMacroSlot = 2;
constexpr int kDefaultSlot = 3;
int ListEntryOf(int slot) { return slot + 2; }

// The six macros: 125 key events, each followed by a delay (250 actions, 15 packets each).
constexpr std::uint32_t kFirstMacroNumber = 101;
constexpr int kMacroPackets = 15;

// The confirmation dialog of the factory reset (design units).
constexpr int kConfirmWidth = 429, kConfirmHeight = 140;
constexpr gm::LayoutRect kConfirmOk{260, 110, 329, 130};

gm::MacroKey FullMacro(std::uint32_t number) {
  gm::MacroKey macro(L"Bench macro " + std::to_wstring(number));
  for (int i = 0; i < gm::kMacroCommandLimit; ++i) {
    macro.InsertAction(2 * i, gm::MacroAction::Event(static_cast<std::uint8_t>(0x41 + i % 26), i % 2 != 0));
    macro.InsertAction(2 * i + 1, gm::MacroAction::Delay(static_cast<std::uint32_t>(10 + i)));
  }
  macro.MacroCommandActionNum = gm::kMacroCommandLimit;
  macro.MacroKeyIndex = number;
  return macro;
}

// Every setting that a profile switch sends differs from the defaults of `record`: the button
// mapping (pairs of buttons swapped, so a left click stays), the DPI stages (values, mask, current
// stage), the stage colours, the report rate, the lift-off distance, the debounce and the
// lighting; the power and sensor options differ too, though a switch does not send them.
void ChangeEverySetting(gm::ProfileRecord& record) {
  for (int b = 0; b < gm::kButtonCount; b += 2) std::swap(record.KeyAssignments[b], record.KeyAssignments[b + 1]);
  const auto x = record.XYSettingValueX;
  for (int i = 0; i < 6; ++i) {
    record.XYSettingValueX[i] = x[5 - i];
    record.XYSettingValueY[i] = x[(i + 1) % 6];
  }
  record.DPIOffOnFlagValue = 0x3E;
  record.CurrentDPILevelValue = 4;
  for (int i = 0; i < gm::kDpiStageCount; ++i)
    record.DPILevelIndication[i] = gm::MakeColour(static_cast<std::uint8_t>(20 * i + 1), 0x80, static_cast<std::uint8_t>(200 - 20 * i));
  record.PollingRateValue = {6, 0, 0};
  record.PollingRateName = L"8000HZ";
  gm::SetLiftDetectionHeight(record, gm::kLiftHeightOne);
  gm::SetKeyDebounce(record, 8);
  record.Lighting1ModeValue = {3, 0, 0};
  record.Lighting1Speed[3] = 4;
  record.Lighting1Brightness[3] = 1;
  record.Lighting1Direction[1] = 0;
  gm::SetPowerDownTime(record, 5);
  gm::SetAngleSnap(record, 1);
  gm::SetMotionSync(record, 1);
  gm::SetRippleControl(record, 1);
}

// Six buttons each holding one of the library's six full macros.
void GiveSixMacros(gm::ProfileRecord& record) {
  for (int b = 0; b < gm::kButtonCount; ++b) {
    gm::KeyAssignment& key = record.KeyAssignments[static_cast<std::size_t>(b)];
    key.Macro = FullMacro(kFirstMacroNumber + static_cast<std::uint32_t>(b));
    key.MacroKeyIndex = key.Macro.MacroKeyIndex;
    key.KeyName = key.Macro.Name;
    key.KeyValue = {gm::kMacroFunction, static_cast<std::uint8_t>(0x20 | (b + 1)), 1};
  }
}

// The accepted command reports by code, as the panel's command line shows them.
using CommandCounts = std::map<int, int>;
CommandCounts ParseCommandLine(const std::wstring& line) {
  CommandCounts counts;
  const std::wstring prefix = L"Commands:";
  if (line.rfind(prefix, 0) != 0) return counts;
  const wchar_t* at = line.c_str() + prefix.size();
  int code = 0, count = 0, used = 0;
  while (swscanf(at, L" %x=%d%n", &code, &count, &used) == 2) {
    counts[code] = count;
    at += used;
  }
  return counts;
}

class StallProbe : public apptest::DemoMainWindow {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"GM_DEMO_TIME_SCALE", timeScale_);  // none: the mouse's real pacing
    DemoMainWindow::SetUp();
    SetEnvironmentVariableW(L"GM_DEMO_TIME_SCALE", nullptr);
  }
  const wchar_t* timeScale_ = nullptr;

  void PrepareDataFolder(const std::wstring& folder) override {
    std::filesystem::create_directories(std::filesystem::path(folder + L"config"));
    const auto model = std::make_unique<gm::SettingsModel>();
    model->env.dataFolder = folder;
    gm::FillAppConfigDefaults(model->config, folder);
    gm::WriteProfileList(model->config, {kShownProfiles, {0, 1, 2, 3, 4}});
    ASSERT_TRUE(gm::WriteAppConfigFile(model->config, gm::AppConfigPath(folder)));
    for (int slot = 0; slot < gm::kProfileCount; ++slot) {
      gm::ProfileRecord& record = model->profiles[static_cast<std::size_t>(slot)];
      gm::ResetProfile(record, slot, model->texts, gm::ConfigSensor(model->config));
      gm::SetProfileName(record, L"Profile " + std::to_wstring(slot));
    }
    ChangeEverySetting(model->profiles[kEveryCommandSlot]);
    GiveSixMacros(model->profiles[kMacroSlot]);
    ASSERT_TRUE(gm::SaveAllProfiles(*model));

    gm::MacroLibrary library;
    for (int i = 0; i < gm::kButtonCount; ++i) {
      const gm::MacroKey macro = FullMacro(kFirstMacroNumber + static_cast<std::uint32_t>(i));
      ASSERT_TRUE(library.PlaceMacroAt(macro.Name, gm::MacroItemLocation::Level0(i), macro));
    }
    library.NextMacroKeyIndex = kFirstMacroNumber + gm::kButtonCount;
    ASSERT_TRUE(gm::SaveLibraryFile(library, folder));
  }

  CommandCounts Commands() const { return ParseCommandLine(PanelText(CDemoPanel::kCommandLine)); }
  // The command line once the panel shows it (it is filled at the panel's first label update).
  CommandCounts CommandsNow() const {
    EXPECT_TRUE(gmtest::PumpUntil([&] { return PanelText(CDemoPanel::kCommandLine).rfind(L"Commands:", 0) == 0; }, 10s))
        << "no command line on the panel";
    return Commands();
  }
  // Whether the mouse has accepted at least `more` reports of each code beyond `before`.
  bool Accepted(const CommandCounts& before, const CommandCounts& more) const {
    CommandCounts now = Commands();
    for (const auto& [code, count] : more)
      if (now[code] < (before.count(code) ? before.at(code) : 0) + count) return false;
    return true;
  }

  void SwitchTo(int slot) {
    ClickAt(gm::FindMainControl(gm::kControlProfileButton)->rect);
    HWND list = WaitForPopup(gm::kProfileListEntries);
    ASSERT_TRUE(list) << "the profile list did not open";
    ClickMenuEntry(list, ListEntryOf(slot));
  }

  // Runs `act` with the probe on the main window until `done` holds (2 minutes at most), then
  // prints the answers.
  void Measure(const char* name, const std::function<void()>& act, const std::function<bool()>& done) {
    // The limit is beyond any upload, so the longest answer is the whole stall.
    apptest::ResponsivenessProbe probe(window_, 120s);
    act();
    const bool finished = !HasFatalFailure() && gmtest::PumpUntil(done, 120s);
    probe.Stop();
    const std::wstring commands = PanelText(CDemoPanel::kCommandLine);
    ASSERT_TRUE(finished) << name << ": the mouse did not get everything; "
                          << std::string(commands.begin(), commands.end());
    const gm::bench::TimeSummary s = gm::bench::Summarise(probe.SortedAnswers());
    std::printf("stall %s: answers %zu, median %.1f ms, p99 %.1f ms, longest %.1f ms\n", name, s.count, s.median,
                s.percentile99, s.longest);
    std::fflush(stdout);
  }
};

// A profile switch is the one action that sends the whole configuration: the mapping and every
// DPI, colour, rate, lift-off, debounce, lighting, power and sensor-options command (edits send
// only their own group).
TEST_F(StallProbe, FullConfigurationUpload) {
  const CommandCounts before = CommandsNow();
  Measure(
      "full-configuration", [&] { SwitchTo(kEveryCommandSlot); },
      [&] {
        return Accepted(before, {{gm::kCmdButtonMapping, 1}, {gm::kCmdDpiStages, 2}, {gm::kCmdStageColours, 1},
                                 {gm::kCmdReportRate, 1}, {gm::kCmdLiftOff, 1}, {gm::kCmdDebounce, 1},
                                 {gm::kCmdLighting, 1}, {gm::kCmdPower, 1}, {gm::kCmdSensorOptions, 1}});
      });
}

// The macros reach the mouse after a switch to the profile that holds them: the mapping command
// makes the upload send every macro button's macro again (start at the program's primes the
// macros as already sent).
TEST_F(StallProbe, SixFullMacros) {
  const CommandCounts before = CommandsNow();
  Measure(
      "six-macros", [&] { SwitchTo(kMacroSlot); },
      [&] {
        return Accepted(before, {{gm::kCmdMacroStart, 1}, {gm::kCmdMacroData, gm::kButtonCount * kMacroPackets}});
      });
  // Each of the six slots holds its whole macro.
  const std::wstring macros = PanelText(CDemoPanel::kMacroLine);
  for (int slot = 1; slot <= gm::kButtonCount; ++slot)
    EXPECT_NE(macros.find(std::to_wstring(slot) + L"="), std::wstring::npos) << "slot " << slot;
}

// A switch between two of the program's default profiles: only the lighting command differs from
// what the start-up took as sent, and it is the last command of every configuration upload.
TEST_F(StallProbe, ProfileSwitch) {
  const CommandCounts before = CommandsNow();
  Measure("profile-switch", [&] { SwitchTo(kDefaultSlot); }, [&] { return Accepted(before, {{gm::kCmdLighting, 1}}); });
}

// The reset button, its confirmation, and the mouse's factory reset.
TEST_F(StallProbe, FactoryReset) {
  Measure(
      "factory-reset",
      [&] {
        ClickAt(gm::FindMainControl(gm::kControlFactoryReset)->rect);
        HWND confirm = WaitForDialog(kConfirmWidth, kConfirmHeight);
        ASSERT_TRUE(confirm) << "no confirmation";
        // The dialog is shown before its buttons exist: click OK until the dialog has gone.
        ULONGLONG lastClick = 0;
        ASSERT_TRUE(gmtest::PumpUntil(
            [&] {
              if (!IsWindow(confirm)) return true;
              if (GetTickCount64() - lastClick >= 250) {
                ClickInDialog(confirm, kConfirmOk);
                lastClick = GetTickCount64();
              }
              return false;
            },
            20s))
            << "the confirmation did not close";
      },
      [&] { return PanelText(CDemoPanel::kFlashLine).find(L"resets 1") != std::wstring::npos; });
}

// A whole firmware update from the panel's button, in twenty-fold time so its minute of waits and
// its countdown take seconds: the window does the same work for each wait (the dialog's lines and
// progress, a repaint at most every 100 ms), only less often. Ends when the mouse is back with the
// new firmware and has been reset.
class FirmwareStallProbe : public StallProbe {
 protected:
  void SetUp() override {
    timeScale_ = L"20";
    StallProbe::SetUp();
  }
};

TEST_F(FirmwareStallProbe, FirmwareUpdate) {
  Measure(
      "firmware-update", [&] { ClickPanel(CDemoPanel::kUpdateFirmware); },
      [&] {
        const std::wstring flash = PanelText(CDemoPanel::kFlashLine);
        return flash.find(L"restarts 1") != std::wstring::npos && flash.find(L"resets 1") != std::wstring::npos;
      });
}

}  // namespace
