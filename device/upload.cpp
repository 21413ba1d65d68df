#include "device/upload.h"

#include <algorithm>

#include "device/command_report.h"
#include "device/config_commands.h"

namespace gm {

std::array<std::uint8_t, 34> DpiShadowBytes(const ProfileRecord& record, const SensorTables& sensor) {
  std::array<std::uint8_t, 34> bytes{};
  const auto x = DpiStagesData(record, sensor, 0);
  const auto y = DpiStagesData(record, sensor, 1);
  bytes[0] = x[0];
  bytes[1] = x[1];
  std::copy_n(x.begin() + 2, 12, bytes.begin() + 2);
  std::copy_n(y.begin() + 2, 12, bytes.begin() + 18);
  return bytes;
}

ConfigUpload::ConfigUpload(Transport& transport, MappingUploadSteps& mapping, const SensorTables& sensor)
    : transport_(transport), mapping_(mapping), sensor_(sensor) {}

bool ConfigUpload::AnyControlHandle() const { return ActiveControlHandle(transport_.Links()) != kNoHandle; }

bool ConfigUpload::BuildAndCompare(const ShadowPair& slots, std::span<const std::uint8_t> bytes) {
  auto& all = transport_.Slots();
  auto& build = all[slots.build];
  std::copy(bytes.begin(), bytes.end(), build.begin());
  return !std::equal(build.begin(), build.begin() + slots.compared, all[slots.shadow].begin());
}

void ConfigUpload::Settle(const ShadowPair& slots, bool acknowledged, bool DirtyFlags::*group) {
  auto& all = transport_.Slots();
  const auto build = all[slots.build].begin();
  const auto shadow = all[slots.shadow].begin();
  if (acknowledged) {
    std::copy_n(build, slots.compared, shadow);
    return;
  }
  // The mouse may or may not have taken it (a lost acknowledge looks the same as a refusal): its
  // shadow equals no build, so the next upload of the group sends it whatever the value is then.
  std::transform(build, build + slots.compared, shadow, [](std::uint8_t b) { return static_cast<std::uint8_t>(~b); });
  pending_.*group = true;
}

bool ConfigUpload::Send(std::uint8_t code, std::uint8_t packetByte, std::span<const std::uint8_t> data,
                        std::size_t length, bool changed) {
  const SendOutcome outcome = transport_.SendCommand(code, packetByte, data, length, changed);
  if (!changed) return true;
  somethingSent_ = true;
  return outcome == SendOutcome::kAccepted;
}

void ConfigUpload::WriteShadow(const ShadowPair& slots, std::span<const std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), transport_.Slots()[slots.shadow].begin());
}

void ConfigUpload::BuildConfigCommands(const ProfileRecord& record) {
  if (!AnyControlHandle()) return;

  const auto rate = ReportRateData(record);
  const auto lift = LiftOffData(record);
  const auto debounce = DebounceData(record);
  const auto dpiX = DpiStagesData(record, sensor_, 0);
  const auto dpiY = DpiStagesData(record, sensor_, 1);
  const auto colours = StageColoursData(record);
  const auto lighting = LightingData(record);

  const bool rateChanged = BuildAndCompare(kRateSlots, rate);
  const bool liftChanged = BuildAndCompare(kLiftSlots, lift);
  const bool debounceChanged = BuildAndCompare(kDebounceSlots, debounce);
  const bool dpiChanged = BuildAndCompare(kDpiSlots, DpiShadowBytes(record, sensor_));
  const bool coloursChanged = BuildAndCompare(kColourSlots, colours);
  const bool lightingChanged = BuildAndCompare(kLightingSlots, std::span(lighting).first(kLightingSlots.compared));

  constexpr auto group = &DirtyFlags::DeviceSettingsDirty;
  // Both DPI packets are sent whatever the first one's answer; the shadow takes them only when the
  // mouse acknowledged both.
  const bool dpiXTaken = Send(kCmdDpiStages, PacketByte(0, 2), dpiX, kCommandReportLength, dpiChanged);
  const bool dpiYTaken = Send(kCmdDpiStages, PacketByte(1, 2), dpiY, kCommandReportLength, dpiChanged);
  if (dpiChanged) Settle(kDpiSlots, dpiXTaken && dpiYTaken, group);
  const bool coloursTaken = Send(kCmdStageColours, PacketByte(0, 1), colours, kCommandReportLength, coloursChanged);
  if (coloursChanged) Settle(kColourSlots, coloursTaken, group);
  const bool rateTaken = Send(kCmdReportRate, PacketByte(0, 1), rate, kCommandReportLength, rateChanged);
  if (rateChanged) Settle(kRateSlots, rateTaken, group);
  const bool liftTaken = Send(kCmdLiftOff, PacketByte(0, 1), lift, kCommandReportLength, liftChanged);
  if (liftChanged) Settle(kLiftSlots, liftTaken, group);
  const bool debounceTaken = Send(kCmdDebounce, PacketByte(0, 1), debounce, kCommandReportLength, debounceChanged);
  if (debounceChanged) Settle(kDebounceSlots, debounceTaken, group);
  const bool lightingTaken = Send(kCmdLighting, PacketByte(0, 1), lighting, kLongCommandReportLength, lightingChanged);
  if (lightingChanged) Settle(kLightingSlots, lightingTaken, group);
}

