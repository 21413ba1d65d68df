#pragma once
// Changing one entry of a profile by its name in the profile file, with the limits the program's
// own controls keep: the profile name is never empty (the name dialog refuses it), the switches
// hold 0 or 1, the power-down time is a step of its dial (1..8), the lift-off height one of its
// three choices (1, 2, 7), at least one DPI stage stays enabled and the current stage is an
// enabled one (disabling the current stage moves it on, as unchecking it does). Entries the
// program only carries and never changes (the Windows pointer and wheel values, the sensitivity
// and DPI entries of the first block, the key debounce) are refused, so a script cannot store
// what the program would not.
// Used by `gmctl profile set`; portable.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/profile_record.h"

namespace gm {

enum class EntryEditError {
  kNone,
  kUnknownEntry,   // no settable entry of that name
  kNotANumber,     // the value is not a decimal number (or 0x-prefixed hexadecimal one)
  kOutOfRange,     // a number the entry does not take (see EntryEditResult::allowed)
  kEmptyName,      // the profile name would be empty
  kLineBreak,      // a text with a line break (the file holds one entry per line)
  kNoStageLeft,    // the DPI stage mask would enable no stage
  kStageDisabled,  // the current stage would be a disabled one
};

struct EntryEditResult {
  EntryEditError error = EntryEditError::kNone;
  std::wstring allowed;  // with kOutOfRange: the values the entry takes, e.g. "1..8" or "1, 2, 7"
  explicit operator bool() const { return error == EntryEditError::kNone; }
};

// Sets entry `name` of `record` to `value` (the text as a user types it). On any error the record
// is left as it was.
EntryEditResult SetProfileEntry(ProfileRecord& record, std::wstring_view name, std::wstring_view value);

// The names SetProfileEntry accepts, in the order of the file.
std::vector<std::wstring> SettableProfileEntries();

}  // namespace gm
