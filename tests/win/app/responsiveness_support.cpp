#include "app/responsiveness_support.h"

#include <algorithm>
#include <chrono>

namespace apptest {

ResponsivenessProbe::ResponsivenessProbe(HWND window, std::chrono::milliseconds limit)
    : thread_([this, window, limit] {
        using namespace std::chrono;
        const auto limitMs = static_cast<UINT>(limit.count());
        while (!stop_) {
          const auto start = steady_clock::now();
          DWORD_PTR answer = 0;
          const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, limitMs, &answer) != 0;
          const double took = duration<double, std::milli>(steady_clock::now() - start).count();
          {
            std::lock_guard lock(mutex_);
            answers_.push_back(answered ? took : static_cast<double>(limitMs));
          }
          std::this_thread::sleep_for(5ms);
        }
      }) {}

ResponsivenessProbe::~ResponsivenessProbe() { Stop(); }

void ResponsivenessProbe::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

std::vector<double> ResponsivenessProbe::SortedAnswers() {
  std::lock_guard lock(mutex_);
  std::vector<double> sorted = answers_;
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

}  // namespace apptest
