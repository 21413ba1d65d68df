// `gmctl device`: find the mouse's links, read its status, and bring it in line with a profile
// file the way an upload does. `--sim` talks to the built-in simulated mouse instead of hardware;
// `apply --dry-run` touches no device and prints the reports an upload would send. The macros of
// the profile's macro buttons are uploaded as the file holds them.
#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "command.h"
#include "device/command_report.h"
#include "device/device_session.h"
#include "device/mapping_upload.h"
#include "device/upload_preview.h"
#include "settings/number_text.h"
#include "settings/profile_file.h"
#include "settings/utf.h"
#include "sim/sim_mouse.h"

#ifdef _WIN32
#include "device/win32/win32_hid.h"
#elif defined(GM_HAVE_HIDAPI)
#include "device/hidapi/hidapi_calls_linux.h"
#include "device/hidapi/hidapi_hid.h"
#endif

namespace gmctl {
int RunDeviceFirmware(Args args);
}

namespace {

constexpr const char* kUsage =
    "device list|status [--sim] | device apply PROFILE [--dry-run] [--sim] [--sensor 0xID] | "
    "device firmware IMAGE (--sim | --dry-run) [--system FILE]";

// The device link needs a window host; a command-line run has no window.
class ConsoleHost : public gm::DeviceHost, public gm::UploadHost {
 public:
  void RunScanWindowSteps() override {}
  void PostInputReport(gm::LinkKind, const gm::InputReportBytes&) override {}
  bool WindowShown() const override { return true; }
  void ShowNoLinkNotice() override { noLink = true; }
  void ShowSendProgress() override {}
  void RestartSaveTimer() override {}
  void Refresh() override {}
  bool noLink = false;
};

struct Options {
  bool sim = false;
  bool dryRun = false;
  std::string sensor;
  std::vector<std::string> positional;
};

bool ParseOptions(gmctl::Args args, Options& o) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--sim") {
      o.sim = true;
    } else if (args[i] == "--dry-run") {
      o.dryRun = true;
    } else if (args[i] == "--sensor" && i + 1 < args.size()) {
      o.sensor = args[++i];
    } else if (args[i].rfind("--", 0) == 0) {
      return false;
    } else {
      o.positional.push_back(args[i]);
    }
  }
  return true;
}

std::string Hex4(std::uint32_t v) { return "0x" + gm::ToUtf8(gm::HexText(v, 4)); }

constexpr const char* kUdevRule = "tools/gmctl/70-gamingmouse.rules";

// The backend a command talks to: the simulated mouse (wired and wireless links) or the
// platform's HID (`hid` null when this platform has none).
struct Backend {
#ifdef GM_HAVE_HIDAPI
  std::unique_ptr<gm::hidapi::LinuxHidapiCalls> calls;  // declared first: outlives `hid`
  gm::hidapi::HidapiHid* hidapi = nullptr;              // `hid`, when it is hidapi
#endif
  std::unique_ptr<gm::HidApi> hid;

  // The reason of a scan that found no mouse, with what the user can do about it.
  std::string NoMouse() const {
#ifdef GM_HAVE_HIDAPI
    if (hidapi) {
      const std::set<std::string> refused = hidapi->RefusedNodes();
      if (!refused.empty()) {
        return "the mouse is at " + *refused.begin() +
               " but this user may not open it (permission denied): install the udev rule " + kUdevRule +
               " (see the README) and plug the mouse in again";
      }
      return std::string("no mouse found (plugged in? the udev rule ") + kUdevRule +
             " gives the logged-in user access to it)";
    }
#endif
    return "no mouse found";
  }
};

Backend MakeBackend(bool sim) {
  Backend b;
  if (sim) {
    b.hid = std::make_unique<gm::sim::SimMouse>(gm::sim::StandardMouse(true, true, false));
    return b;
  }
#ifdef _WIN32
  b.hid = std::make_unique<gm::win::Win32Hid>();
#elif defined(GM_HAVE_HIDAPI)
  b.calls = std::make_unique<gm::hidapi::LinuxHidapiCalls>();
  auto hid = std::make_unique<gm::hidapi::HidapiHid>(*b.calls);
  b.hidapi = hid.get();
  b.hid = std::move(hid);
#endif
  return b;
}

