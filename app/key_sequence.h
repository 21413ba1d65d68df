#pragma once
// The main window's keyboard rules, apart from any window (portable, no windows.h): Enter and
// Escape are swallowed so they never close the window, and a hidden code of five letter keys typed
// twice asks for the support-contact notice. Key codes are virtual-key codes (letters are their
// upper-case character codes, Enter 13, Escape 27).
#include <array>

namespace gm {

class HiddenKeySequence {
 public:
  static constexpr int kCodeLength = 5;
  static constexpr int kComplete = 2 * kCodeLength;
  // The program's code: S U P O R, typed twice.
  static constexpr std::array<unsigned, kCodeLength> kSupportCode{'S', 'U', 'P', 'O', 'R'};

  enum class Outcome {
    kPass,         // the key goes on to the window as usual
    kSwallow,      // the key is dropped (Enter, Escape)
    kShowSupport,  // the code is complete: the key goes on, and the notice is shown
  };

  explicit HiddenKeySequence(const std::array<unsigned, kCodeLength>& code = kSupportCode) : code_(code) {}

  // One key-down. The next expected key advances the state; the code's first key starts it over
  // (state 1), except after the first five keys, where it is the expected one; any other key
  // resets it. Reaching ten keys resets it and asks for the notice.
  Outcome OnKeyDown(unsigned key);
  int State() const { return state_; }

 private:
  std::array<unsigned, kCodeLength> code_;
  int state_ = 0;
};

}  // namespace gm
