#include "soak_run.h"

#include <algorithm>
#include <filesystem>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of the bytes the program has allocated and not freed (declared in
// clang's <sanitizer/allocator_interface.h>, which GCC does not ship).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

#include "app/main_commands.h"
#include "app/main_controller.h"
#include "app/main_view.h"
#include "assign/assignment_rules.h"
#include "device/command_report.h"
#include "device/config_commands.h"
#include "device/mapping_commands.h"
#include "device/mapping_upload.h"
#include "settings/app_config.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "settings/settings_store.h"
#include "settings/text_file.h"
#include "settings/utf.h"
#include "settings/paths.h"
#include "settings/test_state.h"
#include "sim/sim_mouse.h"
#include "soak_window.h"

namespace gm::soak {
namespace {

// Bytes of the heap in use by the program now (the allocator's own count: not the pages the
// process holds, which an allocator keeps after frees and ASan keeps in its quarantine).
std::size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

constexpr int kHistoryLength = 40;
// Timer firings allowed in one quiet period before the run counts as hung.
constexpr int kQuietFiringCap = 2000;
constexpr LinkKind kLinks[] = {LinkKind::Wired, LinkKind::Wireless, LinkKind::Ble};

std::string Hex(std::span<const std::uint8_t> bytes) { return sim::HexBytes(bytes); }

// The macro buttons' function bytes 1 and 2 (loop type and device slot, loop count) are written by
// the upload's slot resolution, not by an edit of the user's: they are left out of the comparison.
ProfileRecord WithoutResolvedSlots(ProfileRecord record) {
  for (KeyAssignment& key : record.KeyAssignments)
    if (key.KeyValue[0] == 0x90) key.KeyValue[1] = key.KeyValue[2] = 0;
  return record;
}

class Soak {
 public:
  Soak(const SoakOptions& options, std::ostream& out)
      : options_(options), out_(out), rng_(options.seed) {}

  SoakSummary Run() {
    const auto started = std::chrono::steady_clock::now();
    summary_.seed = options_.seed;
    Setup();
    std::uint64_t nextQuiet = Between(20, 100);
    for (step_ = 1; step_ <= options_.steps; ++step_) {
      RandomStep();
      SettleJobs();
      DeliverReports();
      if (step_ >= nextQuiet || step_ == options_.steps) {
        QuietPeriod();
        nextQuiet = step_ + Between(20, 100);
      }
      if (step_ == std::max<std::uint64_t>(1, options_.steps / 10)) summary_.heapAtTenth = LiveHeapBytes();
    }
    summary_.steps = options_.steps;
    // Measured while everything the run built is still alive: growth kept by the controller, the
    // simulator or the model shows here.
    summary_.heapAtEnd = LiveHeapBytes();
    // The program ends: whatever is still pending is saved.
    controller_->Shutdown();
    Note("the program ends");
    CheckFilesReadBack();
    controller_.reset();
    mouse_.reset();
    // Generous: the containers the run keeps (history, logs cleared each quiet period) settle
    // early; a real leak grows with the steps, many times more than this.
    summary_.heapGrew = summary_.heapAtEnd > summary_.heapAtTenth + summary_.heapAtTenth / 2 + (4u << 20);
    if (summary_.heapGrew) {
      Diverged("the live heap grew from " + std::to_string(summary_.heapAtTenth) + " to " +
               std::to_string(summary_.heapAtEnd) + " bytes");
    }
    summary_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return summary_;
  }

 private:
  AppState& S() { return *state_; }
  ProfileRecord& Current() { return S().CurrentRecord(); }
  DirtyFlags& Dirty() { return controller_->Session().Upload().Dirty(); }

  std::uint64_t Between(std::uint64_t low, std::uint64_t high) {
    return std::uniform_int_distribution<std::uint64_t>(low, high)(rng_);
  }
  int Pick(int count) { return static_cast<int>(Between(0, static_cast<std::uint64_t>(count - 1))); }
  bool Chance(int percent) { return Pick(100) < percent; }

  void Note(std::string what) {
    history_.push_back("step " + std::to_string(step_) + " t=" + std::to_string(window_.Now()) + "ms: " + what);
    if (history_.size() > kHistoryLength) history_.pop_front();
  }