std::unique_ptr<gm::Clock> MakeClock(bool sim) {
  if (sim) return std::make_unique<gm::VirtualClock>();
  return std::make_unique<gm::SystemClock>();
}

// The links of the mouse; no mouse at all is a failure (exit 1) with the reason.
int List(const Options& o) {
  const Backend backend = MakeBackend(o.sim);
  if (!backend.hid) return gmctl::Fail(1, "no HID backend on this platform (use --sim)");
  auto clock = MakeClock(o.sim);
  ConsoleHost host;
  const auto state = std::make_unique<gm::AppState>();  // this run's own, empty state
  gm::DeviceSession session(*backend.hid, *clock, host, *state, state->library);
  session.Links().ScanDevices();
  if (!session.Links().AnyLinkPresent()) {
    session.Shutdown();
    return gmctl::Fail(1, backend.NoMouse());
  }
  const auto active = session.Links().ActiveLink();
  nlohmann::json out;
  out["links"] = nlohmann::json::array();
  for (gm::LinkKind link : gm::kAllLinks) {
    const gm::LinkState& s = session.Links().State(link);
    nlohmann::json j;
    j["link"] = gm::LinkName(link);
    j["productId"] = Hex4(gm::ProductIdOf(link));
    j["present"] = s.present;
    if (s.present) {
      j["controlIndex"] = s.controlIndex;
      j["inputIndex"] = s.inputIndex;
      j["controlOpen"] = s.controlHandle != gm::kNoHandle;
    }
    j["active"] = active && *active == link;
    out["links"].push_back(j);
  }
  out["active"] = active ? nlohmann::json(gm::LinkName(*active)) : nlohmann::json(nullptr);
  if (session.Links().State(gm::LinkKind::Wired).present)
    out["wiredVersion"] = Hex4(session.Links().WiredVersionNumber());
  session.Shutdown();
  gmctl::Print(out.dump(2) + "\n");
  return 0;
}

int Status(const Options& o) {
  const Backend backend = MakeBackend(o.sim);
  if (!backend.hid) return gmctl::Fail(1, "no HID backend on this platform (use --sim)");
  auto clock = MakeClock(o.sim);
  ConsoleHost host;
  const auto state = std::make_unique<gm::AppState>();  // this run's own, empty state
  gm::DeviceSession session(*backend.hid, *clock, host, *state, state->library);
  session.Links().ScanDevices();
  if (!session.Links().AnyLinkPresent()) {
    session.Shutdown();
    return gmctl::Fail(1, backend.NoMouse());
  }
  const gm::StatusAnswer a = session.ReadStatusReport();
  session.Shutdown();
  if (!a.valid) return gmctl::Fail(1, "the mouse gave no valid status report");
  nlohmann::json out;
  out["link"] = gm::LinkName(a.link);
  out["online"] = a.online;
  if (a.link == gm::LinkKind::Wired) {
    out["firmwareSkipA"] = a.firmwareSkipA;
    out["firmwareSkipB"] = a.firmwareSkipB;
  }
  gmctl::Print(out.dump(2) + "\n");
  return 0;
}

