// The profile-list operations on a model of their own: which slot an add takes, removal with its
// list shuffle, switching, renaming and importing, worked through the cases a user meets.
#include "app/profile_operations.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "settings/language_indexes.h"
#include "settings/profile_file.h"
#include "settings/settings_store.h"
#include "settings/test_state.h"

namespace gm {
namespace {

class ProfileOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model_->texts[kTextDefaultProfile1] = L"Profile 1";
    model_->sensor.id = 0x3950;
    FillAppConfigDefaults(model_->config, model_->env.dataFolder);
    for (int slot = 0; slot < kProfileCount; ++slot) {
      ResetProfile(model_->profiles[static_cast<std::size_t>(slot)], slot, model_->texts, model_->sensor.id);
    }
  }
  void SetList(int count, std::array<int, kProfileCount> slots) { WriteProfileList(model_->config, {count, slots}); }
  ProfileList List() const { return ReadProfileList(model_->config); }

  test::TestState<AppState> model_;
};

TEST_F(ProfileOperationsTest, RemoveMovesTheSlotBehindTheShownOnes) {
  struct Case {
    int count;
    std::array<int, kProfileCount> before;
    int removed;
    ProfileList after;
  };
  const Case cases[] = {
      {3, {0, 2, 1, 3, 4}, 2, {2, {0, 1, 3, 4, 2}}},
      {4, {0, 3, 1, 2, 4}, 3, {3, {0, 1, 2, 4, 3}}},
      {5, {4, 3, 2, 1, 0}, 0, {4, {4, 3, 2, 1, 0}}},  // already last: only the count changes
      {5, {0, 1, 2, 3, 4}, 1, {4, {0, 2, 3, 4, 1}}},
  };
  for (const Case& c : cases) {
    SetList(c.count, c.before);
    model_->currentProfile = c.before[0] == c.removed ? c.before[1] : c.before[0];
    const ProfileRecord record = model_->profiles[static_cast<std::size_t>(c.removed)];
    EXPECT_EQ(RemoveProfile(*model_, c.removed), kProfileOpSaveAndRefresh) << c.removed;
    EXPECT_EQ(List(), c.after) << c.removed;
    // The config entries are written as the file stores them.
    EXPECT_EQ(AppConfigValue(model_->config, kProfileShowCount), std::to_wstring(c.after.count));
    // A hidden slot keeps its record.
    EXPECT_EQ(model_->profiles[static_cast<std::size_t>(c.removed)], record);
  }
}

TEST_F(ProfileOperationsTest, RemoveRefusesTheCurrentProfileAndIgnoresWhatIsNotShown) {
  SetList(3, {0, 2, 1, 3, 4});
  const AppConfigTable before = model_->config;
  model_->currentProfile = 2;
  EXPECT_EQ(RemoveProfile(*model_, 2), (ProfileOpResult{kTextCannotDeleteCurrentProfile, false, false}));
  EXPECT_EQ(model_->config, before);
  // Slot 3 is hidden; 7 is no slot at all.
  for (int slot : {3, 7, -1}) {
    EXPECT_EQ(RemoveProfile(*model_, slot), kProfileOpNothing) << slot;
    EXPECT_EQ(model_->config, before) << slot;
  }
  // The only shown profile stays, even when it is not the current one.
  SetList(1, {4, 0, 1, 2, 3});
  model_->currentProfile = 0;
  EXPECT_EQ(RemoveProfile(*model_, 4), kProfileOpNothing);
  EXPECT_EQ(List(), (ProfileList{1, {4, 0, 1, 2, 3}}));
}

TEST_F(ProfileOperationsTest, AddTakesTheFirstHiddenSlotAndResetsIt) {
  SetList(3, {0, 2, 1, 3, 4});
  EXPECT_EQ(AddOperationCode(model_->config), ProfileOp::kAdd);
  ASSERT_EQ(SlotForAdd(model_->config), 3);
  ProfileRecord& record = model_->profiles[3];
  record.DPIOffOnFlagValue = 0x01;
  record.KeyAssignments[0].KeyName = L"edited";

  // Only the slot in position `count` can be added.
  EXPECT_EQ(AddProfile(*model_, 4, L"wrong"), kProfileOpNothing);
  EXPECT_EQ(List().count, 3);

  EXPECT_EQ(AddProfile(*model_, 3, L" My profile "), kProfileOpSaveAndRefresh);
  EXPECT_EQ(List(), (ProfileList{4, {0, 2, 1, 3, 4}}));
  ProfileRecord expected;
  ResetProfile(expected, 0, model_->texts, 0x3950);
  SetProfileName(expected, L" My profile ");  // stored as typed
  EXPECT_EQ(record, expected);
}

