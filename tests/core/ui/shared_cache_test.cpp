#include "ui/shared_cache.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A thing the cache hands out; the fixture counts how many were made.
struct Decoded {
  std::wstring from;
};

class SharedCacheTest : public ::testing::Test {
 protected:
  std::shared_ptr<const Decoded> Get(const std::wstring& key, bool fails = false) {
    return cache_.Get(key, [&]() -> std::shared_ptr<const Decoded> {
      ++made_;
      if (fails) return nullptr;
      return std::make_shared<const Decoded>(Decoded{key});
    });
  }

  gm::ui::SharedCache<Decoded> cache_;
  int made_ = 0;
};

TEST_F(SharedCacheTest, HoldersOfOneKeyShareOneThingAndOtherKeysGetTheirOwn) {
  const auto first = Get(L"a");
  const auto second = Get(L"a");
  const auto other = Get(L"b");
  EXPECT_EQ(first.get(), second.get());
  EXPECT_NE(first.get(), other.get());
  EXPECT_EQ(other->from, L"b");
  EXPECT_EQ(made_, 2);
  EXPECT_EQ(cache_.HeldCount(), 2u);
}

TEST_F(SharedCacheTest, TheLastHolderFreesTheThingAndTheNextRequestMakesItAgain) {
  std::weak_ptr<const Decoded> watch;
  {
    auto first = Get(L"a");
    auto second = Get(L"a");
    watch = first;
    first.reset();
    EXPECT_FALSE(watch.expired());  // still held by the second holder
  }
  EXPECT_TRUE(watch.expired());  // the cache itself kept nothing alive
  EXPECT_EQ(cache_.HeldCount(), 0u);
  const auto again = Get(L"a");
  ASSERT_TRUE(again);
  EXPECT_EQ(made_, 2);
}

TEST_F(SharedCacheTest, FailuresAreNotKept) {
  EXPECT_FALSE(Get(L"missing", true));
  EXPECT_FALSE(Get(L"missing", true));
  EXPECT_EQ(made_, 2);  // each request tried again
  const auto later = Get(L"missing");  // the file has appeared
  ASSERT_TRUE(later);
  EXPECT_EQ(cache_.HeldCount(), 1u);
}

TEST(FileNameKey, NamesOfOneFileMeetAndOthersStayApart) {
  EXPECT_EQ(gm::ui::FileNameKey(L"C:\\Prog/Skins/Exit_NR.png"), gm::ui::FileNameKey(L"c:\\prog\\skins\\exit_nr.png"));
  EXPECT_NE(gm::ui::FileNameKey(L"skins\\exit_nr.png"), gm::ui::FileNameKey(L"skins\\exit_ov.png"));
  EXPECT_EQ(gm::ui::FileNameKey(L"\u00C9t\u00E9.png"), L"\u00C9t\u00E9.png");  // only ASCII letters fold
}

}  // namespace