// A library holding the macros the profile file gives its macro buttons, under their numbers, so
// that the upload resolves each button to the macro it carries.
void AddButtonMacros(const gm::ProfileRecord& record, gm::MacroLibrary& library) {
  int next = 0;
  for (const gm::KeyAssignment& key : record.KeyAssignments) {
    if (key.KeyValue[0] != gm::kMacroFunction || key.MacroKeyIndex == 0 || library.FindMacro(key.MacroKeyIndex))
      continue;
    // The file keeps the loop in the button's function bytes and no command count: take both
    // from there, so the resolution gives the button back the function it has.
    gm::MacroKey macro = key.Macro;
    macro.MacroKeyIndex = key.MacroKeyIndex;
    macro.MacroKeyLoopType = static_cast<std::uint8_t>(key.KeyValue[1] >> 4);
    if (macro.MacroKeyLoopType == 2) macro.MacroKeyLoopNum = key.KeyValue[2];
    int commands = 0;
    for (std::uint32_t i = 0; i < macro.MacroActionNum && i < macro.Actions.size(); ++i)
      commands += macro.Actions[i].IsCommand() ? 1 : 0;
    macro.MacroCommandActionNum = static_cast<std::uint8_t>(std::min(commands, 255));
    library.PlaceMacroAt(L"Button macro " + std::to_wstring(next + 1), gm::MacroItemLocation::Level0(next), macro);
    ++next;
  }
}

int Apply(const Options& o) {
  if (o.positional.size() != 1) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  // This run's own state: the sensor the upload is made for, the button macros, no language texts.
  const auto state = std::make_unique<gm::AppState>();
  if (!o.sensor.empty()) {
    const std::wstring text = gm::FromUtf8(o.sensor);
    const bool hex = text.size() > 2 && text.size() <= 6 && text.substr(0, 2) == L"0x" &&
                     text.find_first_not_of(L"0123456789abcdefABCDEF", 2) == std::wstring::npos;
    if (!hex) return gmctl::Fail(2, "--sensor needs a hexadecimal id such as 0x3950");
    state->sensor.id = static_cast<std::uint16_t>(gm::ParseLong(text, 16));
  }
  if (!gm::IsKnownSensor(state->sensor.id)) return gmctl::Fail(1, "unknown sensor " + Hex4(state->sensor.id));
  gm::BuildSensorDpiTables(state->sensor);

  const std::string& path = o.positional[0];
  gm::ProfileRecord record;
  if (!gm::ReadProfileRecord(gm::FromUtf8(path), record))
    return gmctl::Fail(1, path + ": not a readable profile file");

  AddButtonMacros(record, state->library);
  ConsoleHost host;
  if (o.dryRun) {
    std::string text;
    for (const auto& r : gm::PreviewFullUpload(record, state->library, state->sensor, state->texts)) text += gm::sim::HexBytes(r) + "\n";
    gmctl::Print(text);
    return 0;
  }

  const Backend backend = MakeBackend(o.sim);
  if (!backend.hid) return gmctl::Fail(1, "no HID backend on this platform (use --sim or --dry-run)");
  auto clock = MakeClock(o.sim);
  gm::DeviceSession session(*backend.hid, *clock, host, *state, state->library);
  session.Links().ScanDevices();
  if (!session.Links().AnyLinkPresent()) {
    session.Shutdown();
    return gmctl::Fail(1, backend.NoMouse());
  }
  const gm::StatusAnswer status = session.ReadStatusReport();
  session.Upload().ForgetShadows(record);
  session.Upload().Dirty() = {true, true, true, true};
  const gm::UploadResult result =
      session.Upload().UploadPendingChanges(record, status.valid && status.online, host);
  session.Shutdown();
  if (result != gm::UploadResult::kDone) return gmctl::Fail(1, "the mouse is not reachable (offline or no link)");
  if (o.sim) {
    std::string text;
    for (const std::string& line : static_cast<gm::sim::SimMouse&>(*backend.hid).Log()) text += line + "\n";
    gmctl::Print(text);
  }
  return 0;
}

int RunDevice(gmctl::Args args) {
  if (!args.empty() && args[0] == "firmware") return gmctl::RunDeviceFirmware(args);  // device_firmware.cpp
  Options o;
  if (args.empty() || !ParseOptions(args, o)) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  if (args[0] == "list" && o.positional.empty() && !o.dryRun) return List(o);
  if (args[0] == "status" && o.positional.empty() && !o.dryRun) return Status(o);
  if (args[0] == "apply") return Apply(o);
  return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
}

}  // namespace

GMCTL_COMMAND(device, kUsage, RunDevice);