  void Diverged(const std::string& what) {
    ++summary_.divergences;
    if (summary_.divergences > static_cast<std::uint64_t>(options_.reportLimit)) return;
    out_ << "DIVERGENCE seed=" << options_.seed << " step=" << step_ << ": " << what << "\n";
    out_ << "  last operations (oldest first):\n";
    for (const std::string& line : history_) out_ << "    " << line << "\n";
    out_ << "  replay: tools/soak --steps " << step_ << " --seed " << options_.seed << "\n";
  }

  // ---- setting up ----

  // Every profile at its slot's defaults, written; three macros in the library; the mouse on all
  // three links; the controller started as the window starts it; then one upload of every group
  // after forgetting the shadows, so that the mouse holds the current profile before the run.
  void Setup() {
    LoadAppConfig(S());
    S().currentProfile = GetCurrentProfile(S().config);
    BuildSensorDpiTables(S().sensor);
    for (int slot = 0; slot < kProfileCount; ++slot)
      ResetProfile(S().profiles[static_cast<std::size_t>(slot)], slot, S().texts, S().sensor.id);
    SaveAllProfiles(S());
    MakeLibrary();

    S().config[kNeedPassword].Value = L"0";
    mouse_ = std::make_unique<sim::SimMouse>(sim::StandardMouse(true, true, true));
    controller_ = std::make_unique<MainController>(*mouse_, clock_, window_, S());
    controller_->Start();
    SettleReports();
    controller_->Session().Upload().ForgetShadows(Current());
    for (DirtyGroup group : {DirtyGroup::kKeyMap, DirtyGroup::kDeviceSettings, DirtyGroup::kPower, DirtyGroup::kSensor})
      controller_->ScheduleUpload(group);
    Note("setup: shadows forgotten, every group scheduled");
    RunOutTimers();
    Snapshot();
  }

  void MakeLibrary() {
    struct Entry {
      const wchar_t* name;
      std::vector<MacroAction> actions;
      std::uint8_t loopType;
    };
    const Entry entries[] = {
        {L"burst", {MacroAction::Event(0x04, false), MacroAction::Delay(30), MacroAction::Event(0x04, true)}, 1},
        {L"long", {}, 2},
        {L"mouse", {MacroAction::Event(MacroAction::kMouseLeft, false), MacroAction::Delay(5000),
                    MacroAction::Event(MacroAction::kMouseLeft, true)}, 4},
    };
    for (const Entry& entry : entries) {
      MacroItemLocation location = MacroItemLocation::None();
      S().library.CreateMacro(entry.name, location);
      MacroKey* macro = S().library.ItemAt(location)->Macro.get();
      std::vector<MacroAction> actions = entry.actions;
      if (actions.empty()) {
        // Forty key strokes with delays: more entries than one packet carries.
        for (int i = 0; i < 40; ++i) {
          actions.push_back(MacroAction::Event(static_cast<std::uint8_t>(0x04 + i % 26), i % 2 != 0));
          actions.push_back(MacroAction::Delay(static_cast<std::uint32_t>(10 + i)));
        }
      }
      for (std::size_t i = 0; i < actions.size(); ++i) macro->InsertAction(static_cast<int>(i), actions[i]);
      macro->MacroKeyLoopType = entry.loopType;
      macro->MacroKeyLoopNum = 3;
      macroLocations_.push_back(location);
    }
  }

  // ---- the window's message loop ----

  void Fire(unsigned id) {
    controller_->OnTimer(id);
    SettleJobs();
    if (id == kTimerUpload || id == kTimerUploadRetry) ClearFaults();
  }

  // The faults injected for one upload end with it. Up to six refusals or failed reads: one beyond
  // the exchange's four attempts makes the upload give the command up, and the retry a second
  // later (or the next upload) must bring it to the mouse.
  void ClearFaults() {
    mouse_->FailNextAcknowledgeReads(0);
    mouse_->IgnoreNextCommands(0);
    mouse_->CorruptNextAcknowledges(0);
    mouse_->IgnoreNextMacroPackets(0);
    faultArmed_ = false;
  }

