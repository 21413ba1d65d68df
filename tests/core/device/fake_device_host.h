#pragma once
// A DeviceHost for tests: records the scans' window steps and collects the reports the workers
// post, with a wait for reports arriving from worker threads.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "device/device_host.h"
#include "device/discovery.h"
#include "device/upload.h"

namespace gm::test {

class FakeDeviceHost : public DeviceHost {
 public:
  void RunScanWindowSteps() override {
    ++scanSteps;
    if (onScanSteps) onScanSteps();
  }

  void PostInputReport(LinkKind link, const InputReportBytes& report) override {
    std::lock_guard lock(mutex_);
    reports_.emplace_back(link, report);
    arrived_.notify_all();
  }

  // Waits (real time, bounded) until `count` reports have been posted in all; returns whether they
  // did. Workers are real threads, so this is the one place tests wait on the clock of the machine.
  bool WaitForReports(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_for(lock, timeout, [&] { return reports_.size() >= count; });
  }

  std::vector<std::pair<LinkKind, InputReportBytes>> Reports() {
    std::lock_guard lock(mutex_);
    return {reports_.begin(), reports_.end()};
  }

  int scanSteps = 0;
  std::function<void()> onScanSteps;

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::pair<LinkKind, InputReportBytes>> reports_;
};

// Discovery without input workers: for tests that drive only the control side.
class NoWorkers : public WorkerStarter {
 public:
  void StartWorker(LinkKind) override {}
};

// An upload host whose window is shown (unless told otherwise) and that counts what it is asked.
class FakeUploadHost : public UploadHost {
 public:
  bool WindowShown() const override { return shown; }
  void ShowNoLinkNotice() override { ++notices; }
  void ShowSendProgress() override { ++progress; }
  void RestartSaveTimer() override { ++saveTimers; }
  void Refresh() override { ++refreshes; }
  bool shown = true;
  int notices = 0, progress = 0, saveTimers = 0, refreshes = 0;
};

// Polls `done` (real time, bounded): for states that worker threads reach on their own.
inline bool Eventually(const std::function<bool()>& done,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace gm::test
