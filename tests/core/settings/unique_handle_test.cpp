#include "settings/unique_handle.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

namespace gm {
namespace {

// A fake kind of handle: small integers, 0 owns nothing, every close is recorded.
std::vector<int> closed;

struct CountingTraits {
  using Handle = int;
  static Handle Empty() noexcept { return 0; }
  static void Close(Handle h) noexcept { closed.push_back(h); }
};
using Owner = UniqueHandle<CountingTraits>;

// A kind whose functions also report failure with -1, held as 0.
struct TwoFailureValuesTraits : CountingTraits {
  static Handle Adopt(Handle h) noexcept { return h == -1 ? 0 : h; }
};
using KernelLikeOwner = UniqueHandle<TwoFailureValuesTraits>;

class UniqueHandleTest : public testing::Test {
 protected:
  void SetUp() override { closed.clear(); }
};

static_assert(!std::is_copy_constructible_v<Owner> && !std::is_copy_assignable_v<Owner>);
static_assert(std::is_nothrow_move_constructible_v<Owner> && std::is_nothrow_move_assignable_v<Owner>);

TEST_F(UniqueHandleTest, ClosesWhatItHoldsOnceAndNeverTheEmptyValue) {
  {
    Owner empty;
    EXPECT_FALSE(empty);
    Owner one(7);
    EXPECT_TRUE(one);
    EXPECT_EQ(one.Get(), 7);
  }
  EXPECT_EQ(closed, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, ResetClosesTheOldHandleButNeverTheOneItKeeps) {
  {
    Owner h(7);
    h.Reset(7);  // the handle it already holds: kept open
    EXPECT_TRUE(closed.empty());
    EXPECT_EQ(h.Get(), 7);
    h.Reset(8);
    EXPECT_EQ(closed, std::vector<int>{7});
    h.Reset();
    EXPECT_EQ(closed, (std::vector<int>{7, 8}));
    EXPECT_FALSE(h);
    h.Reset();  // nothing held: nothing closed
  }
  EXPECT_EQ(closed, (std::vector<int>{7, 8}));
}

TEST_F(UniqueHandleTest, ReleaseGivesTheHandleUpWithoutClosingIt) {
  {
    Owner h(7);
    EXPECT_EQ(h.Release(), 7);
    EXPECT_FALSE(h);
    EXPECT_EQ(h.Release(), 0);
  }
  EXPECT_TRUE(closed.empty());
}

TEST_F(UniqueHandleTest, MovingHandsTheHandleOverAndClosesWhatTheTargetHeld) {
  {
    Owner a(7);
    Owner b(std::move(a));
    EXPECT_FALSE(a);  // NOLINT(bugprone-use-after-move): a moved-from owner is empty
    EXPECT_EQ(b.Get(), 7);
    Owner c(9);
    c = std::move(b);
    EXPECT_EQ(closed, std::vector<int>{9});
    EXPECT_EQ(c.Get(), 7);
    Owner& alias = c;
    c = std::move(alias);  // onto itself: kept, not closed
    EXPECT_EQ(c.Get(), 7);
    EXPECT_EQ(closed, std::vector<int>{9});
  }
  EXPECT_EQ(closed, (std::vector<int>{9, 7}));
}

TEST_F(UniqueHandleTest, ASecondFailureValueIsHeldAsEmptyAndNeverClosed) {
  {
    KernelLikeOwner failed(-1);
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.Get(), 0);
    KernelLikeOwner h(5);
    h.Reset(-1);
    EXPECT_EQ(closed, std::vector<int>{5});
    EXPECT_FALSE(h);
  }
  EXPECT_EQ(closed, std::vector<int>{5});
}

}  // namespace
}  // namespace gm