  // One fault at a time: a new one only when none waits for the next upload.
  bool ArmFault() {
    if (faultArmed_) return false;
    faultArmed_ = true;
    return true;
  }

  // Arms a fault of the mouse for the next 1..`most` exchanges of its kind (`set` with the count),
  // unless one already waits for the next upload.
  void ArmCountedFault(int most, void (sim::SimMouse::*set)(int), const char* what) {
    if (!ArmFault()) return;
    const int n = 1 + Pick(most);
    ((*mouse_).*set)(n);
    Note("next " + std::to_string(n) + " " + what);
  }

  // The device thread runs the uploads: each job's finish is handed back to the controller as the
  // window's message loop would, before the soak goes on (the soak's steps fall between uploads).
  void SettleJobs() {
    while (controller_->DeviceJobsInFlight()) {
      std::optional<JobFinish> finish = window_.TakeJobResult(std::chrono::seconds(30));
      if (!finish) {
        Diverged("a device job did not finish within 30 s");
        return;
      }
      controller_->OnJobResult(*finish);
    }
  }

  void DeliverReports() {
    while (auto report = window_.TakeReport()) {
      const int sensorChanges = window_.sensorChanges;
      controller_->OnInputReport(report->first, report->second);
      // A newly reported sensor gives every profile its DPI stages: the mouse's doing, not a loss.
      if (window_.sensorChanges != sensorChanges) {
        Note("the mouse reported a new sensor");
        Snapshot();
      }
    }
  }

  // The workers are real threads: give a report the mouse has just emitted time to arrive.
  // After the mouse emitted a report: waits (real time, bounded) until a worker has posted it, so
  // that it reaches the window before the next operation, as it would for a user.
  void AwaitEmittedReport() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
    while (window_.QueuedReports() == 0 && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    DeliverReports();
  }

