#include "ui/ui_context.h"

namespace gm::ui {

std::wstring UiContext::Text(int index) const {
  if (!texts || index < 0 || static_cast<std::size_t>(index) >= texts->size()) return {};
  return (*texts)[static_cast<std::size_t>(index)];
}

UiFont UiContext::EffectiveFont() const {
  if (!font.name.empty()) return font;
  return {L"Tahoma", static_cast<int>(displayScale * 16.0), 1};
}

}  // namespace gm::ui
