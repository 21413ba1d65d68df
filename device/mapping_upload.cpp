#include "device/mapping_upload.h"

#include <algorithm>

#include "device/command_report.h"
#include "settings/language.h"
#include "settings/language_indexes.h"

namespace gm {

namespace {

bool HandleOpen(const Transport& transport) { return ActiveControlHandle(transport.Links()) != kNoHandle; }

ReportSlot& MacroShadow(Transport& transport, std::uint8_t slot) {
  return transport.Slots()[kMacroShadowFirstSlot + (slot & 0x0F)];
}

bool IsMacroButton(const KeyAssignment& key) { return key.KeyValue[0] == kMacroFunction; }

std::uint8_t DeviceSlotOf(const KeyAssignment& key) { return static_cast<std::uint8_t>(key.KeyValue[1] & 0x0F); }

void ZeroMacroShadows(Transport& transport, std::size_t bytes, std::size_t count = kMacroShadowCount) {
  for (std::size_t i = 0; i < std::min(count, kMacroShadowCount); ++i)
    std::fill_n(transport.Slots()[kMacroShadowFirstSlot + i].begin(), bytes, std::uint8_t{0});
}

}  // namespace

SendOutcome SendMacroPacket(Transport& transport, std::uint8_t packetByte, std::span<const std::uint8_t> data,
                            bool& wentOut) {
  if (data.size() > kCommandDataRoom) return SendOutcome::kRejected;
  ReportSlot& work = transport.Slots()[0];
  Clock& clock = transport.GetClock();
  for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
    if (attempt > 0) clock.Sleep(kAcknowledgeGap);
    const std::uint8_t sequence = transport.CommandSequence();
    transport.SetCommandSequence(static_cast<std::uint8_t>(sequence + 1));
    BuildCommandReport(std::span(work.data(), kCommandReportLength), kCmdMacroData, sequence, packetByte, data);
    if (HidHandle h = ActiveControlHandle(transport.Links()); h != kNoHandle) {
      transport.Hid().SetFeature(h, std::span<const std::uint8_t>(work.data(), kCommandReportLength));
      wentOut = true;
    }
    clock.Sleep(kMacroPacketGap);

    // A failed read leaves byte 1 at 0: a missing acknowledge.
    std::fill_n(work.begin(), kCommandReportLength, std::uint8_t{0});
    work[0] = kCommandReportId;
    if (HidHandle h = ActiveControlHandle(transport.Links()); h != kNoHandle) {
      if (!transport.Hid().GetFeature(h, std::span(work.data(), kCommandReportLength))) work[1] = 0;
    }
    if (work[1] != 0) return SendOutcome::kAccepted;
  }
  return SendOutcome::kGivenUp;
}

MappingUpload::MappingUpload(const MacroLibrary& library, const LanguageTable& texts)
    : library_(library), texts_(texts) {}

std::optional<std::uint8_t> MappingUpload::SlotOfItem(const MacroItemLocation& location) const {
  for (const ItemSlot& s : itemSlots_)
    if (s.location == location) return s.slot;
  return std::nullopt;
}

void MappingUpload::ResolveMacroSlots(ProfileRecord& record) {
  if (holdButtonMacros_) return;
  macroSlotNext_ = 1;
  itemSlots_.clear();
  for (KeyAssignment& key : record.KeyAssignments) {
    if (!IsMacroButton(key)) continue;
    const std::optional<MacroItemLocation> location = library_.FindMacro(key.MacroKeyIndex);
    const MacroItem* item = location ? library_.ItemAt(*location) : nullptr;
    if (!item || !item->Macro) {
      key.KeyName = texts_[kTextDisabled];
      key.KeyValue = {0, 0, 0};
      continue;
    }
    std::optional<std::uint8_t> slot = SlotOfItem(*location);
    if (!slot) {
      slot = static_cast<std::uint8_t>(macroSlotNext_ & 0x0F);
      itemSlots_.push_back({*location, *slot});
      ++macroSlotNext_;
    }
    const MacroKey& macro = *item->Macro;
    if (refreshButtonMacros_) key.Macro = macro;
    key.Macro.MacroCommandActionNum = macro.MacroCommandActionNum;
    key.KeyValue = {kMacroFunction, static_cast<std::uint8_t>((macro.MacroKeyLoopType << 4) | *slot),
                    macro.MacroKeyLoopType == 2 ? macro.MacroKeyLoopNum : std::uint8_t{0}};
  }
  refreshButtonMacros_ = false;
}

