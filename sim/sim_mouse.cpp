#include "sim/sim_mouse.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#include "device/command_report.h"
#include "device/config_commands.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm::sim {

namespace {

constexpr std::uint16_t kPointerUsagePage = 0x0001;
constexpr std::uint16_t kVendorInputUsagePage = 0xFF00;

const wchar_t* CollectionSuffix(std::size_t i) {
  static const wchar_t* kSuffix[] = {L"col01", L"col02", L"col03", L"col04", L"col05", L"col06"};
  return kSuffix[std::min<std::size_t>(i, 5)];
}

std::wstring Hex4(std::uint16_t v) {
  wchar_t buf[8];
  std::swprintf(buf, 8, L"%.4x", static_cast<unsigned>(v));
  return buf;
}

}  // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string out;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(bytes[i]));
    if (i) out += ' ';
    out += buf;
  }
  return out;
}

std::vector<CollectionSpec> StandardCollections() {
  return {
      {kPointerUsagePage, 0x02, 8, 0},                    // the pointer itself: ignored
      {kControlUsagePage, 0x01, 0, 33},                   // feature reports 5, 6, 0xBC
      {kVendorInputUsagePage, 0x01, kInputReportLength, 0},  // input report 4
  };
}

MouseSpec StandardMouse(bool wired, bool wireless, bool ble) {
  MouseSpec spec;
  const bool want[3] = {wired, wireless, ble};
  for (LinkKind link : kAllLinks) {
    LinkSpec& l = spec.links[IndexOf(link)];
    l.present = l.plugged = want[IndexOf(link)];
    l.productId = ProductIdOf(link);
    l.collections = StandardCollections();
    l.rateCapability = link == LinkKind::Ble ? 0x30 : 8;
  }
  return spec;
}

MouseState FactoryState(std::uint8_t sensorCode) {
  MouseState state;
  const std::optional<std::uint16_t> sensorId = SensorIdOfReportCode(sensorCode);
  if (!sensorId) return state;
  auto sensor = std::make_unique<SensorTables>();
  sensor->id = *sensorId;
  BuildSensorDpiTables(*sensor);
  auto record = std::make_unique<ProfileRecord>();
  ApplySensorDpiDefaults(*record, *sensorId);
  for (int packet = 0; packet < 2; ++packet) {
    const auto data = DpiStagesData(*record, *sensor, packet);
    state.dpiStage = data[0];
    state.dpiMask = data[1];
    auto& codes = packet == 0 ? state.dpiX : state.dpiY;
    for (std::size_t i = 0; i < codes.size(); ++i)
      codes[i] = static_cast<std::uint16_t>(data[2 + 2 * i] | (data[3 + 2 * i] << 8));
  }
  state.stageColours = StageColoursData(*record);
  return state;
}

SimMouse::SimMouse(MouseSpec spec) : spec_(std::move(spec)), state_(FactoryState(spec_.sensorCode)) {}

SimMouse::~SimMouse() {
  std::lock_guard lock(mutex_);
  for (auto& [id, h] : handles_) h.valid = false;
  readable_.notify_all();
}

// ---------------------------------------------------------------------------------------------
// Enumeration and handles

std::vector<SimMouse::Member> SimMouse::MembersLocked() const {
  std::vector<Member> members;
  for (std::size_t i = 0; i < spec_.foreignFirst.size(); ++i) {
    Member m;
    m.foreign = true;
    m.foreignIndex = i;
    m.path = spec_.foreignFirst[i].path;
    members.push_back(m);
  }
  for (LinkKind link : kAllLinks) {
    const LinkSpec& l = spec_.links[IndexOf(link)];
    if (!l.present || !l.plugged) continue;
    for (std::size_t c = 0; c < l.collections.size(); ++c) {
      Member m;
      m.link = link;
      m.collection = c;
      m.path = L"\\\\?\\hid#vid_" + l.pathVendorText + L"&pid_" + Hex4(l.productId) + L"&" +
               CollectionSuffix(c) + L"#7&2f1e3a&0&000" + std::to_wstring(c) +
               L"#{4d1e55b2-f16f-11cf-88cb-001111000030}";
      members.push_back(m);
    }
  }
  return members;
}

