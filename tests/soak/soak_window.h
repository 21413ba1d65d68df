#pragma once
// The main window as the soak drives it: window timers in virtual time (each with its due time,
// fired in due order as the message loop would), the reports the device workers post and the
// finishes of the device thread's jobs, queued until the soak hands them to the controller on its
// own thread, and a count of the notices shown.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "app/window_host.h"

namespace gm::soak {

class SoakWindow final : public WindowHost {
 public:
  // ---- WindowHost ----
  void StartTimer(unsigned id, unsigned periodMs) override { timers_[id] = Timer{periodMs, now_ + periodMs}; }
  void StopTimer(unsigned id) override { timers_.erase(id); }
  void Minimise() override {}
  void Hide() override {}
  void ShowInForeground() override {}
  void ShowModalNotice(int) override { ++notices; }
  void ShowTopmostNotice(int) override { ++notices; }
  void ShowProgress(int) override {}
  void SetControlVisible(int, bool) override {}
  void SetControlEnabled(int, bool) override {}
  void InvalidateControl(int) override {}
  void SetBattery(int, int, int) override {}
  void RefreshFromProfile() override { ++refreshes; }
  void SensorChanged() override { ++sensorChanges; }
  void ShowStageDisplay() override {}
  void OpenUrl(const std::wstring&) override {}
  void CarryOutProfileOperation(std::uint8_t, int) override {}
  void RegisterDeviceNotifications() override {}
  void CloseOpenDialogs() override {}
  void Quit() override { quitAsked = true; }
  void PostInputReport(LinkKind link, const InputReportBytes& report) override {
    std::lock_guard lock(mutex_);
    reports_.emplace_back(link, report);
  }
  void PostJobResult(JobFinish finish) override {
    std::lock_guard lock(mutex_);
    results_.push_back(std::move(finish));
    resultArrived_.notify_all();
  }

  // ---- the soak ----
  std::uint64_t Now() const { return now_; }
  bool Running(unsigned id) const { return timers_.count(id) != 0; }
  // Whether a timer other than the periodic battery timer is running (the visibility timer runs
  // only while a status report waits for the link).
  bool OneShotRunning() const {
    for (const auto& [id, timer] : timers_)
      if (id != kTimerBattery) return true;
    return false;
  }
  // The timer due first, and moves the time to it; a periodic timer is due again one period
  // later unless its handler stops or restarts it. None when no timer runs.
  std::optional<unsigned> NextDue() {
    if (timers_.empty()) return std::nullopt;
    auto first = timers_.begin();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
      if (it->second.due < first->second.due) first = it;
    now_ = std::max(now_, first->second.due);
    first->second.due = now_ + first->second.period;
    return first->first;
  }
  // The timer due first when it is due within `ms` from now.
  std::optional<unsigned> NextDueWithin(std::uint64_t ms) {
    for (const auto& [id, timer] : timers_)
      if (timer.due <= now_ + ms) return NextDue();
    now_ += ms;
    return std::nullopt;
  }
  std::optional<std::pair<LinkKind, InputReportBytes>> TakeReport() {
    std::lock_guard lock(mutex_);
    if (reports_.empty()) return std::nullopt;
    auto report = reports_.front();
    reports_.pop_front();
    return report;
  }
  // The finish of the next device job, waited for in real time (the device thread is a real
  // thread) up to `timeout`; none when it did not come.
  std::optional<JobFinish> TakeJobResult(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!resultArrived_.wait_for(lock, timeout, [&] { return !results_.empty(); })) return std::nullopt;
    JobFinish finish = std::move(results_.front());
    results_.pop_front();
    return finish;
  }
  std::size_t QueuedReports() {
    std::lock_guard lock(mutex_);
    return reports_.size();
  }

  int notices = 0;
  int refreshes = 0;
  int sensorChanges = 0;
  bool quitAsked = false;

 private:
  struct Timer {
    unsigned period = 0;
    std::uint64_t due = 0;
  };
  std::uint64_t now_ = 0;
  std::map<unsigned, Timer> timers_;
  std::mutex mutex_;
  std::deque<std::pair<LinkKind, InputReportBytes>> reports_;
  std::condition_variable resultArrived_;
  std::deque<JobFinish> results_;
};

}  // namespace gm::soak
