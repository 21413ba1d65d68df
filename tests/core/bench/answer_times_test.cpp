#include "tests/bench/answer_times.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using gm::bench::Summarise;

TEST(AnswerTimes, NoValuesGiveAnAllZeroSummary) {
  const auto s = Summarise({});
  EXPECT_EQ(s.count, 0u);
  EXPECT_EQ(s.median, 0);
  EXPECT_EQ(s.percentile99, 0);
  EXPECT_EQ(s.longest, 0);
}

// The input order does not matter; an even count takes the middle pair's mean.
TEST(AnswerTimes, MedianOfOddAndEvenCountsInAnyOrder) {
  struct Case {
    std::vector<double> values;
    double median;
  } cases[] = {{{7}, 7}, {{9, 1, 5}, 5}, {{4, 1, 3, 2}, 2.5}, {{10, 0}, 5}};
  for (const Case& c : cases) {
    const auto s = Summarise(c.values);
    EXPECT_EQ(s.count, c.values.size());
    EXPECT_DOUBLE_EQ(s.median, c.median) << c.values.size() << " values";
  }
}

// One long stall among many quick answers: with 100 answers it is beyond the 99th percentile,
// with 50 it is the 99th percentile (nearest rank 50 of 50); the longest is always it.
TEST(AnswerTimes, NinetyNinthPercentileByNearestRank) {
  std::vector<double> hundred(100, 1.0);
  std::iota(hundred.begin(), hundred.begin() + 10, 2.0);  // 2..11, the stall kept
  hundred[37] = 900;
  auto s = Summarise(hundred);
  EXPECT_DOUBLE_EQ(s.percentile99, 11);
  EXPECT_DOUBLE_EQ(s.longest, 900);

  std::vector<double> fifty(50, 1.0);
  fifty.front() = 900;
  s = Summarise(fifty);
  EXPECT_DOUBLE_EQ(s.percentile99, 900);
  EXPECT_DOUBLE_EQ(s.median, 1);

  // Two stalls in 200 answers: rank 198 is still a quick answer.
  std::vector<double> twoHundred(200, 3.0);
  twoHundred[0] = twoHundred[199] = 500;
  EXPECT_DOUBLE_EQ(Summarise(twoHundred).percentile99, 3);
}

}  // namespace
