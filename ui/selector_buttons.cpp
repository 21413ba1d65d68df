#include "ui/selector_buttons.h"

#include <string>


namespace gm::win {
namespace {

const SkinImage& ImageFor(int visual, const SkinImage& normal, const SkinImage& hover, const SkinImage& selected) {
  return visual == 0 ? normal : visual == 1 ? hover : selected;
}

}  // namespace

void CRadioButton::OnClick() {
  if (group_) group_->Select(id_);
}

void CRadioButton::Draw(HDC dc, const RECT&) {
  SkinGraphics g(dc);
  g.Draw(ImageFor(Selected() ? 2 : state_, normal_, hover_, pressed_), rect_);
}

bool CDPIRadioButton::Selected() const { return row_ && row_->IsSelected(stage_); }

void CDPIRadioButton::OnClick() {
  if (row_ && stage_ >= 1 && stage_ <= 8) row_->SelectUpTo(stage_);
}

void CDPIRadioButton::Draw(HDC dc, const RECT&) {
  {
    SkinGraphics g(dc);
    g.Draw(ImageFor(Selected() ? 2 : state_, normal_, hover_, pressed_), rect_);
  }
  const TextPlacement at = *CaptionPlacement();
  DrawControlText(dc, Font(), textColour_, std::to_wstring(dpiStep_ * 50), at.box, at.flags);
}

std::optional<TextPlacement> CDPIRadioButton::CaptionPlacement() const {
  const RECT band{rect_.left, rect_.top, rect_.right, rect_.top + static_cast<int>(11 * Context().displayScale)};
  return TextPlacement{band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS};
}

int CTabControl::Visual() const {
  if (!row_ || row_->value != value_) return state_;
  return style_ == Style::kProfile && state_ == 1 ? 3 : 2;
}

void CTabControl::OnClick() {
  if (row_) row_->value = value_;
}

bool CTabControl::OnRButtonUp(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  Notify(kEventRightClick, id_);
  return false;
}

void CTabControl::Draw(HDC dc, const RECT&) {
  const int visual = Visual();
  {
    SkinGraphics g(dc);
    g.Draw(visual == 3 ? selectedHover_ : ImageFor(visual, normal_, hover_, pressed_), rect_);
  }
  DrawControlText(dc, Font(), kTextGrey, text_, TextRect(rect_, textMargin_), textFlags_ | kCommonTextFlags);
}

void CTabControl::ReleaseImages() {
  CStateControl::ReleaseImages();
  selectedHover_.Reset();
}

}  // namespace gm::win
