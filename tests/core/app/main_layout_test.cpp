#include "app/main_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace gm {
namespace {

constexpr SectionOpenState kStartOpen = {true, true, false, false, false};

TEST(MainLayoutScale, ControlsScaleAndTruncate) {
  struct Case {
    int id;
    double scale;
    LayoutRect expected;
  };
  const Case cases[] = {
      {3400, 1.0, {457, 171, 672, 569}},
      {3400, 1.5, {685, 256, 1008, 853}},   // 685.5, 256.5, 1008, 853.5 truncated
      {3400, 2.0, {914, 342, 1344, 1138}},
      {2001, 1.5, {1638, 18, 1660, 40}},    // 1092, 12, 1107, 27 -> 1660.5, 40.5
      {3024, 1.5, {705, 900, 1005, 927}},
      {3295, 1.5, {1581, 318, 1620, 334}},  // stage 5: 1054, 212, 1080, 223
      {3406, 2.0, {160, 866, 220, 988}},
  };
  for (const Case& c : cases) {
    const MainControlSpec* spec = FindMainControl(c.id);
    ASSERT_NE(spec, nullptr) << c.id;
    EXPECT_EQ(ScaleRect(spec->rect, c.scale), c.expected) << c.id << " at " << c.scale;
  }
}

TEST(MainLayoutTable, EveryControlLiesInsideTheWindowAndIdsAreUniqueExceptShared) {
  std::map<int, int> count;
  for (const MainControlSpec& c : MainWindowControls()) {
    ++count[c.id];
    EXPECT_LT(c.rect.left, c.rect.right) << c.id;
    EXPECT_LT(c.rect.top, c.rect.bottom) << c.id;
    EXPECT_GE(c.rect.left, 0) << c.id;
    EXPECT_LE(c.rect.right, kMainDesignWidth) << c.id;
    EXPECT_LE(c.rect.bottom, kMainDesignHeight) << c.id;
  }
  // The mouse picture shares its id with the six button numbers; the legend repeats its ids.
  EXPECT_EQ(count[3400], 7);
  EXPECT_EQ(count[3401], 3);
  EXPECT_EQ(count[3402], 3);
  for (const auto& [id, n] : count)
    if (id != 3400 && id != 3401 && id != 3402) EXPECT_EQ(n, 1) << id;
}

TEST(MainLayoutTable, RowsOfTheLeftColumnAndDpiStages) {
  // Key combos and their numbers row by row; the DPI stage controls 36 units apart.
  const int comboTops[6] = {81, 111, 140, 169, 198, 227};
  for (int i = 0; i < 6; ++i) {
    const MainControlSpec* combo = FindMainControl(2013 + i);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->rect, (LayoutRect{82, comboTops[i], 244, comboTops[i] + 21}));
    EXPECT_EQ(combo->kind, MainControlKind::kComboButton);
  }
  EXPECT_EQ(FindMainControl(3302)->rect, (LayoutRect{955, 75, 962, 207}));
  EXPECT_EQ(FindMainControl(3263)->rect, (LayoutRect{989, 226, 1000, 237}));
  EXPECT_EQ(FindMainControl(3274)->rect, (LayoutRect{1018, 240, 1044, 252}));
  EXPECT_EQ(FindMainControl(3024)->textIndex, 284);
  EXPECT_EQ(FindMainControl(3024)->textColour, kTextColourYellow);
  EXPECT_EQ(FindMainControl(3520)->textColour, kTextColourGrey);
}

TEST(MainLayoutRadios, EachRadioIsInOneGroupAndSelectingItLeavesTheOtherGroups) {
  std::vector<gm::ui::RadioGroup> groups = gm::MainRadioGroups();
  ASSERT_EQ(groups.size(), 7u);
  for (auto& g : groups) ASSERT_TRUE(g.Select(g.Members().back()));
  for (size_t i = 0; i < groups.size(); ++i) {
    for (unsigned id : groups[i].Members()) {
      for (size_t j = 0; j < groups.size(); ++j) EXPECT_EQ(groups[j].Has(id), i == j) << id;
      groups[i].Select(id);
      for (size_t j = 0; j < groups.size(); ++j)
        if (j != i) EXPECT_EQ(groups[j].Selected(), groups[j].Members().back()) << id;
    }
  }
  // The lift-off radios of the layout form one group.
  const gm::ui::RadioGroup& lift = groups.back();
  for (unsigned id : {3509u, 3510u, 3511u}) EXPECT_TRUE(lift.Has(id));
}

TEST(MainLayoutSections, HeadersStackBelowOpenSections) {
  struct Case {
    const char* name;
    SectionOpenState open;
    bool liftSlot;
    std::array<int, kSectionCount> tops;  // -1: no slot
  };
  const Case cases[] = {
      {"start, no lift setting", kStartOpen, false, {37, 263, -1, 473, 503}},
      {"start, lift slot kept empty", kStartOpen, true, {37, 263, 473, 503, 533}},
      {"all closed", {false, false, false, false, false}, true, {37, 67, 97, 127, 157}},
      {"desktop open pushes only sensor", {false, false, false, true, false}, false, {37, 67, -1, 97, 237}},
      {"lift open pushes desktop and sensor", {false, false, true, false, false}, true, {37, 67, 97, 212, 242}},
      {"dpi and sensor open", {true, false, false, false, true}, true, {37, 263, 293, 323, 353}},
  };
  for (const Case& c : cases) {
    const auto placed = StackSections(c.open, c.liftSlot);
    for (int i = 0; i < kSectionCount; ++i) {
      if (c.tops[i] < 0) {
        EXPECT_FALSE(placed[i].present) << c.name << " section " << i;
        continue;
      }
      EXPECT_TRUE(placed[i].present) << c.name << " section " << i;
      EXPECT_EQ(placed[i].header, (LayoutRect{846, c.tops[i], 1108, c.tops[i] + 25})) << c.name << " section " << i;
    }
  }
}

