#include "macro/macro_editor.h"

#include <algorithm>

#include "macro/key_report.h"
#include "settings/language_indexes.h"

namespace gm {
namespace {

constexpr std::uint8_t kMacroFunctionType = 0x90;
constexpr std::uint8_t kKeyA = 0x41;
constexpr std::uint32_t kClickDelayMs = 50;
constexpr std::uint32_t kInsertedDelayMs = 100;
// A click or key stroke adds two commands, a move or wheel step one.
constexpr int kMaxCommandsBeforePair = kMacroCommandLimit - 2;
constexpr int kMaxCommandsBeforeSingle = kMacroCommandLimit - 1;

bool Fits(const MacroKey& macro, int actions) {
  return static_cast<int>(macro.MacroActionNum) + actions <= kMacroActionCapacity;
}

// The first action an amount insertion starts from, by insert code 5..10.
MacroAction AmountStart(int code) {
  switch (code) {
    case kInsertMoveLeft: return MacroAction::FromBytes(MacroAction::kMoveX, 0, 0, 0xFF);
    case kInsertMoveRight: return MacroAction::FromBytes(MacroAction::kMoveX, 0, 0, 0x01);
    case kInsertMoveUp: return MacroAction::FromBytes(MacroAction::kMoveY, 0, 0, 0xFF);
    case kInsertMoveDown: return MacroAction::FromBytes(MacroAction::kMoveY, 0, 0, 0x01);
    case kInsertWheelUp: return MacroAction::FromBytes(MacroAction::kWheel, 0, 0, 0x01);
    default: return MacroAction::FromBytes(MacroAction::kWheel, 0, 0, 0xFF);
  }
}

bool IsMouseAction(MacroAction action) { return action.Code() >= 0xE0 && action.Code() <= 0xE7; }

// `code` is a key action's code (KeyActionCode): whatever a key dialog hands back, a key action
// never becomes a delay or a mouse action.
MacroAction WithCode(MacroAction action, std::uint8_t code) {
  return MacroAction::FromBytes(code, action.Byte(1), action.Byte(2), action.Byte(3));
}

}  // namespace

std::vector<int> TreeMenuEntries(const MacroLibrary& library, const MacroItemLocation& selection) {
  const MacroItem* item = library.ItemAt(selection);
  if (!item || !item->IsUsed()) return {1, 2, 4, 7, 8};
  if (item->IsFolder()) return {1, 2, 4, 5, 6, 7, 8};
  return {1, 2, 3, 4, 5, 6, 7, 8};
}

namespace {
// The value of the text's leading digits, saturating above 255 (what the box means as a number).
unsigned LeadingValue(std::wstring_view text) {
  unsigned value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') break;
    value = std::min(value * 10 + static_cast<unsigned>(c - L'0'), 1000u);
  }
  return value;
}
}  // namespace

std::uint8_t LoopCountFromText(std::wstring_view text) {
  return static_cast<std::uint8_t>(std::clamp(LeadingValue(text), 1u, 255u));
}

bool MacroInUseByButton(const MacroLibrary& library, const MacroItemLocation& location, const ProfileRecord& record) {
  return std::any_of(record.KeyAssignments.begin(), record.KeyAssignments.end(), [&](const KeyAssignment& key) {
    return key.KeyValue[0] == kMacroFunctionType && library.ContainsMacro(location, key.MacroKeyIndex);
  });
}

bool AnyButtonHoldsMacro(const ProfileRecord& record) {
  return std::any_of(record.KeyAssignments.begin(), record.KeyAssignments.end(),
                     [](const KeyAssignment& key) { return key.KeyValue[0] == kMacroFunctionType; });
}

MacroKey* MacroEditor::SelectedMacro() const {
  MacroItem* item = library_.ItemAt(selection_);
  return item && item->IsMacro() ? item->Macro.get() : nullptr;
}

// ---- the tree ----

EditorResult MacroEditor::NewMacro() { return CreateItem(false); }
EditorResult MacroEditor::NewFolder() { return CreateItem(true); }

