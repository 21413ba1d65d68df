#include "device/firmware_pumped_wait.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace gm {
namespace {

// A clock whose Sleep blocks until the test opens it, so the waiting caller must keep pumping.
class GateClock final : public Clock {
 public:
  Millis Now() const override { return Millis(0); }
  void Sleep(Millis duration) override {
    std::unique_lock lock(mutex_);
    slept_.push_back(duration);
    sleeperThread_ = std::this_thread::get_id();
    open_.wait(lock, [&] { return isOpen_; });
  }
  void Open() {
    std::lock_guard lock(mutex_);
    isOpen_ = true;
    open_.notify_all();
  }
  std::vector<Millis> Slept() {
    std::lock_guard lock(mutex_);
    return slept_;
  }
  std::thread::id SleeperThread() {
    std::lock_guard lock(mutex_);
    return sleeperThread_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable open_;
  bool isOpen_ = false;
  std::vector<Millis> slept_;
  std::thread::id sleeperThread_;
};

TEST(FirmwarePumpedWait, CallerHandlesMessagesOnItsOwnThreadUntilTheSleeperSignals) {
  GateClock gate;
  const std::thread::id caller = std::this_thread::get_id();
  int messages = 0;
  bool pumpedElsewhere = false;
  PumpedWaitClock wait(gate, [&] {
    pumpedElsewhere = pumpedElsewhere || std::this_thread::get_id() != caller;
    if (++messages == 50) gate.Open();  // a dispatched message lets the time run out
    return messages < 50;
  });
  wait.Sleep(Millis(3000));
  EXPECT_GE(messages, 50);
  EXPECT_FALSE(pumpedElsewhere);
  EXPECT_EQ(gate.Slept(), std::vector<Millis>{Millis(3000)});
  EXPECT_NE(gate.SleeperThread(), caller);
}

TEST(FirmwarePumpedWait, TimeComesFromTheUnderlyingClock) {
  VirtualClock time;
  PumpedWaitClock wait(time, [] { return false; });
  wait.Sleep(Millis(40));
  wait.Sleep(Millis(5));
  EXPECT_EQ(wait.Now(), Millis(45));
  PumpedWaitClock noPump(time, nullptr);
  noPump.Sleep(Millis(100));
  EXPECT_EQ(time.Now(), Millis(145));
}

}  // namespace
}  // namespace gm
