#include "ui/selector_buttons.h"

#include <string>

#include "settings/environment.h"
#include "ui/selection_state.h"

namespace gm::win {
namespace {

const SkinImage& ImageFor(int visual, const SkinImage& normal, const SkinImage& hover, const SkinImage& selected) {
  return visual == 0 ? normal : visual == 1 ? hover : selected;
}

}  // namespace

bool CRadioButton::Selected() const {
  const auto rb = ui::RadioBitOf(id_);
  return rb && (RadioSelection & rb->bit) != 0;
}

void CRadioButton::OnClick() { RadioSelection = ui::SelectRadio(RadioSelection, id_); }

void CRadioButton::Draw(HDC dc, const RECT&) {
  SkinGraphics g(dc);
  g.Draw(ImageFor(Selected() ? 2 : state_, normal_, hover_, pressed_), rect_);
}

bool CDPIRadioButton::Selected() const {
  if (id_ < ui::kFirstDpiStageId || id_ > ui::kLastDpiStageId) return false;
  return (DpiStageMask >> (id_ - ui::kFirstDpiStageId)) & 1;
}

void CDPIRadioButton::OnClick() {
  if (id_ < ui::kFirstDpiStageId || id_ > ui::kLastDpiStageId) return;
  DpiStageMask = ui::DpiMaskUpToStage(static_cast<int>(id_ - ui::kFirstDpiStageId) + 1);
}

void CDPIRadioButton::Draw(HDC dc, const RECT&) {
  {
    SkinGraphics g(dc);
    g.Draw(ImageFor(Selected() ? 2 : state_, normal_, hover_, pressed_), rect_);
  }
  const RECT band{rect_.left, rect_.top, rect_.right, rect_.top + static_cast<int>(11 * DisplayScale)};
  DrawControlText(dc, Font(), textColour_, std::to_wstring(dpiStep_ * 50), band,
                  DT_CENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS);
}

int CTabControl::Visual() const {
  const ui::TabValue tab = ui::TabValueOf(id_);
  if (tab.kind == ui::TabKind::kPage && PageTabSelection == tab.value) return 2;
  if (tab.kind == ui::TabKind::kProfile && ProfileTabSelection == tab.value) return state_ == 1 ? 3 : 2;
  return state_;
}

void CTabControl::OnClick() {
  const ui::TabValue tab = ui::TabValueOf(id_);
  if (tab.kind == ui::TabKind::kPage) PageTabSelection = tab.value;
  if (tab.kind == ui::TabKind::kProfile) ProfileTabSelection = tab.value;
}

bool CTabControl::OnRButtonUp(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  Notify(id_, id_, kEventRightClick);
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
