#include "ui/combo_button.h"

namespace gm::win {
namespace {

// Design units: the caption keeps this much from the left edge, and stays clear of the arrow cell
// that takes the right end of the combo pictures.
constexpr int kCaptionLeftMargin = 4;
constexpr int kArrowCellWidth = 22;

}  // namespace

CComboButton::CComboButton(CControlHost& host, UINT id, const RECT& rect, std::wstring caption, UINT textFlags)
    : CStateControl(host, id, rect, {}, textFlags), caption_(std::move(caption)) {}

void CComboButton::SetCaption(const std::wstring& caption) {
  caption_ = caption;
  Invalidate(true);
}

void CComboButton::Draw(HDC dc, const RECT&) {
  const bool lit = open_ || state_ != 0;
  {
    SkinGraphics g(dc);
    g.Draw(lit ? hover_ : normal_, rect_);
  }
  // A fixed text of the control, not a language text.
  static const std::wstring kDisabledCaption = L"Disable";
  const TextPlacement at = *CaptionPlacement();
  DrawControlText(dc, Font(), lit ? kTextWhite : kTextGrey, showDisabled_ ? kDisabledCaption : caption_, at.box,
                  at.flags);
}

std::optional<TextPlacement> CComboButton::CaptionPlacement() const {
  const RECT box{rect_.left + Context().Px(kCaptionLeftMargin), rect_.top, rect_.right - Context().Px(kArrowCellWidth),
                 rect_.bottom};
  return TextPlacement{box, textFlags_ | kCommonTextFlags};
}

bool CComboButton::OnMouseMove(UINT, int x, int y) {
  if (disabled_ || state_ == 2) return false;
  const bool inside = Contains(x, y);
  const bool changed = SetState(inside ? 1 : 0);
  switch (hover_counter_.Move(inside, open_)) {
    case ui::HoverNotice::kEnter: Notify(kEventEntered); break;
    case ui::HoverNotice::kLeave: Notify(kEventLeft); break;
    case ui::HoverNotice::kNone: break;
  }
  return changed;
}

bool CComboButton::OnLButtonDown(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 2;
  if (!inert_) Notify(kEventPressed);
  return true;
}

bool CComboButton::OnLButtonUp(UINT, int x, int y) {
  if (disabled_) return false;
  if (!Contains(x, y)) return SetState(0);
  state_ = 1;
  if (!inert_) Notify(kEventClicked);
  return true;
}

}  // namespace gm::win
