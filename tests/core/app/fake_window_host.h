#pragma once
// A WindowHost for tests: records every call as a line of text, keeps the running timers (which
// the test fires by hand, in virtual time) and queues the reports the workers post until the test
// hands them to the controller as the UI thread would.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/window_host.h"

namespace gm::test {

class FakeWindowHost : public WindowHost {
 public:
  void StartTimer(unsigned id, unsigned periodMs) override {
    timers[id] = periodMs;
    Log("start " + std::to_string(id) + " " + std::to_string(periodMs));
  }
  void StopTimer(unsigned id) override {
    timers.erase(id);
    Log("stop " + std::to_string(id));
  }
  void Minimise() override { Log("minimise"); }
  void Hide() override { Log("hide"); }
  void ShowInForeground() override { Log("show"); }
  void ShowModalNotice(int textIndex) override { Log("modal notice " + std::to_string(textIndex)); }
  void ShowTopmostNotice(int textIndex) override { Log("topmost notice " + std::to_string(textIndex)); }
  void ShowProgress(int textIndex) override { Log("progress " + std::to_string(textIndex)); }
  void SetControlVisible(int id, bool visible) override {
    visibleControls[id] = visible;
    Log("visible " + std::to_string(id) + " " + std::to_string(visible));
  }
  void SetControlEnabled(int id, bool enabled) override {
    Log("enable " + std::to_string(id) + " " + std::to_string(enabled));
  }
  void InvalidateControl(int id) override { Log("invalidate " + std::to_string(id)); }
  void SetBattery(int level, int percent, int charge) override {
    Log("battery " + std::to_string(level) + " " + std::to_string(percent) + " " + std::to_string(charge));
  }
  void RefreshFromProfile() override { Log("refresh"); }
  void SensorChanged() override { Log("sensor changed"); }
  void ShowStageDisplay() override { Log("stage display"); }
  void OpenUrl(const std::wstring&) override { Log("open url"); }
  void CarryOutProfileOperation(std::uint8_t code, int slot) override {
    Log("profile op " + std::to_string(code) + " " + std::to_string(slot));
  }
  void RegisterDeviceNotifications() override { Log("register notifications"); }
  void CloseOpenDialogs() override { Log("close dialogs"); }
  void Quit() override { Log("quit"); }

  void PostInputReport(LinkKind link, const InputReportBytes& report) override {
    std::lock_guard lock(mutex_);
    reports_.emplace_back(link, report);
    arrived_.notify_all();
  }

  void PostJobResult(JobFinish finish) override {
    std::lock_guard lock(mutex_);
    results_.push_back(std::move(finish));
    arrived_.notify_all();
  }

  // Waits (real time, bounded: the device thread is a real thread) for the next job's finish.
  bool TakeJobResult(JobFinish& out, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, timeout, [&] { return !results_.empty(); })) return false;
    out = std::move(results_.front());
    results_.pop_front();
    return true;
  }

  // Waits (real time, bounded: the workers are real threads) for the next posted report.
  bool TakeReport(std::pair<LinkKind, InputReportBytes>& out,
                  std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, timeout, [&] { return !reports_.empty(); })) return false;
    out = reports_.front();
    reports_.pop_front();
    return true;
  }

  bool Running(unsigned id) const { return timers.count(id) != 0; }
  unsigned Period(unsigned id) const { return Running(id) ? timers.at(id) : 0; }
  int Count(const std::string& call) const {
    int n = 0;
    for (const std::string& c : calls) n += c == call ? 1 : 0;
    return n;
  }
  bool Called(const std::string& call) const { return Count(call) > 0; }

  std::vector<std::string> calls;
  std::map<unsigned, unsigned> timers;
  std::map<int, bool> visibleControls;

 private:
  void Log(std::string call) { calls.push_back(std::move(call)); }

  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<std::pair<LinkKind, InputReportBytes>> reports_;
  std::deque<JobFinish> results_;
};

}  // namespace gm::test
