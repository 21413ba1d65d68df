#include "app/stage_display.h"

#include <gtest/gtest.h>

namespace {

// A sensor list of four positions: 400, 1600, 12000 and 26000 DPI (units of 50 DPI).
gm::SensorTables FourPositionSensor() {
  gm::SensorTables sensor;
  sensor.count = 4;
  sensor.list[0] = 8;
  sensor.list[1] = 32;
  sensor.list[2] = 240;
  sensor.list[3] = 520;
  return sensor;
}

// Stage 0 at position 0, stage 1 at position 1, ... stage 7 at position 3.
gm::ProfileRecord RecordAtStage(std::uint8_t stage, std::uint8_t rate) {
  gm::ProfileRecord record;
  record.XYSettingValueX = {0, 1, 2, 3, 3, 3, 3, 3};
  record.XYSettingValueY = {1, 1, 1, 1, 1, 1, 1, 1};  // the Y list plays no part
  record.CurrentDPILevelValue = stage;
  record.PollingRateValue = {rate, 0, 0};
  return record;
}

TEST(StageDisplayTexts, ShowStageValueOfItsXPositionAndRate) {
  const gm::SensorTables sensor = FourPositionSensor();
  struct Case {
    std::uint8_t stage, rate;
    gm::StageDisplayTexts texts;
  };
  const Case cases[] = {
      {0, 0, {L"DPI-1", L"400", L"125Hz"}},
      {1, 3, {L"DPI-2", L"1600", L"1000Hz"}},
      {2, 5, {L"DPI-3", L"12000", L"4000Hz"}},
      {7, 6, {L"DPI-8", L"26000", L"8000Hz"}},
      // A stage the mouse should not report: shown by its number, valued as stage 0.
      {8, 2, {L"DPI-9", L"400", L"500Hz"}},
      {9, 1, {L"DPI-10", L"400", L"250Hz"}},
      {255, 4, {L"DPI-256", L"400", L"2000Hz"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(gm::StageDisplayTextsOf(RecordAtStage(c.stage, c.rate), sensor), c.texts) << int(c.stage);
}

TEST(StageDisplayTexts, RateCodesBeyondTheListShow8000Hz) {
  const wchar_t* const names[] = {L"125Hz", L"250Hz", L"500Hz", L"1000Hz", L"2000Hz", L"4000Hz", L"8000Hz"};
  for (unsigned code = 0; code < 7; ++code) EXPECT_EQ(gm::RateLineOfCode(code), names[code]) << code;
  for (unsigned code : {7u, 8u, 0x14u, 255u}) EXPECT_EQ(gm::RateLineOfCode(code), L"8000Hz") << code;
}

TEST(StageDisplayLayout, ValueLineMovesLeftWithItsLengthByFontFace) {
  const std::wstring songti = L"\u5B8B\u4F53";
  struct Case {
    const wchar_t* value;
    int songtiX, otherX;
  };
  const Case cases[] = {
      {L"50", 50, 50}, {L"800", 50, 50}, {L"1600", 44, 34}, {L"26000", 34, 16}, {L"123456", 50, 50},
  };
  for (const Case& c : cases) {
    const gm::StageDisplayTexts texts{L"DPI-1", c.value, L"500Hz"};
    EXPECT_EQ(gm::StageDisplayLayoutOf(texts, songti).value, (gm::ui::IntPoint{c.songtiX, 44})) << c.value;
    EXPECT_EQ(gm::StageDisplayLayoutOf(texts, L"Tahoma").value, (gm::ui::IntPoint{c.otherX, 44})) << c.value;
  }
}

TEST(StageDisplayLayout, StageAndRateLinesKeepTheirRow) {
  const auto at = [](const wchar_t* rate) {
    return gm::StageDisplayLayoutOf({L"DPI-1", L"400", rate}, L"Tahoma");
  };
  EXPECT_EQ(at(L"500Hz").stage, (gm::ui::IntPoint{58, 20}));
  EXPECT_EQ(at(L"500Hz").rate, (gm::ui::IntPoint{57, 92}));
  EXPECT_EQ(at(L"1000Hz").rate, (gm::ui::IntPoint{50, 92}));
}

TEST(StageDisplayRect, SitsInTheLowerRightCornerOfTheWorkArea) {
  // A work area that does not start at 0 (task bar on the left and at the bottom).
  const gm::ui::IntRect work{60, 0, 1920, 1040};
  EXPECT_EQ(gm::StageDisplayRect(work, 1.0), (gm::ui::IntRect{1740, 900, 1920, 1040}));
  EXPECT_EQ(gm::StageDisplayRect(work, 1.5), (gm::ui::IntRect{1650, 830, 1920, 1040}));
  EXPECT_EQ(gm::StageDisplayRect(work, 2.0), (gm::ui::IntRect{1560, 760, 1920, 1040}));
}

// Ticks until the display closes, counting the closing tick.
int TicksToClose(gm::StageDisplayCountdown& countdown) {
  int ticks = 0;
  while (ticks < 100) {
    ++ticks;
    if (countdown.OnTick()) return ticks;
  }
  return ticks;
}

TEST(StageDisplayCountdown, OneDisplayClosesOnTheSixthTickAfterTheLastChange) {
  gm::StageDisplayCountdown countdown;
  EXPECT_FALSE(countdown.Open());
  EXPECT_EQ(countdown.OnChange(), gm::StageDisplayCountdown::Change::kOpen);
  // Three ticks later another change refreshes the same display and starts the count again.
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(countdown.OnTick());
  EXPECT_EQ(countdown.OnChange(), gm::StageDisplayCountdown::Change::kRefresh);
  EXPECT_EQ(TicksToClose(countdown), 6);
  EXPECT_FALSE(countdown.Open());
  // The next change opens a new display.
  EXPECT_EQ(countdown.OnChange(), gm::StageDisplayCountdown::Change::kOpen);
  EXPECT_EQ(TicksToClose(countdown), 6);
}

TEST(StageDisplayCountdown, ATickWithNoDisplayOnlyStopsTheTimer) {
  gm::StageDisplayCountdown countdown;
  EXPECT_TRUE(countdown.OnTick());
  EXPECT_FALSE(countdown.Open());
  // A display whose window went away by itself is opened anew by the next change.
  countdown.OnChange();
  countdown.Closed();
  EXPECT_EQ(countdown.OnChange(), gm::StageDisplayCountdown::Change::kOpen);
}

}  // namespace
