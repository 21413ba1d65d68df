#pragma once
// Measures how quickly a window's thread answers: a thread of its own sends the window WM_NULL
// every 5 ms (SendMessageTimeout with a time limit) and keeps how long each answer took. A window whose
// thread is busy answers only once it gets back to its messages, so a long answer is a stall the
// user would have felt.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace apptest {

class ResponsivenessProbe {
 public:
  // An answer that takes longer than `limit` counts as `limit`.
  explicit ResponsivenessProbe(HWND window, std::chrono::milliseconds limit = std::chrono::seconds(5));
  ~ResponsivenessProbe();
  ResponsivenessProbe(const ResponsivenessProbe&) = delete;
  ResponsivenessProbe& operator=(const ResponsivenessProbe&) = delete;

  // Ends the probing; the answers stay readable.
  void Stop();
  // The answer times in milliseconds, shortest first.
  std::vector<double> SortedAnswers();

 private:
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<double> answers_;
  std::thread thread_;
};

}  // namespace apptest
