#include "device/device_jobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/device_stop_gate.h"
#include "device/exchange_run.h"
#include "sim/sim_mouse.h"

namespace gm {
namespace {

using namespace std::chrono_literals;

// Collects the finishes the device thread hands over, as the window's message queue would.
class CollectingSink final : public JobResultSink {
 public:
  void PostJobResult(JobFinish finish) override {
    std::lock_guard lock(mutex_);
    finishes_.push_back(std::move(finish));
    arrived_.notify_all();
  }
  // Waits for `count` finishes and runs them in arrival order on the calling thread.
  bool RunFinishes(std::size_t count) {
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, 5s, [&] { return finishes_.size() >= count; })) return false;
    for (const JobFinish& f : finishes_) f();
    return true;
  }
  std::size_t Count() {
    std::lock_guard lock(mutex_);
    return finishes_.size();
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<JobFinish> finishes_;
};

// One-shot signal between the test and a job.
class Signal {
 public:
  void Set() {
    std::lock_guard lock(mutex_);
    set_ = true;
    cv_.notify_all();
  }
  bool Wait() {
    std::unique_lock lock(mutex_);
    return cv_.wait_for(lock, 5s, [&] { return set_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool set_ = false;
};

TEST(DeviceJobs, JobsRunOneAfterTheOtherOnTheDeviceThreadAndTheirFinishesComeBackInOrder) {
  CollectingSink sink;
  std::vector<std::string> log;  // device side, written by the jobs only
  std::vector<std::string> finished;
  std::mutex logMutex;
  std::atomic<int> running{0};
  std::atomic<bool> overlapped{false};
  const std::thread::id caller = std::this_thread::get_id();
  {
    DeviceJobs jobs(sink);
    for (const char* name : {"upload", "reset", "prime"}) {
      ASSERT_TRUE(jobs.Post([&, name]() -> JobFinish {
        if (running.fetch_add(1) != 0) overlapped = true;
        EXPECT_NE(std::this_thread::get_id(), caller);
        std::this_thread::sleep_for(2ms);  // a later job must not start meanwhile
        {
          std::lock_guard lock(logMutex);
          log.emplace_back(name);
        }
        running.fetch_sub(1);
        return [&finished, name] { finished.emplace_back(name); };
      }));
    }
    // A job with nothing to carry out on the UI thread posts nothing.
    ASSERT_TRUE(jobs.Post([]() -> JobFinish { return {}; }));
    ASSERT_TRUE(sink.RunFinishes(3));
  }
  EXPECT_FALSE(overlapped);
  EXPECT_EQ(log, (std::vector<std::string>{"upload", "reset", "prime"}));
  EXPECT_EQ(finished, log);
  EXPECT_EQ(sink.Count(), 3u);
}

// Shutdown while one job runs and another waits: the running one ends as it would and posts its
// result, the waiting one never runs, and nothing is taken afterwards.
TEST(DeviceJobs, StopLetsTheRunningJobEndDropsTheQueuedOnesAndTakesNoMore) {
  CollectingSink sink;
  DeviceJobs jobs(sink);
  Signal started;
  Signal release;
  std::atomic<bool> firstEnded{false};
  std::atomic<bool> queuedRan{false};
  ASSERT_TRUE(jobs.Post([&]() -> JobFinish {
    started.Set();
    release.Wait();
    firstEnded = true;
    return [] {};
  }));
  ASSERT_TRUE(started.Wait());
  ASSERT_TRUE(jobs.Post([&]() -> JobFinish {
    queuedRan = true;
    return [] {};
  }));

  auto stopped = std::async(std::launch::async, [&] { return jobs.Stop(); });
  // Stop waits for the running job; posting fails as soon as it has begun.
  while (jobs.Post([&]() -> JobFinish {
    queuedRan = true;
    return {};
  }))
    std::this_thread::sleep_for(1ms);
  EXPECT_EQ(stopped.wait_for(20ms), std::future_status::timeout);
  release.Set();
  EXPECT_GE(stopped.get(), 1u);

  EXPECT_TRUE(firstEnded);
  EXPECT_FALSE(queuedRan);
  EXPECT_EQ(sink.Count(), 1u);
  EXPECT_FALSE(jobs.Post([]() -> JobFinish { return {}; }));
  EXPECT_EQ(jobs.Stop(), 0u);  // a second stop finds nothing
}

// The link's run is taken by one thread at a time: the device thread and the UI thread never hold
// it together, and each sees what the other wrote inside its run.
TEST(DeviceJobs, TheLinksRunExcludesTheOtherThread) {
  LinkBusy link;
  int shared = 0;  // touched only inside a run
  std::atomic<int> holders{0};
  std::atomic<bool> together{false};
  auto work = [&] {
    for (int i = 0; i < 2000; ++i) {
      const ExchangeRun run(link);
      if (!run.Started()) continue;
      if (holders.fetch_add(1) != 0) together = true;
      ++shared;
      holders.fetch_sub(1);
    }
  };
  std::thread other(work);
  work();
  other.join();
  EXPECT_FALSE(together);
  EXPECT_GT(shared, 0);
  EXPECT_FALSE(link.Busy());
}

// A stopped gate lets no feature report through and waits for nothing; everything else passes,
// and Resume lets reports through again.
TEST(DeviceStopGate, StoppedRefusesFeatureReportsAndSkipsWaitsUntilResumed) {
  sim::SimMouse mouse(sim::StandardMouse(true, false, false));
  VirtualClock clock;
  DeviceStopGate gate(mouse, clock);
  HidHandle handle = kNoHandle;
  for (std::uint32_t i = 0; auto path = gate.InterfacePath(i); ++i) {
    handle = gate.Open(*path, HidOpenMode::kControl);
    HidCaps caps{};
    if (handle != kNoHandle && gate.GetCaps(handle, caps) && caps.featureReportByteLength > 0) break;
    gate.Close(handle);
    handle = kNoHandle;
  }
  ASSERT_NE(handle, kNoHandle);
  std::array<std::uint8_t, 32> status{0x05};

  ASSERT_TRUE(gate.GetFeature(handle, status));
  gate.Sleep(60ms);
  EXPECT_EQ(clock.Now(), 60ms);
  const auto logged = mouse.Log().size();

  gate.Stop();
  EXPECT_TRUE(gate.Stopped());
  EXPECT_FALSE(gate.GetFeature(handle, status));
  EXPECT_FALSE(gate.SetFeature(handle, status));
  gate.Sleep(120ms);
  EXPECT_EQ(clock.Now(), 60ms);
  EXPECT_EQ(mouse.Log().size(), logged);  // nothing reached the mouse

  gate.Resume();
  EXPECT_TRUE(gate.GetFeature(handle, status));
  gate.Sleep(60ms);
  EXPECT_EQ(clock.Now(), 120ms);
  gate.Close(handle);
}

}  // namespace
}  // namespace gm