TEST(MainLayoutSections, OpenFramesHangBelowTheirHeaders) {
  const auto placed = StackSections({true, true, false, false, true}, false);
  EXPECT_EQ(placed[0].frame, (LayoutRect{846, 62, 1108, 258}));
  EXPECT_EQ(placed[1].frame, (LayoutRect{846, 288, 1108, 468}));
  EXPECT_EQ(placed[4].header.top, 97 + 30 + 196 + 180);
  EXPECT_EQ(placed[4].frame, (LayoutRect{846, 528, 1108, 613}));
  EXPECT_TRUE(placed[4].open);
  EXPECT_FALSE(placed[3].open);
}

TEST(MainLayoutSections, CheckingAHeaderKeepsOnlyTheFirstOtherOpenSection) {
  using S = Section;
  struct Case {
    const char* name;
    SectionOpenState before;
    S clicked;
    bool checked;
    SectionOpenState after;
  };
  const Case cases[] = {
      {"rate while dpi, desktop, sensor open", {true, false, false, true, true}, S::kRate, true, {true, true, false, false, false}},
      {"dpi while only sensor open", {false, false, false, false, true}, S::kDpi, true, {true, false, false, false, true}},
      {"sensor while desktop open", {false, false, false, true, false}, S::kSensor, true, {false, false, false, true, true}},
      {"desktop at start closes rate", kStartOpen, S::kDesktop, true, {true, false, false, true, false}},
      {"nothing else open", {false, false, false, false, false}, S::kLift, true, {false, false, true, false, false}},
      {"unchecking closes only itself", {true, true, false, false, false}, S::kDpi, false, {false, true, false, false, false}},
  };
  for (const Case& c : cases) EXPECT_EQ(AfterHeaderClick(c.before, c.clicked, c.checked), c.after) << c.name;
}

TEST(MainLayoutSections, SectionControlsFollowTheirHeader) {
  // Report rate at start: header bottom 288.
  EXPECT_EQ(PlaceInSection(*FindMainControl(3045), 846, 288, false), (LayoutRect{901, 308, 1051, 458}));
  EXPECT_EQ(PlaceInSection(*FindMainControl(3143), 846, 288, false), (LayoutRect{934, 377, 1019, 395}));
  // Lift-off radios and texts with and without the extra option.
  struct Case {
    int id;
    bool extra;
    LayoutRect expected;
  };
  const Case lift[] = {
      {3509, true, {886, 127, 901, 142}},  {3510, true, {966, 127, 981, 142}},  {3511, true, {1046, 127, 1061, 142}},
      {3510, false, {926, 127, 941, 142}}, {3511, false, {1006, 127, 1021, 142}},
      {3519, true, {864, 147, 924, 165}},  {3520, true, {944, 147, 1004, 165}}, {3521, false, {984, 147, 1044, 165}},
  };
  for (const Case& c : lift) EXPECT_EQ(PlaceInSection(*FindMainControl(c.id), 846, 100, c.extra), c.expected) << c.id;
  EXPECT_TRUE(FindMainControl(3509)->onlyWithExtraOption);
  EXPECT_TRUE(FindMainControl(3519)->onlyWithExtraOption);
  EXPECT_FALSE(FindMainControl(3510)->onlyWithExtraOption);
  // Desktop button and the third sensor option.
  EXPECT_EQ(PlaceInSection(*FindMainControl(3330), 846, 200, false), (LayoutRect{866, 230, 1081, 275}));
  EXPECT_EQ(PlaceInSection(*FindMainControl(3542), 846, 200, false), (LayoutRect{866, 260, 881, 275}));
  EXPECT_EQ(PlaceInSection(*FindMainControl(3545), 846, 200, false), (LayoutRect{886, 262, 1086, 280}));
}

TEST(MainLayoutRate, PictureAndCentreTextByCapabilityAndCode) {
  const std::pair<int, std::optional<int>> pictures[] = {
      {1, 3042}, {2, 3043}, {4, 3044}, {8, 3045}, {0x31, 3041}, {0x30, std::nullopt}, {0, 3042}, {99, 3042}};
  for (const auto& [capability, id] : pictures) EXPECT_EQ(RatePictureFor(capability), id) << capability;
  const std::pair<int, int> texts[] = {{0, 3142}, {1, 3143}, {2, 3144}, {3, 3145}, {6, 3145}, {-1, 3142}};
  for (const auto& [code, id] : texts) EXPECT_EQ(RateCentreTextFor(code), id) << code;
  EXPECT_EQ(TopRateCodeOf(3041), 1);
  EXPECT_EQ(TopRateCodeOf(3045), 6);
}

TEST(MainLayoutMarks, ComboNumbersAndMarkOrigins) {
  EXPECT_EQ(ComboNumberOf(2016), 4);
  EXPECT_EQ(ComboNumberOf(2012), 0);
  EXPECT_EQ(ComboNumberOf(2019), 0);
  const auto mark = MouseMarkOrigin(4);
  ASSERT_TRUE(mark.has_value());
  EXPECT_EQ(mark->x, 467);
  EXPECT_EQ(mark->y, 311);
  EXPECT_EQ(MouseMarkOrigin(6)->x, 613);
  EXPECT_FALSE(MouseMarkOrigin(0).has_value());
  EXPECT_FALSE(MouseMarkOrigin(7).has_value());
}

}  // namespace
}  // namespace gm