EditorResult MacroEditor::CreateItem(bool folder) {
  std::wstring name;
  if (!dialogs_.AskName(folder ? kNameForFolder : kNameForMacro, name)) return {};
  if (name.empty()) return {kTextEmptyName};
  MacroItemLocation location = selection_;
  const int result = folder ? library_.CreateFolder(name, location) : library_.CreateMacro(name, location);
  if (result == kMacroNameExists) return {kTextNameExists};
  const MacroItem* made = library_.ItemAt(location);
  // A full parent (or a place that takes no such item) leaves the location where it was.
  if (!made || made->MacroItemName != name || (made->IsFolder() != folder)) return {};
  if (location.stage > 0) {
    if (MacroItem* parent = library_.ItemAt(location.Parent())) parent->MacroItemFolderIsOpen = 1;
  }
  selection_ = location;
  return {0, true};
}

EditorResult MacroEditor::Rename() {
  const MacroItem* item = library_.ItemAt(selection_);
  if (!item || !item->IsUsed()) return {};
  const std::wstring current = item->MacroItemName;
  std::wstring name;
  if (!dialogs_.AskRename(current, name) || name == current) return {};
  if (name.empty()) return {kTextEmptyName};
  if (library_.RenameItem(selection_, name) != kMacroNameOk) return {kTextNameExists};
  // The macro takes the name too, as the library file's reader names it after its item: the
  // library the manager leaves behind is the one its file holds.
  if (MacroKey* macro = SelectedMacro()) macro->Name = name;
  return {0, true};
}

int MacroEditor::DeleteRefusal() const {
  const MacroItem* item = library_.ItemAt(selection_);
  return item && item->IsUsed() ? 0 : kTextNothingSelected;
}

EditorResult MacroEditor::DeleteSelected(const ProfileRecord& record) {
  if (const int refusal = DeleteRefusal()) return {refusal};
  if (MacroInUseByButton(library_, selection_, record)) return {kTextMacroInUse};
  library_.DeleteItem(selection_);
  selection_ = MacroItemLocation::None();
  return {0, true};
}

// ---- actions ----

EditorResult MacroEditor::InsertAction(int code, int& selected) {
  MacroKey* macro = SelectedMacro();
  if (!macro) return {kTextNoMacroForInsert};
  const int count = static_cast<int>(macro->MacroActionNum);
  const int position = selected >= 0 && selected < count ? selected + 1 : count;
  switch (code) {
    case kInsertLeftClick: return InsertClick(MacroAction::kMouseLeft, position, selected);
    case kInsertRightClick: return InsertClick(MacroAction::kMouseRight, position, selected);
    case kInsertMiddleClick: return InsertClick(MacroAction::kMouseMiddle, position, selected);
    case kInsertDelay: return InsertDelay(position, selected);
    case kInsertKeyStroke: return InsertKeyStroke(position, selected);
    default:
      if (code >= kInsertMoveLeft && code <= kInsertWheelDown) return InsertAmount(code, position, selected);
      return {};
  }
}

EditorResult MacroEditor::InsertClick(std::uint8_t button, int position, int& selected) {
  MacroKey& macro = *SelectedMacro();
  if (macro.MacroCommandActionNum > kMaxCommandsBeforePair || !Fits(macro, 3)) return {kTextActionLimit};
  macro.InsertAction(position, MacroAction::Event(button, false));
  macro.InsertAction(position + 1, MacroAction::Delay(kClickDelayMs));
  macro.InsertAction(position + 2, MacroAction::Event(button, true));
  macro.MacroCommandActionNum += 2;
  selected = position + 2;
  return {0, true};
}

EditorResult MacroEditor::InsertDelay(int position, int& selected) {
  MacroKey& macro = *SelectedMacro();
  if (position > 0 && macro.GetAction(position - 1).IsDelay()) {
    // A delay right before the insertion point is edited instead of adding a second one.
    MacroAction delay = macro.GetAction(position - 1);
    if (!dialogs_.EditDelay(delay)) return {};
    macro.SetAction(position - 1, delay);
    selected = position - 1;
    return {0, true};
  }
  if (!Fits(macro, 1)) return {kTextActionLimit};
  MacroAction delay = MacroAction::Delay(kInsertedDelayMs);
  macro.InsertAction(position, delay);
  if (!dialogs_.EditDelay(delay)) {
    macro.RemoveAction(position);
    return {};
  }
  macro.SetAction(position, delay);
  selected = position;
  return {0, true};
}