  void SettleReports() {
    for (int i = 0; i < 20; ++i) {
      DeliverReports();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    DeliverReports();
  }

  // Fires timers in due order until no one-shot timer runs. False when that does not happen
  // within the cap (a timer that keeps restarting itself: the window would never settle).
  bool RunOutTimers() {
    for (int fired = 0; fired < kQuietFiringCap; ++fired) {
      DeliverReports();
      if (!window_.OneShotRunning()) return true;
      const std::optional<unsigned> id = window_.NextDue();
      if (!id) return true;
      Fire(*id);
    }
    return false;
  }

  void Snapshot() {
    expected_.clear();
    for (const ProfileRecord& record : S().profiles) expected_.push_back(WithoutResolvedSlots(record));
    expectedCurrent_ = S().currentProfile;
  }

  // ---- operations ----

  void Apply(const CommandResult& result, const std::string& what) {
    Note(what + (result.refused ? " (refused)" : ""));
    for (DirtyGroup group : result.schedule) controller_->ScheduleUpload(group);
    if (result.skipInputReports > 0) controller_->Session().Status().InputSkipCount = result.skipInputReports;
    Snapshot();
  }

  MainView View() { return ViewFromProfile(S(), controller_->Session().Status().RateCapability); }

  std::vector<LinkKind> PluggedLinks() const {
    std::vector<LinkKind> plugged;
    for (LinkKind link : kLinks)
      if (mouse_->IsPlugged(link)) plugged.push_back(link);
    return plugged;
  }

  void RandomStep() {
    MainView view = View();
    const int op = Pick(22);
    switch (op) {
      case 0: {
        const int stage = Pick(kDpiStageCount);
        view.stageChecks = static_cast<std::uint8_t>(view.stageChecks ^ (1u << stage));
        Apply(OnStageCheckClicked(view, S(), stage), "stage check " + std::to_string(stage));
        break;
      }
      case 1: {
        const int stage = Pick(kDpiStageCount);
        Apply(OnStageButtonClicked(view, S(), stage), "stage button " + std::to_string(stage));
        break;
      }
      case 2: {
        const int stage = Pick(kDpiStageCount);
        const int count = static_cast<int>(std::max<std::uint32_t>(S().sensor.count, 1));
        const int x = Pick(count);
        const std::optional<int> y = S().sensor.hasSeparateXY ? std::optional<int>(Pick(count)) : std::nullopt;
        Apply(OnStageValueConfirmed(view, S(), stage, x, y),
              "stage value " + std::to_string(stage) + " x=" + std::to_string(x) + " y=" + std::to_string(y.value_or(x)));
        break;
      }
      case 3: {
        const int stage = Pick(kDpiStageCount);
        const Colour colour = MakeColour(static_cast<std::uint8_t>(Pick(256)), static_cast<std::uint8_t>(Pick(256)),
                                         static_cast<std::uint8_t>(Pick(256)));
        Apply(OnStageColourConfirmed(view, S(), stage, colour), "stage colour " + std::to_string(stage));
        break;
      }
      case 4: {
        const int dial = 3041 + Pick(5), selected = Pick(7);
        Apply(OnRateDialClicked(S(), dial, selected), "rate dial " + std::to_string(dial) + " chose " + std::to_string(selected));
        break;
      }
      case 5: {
        const int radio = 3509 + Pick(3);
        Apply(OnLiftRadioClicked(view, S(), radio), "lift-off radio " + std::to_string(radio));
        break;
      }
      case 6: {
        const int value = 1 + Pick(8);
        Apply(OnPowerChosen(view, S(), value), "power " + std::to_string(value));
        break;
      }
      case 7: {
        const int check = 3540 + Pick(3);
        const bool checked = Chance(50);
        Apply(OnSensorCheckClicked(view, S(), check, checked),
              "sensor option " + std::to_string(check) + (checked ? " on" : " off"));
        break;
      }
      case 8: {
        const int count = std::clamp(GetProfileShowCount(S().config), 1, kProfileCount);
        const int slot = GetProfileShowList(S().config, Pick(count));
        Apply(OnProfileChosen(S(), slot), "switch to profile " + std::to_string(slot));
        break;
      }
      case 9: AssignMacro(); break;
      case 10: PlugLink(); break;
      case 11: UnplugLink(); break;
      case 12:
        mouse_->SetAwake(false);
        asleep_ = true;
        Note("mouse sleeps");
        AwaitEmittedReport();
        break;
      case 13:
        mouse_->SetAwake(true);
        asleep_ = false;
        Note("mouse wakes");
        AwaitEmittedReport();
        break;
      case 14: ArmCountedFault(6, &sim::SimMouse::FailNextAcknowledgeReads, "acknowledge reads fail"); break;
      case 15: ArmCountedFault(6, &sim::SimMouse::IgnoreNextCommands, "commands refused"); break;
      case 16: ArmCountedFault(2, &sim::SimMouse::CorruptNextAcknowledges, "acknowledges damaged"); break;
      case 17: ArmCountedFault(6, &sim::SimMouse::IgnoreNextMacroPackets, "macro packets refused"); break;
      case 18: MalformedReport(); break;
      case 19: InjectedReport(); break;
      default: {
        // Time passes: the window's timers fire as they fall due.
        const std::uint64_t ms = Between(1, 400);
        Note("time passes " + std::to_string(ms) + "ms");
        const std::uint64_t end = window_.Now() + ms;
        while (window_.Now() < end) {
          const std::optional<unsigned> id = window_.NextDueWithin(end - window_.Now());
          if (!id) break;
          Fire(*id);
          DeliverReports();
        }
        break;
      }
    }
  }

  // The macro selection dialog on a button: a library macro or "disabled", stored as the window
  // stores it, with the left-button guard and the device slot limit.
  void AssignMacro() {
    const int button = Pick(kButtonCount);
    const MacroItem* item = Chance(80) ? S().library.ItemAt(macroLocations_[static_cast<std::size_t>(Pick(3))]) : nullptr;
    const std::string what = "assign " + std::string(item ? "macro" : "disabled") + " to button " + std::to_string(button);
    if (!MacroAssignmentAllowed(Current(), button, controller_->Session().Mapping().MacroSlotNext())) {
      Note(what + " (no free macro slot)");
      return;
    }
    const AssignmentChoice choice = MacroSelectionChoice(item, S().texts);
    StoreChoice(Current(), button, choice);
    if (ApplyLeftButtonGuard(Current(), button, S().texts) == GuardOutcome::kUpload) {
      controller_->ScheduleUpload(DirtyGroup::kKeyMap);
      Note(what);
    } else {
      controller_->ScheduleAssignmentRejectedNotice();
      Note(what + " (left button restored)");
    }
    Snapshot();
  }

  void PlugLink() {
    std::vector<LinkKind> unplugged;
    for (LinkKind link : kLinks)
      if (!mouse_->IsPlugged(link)) unplugged.push_back(link);
    if (unplugged.empty()) return;
    const LinkKind link = unplugged[static_cast<std::size_t>(Pick(static_cast<int>(unplugged.size())))];
    mouse_->Plug(link);
    Note(std::string("plug ") + LinkName(link));
    controller_->OnDeviceChange(static_cast<std::uint32_t>(DeviceEvent::kArrival));
  }

  // Unplugs one link while another stays: the removal of the last link ends the program.
  void UnplugLink() {
    const std::vector<LinkKind> plugged = PluggedLinks();
    if (plugged.size() < 2) return;
    const LinkKind link = plugged[static_cast<std::size_t>(Pick(static_cast<int>(plugged.size())))];
    mouse_->Unplug(link);
    Note(std::string("unplug ") + LinkName(link));
    controller_->OnDeviceChange(static_cast<std::uint32_t>(DeviceEvent::kRemoveComplete));
  }

  // A report handed to the controller that is not the mouse's input report: another id, or none.
  void MalformedReport() {
    InputReportBytes report{};
    for (std::uint8_t& b : report) b = static_cast<std::uint8_t>(Pick(256));
    while (report[0] == kInputReportId) report[0] = static_cast<std::uint8_t>(Pick(256));
    if (Chance(20)) report.fill(0);
    const LinkKind link = kLinks[Pick(3)];
    Note(std::string("malformed report on ") + LinkName(link) + ": " + Hex(report));
    controller_->OnInputReport(link, report);
  }

  // Raw bytes of the wrong length and id read by a worker from a plugged link.
  void InjectedReport() {
    const std::vector<LinkKind> plugged = PluggedLinks();
    if (plugged.empty()) return;
    const LinkKind link = plugged[static_cast<std::size_t>(Pick(static_cast<int>(plugged.size())))];
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(Pick(65)));
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(Pick(256));
    if (!bytes.empty() && bytes[0] == kInputReportId) bytes[0] = 0x44;
    Note(std::string("raw report of ") + std::to_string(bytes.size()) + " bytes on " + LinkName(link));
    mouse_->InjectInputReport(link, std::move(bytes));
  }

