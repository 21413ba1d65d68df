#pragma once
// Summaries of measured times (answer times of a window, start-up times): how many, the median,
// the 99th percentile and the longest. Portable: the Windows-side probes print them, the native
// tests check them.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace gm::bench {

struct TimeSummary {
  std::size_t count = 0;
  double median = 0;      // the mean of the two middle values for an even count
  double percentile99 = 0;  // nearest rank: the smallest value that at least 99 % of all are at or below
  double longest = 0;
};

// The value at percentile `p` (0 < p <= 100) of `sorted` (ascending, not empty), by nearest rank.
inline double NearestRank(const std::vector<double>& sorted, double p) {
  const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(sorted.size())));
  return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

// All zero for no values.
inline TimeSummary Summarise(std::vector<double> values) {
  TimeSummary s;
  s.count = values.size();
  if (values.empty()) return s;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  s.median = n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  s.percentile99 = NearestRank(values, 99);
  s.longest = values.back();
  return s;
}

}  // namespace gm::bench
