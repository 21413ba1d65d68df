#pragma once
// The clock every wait of the device code goes through. The program uses the system clock; tests
// use a virtual clock whose Sleep only advances its time, so retry loops run instantly.
#include <atomic>
#include <chrono>
#include <cstdint>

namespace gm {

using Millis = std::chrono::milliseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Millis Now() const = 0;
  virtual void Sleep(Millis duration) = 0;
};

// Monotonic time of the machine; Sleep really blocks the calling thread.
class SystemClock final : public Clock {
 public:
  Millis Now() const override;
  void Sleep(Millis duration) override;
};

// Time that passes only when someone sleeps. Thread-safe: concurrent sleepers each advance it.
class VirtualClock final : public Clock {
 public:
  Millis Now() const override { return Millis(now_.load()); }
  void Sleep(Millis duration) override { now_.fetch_add(duration.count()); }

 private:
  std::atomic<std::int64_t> now_{0};
};

}  // namespace gm
