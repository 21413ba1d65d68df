#include "macro/macro_model.h"

#include <algorithm>

namespace gm {

namespace {
// MacroActionNum as a usable count: a record filled from outside may claim more than it holds.
int UsedCount(const MacroKey& m) {
  return static_cast<int>(std::min<std::uint32_t>(m.MacroActionNum, kMacroActionCapacity));
}
}  // namespace

bool MacroKey::SetAction(int index, MacroAction action) {
  if (index < 0 || index >= kMacroActionCapacity) return false;
  Actions[index] = action;
  return true;
}

bool MacroKey::InsertAction(int position, MacroAction action) {
  if (MacroActionNum >= static_cast<std::uint32_t>(kMacroActionCapacity)) return false;
  const int used = UsedCount(*this);
  position = std::clamp(position, 0, used);
  std::move_backward(Actions.begin() + position, Actions.begin() + used, Actions.begin() + used + 1);
  Actions[position] = action;
  ++MacroActionNum;
  return true;
}

bool MacroKey::RemoveAction(int index) {
  const int used = UsedCount(*this);
  if (index < 0 || index >= used) return false;
  std::move(Actions.begin() + index + 1, Actions.begin() + used, Actions.begin() + index);
  Actions[used - 1] = MacroAction{};
  MacroActionNum = static_cast<std::uint32_t>(used - 1);
  return true;
}

MacroAction MacroKey::GetAction(int index) const {
  if (index < 0 || index >= kMacroActionCapacity) return {};
  return Actions[index];
}

void MacroKey::CopyContentFrom(const MacroKey& other) {
  Name = other.Name;
  MacroActionNum = other.MacroActionNum;
  Actions = other.Actions;
  MacroKeyLoopType = other.MacroKeyLoopType;
  MacroKeyLoopNum = other.MacroKeyLoopNum;
  MacroCommandActionNum = other.MacroCommandActionNum;
}

}  // namespace gm
