#include "device/transport.h"

#include <algorithm>

#include "device/command_report.h"

namespace gm {

HidHandle ActiveControlHandle(const ControlHandleSource& links) {
  for (LinkKind link : {LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless})
    if (HidHandle h = links.ControlHandle(link); h != kNoHandle) return h;
  return kNoHandle;
}

Transport::Transport(HidApi& hid, Clock& clock, const ControlHandleSource& links)
    : hid_(hid), clock_(clock), links_(links), slots_(std::make_unique<ReportSlots>()) {
  for (auto& slot : *slots_) slot.fill(0);
}

SendOutcome Transport::SendCommand(std::uint8_t code, std::uint8_t packetByte,
                                   std::span<const std::uint8_t> data, std::size_t reportLength,
                                   bool changed) {
  const std::size_t length =
      reportLength == kLongCommandReportLength ? kLongCommandReportLength : kCommandReportLength;
  if (data.size() > length - kCommandDataOffset) return SendOutcome::kRejected;

  ReportSlot& work = (*slots_)[0];
  retryCount_ = 0;
  for (;;) {
    if (changed) {
      BuildCommandReport(std::span(work.data(), length), code, sequence_++, packetByte, data);
      if (HidHandle h = ActiveControlHandle(links_); h != kNoHandle)
        hid_.SetFeature(h, std::span<const std::uint8_t>(work.data(), length));
    }
    clock_.Sleep(kAcknowledgeGap);
    if (!changed) return SendOutcome::kUnchanged;

    // A failed read leaves byte 1 at 0: a missing acknowledge.
    std::fill_n(work.begin(), kCommandReportLength, std::uint8_t{0});
    work[0] = kCommandReportId;
    if (HidHandle h = ActiveControlHandle(links_); h != kNoHandle) {
      if (!hid_.GetFeature(h, std::span(work.data(), kCommandReportLength))) work[1] = 0;
    }
    if (work[1] != 0) return SendOutcome::kAccepted;

    clock_.Sleep(kAcknowledgeGap);
    if (++retryCount_ >= kSendAttempts) return SendOutcome::kGivenUp;
  }
}

StatusAnswer Transport::ReadStatusReport() {
  StatusAnswer answer;
  HidHandle handle = kNoHandle;
  for (LinkKind link : {LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless}) {
    handle = links_.ControlHandle(link);
    if (handle != kNoHandle) {
      answer.link = link;
      break;
    }
  }
  if (handle == kNoHandle) return answer;

  ReportSlot& work = (*slots_)[0];
  std::fill_n(work.begin(), kCommandReportLength, std::uint8_t{0xFF});
  work[0] = kStatusReportId;
  if (!hid_.GetFeature(handle, std::span(work.data(), kCommandReportLength))) return answer;
  static constexpr std::uint8_t kSignature[] = {kStatusReportId, '1', '0', '1', '0'};
  if (!std::equal(std::begin(kSignature), std::end(kSignature), work.begin())) return answer;

  answer.valid = true;
  answer.online = work[5] != 0;
  if (answer.link == LinkKind::Wired) {
    answer.firmwareSkipA = work[8];
    answer.firmwareSkipB = work[9];
  }
  return answer;
}

SendOutcome Transport::FactoryReset() {
  const ExchangeRun run(busy_);
  if (!run.Started()) return SendOutcome::kBusy;
  const std::uint8_t data[] = {0xFF};
  return SendCommand(kCmdFactoryReset, PacketByte(0, 1), data, kCommandReportLength, true);
}

bool Transport::SendPairingRequest() {
  const ExchangeRun run(busy_);
  if (!run.Started()) return false;
  const HidHandle wireless = links_.ControlHandle(LinkKind::Wireless);
  if (wireless == kNoHandle) return false;
  ReportSlot& work = (*slots_)[0];
  std::fill_n(work.begin(), kCommandReportLength, std::uint8_t{0});
  work[0] = kPairingReportId;
  work[1] = 3;
  hid_.SetFeature(wireless, std::span<const std::uint8_t>(work.data(), kPairingReportLength));
  return true;
}

}  // namespace gm
