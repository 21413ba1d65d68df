#include "app/main_painter.h"

#include <string>

#include "ui/control_factory.h"

namespace gm::win {

void MainPainter::Load(const ui::UiContext& context) {
  scale_ = context.displayScale;
  frame_.LoadShared(context, L"skins\\Frame_Lighting_Setting.bmp");
  for (size_t i = 0; i < marks_.size(); ++i)
    marks_[i].LoadShared(context, L"skins\\mouse\\number" + std::to_wstring(i + 1) + L".png");
}

void MainPainter::Release() {
  frame_.Reset();
  for (SkinImage& mark : marks_) mark.Reset();
}

RECT MainPainter::Scaled(const LayoutRect& r) const { return ScaledRect(r, scale_); }

void MainPainter::DrawFrames(HDC dc, const std::array<SectionPlacement, kSectionCount>& placed) const {
  if (!frame_) return;
  SkinGraphics g(dc);
  for (const LayoutRect& box : LeftFrameBoxes()) g.Draw(frame_, Scaled(box));
  for (const SectionPlacement& p : placed)
    if (p.present && p.open) g.Draw(frame_, Scaled(p.frame));
}

void MainPainter::DrawMouseMark(HDC dc) const {
  const auto origin = MouseMarkOrigin(markedCombo_);
  if (!origin) return;
  const SkinImage& mark = marks_[static_cast<size_t>(markedCombo_ - 1)];
  if (!mark) return;
  const LayoutRect at{origin->x, origin->y, origin->x + mark.Width(), origin->y + mark.Height()};
  SkinGraphics g(dc);
  g.Draw(mark, Scaled(at));
}

// The area repainted when a mark comes or goes (the pictures are 22 units square).
RECT MainPainter::MarkRect(int comboNumber) const {
  const auto origin = MouseMarkOrigin(comboNumber);
  if (!origin) return {};
  constexpr int kMarkSize = 22;
  return Scaled({origin->x, origin->y, origin->x + kMarkSize, origin->y + kMarkSize});
}

void MainPainter::MarkCombo(int combo, HWND window) {
  if (combo == markedCombo_) return;
  for (int n : {markedCombo_, combo}) {
    if (n == 0) continue;
    const RECT r = MarkRect(n);
    InvalidateRect(window, &r, FALSE);
  }
  markedCombo_ = combo;
}

}  // namespace gm::win