  // ---- quiet period and checks ----

  void QuietPeriod() {
    ++summary_.quietPeriods;
    if (asleep_) {
      mouse_->SetAwake(true);
      asleep_ = false;
      Note("quiet: mouse wakes");
    }
    SettleReports();
    if (!RunOutTimers()) {
      Diverged("the timers did not settle within " + std::to_string(kQuietFiringCap) + " firings");
      return;
    }
    SettleReports();
    if (!RunOutTimers()) {
      Diverged("the timers did not settle after the last reports");
      return;
    }
    if (window_.quitAsked) Diverged("the program asked to quit while a link stayed plugged");
    CheckRecords();
    CheckMouse();
    CheckFiles();
    mouse_->ClearLog();
    mouse_->ClearSentReports();
  }

  void CheckRecords() {
    if (S().currentProfile != expectedCurrent_)
      Diverged("current profile " + std::to_string(S().currentProfile) + ", last chosen " + std::to_string(expectedCurrent_));
    for (int slot = 0; slot < kProfileCount; ++slot) {
      const ProfileRecord held = WithoutResolvedSlots(S().profiles[static_cast<std::size_t>(slot)]);
      if (held != expected_[static_cast<std::size_t>(slot)])
        Diverged("profile " + std::to_string(slot) + " no longer holds the last edits made to it" +
                 RecordDifference(held, expected_[static_cast<std::size_t>(slot)]));
    }
  }

  template <std::size_t N>
  void Compare(const char* what, std::span<const std::uint8_t> mouse, const std::array<std::uint8_t, N>& wanted) {
    if (!std::equal(mouse.begin(), mouse.end(), wanted.begin(), wanted.end()))
      Diverged(std::string(what) + ": mouse " + Hex(mouse) + ", profile " + Hex(wanted));
  }

