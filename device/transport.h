#pragma once
// Feature-report transport: the report buffers, the command exchange with its acknowledge and
// retries, the status report, the factory reset and the pairing request.
//
// Threads: in the window two threads drive exchanges: the device thread (uploads, primings, the
// factory reset, as jobs) and the UI thread (the firmware update, the pairing request, the status
// read, the start-up priming). The device workers read the input collections only and never touch
// the transport. The report slots, the sequence byte and the retry counter need no mutex: they are
// guarded by the link's busy state (Busy(), an atomic): a run of exchanges holds it through an
// ExchangeRun from its first report to its last wait, and a run asked for meanwhile (by the other
// thread, or from a message handled inside a wait that keeps the window answering) is refused
// rather than let in between two reports.
//
// The runs are FactoryReset, SendPairingRequest and, in device/upload.h, the upload and the
// priming; each takes the busy state itself. SendCommand and SendMacroPacket are steps of a run
// and take nothing. ReadStatusReport is one report read without a wait: it cannot be entered
// twice and may run between the steps of a run of its own thread, as it always could; the window
// reads it only while no device job is in flight.
#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "device/clock.h"
#include "device/exchange_run.h"
#include "device/hid_api.h"
#include "device/link.h"

namespace gm {

inline constexpr std::size_t kReportSlotCount = 40;
inline constexpr std::size_t kReportSlotSize = 1024;
using ReportSlot = std::array<std::uint8_t, kReportSlotSize>;
using ReportSlots = std::array<ReportSlot, kReportSlotCount>;

// Gap between sending a report and reading its acknowledge, and after a missing acknowledge.
inline constexpr Millis kAcknowledgeGap{60};
// Attempts of one packet before it is given up.
inline constexpr int kSendAttempts = 4;

// Where the transport finds the open control handles (the discovery keeps them).
class ControlHandleSource {
 public:
  virtual ~ControlHandleSource() = default;
  virtual HidHandle ControlHandle(LinkKind link) const = 0;
};

// The handle feature reports go through: wired, else BLE, else wireless; kNoHandle when all three
// are closed. Chosen afresh for every call.
HidHandle ActiveControlHandle(const ControlHandleSource& links);

enum class SendOutcome {
  kUnchanged,  // the build equalled its shadow: nothing sent, one gap waited
  kAccepted,   // the mouse acknowledged an attempt
  kGivenUp,    // four attempts went unacknowledged (or there was no handle)
  kRejected,   // the data does not fit the report: nothing sent, nothing waited
  kBusy,       // another run holds the link: nothing sent, nothing waited
};

// What a valid status report said.
struct StatusAnswer {
  bool valid = false;       // a handle was open, the read succeeded and the signature matched
  LinkKind link = LinkKind::Wired;
  bool online = false;      // byte 5 non-zero
  std::uint8_t firmwareSkipA = 0;  // bytes 8 and 9; taken from the wired link only
  std::uint8_t firmwareSkipB = 0;
};

class Transport {
 public:
  Transport(HidApi& hid, Clock& clock, const ControlHandleSource& links);
  Transport(const Transport&) = delete;
  Transport& operator=(const Transport&) = delete;

  // The busy state of the link: an ExchangeRun on it holds the link for a run of exchanges.
  LinkBusy& Busy() { return busy_; }

  // The buffers; use them only inside a run (or, in tests, with nothing else running).
  ReportSlots& Slots() { return *slots_; }
  const ReportSlots& Slots() const { return *slots_; }

  std::uint8_t CommandSequence() const { return sequence_; }
  void SetCommandSequence(std::uint8_t value) { sequence_ = value; }
  int CommandRetryCount() const { return retryCount_; }

  // One packet of a command. `changed` false: the build equals its shadow, so nothing is sent and
  // only one gap is waited. Otherwise the report (length 32, or 33 for the lighting command) is
  // built in slot 0 with a fresh sequence byte, set on the active handle, and its acknowledge read
  // back into slot 0 after 60 ms; up to four attempts, each with a new sequence byte.
  SendOutcome SendCommand(std::uint8_t code, std::uint8_t packetByte, std::span<const std::uint8_t> data,
                          std::size_t reportLength, bool changed);

  // Reads report 5 on the first open control handle (wired, BLE, wireless).
  StatusAnswer ReadStatusReport();

  // Command 0x0F with data 0xFF, always sent. A run: kBusy while another run holds the link.
  SendOutcome FactoryReset();

  // Report 0xBC (8 bytes: BC 03 00 ..) on the wireless handle; nothing when it is closed. A run.
  // Returns whether the report was set: false too while another run holds the link (Busy()).
  bool SendPairingRequest();

  HidApi& Hid() { return hid_; }
  Clock& GetClock() { return clock_; }
  const ControlHandleSource& Links() const { return links_; }

 private:
  HidApi& hid_;
  Clock& clock_;
  const ControlHandleSource& links_;
  LinkBusy busy_;
  std::unique_ptr<ReportSlots> slots_;
  std::uint8_t sequence_ = 1;
  int retryCount_ = 0;
};

}  // namespace gm