bool MappingUpload::BuildMappingCommand(const ProfileRecord& record, Transport& transport, bool& somethingSent) {
  if (!HandleOpen(transport)) return true;
  ZeroMacroShadows(transport, kReportSlotSize);

  const auto functions = MappingFunctionBytes(record);
  auto shadow = transport.Slots()[kMappingShadowSlot].begin() + kMappingShadowOffset;
  const bool changed = !std::equal(functions.begin(), functions.end(), shadow);

  const SendOutcome outcome =
      transport.SendCommand(kCmdButtonMapping, PacketByte(0, 1), MappingData(record), kCommandReportLength, changed);
  if (!changed) return true;
  somethingSent = true;
  if (outcome == SendOutcome::kAccepted) {
    std::copy(functions.begin(), functions.end(), shadow);
    return true;
  }
  // Given up: the mouse may hold the new functions or the old ones; a shadow equal to neither
  // makes the next mapping command go out.
  std::transform(functions.begin(), functions.end(), shadow, [](std::uint8_t b) { return static_cast<std::uint8_t>(~b); });
  return false;
}

bool MappingUpload::UploadMacros(const ProfileRecord& record, Transport& transport, bool send, bool& somethingSent) {
  bool anyChanged = false;
  for (const KeyAssignment& key : record.KeyAssignments) {
    if (!IsMacroButton(key)) continue;
    const MacroImage image = BuildMacroImage(key.Macro, DeviceSlotOf(key));
    ReportSlot& shadow = MacroShadow(transport, DeviceSlotOf(key));
    if (!std::equal(image.begin(), image.end(), shadow.begin())) anyChanged = true;
    std::copy(image.begin(), image.end(), shadow.begin());
  }
  if (!send || !anyChanged) return true;

  if (HandleOpen(transport)) somethingSent = true;
  const bool started =
      transport.SendCommand(kCmdMacroStart, PacketByte(0, 1), kMacroStartData, kCommandReportLength, true) ==
      SendOutcome::kAccepted;
  transport.GetClock().Sleep(kMacroStartGap);

  // Every macro button goes out again after the start command, a shared macro once per button. A
  // slot's shadow takes its image only when the mouse acknowledged every packet of it (the last
  // button of a shared slot decides, as its packets are the ones the slot keeps).
  ZeroMacroShadows(transport, kMacroImageSize);
  bool delivered = started;
  for (const KeyAssignment& key : record.KeyAssignments) {
    if (!IsMacroButton(key)) continue;
    const MacroImage image = BuildMacroImage(key.Macro, DeviceSlotOf(key));
    const int packets = MacroPacketCount(image);
    bool complete = true;
    for (int p = 0; p < packets; ++p) {
      bool wentOut = false;
      const SendOutcome outcome =
          SendMacroPacket(transport, PacketByte(static_cast<unsigned>(p), static_cast<unsigned>(packets)),
                          MacroPacketData(image, p), wentOut);
      if (wentOut) somethingSent = true;
      if (outcome != SendOutcome::kAccepted) complete = false;
    }
    ReportSlot& shadow = MacroShadow(transport, DeviceSlotOf(key));
    if (complete) {
      std::copy(image.begin(), image.end(), shadow.begin());
    } else {
      std::fill_n(shadow.begin(), kMacroImageSize, std::uint8_t{0});
      delivered = false;
    }
  }
  // Without the start command's acknowledge the mouse may have kept none of them.
  if (!started) ZeroMacroShadows(transport, kMacroImageSize);
  return delivered;
}

void MappingUpload::PrimeMappingShadow(const ProfileRecord& record, Transport& transport) {
  ReportSlot& shadow = transport.Slots()[kMappingShadowSlot];
  shadow.fill(0xFF);
  const auto functions = MappingFunctionBytes(record);
  std::copy(functions.begin(), functions.end(), shadow.begin() + kMappingShadowOffset);
}

void MappingUpload::ForgetMappingShadow(const ProfileRecord& record, Transport& transport) {
  PrimeMappingShadow(record, transport);
  auto shadow = transport.Slots()[kMappingShadowSlot].begin() + kMappingShadowOffset;
  std::for_each(shadow, shadow + kMappingFunctionBytes, [](std::uint8_t& b) { b = static_cast<std::uint8_t>(~b); });
}

void MappingUpload::ZeroMacroShadowSlots(Transport& transport, int count) {
  ZeroMacroShadows(transport, kMacroImageSize, static_cast<std::size_t>(std::max(count, 0)));
}

}  // namespace gm