std::optional<std::wstring> SimMouse::InterfacePath(std::uint32_t index) {
  std::lock_guard lock(mutex_);
  auto members = MembersLocked();
  if (index >= members.size()) return std::nullopt;
  return members[index].path;
}

HidHandle SimMouse::Open(const std::wstring& path, HidOpenMode) {
  std::lock_guard lock(mutex_);
  for (const Member& m : MembersLocked()) {
    if (m.path != path) continue;
    const HidHandle id = nextHandle_++;
    handles_[id] = OpenHandle{m};
    return id;
  }
  return kNoHandle;
}

void SimMouse::Close(HidHandle handle) {
  std::lock_guard lock(mutex_);
  handles_.erase(handle);
  readable_.notify_all();
}

SimMouse::OpenHandle* SimMouse::FindLocked(HidHandle handle) {
  auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : &it->second;
}

bool SimMouse::UsableLocked(const OpenHandle& h) const {
  if (!h.valid) return false;
  if (h.member.foreign) return true;
  const LinkSpec& l = spec_.links[IndexOf(h.member.link)];
  return l.present && l.plugged;
}

bool SimMouse::GetAttributes(HidHandle handle, HidAttributes& out) {
  std::lock_guard lock(mutex_);
  OpenHandle* h = FindLocked(handle);
  if (!h || !UsableLocked(*h)) return false;
  if (h->member.foreign) {
    const ForeignDevice& f = spec_.foreignFirst[h->member.foreignIndex];
    out = {f.vendorId, f.productId, 0x0100};
  } else {
    const LinkSpec& l = spec_.links[IndexOf(h->member.link)];
    out = {l.vendorId, l.productId, l.versionNumber};
  }
  return true;
}