void ConfigUpload::BuildPowerCommand(const ProfileRecord& record) {
  if (!AnyControlHandle()) return;
  const auto power = PowerData(record);
  const bool changed = BuildAndCompare(kPowerSlots, power);
  const bool taken = Send(kCmdPower, PacketByte(0, 1), power, kCommandReportLength, changed);
  if (changed) Settle(kPowerSlots, taken, &DirtyFlags::PowerDirty);
}

void ConfigUpload::BuildSensorOptionsCommand(const ProfileRecord& record) {
  if (!AnyControlHandle()) return;
  const auto options = SensorOptionsData(record);
  const bool changed = BuildAndCompare(kSensorSlots, options);
  const bool taken = Send(kCmdSensorOptions, PacketByte(0, 1), options, kCommandReportLength, changed);
  if (changed) Settle(kSensorSlots, taken, &DirtyFlags::SensorDirty);
}

void ConfigUpload::WriteAllShadows(const ProfileRecord& record, bool invert) {
  auto write = [&](const ShadowPair& slots, auto bytes) {
    if (invert)
      for (auto& b : bytes) b = static_cast<std::uint8_t>(~b);
    WriteShadow(slots, std::span<const std::uint8_t>(bytes.data(), slots.compared));
  };
  write(kRateSlots, ReportRateData(record));
  write(kLiftSlots, LiftOffData(record));
  write(kDebounceSlots, DebounceData(record));
  write(kDpiSlots, DpiShadowBytes(record, sensor_));
  write(kColourSlots, StageColoursData(record));
  write(kPowerSlots, PowerData(record));
  write(kSensorSlots, SensorOptionsData(record));
  // Data byte 0 of every lighting build is 0: a shadow starting with 0xFF never equals one.
  std::fill_n(transport_.Slots()[kLightingSlots.shadow].begin(), kLightingSlots.compared, std::uint8_t{0xFF});
}

bool ConfigUpload::PrimeShadows(ProfileRecord& record) {
  const ExchangeRun run(transport_.Busy());
  if (!run.Started()) return false;
  mapping_.PrimeMappingShadow(record, transport_);
  WriteAllShadows(record, false);
  mapping_.ResolveMacroSlots(record);
  mapping_.UploadMacros(record, transport_, false, somethingSent_);
  return true;
}

bool ConfigUpload::ForgetShadows(const ProfileRecord& record) {
  const ExchangeRun run(transport_.Busy());
  if (!run.Started()) return false;
  mapping_.ForgetMappingShadow(record, transport_);
  WriteAllShadows(record, true);
  return true;
}

UploadResult ConfigUpload::SendDirtyGroups(ProfileRecord& record, bool mouseOnline) {
  const ExchangeRun run(transport_.Busy());
  if (!run.Started()) return UploadResult::kBusy;

  const auto& links = transport_.Links();
  const bool wiredOrBle =
      links.ControlHandle(LinkKind::Wired) != kNoHandle || links.ControlHandle(LinkKind::Ble) != kNoHandle;
  // Without any open control handle nothing can be built either: keep the edits pending rather
  // than clearing the dirty flags over an upload that could not happen.
  if ((!wiredOrBle && !mouseOnline) || !AnyControlHandle()) return UploadResult::kNoLink;

  mapping_.ResolveMacroSlots(record);
  pending_ = DirtyFlags{};
  if (dirty_.KeyMapDirty && !mapping_.BuildMappingCommand(record, transport_, somethingSent_))
    pending_.KeyMapDirty = true;
  if (dirty_.DeviceSettingsDirty) BuildConfigCommands(record);
  if (dirty_.PowerDirty) BuildPowerCommand(record);
  if (dirty_.SensorDirty) BuildSensorOptionsCommand(record);
  // A macro the mouse did not take goes out again with the button mapping: marking it keeps the
  // mouse's own reports from re-priming its shadow until then.
  if (!mapping_.UploadMacros(record, transport_, true, somethingSent_)) pending_.KeyMapDirty = true;
  dirty_ = pending_;
  return UploadResult::kDone;
}

UploadResult ConfigUpload::UploadPendingChanges(ProfileRecord& record, bool mouseOnline, UploadHost& host) {
  somethingSent_ = false;
  if (!host.WindowShown()) return UploadResult::kNotShown;
  // The window's answers come after the run has ended: the progress dialog handles messages, and
  // an upload asked for there is not refused.
  const UploadResult result = SendDirtyGroups(record, mouseOnline);
  if (result == UploadResult::kNoLink) host.ShowNoLinkNotice();
  if (result != UploadResult::kDone) return result;

  if (somethingSent_) host.ShowSendProgress();
  host.RestartSaveTimer();
  host.Refresh();
  return UploadResult::kDone;
}

}  // namespace gm
