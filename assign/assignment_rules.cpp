#include "assign/assignment_rules.h"

#include <algorithm>

#include "settings/language_indexes.h"

namespace gm {
namespace {

constexpr ThreeBytes kLeftClick{0x10, 0x01, 0x00};
constexpr std::uint8_t kMacroType = 0x90;
constexpr ThreeBytes kMacroValue{kMacroType, 0x00, 0x00};
constexpr ThreeBytes kLaunchValue{0x60, 0x05, 0x00};

}  // namespace

void StoreAssignment(ProfileRecord& record, int button, std::wstring name, ThreeBytes value, const MacroKey* macro,
                     std::uint32_t macroIndex, std::wstring url) {
  KeyAssignment* key = KeyAssignmentAt(record, button);
  if (!key) return;
  key->KeyName = std::move(name);
  key->KeyURL = std::move(url);
  key->KeyValue = value;
  if (macro) {
    key->Macro = *macro;
    key->MacroKeyIndex = macroIndex;
  }
}

int LeftClickButtonCount(const ProfileRecord& record) {
  return static_cast<int>(std::count_if(record.KeyAssignments.begin(), record.KeyAssignments.end(), [](const auto& k) {
    return k.KeyValue[0] == kLeftClick[0] && k.KeyValue[1] == kLeftClick[1];
  }));
}

GuardOutcome ApplyLeftButtonGuard(ProfileRecord& record, int button, const LanguageTable& texts) {
  if (LeftClickButtonCount(record) > 0) return GuardOutcome::kUpload;
  StoreAssignment(record, button, texts[kTextLeftClick], kLeftClick, nullptr, 0, {});
  return GuardOutcome::kLeftClickRestored;
}

bool MacroAssignmentAllowed(const ProfileRecord& record, int button, int macroSlotNext) {
  const KeyAssignment* key = KeyAssignmentAt(record, button);
  if (!key || key->KeyValue[0] == kMacroType) return true;
  return macroSlotNext <= kDeviceMacroSlots;
}

AssignmentChoice MacroSelectionChoice(const MacroItem* item, const LanguageTable& texts) {
  if (!item || !item->IsMacro() || !item->Macro) return {{texts[kTextDisabled], {0, 0, 0}}};
  return {{texts[kTextMacroNamePrefix] + item->MacroItemName, kMacroValue},
          item->Macro.get(),
          item->Macro->MacroKeyIndex,
          {}};
}

AssignmentChoice ProgramLaunchChoice(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  return {{std::move(name), kLaunchValue}, nullptr, 0, path};
}

AssignmentChoice LaunchReportChoice(const SelectionRecord& record, std::wstring path) {
  return {record, nullptr, 0, std::move(path)};
}

void StoreChoice(ProfileRecord& record, int button, const AssignmentChoice& choice) {
  StoreAssignment(record, button, choice.record.name, choice.record.value, choice.macro, choice.macroIndex, choice.url);
}

}  // namespace gm