bool SimMouse::GetCaps(HidHandle handle, HidCaps& out) {
  std::lock_guard lock(mutex_);
  OpenHandle* h = FindLocked(handle);
  if (!h || !UsableLocked(*h)) return false;
  const CollectionSpec& c = h->member.foreign
                                ? spec_.foreignFirst[h->member.foreignIndex].caps
                                : spec_.links[IndexOf(h->member.link)].collections[h->member.collection];
  out = {};
  out.usage = c.usage;
  out.usagePage = c.usagePage;
  out.inputReportByteLength = c.inputReportByteLength;
  out.featureReportByteLength = c.featureReportByteLength;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Feature reports

void SimMouse::CountFeatureCallLocked(LinkKind link) {
  int& left = unplugAfter_[IndexOf(link)];
  if (left < 0) return;
  if (--left <= 0) {
    left = -1;
    UnplugLocked(link);
  }
}

bool SimMouse::SetFeature(HidHandle handle, std::span<const std::uint8_t> report) {
  std::lock_guard lock(mutex_);
  OpenHandle* h = FindLocked(handle);
  if (!h || !UsableLocked(*h) || h->member.foreign || report.empty()) return false;
  const LinkKind link = h->member.link;
  LogLocked("set ", link, report);
  sent_.emplace_back(report.begin(), report.end());
  sentLinks_.push_back(link);

  if (report[0] == kPairingReportId) {
    if (link == LinkKind::Wireless && report.size() == kPairingReportLength && report[1] == 3)
      ++state_.pairingRequests;
  } else if (report[0] == kCommandReportId) {
    // A report is acknowledged when its length fits its command, its checksum is right and it is
    // not a repeat of the previous sequence byte (every attempt carries a fresh one).
    const bool lengthOk = report.size() == kCommandReportLength ||
                          (report.size() == kLongCommandReportLength && report[1] == kCmdLighting);
    const bool checksumOk = lengthOk && report[4] == CommandChecksum(report);
    const bool fresh = lengthOk && report[2] != lastSequence_;
    lastAck_ = 0;
    if (lengthOk) lastSequence_ = report[2];
    if (checksumOk && fresh) {
      if (ignoreCommands_ > 0) {
        --ignoreCommands_;
      } else if (report[1] == kCmdMacroData && ignoreMacroPackets_ > 0) {
        --ignoreMacroPackets_;
      } else {
        ApplyCommandLocked(report);
        lastAck_ = 1;
      }
    }
  }
  CountFeatureCallLocked(link);
  NotifyChangeLocked();
  return true;
}

bool SimMouse::GetFeature(HidHandle handle, std::span<std::uint8_t> report) {
  std::lock_guard lock(mutex_);
  OpenHandle* h = FindLocked(handle);
  if (!h || !UsableLocked(*h) || h->member.foreign || report.empty()) return false;
  const LinkKind link = h->member.link;
  bool ok = true;
  if (report[0] == kCommandReportId) {
    if (failAckReads_ > 0) {
      --failAckReads_;
      ok = false;
    } else {
      std::fill(report.begin(), report.end(), std::uint8_t{0});
      report[0] = kCommandReportId;
      if (report.size() > 2) {
        report[1] = lastAck_;
        report[2] = static_cast<std::uint8_t>(lastSequence_ & 0xFF);
        if (corruptAcks_ > 0) {
          --corruptAcks_;
          report[1] ^= 0xA5;
          report[2] ^= 0xA5;
        }
      }
      lastAck_ = 0;
    }
  } else if (report[0] == kStatusReportId && report.size() >= 10) {
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    report[0] = kStatusReportId;
    for (std::size_t i = 0; i < 4 && i < statusSignature_.size(); ++i)
      report[1 + i] = static_cast<std::uint8_t>(statusSignature_[i]);
    report[5] = (link != LinkKind::Wireless || spec_.awake) ? 1 : 0;
    report[8] = spec_.firmwareSkipA;
    report[9] = spec_.firmwareSkipB;
  } else {
    ok = false;
  }
  if (ok) LogLocked("get ", link, report);
  CountFeatureCallLocked(link);
  return ok;
}

void SimMouse::ApplyCommandLocked(std::span<const std::uint8_t> r) {
  const std::uint8_t* d = r.data() + kCommandDataOffset;
  auto u16 = [&](std::size_t i) { return static_cast<std::uint16_t>(d[i] | (d[i + 1] << 8)); };
  switch (r[1]) {
    case kCmdDpiStages: {
      state_.dpiStage = d[0];
      state_.dpiMask = d[1];
      auto& codes = (r[3] >> 4) == 0 ? state_.dpiX : state_.dpiY;
      for (std::size_t i = 0; i < 6; ++i) codes[i] = u16(2 + 2 * i);
      break;
    }
    case kCmdStageColours: std::copy_n(d, 24, state_.stageColours.begin()); break;
    case kCmdReportRate: state_.rateCode = d[0]; break;
    case kCmdLiftOff: state_.liftOff = d[0]; break;
    case kCmdDebounce: state_.debounce = d[0]; break;
    case kCmdLighting:
      state_.lightingEffect = d[1];
      state_.lightingSpeedBrightness = d[2];
      state_.lightingDirection = d[3];
      break;
    case kCmdPower: std::copy_n(d, 3, state_.power.begin()); break;
    case kCmdSensorOptions: std::copy_n(d, 3, state_.sensorOptions.begin()); break;
    case kCmdButtonMapping: std::copy_n(d, 27, state_.buttonMapping.begin()); break;
    case kCmdMacroStart:
      if (d[0] == 0xFF) ++state_.macroUploadStarts;
      break;
    case kCmdMacroData: {
      // Data byte 0 counts the entry bytes of the packet + 1, byte 1 is the slot, then 25 bytes
      // of which the counted ones are entries. Packet 0 starts the slot afresh.
      MacroSlotContents& slot = state_.macroSlots[d[1]];
      const int index = r[3] >> 4;
      if (index == 0) slot = MacroSlotContents{};
      slot.packetCount = r[3] & 0x0F;
      const std::size_t count = std::min<std::size_t>(d[0] > 0 ? d[0] - 1u : 0u, 25);
      const std::size_t at = 25 * static_cast<std::size_t>(index);
      if (slot.entries.size() < at + count) slot.entries.resize(at + count);
      std::copy_n(d + 2, count, slot.entries.begin() + static_cast<std::ptrdiff_t>(at));
      // A resend of a packet (its acknowledge went missing) replaces it and counts once.
      const auto bit = static_cast<std::uint16_t>(1u << (index & 0x0F));
      if ((slot.receivedMask & bit) == 0) ++slot.packetsReceived;
      slot.receivedMask = static_cast<std::uint16_t>(slot.receivedMask | bit);
      break;
    }
    case kCmdFactoryReset:
      if (d[0] == 0xFF) {
        const int resets = state_.factoryResets + 1, pairings = state_.pairingRequests;
        auto counts = state_.acceptedByCode;
        state_ = FactoryState(spec_.sensorCode);
        state_.factoryResets = resets;
        state_.pairingRequests = pairings;
        state_.acceptedByCode = counts;
      }
      break;
    default: break;
  }
  ++state_.acceptedByCode[r[1]];
}

// ---------------------------------------------------------------------------------------------
// Input reports

bool SimMouse::Read(HidHandle handle, std::span<std::uint8_t> report) {
  std::unique_lock lock(mutex_);
  for (;;) {
    OpenHandle* h = FindLocked(handle);
    if (!h || !UsableLocked(*h) || h->cancelled || h->member.foreign) return false;
    const LinkSpec& l = spec_.links[IndexOf(h->member.link)];
    if (l.collections[h->member.collection].inputReportByteLength == 0) return false;
    auto& queue = inputQueues_[IndexOf(h->member.link)];
    if (!queue.empty()) {
      std::vector<std::uint8_t> bytes = std::move(queue.front());
      queue.pop_front();
      // A device delivers exactly the collection's report length: shorter reports are padded
      // with zeros, longer ones cut.
      std::fill(report.begin(), report.end(), std::uint8_t{0});
      std::copy_n(bytes.begin(), std::min(bytes.size(), report.size()), report.begin());
      return true;
    }
    readable_.wait(lock);
  }
}

void SimMouse::CancelRead(HidHandle handle) {
  std::lock_guard lock(mutex_);
  if (OpenHandle* h = FindLocked(handle)) h->cancelled = true;
  readable_.notify_all();
}

bool SimMouse::CarrierLocked(LinkKind& out) const {
  for (LinkKind link : {LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless}) {
    const LinkSpec& l = spec_.links[IndexOf(link)];
    if (l.present && l.plugged) {
      out = link;
      return true;
    }
  }
  return false;
}

void SimMouse::EmitLocked(LinkKind link, std::uint8_t launch) {
  const LinkSpec& l = spec_.links[IndexOf(link)];
  if (!l.present || !l.plugged) return;
  std::vector<std::uint8_t> r(kInputReportLength, 0);
  r[0] = kInputReportId;
  r[1] = (link != LinkKind::Wireless || spec_.awake) ? 1 : 0;
  r[2] = state_.dpiStage;
  r[3] = state_.rateCode;
  r[4] = spec_.battery;
  r[5] = spec_.chargeState;
  r[6] = state_.lightingEffect;
  r[7] = launch;
  r[8] = l.rateCapability;
  r[9] = spec_.sensorCode;
  LogLocked("in  ", link, r);
  inputQueues_[IndexOf(link)].push_back(std::move(r));
  readable_.notify_all();
}

void SimMouse::PressDpiButton() {
  std::lock_guard lock(mutex_);
  const std::uint8_t mask = state_.dpiMask ? state_.dpiMask : 0x01;
  std::uint8_t stage = state_.dpiStage;
  for (int i = 0; i < 8; ++i) {
    stage = static_cast<std::uint8_t>((stage + 1) % 8);
    if (mask & (1u << stage)) break;
  }
  state_.dpiStage = stage;
  if (LinkKind link; CarrierLocked(link)) EmitLocked(link, 0);
}

void SimMouse::ChangeRateOnDevice(std::uint8_t rateCode) {
  std::lock_guard lock(mutex_);
  state_.rateCode = rateCode;
  if (LinkKind link; CarrierLocked(link)) EmitLocked(link, 0);
}

void SimMouse::ChangeLightingOnDevice(std::uint8_t effect) {
  std::lock_guard lock(mutex_);
  state_.lightingEffect = effect;
  if (LinkKind link; CarrierLocked(link)) EmitLocked(link, 0);
}

void SimMouse::SetBattery(std::uint8_t level, std::uint8_t chargeState) {
  std::lock_guard lock(mutex_);
  spec_.battery = level;
  spec_.chargeState = chargeState;
  if (LinkKind link; CarrierLocked(link)) EmitLocked(link, 0);
}

void SimMouse::PressLaunchButton(std::uint8_t button) {
  std::lock_guard lock(mutex_);
  if (LinkKind link; CarrierLocked(link)) EmitLocked(link, button);
}

void SimMouse::SwapSensor(std::uint8_t sensorCode) {
  std::lock_guard lock(mutex_);
  spec_.sensorCode = sensorCode;
  if (LinkKind link; CarrierLocked(link)) EmitLocked(link, 0);
}

void SimMouse::SetAwake(bool awake) {
  std::lock_guard lock(mutex_);
  spec_.awake = awake;
  EmitLocked(LinkKind::Wireless, 0);
}

void SimMouse::EmitStatus() {
  std::lock_guard lock(mutex_);
  if (LinkKind link; CarrierLocked(link)) EmitLocked(link, 0);
}

void SimMouse::InjectInputReport(LinkKind link, std::vector<std::uint8_t> bytes) {
  std::lock_guard lock(mutex_);
  LogLocked("in  ", link, bytes);
  inputQueues_[IndexOf(link)].push_back(std::move(bytes));
  readable_.notify_all();
}

// ---------------------------------------------------------------------------------------------
// Plugging, faults, inspection

void SimMouse::Plug(LinkKind link) {
  std::lock_guard lock(mutex_);
  LinkSpec& l = spec_.links[IndexOf(link)];
  l.present = l.plugged = true;
  if (l.productId == 0) l.productId = ProductIdOf(link);
  if (l.collections.empty()) l.collections = StandardCollections();
  NotifyChangeLocked();
}

void SimMouse::UnplugLocked(LinkKind link) {
  spec_.links[IndexOf(link)].plugged = false;
  inputQueues_[IndexOf(link)].clear();
  for (auto& [id, h] : handles_)
    if (!h.member.foreign && h.member.link == link) h.valid = false;
  readable_.notify_all();
  NotifyChangeLocked();
}

void SimMouse::SetChangeObserver(std::function<void()> observer) {
  std::lock_guard lock(mutex_);
  changeObserver_ = std::move(observer);
}

void SimMouse::NotifyChangeLocked() const {
  if (changeObserver_) changeObserver_();
}

void SimMouse::Unplug(LinkKind link) {
  std::lock_guard lock(mutex_);
  UnplugLocked(link);
}

bool SimMouse::IsPlugged(LinkKind link) const {
  std::lock_guard lock(mutex_);
  const LinkSpec& l = spec_.links[IndexOf(link)];
  return l.present && l.plugged;
}

MouseState SimMouse::State() const {
  std::lock_guard lock(mutex_);
  return state_;
}

void SimMouse::SetRateCapability(LinkKind link, std::uint8_t capability) {
  std::lock_guard lock(mutex_);
  spec_.links[IndexOf(link)].rateCapability = capability;
}

void SimMouse::IgnoreNextCommands(int count) {
  std::lock_guard lock(mutex_);
  ignoreCommands_ = count;
}

void SimMouse::IgnoreNextMacroPackets(int count) {
  std::lock_guard lock(mutex_);
  ignoreMacroPackets_ = count;
}

void SimMouse::FailNextAcknowledgeReads(int count) {
  std::lock_guard lock(mutex_);
  failAckReads_ = count;
}

void SimMouse::CorruptNextAcknowledges(int count) {
  std::lock_guard lock(mutex_);
  corruptAcks_ = count;
}

void SimMouse::UnplugAfterFeatureCalls(LinkKind link, int calls) {
  std::lock_guard lock(mutex_);
  unplugAfter_[IndexOf(link)] = calls;
}

void SimMouse::SetStatusSignature(std::string signature) {
  std::lock_guard lock(mutex_);
  statusSignature_ = std::move(signature);
}

void SimMouse::LogLocked(const char* what, LinkKind link, std::span<const std::uint8_t> bytes) {
  log_.push_back(std::string(what) + LinkName(link) + " " + HexBytes(bytes));
}

std::vector<std::string> SimMouse::Log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

void SimMouse::ClearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

std::vector<std::vector<std::uint8_t>> SimMouse::SentReports() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

std::vector<LinkKind> SimMouse::SentReportLinks() const {
  std::lock_guard lock(mutex_);
  return sentLinks_;
}

void SimMouse::ClearSentReports() {
  std::lock_guard lock(mutex_);
  sent_.clear();
  sentLinks_.clear();
}

int SimMouse::OpenHandleCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(handles_.size());
}

}  // namespace gm::sim
