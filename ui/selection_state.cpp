#include "ui/selection_state.h"

#include <algorithm>

namespace gm::ui {

bool RadioGroup::Has(unsigned id) const { return std::find(members_.begin(), members_.end(), id) != members_.end(); }

bool RadioGroup::Select(unsigned id) {
  if (!Has(id)) return false;
  selected_ = id;
  return true;
}

uint8_t DpiMaskUpToStage(int stage) {
  if (stage < 1 || stage > 8) return 0;
  return static_cast<uint8_t>((1u << stage) - 1);
}

}  // namespace gm::ui
