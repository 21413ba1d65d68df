#include "ui/dialog_table.h"

#include <gtest/gtest.h>

namespace {
void* Handle(uintptr_t n) { return reinterpret_cast<void*>(n); }
}  // namespace

TEST(DialogTable, HoldsTenAndRefusesTheEleventh) {
  gm::DialogTable t;
  for (uintptr_t i = 1; i <= 10; ++i) EXPECT_TRUE(t.Add(Handle(i)));
  EXPECT_FALSE(t.Add(Handle(11)));
  EXPECT_EQ(t.Count(), 10u);
  EXPECT_EQ(t.At(9), Handle(10));
  // Once one closes, the next dialog is registered in the freed last entry.
  EXPECT_TRUE(t.Remove(Handle(1)));
  EXPECT_TRUE(t.Add(Handle(11)));
  EXPECT_EQ(t.At(9), Handle(11));
}

TEST(DialogTable, RemovingMovesLaterEntriesDown) {
  gm::DialogTable t;
  for (uintptr_t i = 1; i <= 4; ++i) t.Add(Handle(i));
  EXPECT_TRUE(t.Remove(Handle(2)));
  EXPECT_EQ(t.At(0), Handle(1));
  EXPECT_EQ(t.At(1), Handle(3));
  EXPECT_EQ(t.At(2), Handle(4));
  EXPECT_EQ(t.At(3), nullptr);
  EXPECT_FALSE(t.Remove(Handle(2)));  // not present any more
  EXPECT_FALSE(t.Remove(nullptr));
  EXPECT_EQ(t.Count(), 3u);
}

TEST(DialogTable, NullAndDuplicateHandlesAreNotStored) {
  gm::DialogTable t;
  EXPECT_FALSE(t.Add(nullptr));
  EXPECT_TRUE(t.Add(Handle(5)));
  EXPECT_FALSE(t.Add(Handle(5)));
  EXPECT_EQ(t.Count(), 1u);
  EXPECT_EQ(t.At(42), nullptr);
}