  void CompareOptions(const char* what, const std::array<std::uint8_t, 3>& mouse, const std::array<std::uint8_t, 3>& wanted,
                      bool dirty) {
    if (dirty || mouse == wanted) return;
    Diverged(std::string(what) + ": mouse " + Hex(mouse) + ", profile " + Hex(wanted));
  }

  void CheckMouse() {
    const sim::MouseState mouse = mouse_->State();
    const ProfileRecord& record = Current();
    const DirtyFlags dirty = Dirty();
    // Edits refused for want of a usable link wait for the next upload (the rule for a sleeping
    // mouse on the receiver alone): their groups are not compared until then.
    if (!dirty.DeviceSettingsDirty) {
      for (int packet = 0; packet < 2; ++packet) {
        const auto data = DpiStagesData(record, S().sensor, packet);
        std::array<std::uint8_t, 14> held{};
        held[0] = mouse.dpiStage;
        held[1] = mouse.dpiMask;
        const auto& codes = packet == 0 ? mouse.dpiX : mouse.dpiY;
        for (std::size_t i = 0; i < 6; ++i) {
          held[2 + 2 * i] = static_cast<std::uint8_t>(codes[i]);
          held[3 + 2 * i] = static_cast<std::uint8_t>(codes[i] >> 8);
        }
        std::array<std::uint8_t, 14> wanted{};
        std::copy_n(data.begin(), 14, wanted.begin());
        Compare(packet == 0 ? "DPI stages X" : "DPI stages Y", held, wanted);
      }
      Compare("stage colours", mouse.stageColours, StageColoursData(record));
      Compare("report rate", std::span(&mouse.rateCode, 1), ReportRateData(record));
      Compare("lift-off", std::span(&mouse.liftOff, 1), LiftOffData(record));
      Compare("debounce", std::span(&mouse.debounce, 1), DebounceData(record));
      const auto lighting = LightingData(record);
      const std::array<std::uint8_t, 3> heldLighting{mouse.lightingEffect, mouse.lightingSpeedBrightness,
                                                     mouse.lightingDirection};
      Compare("lighting", heldLighting, std::array<std::uint8_t, 3>{lighting[1], lighting[2], lighting[3]});
    }
    CompareOptions("power", mouse.power, PowerData(record), dirty.PowerDirty);
    CompareOptions("sensor options", mouse.sensorOptions, SensorOptionsData(record), dirty.SensorDirty);
    if (!dirty.KeyMapDirty) {
      Compare("button mapping", mouse.buttonMapping, MappingData(record));
      for (int button = 0; button < kButtonCount; ++button) {
        const KeyAssignment& key = record.KeyAssignments[static_cast<std::size_t>(button)];
        if (key.KeyValue[0] != 0x90) continue;
        const std::uint8_t slot = key.KeyValue[1] & 0x0F;
        const MacroImage image = BuildMacroImage(key.Macro, slot);
        std::vector<std::uint8_t> entries;
        const int packets = MacroPacketCount(image);
        for (int i = 0; i < packets; ++i) {
          const auto data = MacroPacketData(image, i);
          const std::size_t count = data[0] > 0 ? data[0] - 1u : 0u;
          entries.insert(entries.end(), data.begin() + 2, data.begin() + 2 + static_cast<std::ptrdiff_t>(std::min<std::size_t>(count, 25)));
        }
        const auto held = mouse.macroSlots.find(slot);
        if (held == mouse.macroSlots.end() || !held->second.Complete() || held->second.packetCount != packets ||
            held->second.entries != entries) {
          Diverged("macro of button " + std::to_string(button) + " in device slot " + std::to_string(slot) +
                   (held == mouse.macroSlots.end() ? ": the mouse holds none"
                                                   : ": the mouse holds " + std::to_string(held->second.packetsReceived) +
                                                         " of " + std::to_string(held->second.packetCount) +
                                                         " packets, entries " + Hex(held->second.entries) +
                                                         ", wanted " + Hex(entries)));
        }
      }
    }
  }

