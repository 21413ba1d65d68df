#pragma once
// The operations of the profile list: which slots the list shows and in which order (the
// "ProfileShowCount" and "ProfileShowList0".."ProfileShowList4" entries of config.ini), adding a
// hidden slot to it, removing a slot from it, switching to an entry, renaming and importing.
// Every operation changes the model in memory only and returns what the caller then does (show a
// notice, save everything, refresh the window); nothing here writes a file except an export, and
// nothing is sent to the mouse. Portable.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings_model.h"

namespace gm {

// The operation codes the profile menu records for the profile-operation timer.
enum class ProfileOp : std::uint8_t {
  kImport = 0,
  kExport = 1,
  kRename = 2,
  kRemove = 3,
  kAdd = 4,
  kNoFreeProfile = 5,  // "add" while all five profiles are shown: only a notice
};

// What the caller does after an operation.
struct ProfileOpResult {
  int notice = -1;       // language text to show in a notice; -1 none
  bool save = false;     // write config.ini and the five profile files (SaveAllSettings)
  bool refresh = false;  // rebuild the main window from the profile
  friend bool operator==(const ProfileOpResult&, const ProfileOpResult&) = default;
};

inline constexpr ProfileOpResult kProfileOpNothing{};
inline constexpr ProfileOpResult kProfileOpSaveAndRefresh{-1, true, true};

// The visible list: the first `count` slots are shown, the rest are the hidden slots in order.
struct ProfileList {
  int count = 0;
  std::array<int, kProfileCount> slots{};
  friend bool operator==(const ProfileList&, const ProfileList&) = default;
};

ProfileList ReadProfileList(const AppConfigTable& config);
// Stores the count and the five entries (in memory).
void WriteProfileList(AppConfigTable& config, const ProfileList& list);

// The code of the list's "add" entry: kNoFreeProfile when five profiles are shown, else kAdd.
ProfileOp AddOperationCode(const AppConfigTable& config);

// The slot an add shows: the one in list position `count` (the first hidden slot); none when all
// five are shown.
std::optional<int> SlotForAdd(const AppConfigTable& config);

// A confirmed add of `slot` named `name`: one more profile is shown, and the slot's record is
// reset to the defaults (those of slot 0, with the current sensor's DPI stages) and takes the
// name. A slot other than SlotForAdd() changes nothing.
ProfileOpResult AddProfile(SettingsModel& model, int slot, std::wstring name);

// Removes `slot` from the visible list: the entries after it move forward, the slot goes to the
// last position and one profile fewer is shown. The current profile is refused with a notice; a
// slot that is not shown, and the last shown profile, are ignored. The slot's record and file stay.
ProfileOpResult RemoveProfile(SettingsModel& model, int slot);

// Makes the slot in list position `position` the current profile ("CurrentProfile" and the
// model's current slot). Returns the slot; none for a position that is not shown.
std::optional<int> SwitchToListPosition(SettingsModel& model, int position);

// Sets a profile's name (the "ProfileName" entry; ProfileName() reads it) as typed, untrimmed.
void SetProfileName(ProfileRecord& record, std::wstring name);

// Renames `slot` (0..4).
ProfileOpResult RenameProfile(SettingsModel& model, int slot, std::wstring name);

// Reads the profile file at `path` into `slot` only when the whole file is accepted: a rejected
// file leaves the slot's record (and so its file) untouched and asks for nothing.
ProfileOpResult ImportIntoSlot(SettingsModel& model, int slot, std::wstring_view path);

}  // namespace gm