TEST_F(ProfileOperationsTest, RemoveThenAddBringsTheSameSlotBackReset) {
  // All five shown; the last one is removed, so it is the first hidden slot afterwards.
  SetList(5, {0, 3, 1, 2, 4});
  model_->currentProfile = 0;
  model_->profiles[4].XYSettingValueX[0] = 0x0123;
  ASSERT_EQ(RemoveProfile(*model_, 4), kProfileOpSaveAndRefresh);
  ASSERT_EQ(SlotForAdd(model_->config), 4);
  EXPECT_EQ(model_->profiles[4].XYSettingValueX[0], 0x0123);  // kept while hidden
  ASSERT_EQ(AddProfile(*model_, 4, L"Back"), kProfileOpSaveAndRefresh);
  EXPECT_EQ(List(), (ProfileList{5, {0, 3, 1, 2, 4}}));
  EXPECT_NE(model_->profiles[4].XYSettingValueX[0], 0x0123);
  EXPECT_EQ(ProfileName(model_->profiles[4]), L"Back");
}

TEST_F(ProfileOperationsTest, AddWithFiveShownIsOnlyTheNotice) {
  SetList(5, {0, 1, 2, 3, 4});
  EXPECT_EQ(AddOperationCode(model_->config), ProfileOp::kNoFreeProfile);
  EXPECT_EQ(SlotForAdd(model_->config), std::nullopt);
  const ProfileTable before = model_->profiles;
  for (int slot = 0; slot < kProfileCount; ++slot) EXPECT_EQ(AddProfile(*model_, slot, L"x"), kProfileOpNothing);
  EXPECT_EQ(List().count, 5);
  EXPECT_EQ(model_->profiles, before);
}

TEST_F(ProfileOperationsTest, SwitchSetsTheCurrentSlotFromTheListPosition) {
  SetList(3, {4, 2, 0, 1, 3});
  EXPECT_EQ(SwitchToListPosition(*model_, 1), 2);
  EXPECT_EQ(model_->currentProfile, 2);
  EXPECT_EQ(AppConfigValue(model_->config, kCurrentProfile), L"2");
  // Positions that are not shown change nothing.
  for (int position : {3, 4, -1}) {
    EXPECT_EQ(SwitchToListPosition(*model_, position), std::nullopt) << position;
    EXPECT_EQ(model_->currentProfile, 2);
  }
}

TEST_F(ProfileOperationsTest, RenameChangesOnlyTheName) {
  ProfileRecord expected = model_->profiles[1];
  SetProfileName(expected, L"Renamed");
  EXPECT_EQ(RenameProfile(*model_, 1, L"Renamed"), kProfileOpSaveAndRefresh);
  EXPECT_EQ(model_->profiles[1], expected);
  EXPECT_EQ(RenameProfile(*model_, 5, L"none"), kProfileOpNothing);
}

TEST_F(ProfileOperationsTest, ImportTakesOnlyAnAcceptedFile) {
  ProfileRecord exported = model_->profiles[0];
  SetProfileName(exported, L"Exported");
  exported.DPIOffOnFlagValue = 0x05;
  const std::wstring good = model_->env.dataFolder + L"good.psf";
  ASSERT_TRUE(WriteProfileRecord(exported, good));
  model_.Folder().WriteBytes("bad.psf", "not a profile");

  const ProfileRecord before = model_->profiles[2];
  EXPECT_EQ(ImportIntoSlot(*model_, 2, model_->env.dataFolder + L"bad.psf"), kProfileOpNothing);
  EXPECT_EQ(ImportIntoSlot(*model_, 2, model_->env.dataFolder + L"missing.psf"), kProfileOpNothing);
  EXPECT_EQ(model_->profiles[2], before);
  EXPECT_EQ(ImportIntoSlot(*model_, 2, good), kProfileOpSaveAndRefresh);
  EXPECT_EQ(model_->profiles[2], exported);

  // A file without a profile name gives the slot its default name: the list can still choose it.
  SetProfileName(exported, L"");
  ASSERT_TRUE(WriteProfileRecord(exported, good));
  EXPECT_EQ(ImportIntoSlot(*model_, 2, good), kProfileOpSaveAndRefresh);
  EXPECT_EQ(ProfileName(model_->profiles[2]), L"Profile3");
}

}  // namespace
}  // namespace gm
