#include "ui/colour_buttons.h"

#include "ui/gauge_geometry.h"

namespace gm::win {

CColorSelectButton::CColorSelectButton(CControlHost& host, UINT id, const RECT& rect, const RECT& swatch)
    : CStateControl(host, id, rect), swatch_(swatch) {}

void CColorSelectButton::Draw(HDC dc, const RECT&) { FillSolid(dc, swatch_, colour_); }

void CColorSelectCheckButton::Draw(HDC dc, const RECT&) {
  {
    SkinGraphics g(dc);
    g.Draw(checked_ ? pressed_ : normal_, rect_);
  }
  const ui::IntRect s = ui::SwatchInset({rect_.left, rect_.top, rect_.right, rect_.bottom}, Context().displayScale);
  FillSolid(dc, RECT{s.left, s.top, s.right, s.bottom}, colour_);
}

bool CColorSelectCheckButton::OnLButtonDblClk(UINT, int x, int y) {
  if (disabled_) return false;
  if (!Contains(x, y)) return SetState(0);
  const bool changed = SetState(1);
  Notify(kEventDoubleClick);
  return changed;
}

}  // namespace gm::win
