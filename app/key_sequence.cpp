#include "app/key_sequence.h"

namespace gm {

namespace {
constexpr unsigned kEnter = 13;
constexpr unsigned kEscape = 27;
}  // namespace

HiddenKeySequence::Outcome HiddenKeySequence::OnKeyDown(unsigned key) {
  if (key == kEnter || key == kEscape) {
    state_ = 0;
    return Outcome::kSwallow;
  }
  if (key == code_[static_cast<std::size_t>(state_ % kCodeLength)]) {
    ++state_;
  } else if (key == code_[0]) {
    state_ = 1;
  } else {
    state_ = 0;
  }
  if (state_ < kComplete) return Outcome::kPass;
  state_ = 0;
  return Outcome::kShowSupport;
}

}  // namespace gm
