#include "device/pairing.h"

#include "settings/language_indexes.h"

namespace gm {

PairingAction Pairing::Press() {
  PairingAction action;
  if (state_ != PairingState::kIdle && state_ != PairingState::kFailed) return action;
  action.handled = true;
  // A retry after a failure restarts the watch only: the receiver is still in pairing mode.
  action.sendPairingRequest = state_ == PairingState::kIdle;
  action.startTimer = true;
  action.textIndex = kTextPairing1;
  ticks_ = 0;
  state_ = PairingState::kPairing;
  return action;
}

PairingTick Pairing::Tick(bool mouseOnline) {
  PairingTick tick;
  if (state_ != PairingState::kPairing) {
    tick.stopTimer = true;
    return tick;
  }
  if (mouseOnline) {
    state_ = PairingState::kPaired;
    tick.stopTimer = true;
    tick.textIndex = kTextPairingDone;
    return tick;
  }
  ++ticks_;
  if (ticks_ > kPairingTickLimit) {
    state_ = PairingState::kFailed;
    tick.stopTimer = true;
    tick.textIndex = kTextPairingFailed;
    return tick;
  }
  static constexpr int kAnimation[] = {kTextPairing1, kTextPairing2, kTextPairing3};
  tick.textIndex = kAnimation[ticks_ % 3];
  return tick;
}

}  // namespace gm
