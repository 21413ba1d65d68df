#include "app/responsiveness_support.h"

#include <cstdio>
#include <cwchar>

#include <algorithm>
#include <chrono>

namespace apptest {

namespace {

// GM_STALL_TRACE=<ms>: answers that take longer are printed to standard error as they happen, with
// the time they were asked at (the performance counter in seconds, which Wine counts on the
// system's monotonic raw clock, so scheduler traces of the machine can be laid beside them).
double TraceThresholdMs() {
  wchar_t value[32] = {};
  if (!GetEnvironmentVariableW(L"GM_STALL_TRACE", value, 32)) return -1;
  return std::wcstod(value, nullptr);
}

}  // namespace

ResponsivenessProbe::ResponsivenessProbe(HWND window, std::chrono::milliseconds limit)
    : thread_([this, window, limit] {
        using namespace std::chrono;
        const auto limitMs = static_cast<UINT>(limit.count());
        const double traceMs = TraceThresholdMs();
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        while (!stop_) {
          const auto start = steady_clock::now();
          LARGE_INTEGER asked{};
          QueryPerformanceCounter(&asked);
          DWORD_PTR answer = 0;
          const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, limitMs, &answer) != 0;
          const double took = duration<double, std::milli>(steady_clock::now() - start).count();
          if (traceMs >= 0 && took > traceMs && frequency.QuadPart > 0) {
            std::fprintf(stderr, "long answer at %.6f s: %.1f ms\n",
                         static_cast<double>(asked.QuadPart) / static_cast<double>(frequency.QuadPart), took);
          }
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
