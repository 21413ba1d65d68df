#pragma once
// A clock whose time runs `factor` times faster than the machine's: a wait of d sleeps d / factor,
// and Now() is the machine's elapsed time × factor, so everything measured on it (the simulated
// mouse's restart delay, the update's waits) keeps its proportions. The demo runs its firmware
// update and pairing on it when asked to (tests do); factor 1 is plain real time. Portable.
#include <chrono>
#include <thread>

#include "device/clock.h"

namespace gm {

class ScaledClock final : public Clock {
 public:
  explicit ScaledClock(int factor = 1) : factor_(factor < 1 ? 1 : factor) {}
  int Factor() const { return factor_; }
  Millis Now() const override {
    return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now() - start_) * factor_;
  }
  void Sleep(Millis duration) override {
    std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(duration) / factor_);
  }

 private:
  int factor_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace gm