  // Where two profile files part: the first differing line, or a note that they are equal.
  static std::string LinesDifference(const std::wstring& pathA, const std::wstring& pathB, const char* nameA,
                                     const char* nameB) {
    CStdioFileEx a, b;
    if (!a.Open(pathA, kOpenForReading) || !b.Open(pathB, kOpenForReading)) return ": a file could not be opened";
    std::wstring la, lb;
    for (int line = 1;; ++line) {
      const bool ra = a.ReadString(la), rb = b.ReadString(lb);
      if (la != lb)
        return ": line " + std::to_string(line) + " " + nameA + " \"" + ToUtf8(la) + "\", " + nameB + " \"" + ToUtf8(lb) + "\"";
      if (!ra && !rb) return ": the same lines (a field the file does not carry differs)";
    }
  }

  std::string RecordDifference(const ProfileRecord& held, const ProfileRecord& wanted) {
    const std::wstring a = state_.Folder().Program(L"soak_held.psf"), b = state_.Folder().Program(L"soak_wanted.psf");
    WriteProfileRecord(held, a);
    WriteProfileRecord(wanted, b);
    return LinesDifference(a, b, "holds", "the last edit left");
  }

  std::string FileDifference(const ProfileRecord& model, const std::wstring& path) {
    const std::wstring fresh = state_.Folder().Program(L"soak_model.psf");
    WriteProfileRecord(model, fresh);
    return LinesDifference(path, fresh, "reads", "the model writes");
  }

  // The save timer has run out: config.ini and the five profile files read back as the model.
  // Edits still waiting for a usable link are saved 10 s after their upload or when the program
  // ends (checked after the run), not before.
  void CheckFiles() {
    if (controller_->SavePending()) {
      Diverged("a save is still pending after the timers ran out");
      return;
    }
    if (Dirty().Any()) {
      ++summary_.quietWithWaitingEdits;
      Note("quiet: edits wait for a usable link");
      return;
    }
    CheckFilesReadBack();
  }

  void CheckFilesReadBack() {
    for (int slot = 0; slot < kProfileCount; ++slot) {
      const ProfileRecord& model = S().profiles[static_cast<std::size_t>(slot)];
      // The file does not carry the macros' loop options nor the library number inside a button's
      // macro copy (the button's own MacroKeyIndex is carried): those keep the reading record's values.
      auto read = std::make_unique<ProfileRecord>();
      for (std::size_t b = 0; b < read->KeyAssignments.size(); ++b) {
        const MacroKey& from = model.KeyAssignments[b].Macro;
        MacroKey& to = read->KeyAssignments[b].Macro;
        to.MacroKeyLoopType = from.MacroKeyLoopType;
        to.MacroKeyLoopNum = from.MacroKeyLoopNum;
        to.MacroCommandActionNum = from.MacroCommandActionNum;
        to.MacroKeyIndex = from.MacroKeyIndex;
      }
      const std::wstring path = ProfileSlotPath(S().config, slot);
      if (!ReadProfileRecord(path, *read) || *read != model)
        Diverged("profile file " + std::to_string(slot) + " does not read back as the model's record" +
                 FileDifference(model, path));
    }
    auto fresh = std::make_unique<SettingsModel>();
    fresh->env = S().env;
    LoadAppConfig(*fresh);
    if (GetCurrentProfile(fresh->config) != S().currentProfile)
      Diverged("config.ini names profile " + std::to_string(GetCurrentProfile(fresh->config)) + " as current");
  }

  const SoakOptions& options_;
  std::ostream& out_;
  std::mt19937_64 rng_;
  SoakSummary summary_;
  std::uint64_t step_ = 0;
  test::TestState<AppState> state_;
  VirtualClock clock_;
  SoakWindow window_;
  std::unique_ptr<sim::SimMouse> mouse_;
  std::unique_ptr<MainController> controller_;
  std::vector<MacroItemLocation> macroLocations_;
  std::vector<ProfileRecord> expected_;
  int expectedCurrent_ = 0;
  bool asleep_ = false;
  bool faultArmed_ = false;
  std::deque<std::string> history_;
};

}  // namespace

SoakSummary RunSoak(const SoakOptions& options, std::ostream& out) {
  auto soak = std::make_unique<Soak>(options, out);
  return soak->Run();
}

}  // namespace gm::soak
