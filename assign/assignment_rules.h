#pragma once
// How a chosen function is stored on a button of the current profile, and the rules around it:
// the mouse must keep at least one left button, a macro needs a free device macro slot, and the
// results of the macro selection and program-launch dialogs. Portable: no windows.h.
#include <cstdint>
#include <string>
#include <string_view>

#include "assign/function_menus.h"
#include "macro/macro_library.h"
#include "settings/language.h"
#include "settings/profile_record.h"

namespace gm {

// Writes button `button`'s assignment (0..5; other values change nothing): KeyName = name,
// KeyURL = url, KeyValue = value; with a macro, the button's macro becomes a copy of it and
// MacroKeyIndex = macroIndex.
void StoreAssignment(ProfileRecord& record, int button, std::wstring name, ThreeBytes value, const MacroKey* macro,
                     std::uint32_t macroIndex, std::wstring url);

// Buttons whose function begins 10 01 (left click).
int LeftClickButtonCount(const ProfileRecord& record);

enum class GuardOutcome {
  kUpload,             // a left button remains: mark the mapping dirty and upload
  kLeftClickRestored,  // none remained: the button got left click back (texts[20]); show
                       // texts[kTextLeftButtonRequired] after 100 ms and upload nothing
};

// The left-button guard, run after every store on `button`.
GuardOutcome ApplyLeftButtonGuard(ProfileRecord& record, int button, const LanguageTable& texts);

// Device macro slots 1..15 (the slot shares a byte with the loop type).
inline constexpr int kDeviceMacroSlots = 15;
// The notice of a refused macro assignment: fixed English texts.
inline constexpr std::wstring_view kMacroLimitTitle = L"Attention!";
inline constexpr std::wstring_view kMacroLimitText = L"The number of macro keys set is already the maximum value!";

// Whether the macro selection dialog may open for `button`: always when the button already holds
// a macro (or is no button 0..5, whose choice is not stored); otherwise only while a device slot
// is free. `macroSlotNext` is the number the next distinct macro would get after the owner's
// slot resolution of the profile (16 when 15 macros are in use).
bool MacroAssignmentAllowed(const ProfileRecord& record, int button, int macroSlotNext);

// A dialog's result together with what else a store needs.
struct AssignmentChoice {
  SelectionRecord record;
  const MacroKey* macro = nullptr;  // borrowed from the library until stored
  std::uint32_t macroIndex = 0;
  std::wstring url;
};

// The macro selection's result: texts[190] + the item's name, 90 00 00 and its macro for a macro
// item; texts[34] (disabled), 00 00 00 and no macro for anything else (nullptr included).
AssignmentChoice MacroSelectionChoice(const MacroItem* item, const LanguageTable& texts);

// The program-launch result: the file's name (after the last '\' or '/'), 60 05 00, KeyURL the path.
AssignmentChoice ProgramLaunchChoice(const std::wstring& path);

// The program-launch dialog's report as stored: its record as sent (the file name, 60 05 00) and
// the path beside it as KeyURL. An empty path (confirmed without browsing) stores an empty target.
AssignmentChoice LaunchReportChoice(const SelectionRecord& record, std::wstring path);

// StoreAssignment with a choice.
void StoreChoice(ProfileRecord& record, int button, const AssignmentChoice& choice);

}  // namespace gm
