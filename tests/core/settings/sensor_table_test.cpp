#include "settings/sensor_table.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/settings_model.h"

namespace {

// Builds the tables of one sensor in the test's own model.
class SensorTable : public ::testing::Test {
 protected:
  void Build(std::uint16_t id) {
    s_.sensor.id = id;
    gm::BuildSensorDpiTables(s_.sensor);
  }

  std::unique_ptr<gm::SettingsModel> model_ = std::make_unique<gm::SettingsModel>();
  gm::SettingsModel& s_ = *model_;
};

}  // namespace

TEST_F(SensorTable, EveryRowHasItsCountEndsAndFlags) {
  const struct {
    std::uint16_t id;
    std::uint32_t count;
    int first, last;  // DPI of positions 0 and count-1
    bool x, l, o;
  } rows[] = {
      {0x3104, 48, 100, 8000, 0, 0, 0},   {0x3809, 60, 100, 6000, 0, 0, 0},   {0x3220, 80, 100, 8000, 0, 0, 0},
      {0x0203, 64, 100, 6400, 0, 0, 0},   {0x0205, 128, 100, 12800, 0, 0, 0}, {0x3311, 240, 100, 24000, 0, 0, 0},
      {0x3325, 100, 200, 10000, 0, 0, 0}, {0x3327, 74, 200, 12400, 0, 0, 0},  {0x3212, 48, 100, 4800, 0, 0, 0},
      {0x3335, 160, 100, 16000, 0, 1, 0}, {0x3360, 121, 100, 24000, 0, 1, 0}, {0x3389, 160, 100, 16000, 1, 1, 0},
      {0x3395, 520, 50, 26000, 1, 1, 0},  {0x3950, 600, 50, 30000, 1, 1, 1},  {0x0070, 600, 50, 30000, 1, 1, 0},
      {0x8980, 520, 50, 26000, 1, 1, 0},  {0x8993, 1300, 50, 65000, 1, 1, 0}, {0x0312, 400, 50, 20000, 1, 1, 0},
      {0x0080, 520, 50, 26000, 1, 1, 0},  {0x3399, 400, 50, 20000, 1, 1, 0},
  };
  for (const auto& r : rows) {
    Build(r.id);
    SCOPED_TRACE(r.id);
    EXPECT_EQ(s_.sensor.count, r.count);
    EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 0), r.first);
    EXPECT_EQ(gm::DpiOfPosition(s_.sensor, static_cast<int>(r.count) - 1), r.last);
    EXPECT_EQ(s_.sensor.hasSeparateXY, r.x);
    EXPECT_EQ(s_.sensor.hasLiftSetting, r.l);
    EXPECT_EQ(s_.sensor.showsExtraOption, r.o);
  }
}

TEST_F(SensorTable, IrregularListsAndCodes) {
  Build(0x3325);  // 200 DPI twice at the start
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 0), 200);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 1), 200);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 2), 300);

  Build(0x3360);  // the last step jumps from 12000 to 24000
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 119), 12000);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 120), 24000);

  Build(0x3104);  // 2..80 step 2, then eight single values
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 39), 4000);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 40), 4500);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 41), 4800);

  Build(0x3327);  // codes are position + 1; 4..124 step 2, 130..240 step 10, 248
  EXPECT_EQ(gm::DpiCodeOfPosition(s_.sensor, 0), 1);
  EXPECT_EQ(gm::DpiCodeOfPosition(s_.sensor, 73), 74);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 60), 6200);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 61), 6500);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 72), 12000);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 73), 12400);

  Build(0x3335);  // codes skip every sixth value
  const struct { int position; std::uint16_t code; } codes[] = {
      {0, 0}, {1, 2}, {6, 7}, {7, 9}, {12, 14}, {13, 16}, {23, 27}, {24, 29}, {29, 35}, {30, 37}, {146, 176}, {159, 189}};
  for (const auto& c : codes) EXPECT_EQ(gm::DpiCodeOfPosition(s_.sensor, c.position), c.code) << c.position;

  Build(0x3950);
  EXPECT_EQ(gm::DpiCodeOfPosition(s_.sensor, 15), 15);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 15), 800);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 599), 30000);
}

TEST_F(SensorTable, PositionsOutsideTheListAreClamped) {
  Build(0x3104);  // its default stages 6 and 7 lie at 58 and 50, beyond the 48 entries
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, 58), 8000);
  EXPECT_EQ(gm::DpiCodeOfPosition(s_.sensor, 50), 47);
  EXPECT_EQ(gm::DpiOfPosition(s_.sensor, -3), 100);
}

TEST_F(SensorTable, PositionOfDpiFindsTheFirstEntryAtLeastTheValue) {
  Build(0x3950);
  const struct { int dpi, position; } cases[] = {
      {812, 16}, {800, 15}, {801, 16}, {100000, 599}, {0, 0}, {-5, 0}, {50, 0}, {30000, 599}};
  for (const auto& c : cases) EXPECT_EQ(gm::PositionOfDpi(s_.sensor, c.dpi), c.position) << c.dpi;
}

TEST_F(SensorTable, AnUnknownSensorChangesNothing) {
  Build(0x3395);
  Build(0x1234);
  EXPECT_EQ(s_.sensor.count, 520u);
  EXPECT_FALSE(gm::IsKnownSensor(0x1234));
  EXPECT_FALSE(gm::DefaultStagePositions(0x1234).has_value());
}

TEST(SensorTableEmpty, AnEmptyListGivesNoPosition) {
  // Before any build the count is 0.
  gm::SensorTables sensor;
  EXPECT_EQ(gm::PositionOfDpi(sensor, 800), -1);
  EXPECT_EQ(gm::DpiOfPosition(sensor, 3), 0);
  sensor.count = 1;
  EXPECT_EQ(gm::PositionOfDpi(sensor, 100000), 0);
}

TEST(SensorTableCodes, ReportCodesMapToSensorIds) {
  const struct { std::uint8_t code; std::uint16_t id; } cases[] = {
      {0x03, 0x0203}, {0x04, 0x3104}, {0x06, 0x0205}, {0x09, 0x3809}, {0x11, 0x3311}, {0x12, 0x3212},
      {0x13, 0x0312}, {0x20, 0x3220}, {0x25, 0x3325}, {0x27, 0x3327}, {0x35, 0x3335}, {0x50, 0x3950},
      {0x60, 0x3360}, {0x70, 0x0070}, {0x80, 0x8980}, {0x89, 0x3389}, {0x93, 0x8993}, {0x95, 0x3395},
      {0x99, 0x3399}};
  for (const auto& c : cases) EXPECT_EQ(gm::SensorIdOfReportCode(c.code), c.id) << int(c.code);
  EXPECT_FALSE(gm::SensorIdOfReportCode(0x00).has_value());
  EXPECT_FALSE(gm::SensorIdOfReportCode(0x08).has_value());
}
