#pragma once
// The pairing dialog's state machine for the 2.4 GHz receiver. The pair button (or Space) starts a
// pairing; a one-second timer then watches the mouse's online flag for up to 25 ticks. The dialog
// sends the pairing report (Transport::SendPairingRequest, through the main window) and runs the
// timer as the results say.
namespace gm {

enum class PairingState { kIdle, kPairing, kPaired, kFailed };

// Ticks after which a pairing that never saw the mouse online fails (it fails on the 26th).
inline constexpr int kPairingTickLimit = 25;

struct PairingAction {
  bool handled = false;        // false: the press did nothing (pairing or already paired)
  bool sendPairingRequest = false;
  bool startTimer = false;
  int textIndex = -1;          // language text index to show, -1 for none
};

struct PairingTick {
  bool stopTimer = false;
  int textIndex = -1;
};

class Pairing {
 public:
  // The pair button or Space.
  PairingAction Press();
  // One timer tick; `mouseOnline` is the process-wide online flag.
  PairingTick Tick(bool mouseOnline);

  PairingState State() const { return state_; }
  int Ticks() const { return ticks_; }

 private:
  PairingState state_ = PairingState::kIdle;
  int ticks_ = 0;
};

}  // namespace gm
