#include "app/profile_operations.h"

#include <algorithm>

#include "settings/language_indexes.h"
#include "settings/profile_file.h"

namespace gm {
namespace {

bool IsSlot(int slot) { return slot >= 0 && slot < kProfileCount; }

}  // namespace

ProfileList ReadProfileList(const AppConfigTable& config) {
  ProfileList list;
  list.count = GetProfileShowCount(config);
  for (int i = 0; i < kProfileCount; ++i) list.slots[static_cast<std::size_t>(i)] = GetProfileShowList(config, i);
  return list;
}

void WriteProfileList(AppConfigTable& config, const ProfileList& list) {
  for (int i = 0; i < kProfileCount; ++i) SetProfileShowList(config, i, list.slots[static_cast<std::size_t>(i)]);
  SetProfileShowCount(config, list.count);
}

ProfileOp AddOperationCode(const AppConfigTable& config) {
  return GetProfileShowCount(config) > kProfileCount - 1 ? ProfileOp::kNoFreeProfile : ProfileOp::kAdd;
}

std::optional<int> SlotForAdd(const AppConfigTable& config) {
  const ProfileList list = ReadProfileList(config);
  if (list.count >= kProfileCount) return std::nullopt;
  return list.slots[static_cast<std::size_t>(list.count)];
}

ProfileOpResult AddProfile(SettingsModel& model, int slot, std::wstring name) {
  if (SlotForAdd(model.config) != slot) return kProfileOpNothing;
  SetProfileShowCount(model.config, GetProfileShowCount(model.config) + 1);
  ProfileRecord& record = model.profiles[static_cast<std::size_t>(slot)];
  // A new profile starts from the first slot's defaults whatever slot it takes.
  ResetProfile(record, 0, model.texts, model.sensor.id);
  SetProfileName(record, std::move(name));
  return kProfileOpSaveAndRefresh;
}

ProfileOpResult RemoveProfile(SettingsModel& model, int slot) {
  if (slot == model.currentProfile) return {kTextCannotDeleteCurrentProfile, false, false};
  ProfileList list = ReadProfileList(model.config);
  const auto shownEnd = list.slots.begin() + list.count;
  const auto found = std::find(list.slots.begin(), shownEnd, slot);
  // A slot that is not shown cannot be removed, and the list never becomes empty (a count of 0
  // would read back as the default).
  if (found == shownEnd || list.count <= 1) return kProfileOpNothing;
  std::rotate(found, found + 1, list.slots.end());
  --list.count;
  WriteProfileList(model.config, list);
  return kProfileOpSaveAndRefresh;
}

std::optional<int> SwitchToListPosition(SettingsModel& model, int position) {
  const ProfileList list = ReadProfileList(model.config);
  if (position < 0 || position >= list.count) return std::nullopt;
  const int slot = list.slots[static_cast<std::size_t>(position)];
  SetCurrentProfile(model.config, slot);
  model.currentProfile = slot;
  return slot;
}

void SetProfileName(ProfileRecord& record, std::wstring name) {
  record.SettingEntries[kProfileName].Value = std::move(name);
}

ProfileOpResult RenameProfile(SettingsModel& model, int slot, std::wstring name) {
  if (!IsSlot(slot)) return kProfileOpNothing;
  SetProfileName(model.profiles[static_cast<std::size_t>(slot)], std::move(name));
  return kProfileOpSaveAndRefresh;
}

ProfileOpResult ImportIntoSlot(SettingsModel& model, int slot, std::wstring_view path) {
  if (!IsSlot(slot) || !ReadProfileRecord(path, model.profiles[static_cast<std::size_t>(slot)])) return kProfileOpNothing;
  // A profile without a name could not be chosen from the list: it gets the slot's default name.
  NameUnnamedProfile(model.profiles[static_cast<std::size_t>(slot)], slot, model.texts);
  return kProfileOpSaveAndRefresh;
}

}  // namespace gm