EditorResult MacroEditor::InsertKeyStroke(int position, int& selected) {
  MacroKey& macro = *SelectedMacro();
  if (macro.MacroCommandActionNum > kMaxCommandsBeforePair || !Fits(macro, 3)) return {kTextActionLimit};
  macro.InsertAction(position, MacroAction::Event(kKeyA, false));
  macro.InsertAction(position + 1, MacroAction::Delay(kClickDelayMs));
  macro.InsertAction(position + 2, MacroAction::Event(kKeyA, true));
  MacroAction key = macro.GetAction(position);
  const std::uint8_t code = dialogs_.EditKey(key) ? KeyActionCode(key.Code()) : 0;
  if (code == 0) {
    for (int i = 0; i < 3; ++i) macro.RemoveAction(position);
    return {};
  }
  macro.SetAction(position, WithCode(macro.GetAction(position), code));
  macro.SetAction(position + 2, WithCode(macro.GetAction(position + 2), code));
  macro.MacroCommandActionNum += 2;
  selected = position + 2;
  return {0, true};
}

EditorResult MacroEditor::InsertAmount(int code, int position, int& selected) {
  MacroKey& macro = *SelectedMacro();
  if (macro.MacroCommandActionNum > kMaxCommandsBeforeSingle || !Fits(macro, 1)) return {kTextActionLimit};
  MacroAction step = AmountStart(code);
  macro.InsertAction(position, step);
  if (!dialogs_.EditAmount(code, step)) {
    macro.RemoveAction(position);
    return {};
  }
  macro.SetAction(position, step);
  macro.MacroCommandActionNum += 1;
  selected = position;
  return {0, true};
}

EditorResult MacroEditor::ChangeAction(int selected) {
  MacroKey* macro = SelectedMacro();
  if (!macro || selected < 0 || selected >= static_cast<int>(macro->MacroActionNum)) return {};
  MacroAction action = macro->GetAction(selected);
  if (IsMouseAction(action)) return {};
  if (action.IsDelay()) {
    if (!dialogs_.EditDelay(action)) return {};
    macro->SetAction(selected, action);
    return {0, true};
  }
  if (!dialogs_.EditKey(action)) return {};
  const std::uint8_t code = KeyActionCode(action.Code());
  if (code == 0) return {};
  macro->SetAction(selected, WithCode(macro->GetAction(selected), code));
  return {0, true};
}

EditorResult MacroEditor::MoveAction(int code, int& selected) {
  MacroKey* macro = SelectedMacro();
  const int count = macro ? static_cast<int>(macro->MacroActionNum) : 0;
  if (selected < 0 || selected >= count) return {};
  int target = selected;
  switch (code) {
    case kMoveToTop: target = 0; break;
    case kMoveUp: target = selected - 1; break;
    case kMoveDown: target = selected + 1; break;
    case kMoveToBottom: target = count - 1; break;
    default: return {};
  }
  if (target < 0 || target >= count || target == selected) return {};
  const MacroAction action = macro->GetAction(selected);
  macro->RemoveAction(selected);
  macro->InsertAction(target, action);
  selected = target;
  return {0, true};
}

EditorResult MacroEditor::DeleteAction(int& selected) {
  MacroKey* macro = SelectedMacro();
  if (!macro || selected < 0 || selected >= static_cast<int>(macro->MacroActionNum)) return {};
  const bool command = macro->GetAction(selected).IsCommand();
  macro->RemoveAction(selected);
  if (command && macro->MacroCommandActionNum > 0) --macro->MacroCommandActionNum;
  const int count = static_cast<int>(macro->MacroActionNum);
  if (count == 0) {
    selected = -1;
  } else if (selected >= count) {
    selected = count - 1;
  }
  return {0, true};
}

// ---- replay ----

void MacroEditor::SetReplayMode(int mode) {
  MacroKey* macro = SelectedMacro();
  if (!macro || (mode != 1 && mode != 2 && mode != 4)) return;
  macro->MacroKeyLoopType = static_cast<std::uint8_t>(mode);
}

std::wstring MacroEditor::SetLoopCountText(std::wstring_view text) {
  MacroKey* macro = SelectedMacro();
  if (!macro || macro->MacroKeyLoopType != 2) return {};
  const std::uint8_t count = LoopCountFromText(text);
  macro->MacroKeyLoopNum = count;
  // Only a value that had to be limited is written back into the box.
  return LeadingValue(text) == count ? std::wstring() : std::to_wstring(count);
}

}  // namespace gm
