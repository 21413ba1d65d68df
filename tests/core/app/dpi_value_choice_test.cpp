#include "app/dpi_value_choice.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

SensorTables Sensor3950() {
  SensorTables t;
  t.id = 0x3950;
  BuildSensorDpiTables(t);
  return t;
}

TEST(DpiValueChoiceTest, TypedTextBecomesTheFirstListedDpiAtLeastThatNumber) {
  const SensorTables tables = Sensor3950();
  ASSERT_GT(tables.count, 2u);
  const int last = static_cast<int>(tables.count) - 1;
  const struct {
    const wchar_t* text;
    int position;
  } cases[] = {
      {L"812", PositionOfDpi(tables, 850)},  // between two entries: the next one up
      {L"0", 0},
      {L"", 0},
      {L"abc", 0},
      {L"-400", 0},
      {L"1600x", PositionOfDpi(tables, 1600)},  // only the leading digits count
      {L"999999999999999999999", last},          // above the maximum (and beyond int)
  };
  for (const auto& c : cases) {
    DpiValueChoice choice(tables, 5);
    choice.Type(c.text);
    EXPECT_EQ(choice.Position(), c.position) << c.text;
  }
  DpiValueChoice choice(tables, 0);
  choice.Type(L"812");
  EXPECT_EQ(choice.Dpi(), 850);
  EXPECT_EQ(choice.MinDpi(), DpiOfPosition(tables, 0));
  EXPECT_EQ(choice.MaxDpi(), DpiOfPosition(tables, last));
}

TEST(DpiValueChoiceTest, StepsStopAtBothEnds) {
  const SensorTables tables = Sensor3950();
  const int last = static_cast<int>(tables.count) - 1;
  DpiValueChoice choice(tables, 0);
  choice.StepLeft();
  EXPECT_EQ(choice.Position(), 0);
  choice.StepRight();
  EXPECT_EQ(choice.Position(), 1);
  choice.SetPosition(last);
  choice.StepRight();
  EXPECT_EQ(choice.Position(), last);
  choice.StepLeft();
  EXPECT_EQ(choice.Position(), last - 1);
  choice.SetPosition(last + 40);  // a stage position past the list is kept within it
  EXPECT_EQ(choice.Position(), last);
}

TEST(DpiValueChoiceTest, OneEntryListAlwaysGivesPositionZero) {
  SensorTables tables;
  tables.count = 1;
  tables.list[0] = 16;
  DpiValueChoice choice(tables, 3);
  EXPECT_TRUE(choice.Usable());
  EXPECT_EQ(choice.Position(), 0);
  choice.StepRight();
  choice.StepLeft();
  EXPECT_EQ(choice.Position(), 0);
  for (const wchar_t* text : {L"100", L"800", L"99999"}) {
    choice.Type(text);
    EXPECT_EQ(choice.Position(), 0) << text;
  }
  EXPECT_EQ(choice.Dpi(), 800);
}

TEST(DpiValueChoiceTest, EmptyListChoosesNothing) {
  SensorTables tables;
  tables.count = 0;
  DpiValueChoice choice(tables, 7);
  EXPECT_FALSE(choice.Usable());
  choice.Type(L"800");
  choice.StepRight();
  EXPECT_EQ(choice.Position(), 0);
}

TEST(DpiValueChoiceTest, SyncGivesTheOtherAxisTheChangedPosition) {
  const SensorTables tables = Sensor3950();
  DpiValueChoice x(tables, PositionOfDpi(tables, 800));
  DpiValueChoice y(tables, PositionOfDpi(tables, 1600));
  SyncAxes(x, y);  // checking "XY Sync" with X 800 and Y 1600
  EXPECT_EQ(y.Dpi(), 800);
  y.Type(L"1600");
  SyncAxes(y, x);
  EXPECT_EQ(x.Dpi(), 1600);
}

}  // namespace
}  // namespace gm
