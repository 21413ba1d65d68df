#include "ui/scroll_geometry.h"

#include <gtest/gtest.h>

using gm::ui::Span;

// A 101-row track from row 15 to row 115.
constexpr Span kTrack{15, 115};

TEST(ScrollThumb, SizedAndPlacedByPositionPageAndRange) {
  const struct {
    int position, page, range;
    Span thumb;
  } cases[] = {
      {0, 10, 40, {15, 39}},    // 10/40 of 101 rows rounds to 25
      {30, 10, 40, {91, 115}},  // 30/40 of 101 = 75.75 rounds to 76
      {0, 50, 40, {15, 115}},   // a page larger than the range is the whole track
      {5, 10, 0, kTrack},       // range 0: the whole track
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gm::ui::ThumbSpan(kTrack, c.position, c.page, c.range), c.thumb)
        << c.position << "/" << c.page << "/" << c.range;
  }
}

TEST(ScrollThumb, DragFollowsThePointerAndStopsFlushAtBothEnds) {
  const Span grabbed{15, 39};  // grabbed 5 rows below its top (row 20)
  EXPECT_EQ(gm::ui::DragThumb(kTrack, grabbed, 5, 25), (Span{20, 44}));
  const Span atEnd = gm::ui::DragThumb(kTrack, grabbed, 5, 400);
  EXPECT_EQ(atEnd, (Span{91, 115}));
  EXPECT_EQ(gm::ui::DragThumb(kTrack, atEnd, 5, 500), atEnd);  // no further down
  EXPECT_EQ(gm::ui::DragThumb(kTrack, atEnd, 5, -50), grabbed);  // flush at the top
  EXPECT_EQ(gm::ui::DragThumb(kTrack, grabbed, 5, 0), grabbed);
}

TEST(ScrollThumb, DraggedPositionRoundsDown) {
  EXPECT_EQ(gm::ui::DraggedPosition(kTrack, 91, 40), 30);  // 76 × 40 / 101 = 30.1
  EXPECT_EQ(gm::ui::DraggedPosition(kTrack, 20, 40), 1);   // 5 × 40 / 101 = 1.98
  EXPECT_EQ(gm::ui::DraggedPosition(kTrack, 15, 40), 0);
  EXPECT_EQ(gm::ui::DraggedPosition(Span{10, 5}, 10, 40), 0);  // a track without length
}

TEST(ScrollStep, OwnerAnswersArrowAndTrackPresses) {
  using namespace gm::ui;
  const struct {
    int part, position, page, range;
    std::optional<int> next;
  } cases[] = {
      {kScrollUpArrow, 3, 10, 40, 2},      {kScrollUpArrow, 0, 10, 40, std::nullopt},
      {kScrollDownArrow, 29, 10, 40, 30},  {kScrollDownArrow, 30, 10, 40, std::nullopt},
      {kScrollPageUp, 5, 10, 40, 0},       {kScrollPageUp, 20, 10, 40, 11},
      {kScrollPageUp, 0, 10, 40, std::nullopt},
      {kScrollPageDown, 5, 10, 40, 14},    {kScrollPageDown, 25, 10, 40, 30},
      {kScrollPageDown, 30, 10, 40, std::nullopt},
      {kScrollThumb, 5, 10, 40, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScrollStep(c.part, c.position, c.page, c.range), c.next) << c.part << " at " << c.position;
  }
}
