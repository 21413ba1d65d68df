#include "ui/buttons.h"

namespace gm::win {

COLORREF StateTextColour(int visual) {
  switch (visual) {
    case 1: return kTextWhite;
    case 2: return kTextYellow;
    default: return kTextGrey;
  }
}

void CImageButton::Draw(HDC dc, const RECT&) {
  if (!normal_) return;
  {
    SkinGraphics g(dc);
    g.Draw(state_ == 0 ? normal_ : hover_, rect_);
  }
  const TextPlacement at = *CaptionPlacement();
  DrawControlText(dc, Font(), StateTextColour(state_), text_, at.box, at.flags);
}

std::optional<TextPlacement> CImageButton::CaptionPlacement() const {
  return TextPlacement{TextRect(rect_, textMargin_), textFlags_ | kCommonTextFlags};
}

bool CImageButton::OnMouseMove(UINT flags, int x, int y) {
  const bool repaint = CStateControl::OnMouseMove(flags, x, y);
  if (!disabled_ && ReportsPointerMoves() && state_ != 2 && Contains(x, y)) Notify(kEventHover);
  return repaint;
}

void CCheckButton::SetCaptions(std::wstring unchecked, std::wstring checked) {
  uncheckedCaption_ = std::move(unchecked);
  checkedCaption_ = std::move(checked);
}

void CCheckButton::Draw(HDC dc, const RECT&) {
  if (!normal_) return;
  const int visual = (checked_ || state_ == 2) ? 2 : state_;
  const SkinImage& image = visual == 0 ? normal_ : visual == 1 ? hover_ : pressed_;
  const COLORREF colour = visual == 0 ? kTextGrey : visual == 1 ? kTextWhite : checkedColour_;
  const std::wstring& caption = visual == 2 ? checkedCaption_ : uncheckedCaption_;
  if (!caption.empty()) text_ = caption;
  {
    SkinGraphics g(dc);
    g.Draw(image, rect_);
  }
  const TextPlacement at = *CaptionPlacement();
  DrawControlText(dc, Font(), colour, text_, at.box, at.flags);
}

std::optional<TextPlacement> CCheckButton::CaptionPlacement() const {
  return TextPlacement{TextRect(rect_, textMargin_), textFlags_ | kCommonTextFlags};
}

void CLinkButton::Draw(HDC dc, const RECT&) {
  const TextPlacement at = *CaptionPlacement();
  DrawControlText(dc, Font(), StateTextColour(state_), text_, at.box, at.flags);
}

std::optional<TextPlacement> CLinkButton::CaptionPlacement() const {
  return TextPlacement{rect_, textFlags_ | kCommonTextFlags};
}

bool CLinkButton::OnMouseMove(UINT, int x, int y) {
  if (disabled_ || state_ == 2) return false;
  if (Contains(x, y)) {
    const bool changed = SetState(1);
    if (!entered_) {
      entered_ = true;
      Notify(kEventEntered);
    }
    return changed;
  }
  const bool changed = SetState(0);
  if (entered_) {
    entered_ = false;
    Notify(kEventLeft);
  }
  return changed;
}

}  // namespace gm::win
