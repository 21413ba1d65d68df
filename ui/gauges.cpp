#include "ui/gauges.h"

#include <algorithm>

#include "ui/gauge_geometry.h"

namespace gm::win {

CLevelBar::CLevelBar(CControlHost& host, UINT id, const RECT& rect, int levelCount)
    : CStateControl(host, id, rect), levelCount_(levelCount) {}

void CLevelBar::Draw(HDC dc, const RECT&) {
  const double s = Context().displayScale;
  const int w = static_cast<int>(pressed_.Width() * s);
  const int hPic = pressed_.Height();
  const ui::VerticalCut cut = ui::LevelBarCut(rect_.top, rect_.bottom, level_, levelCount_, hPic, s);
  SkinGraphics g(dc);
  g.Draw(normal_, {rect_.left, rect_.top, rect_.left + w, rect_.top + static_cast<int>(hPic * s)});
  g.DrawPart(pressed_, 0, cut.sourceTop, pressed_.Width(), hPic - cut.sourceTop,
             {rect_.left, cut.destTop, rect_.left + w, cut.destTop + static_cast<int>((hPic - cut.sourceTop) * s)});
}

bool CVerticalSliderControl::OnLButtonDown(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 2;
  dragging_ = true;
  level_ = ui::VerticalSliderLevel(rect_.top, rect_.bottom, y, levelCount_);
  Notify(kEventPressed);
  return true;
}

bool CVerticalSliderControl::OnMouseMove(UINT flags, int x, int y) {
  if (disabled_) return false;
  const bool repaint = CStateControl::OnMouseMove(flags, x, y);
  if (state_ == 0) dragging_ = false;
  if (dragging_) {
    level_ = ui::VerticalSliderLevel(rect_.top, rect_.bottom, std::clamp<int>(y, rect_.top, rect_.bottom), levelCount_);
    Invalidate();
    Notify(kEventValueChanged, static_cast<WPARAM>(level_));
  }
  return repaint;
}

bool CVerticalSliderControl::OnLButtonUp(UINT flags, int x, int y) {
  dragging_ = false;
  return CStateControl::OnLButtonUp(flags, x, y);
}

CSliderControl::CSliderControl(CControlHost& host, UINT id, const RECT& rect, int stopCount, int leftMargin, int rightMargin)
    : CStateControl(host, id, rect),
      stops_(ui::SliderStops(rect.left, rect.right, stopCount, leftMargin, rightMargin)),
      leftMargin_(leftMargin),
      rightMargin_(rightMargin) {}

int CSliderControl::NearestStop(int x) const { return ui::NearestStop(stops_, x); }

int CSliderControl::StopX(int index) const {
  if (stops_.empty()) return rect_.left + leftMargin_;
  return stops_[std::clamp<size_t>(index < 0 ? 0 : static_cast<size_t>(index), 0, stops_.size() - 1)];
}

RECT CSliderControl::KnobAt(int stopIndex) const {
  const int x = StopX(stopIndex);
  return {x - leftMargin_, rect_.top, x + rightMargin_, rect_.bottom};
}

void CSliderControl::SetValueIndex(int index) {
  valueIndex_ = index;
  knobRect_ = KnobAt(index);
}

void CSliderControl::Follow(int x) {
  x = std::clamp<int>(x, rect_.left, rect_.right);
  knobX_ = x - leftMargin_;
  valueIndex_ = NearestStop(x);
  Invalidate();
  Notify(kEventValueChanged, static_cast<WPARAM>(valueIndex_));
}

bool CSliderControl::DragTo(int x) {
  if (!dragging_) return false;
  Follow(x);
  knobRect_ = KnobAt(valueIndex_);
  return true;
}

bool CSliderControl::OnLButtonDown(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 2;
  if (x >= knobRect_.left && x < knobRect_.right && y >= knobRect_.top && y < knobRect_.bottom) dragging_ = true;
  knobX_ = x - leftMargin_;
  Notify(kEventPressed);
  return true;
}

bool CSliderControl::OnMouseMove(UINT flags, int x, int y) {
  if (disabled_) return false;
  const bool repaint = CStateControl::OnMouseMove(flags, x, y);
  if (state_ == 0) dragging_ = false;
  if (dragging_) Follow(x);
  return repaint;
}

bool CSliderControl::OnLButtonUp(UINT, int x, int y) {
  if (disabled_) return false;
  dragging_ = false;
  if (!Contains(x, y)) return SetState(0);
  state_ = 1;
  valueIndex_ = NearestStop(x);
  knobRect_ = KnobAt(valueIndex_);
  Notify(kEventClicked);
  return true;
}

void CSliderControl::Draw(HDC dc, const RECT&) {
  const double s = Context().displayScale;
  const int w = static_cast<int>(normal_.Width() * s), h = static_cast<int>(normal_.Height() * s);
  const int x = dragging_ ? std::max<int>(rect_.left, std::min<int>(knobX_, rect_.right - w)) : StopX(valueIndex_) - leftMargin_;
  SkinGraphics g(dc);
  g.Draw(normal_, {x, rect_.top, x + w, rect_.top + h});
}

CBattery::CBattery(CControlHost& host, UINT id, const RECT& rect) : CControlBase(host, id, rect) { disabled_ = true; }

bool CBattery::LoadSkin() {
  static const wchar_t* kFiles[4] = {L"skins\\battery_full.png", L"skins\\battery_empty.png",
                                     L"skins\\battery_charging.png", L"skins\\battery_lighting.png"};
  bool ok = true;
  for (int i = 0; i < 4; ++i) ok = SetPicture(i, kFiles[i]) && ok;
  return ok;
}

bool CBattery::SetPicture(int slot, const std::wstring& path) {
  if (slot < 0 || slot > 3) return false;
  return LoadInto(pictures_[slot], path);
}

bool CBattery::SetReading(int animationLevel, int percent, int chargeState) {
  const ui::BatteryReading before{animationLevel_, percent_, chargeState_};
  animationLevel_ = animationLevel;
  percent_ = percent;
  chargeState_ = chargeState;
  return !ui::BatteryLooksAlike(before, {animationLevel_, percent_, chargeState_});
}

void CBattery::DrawCut(SkinGraphics& g, const SkinImage& picture, int percent) {
  const double s = Context().displayScale;
  const int h = picture.Height();
  const ui::VerticalCut cut = ui::BatteryCut(rect_.top, rect_.bottom, percent, h, s);
  const int w = static_cast<int>(picture.Width() * s);
  g.DrawPart(picture, 0, cut.sourceTop, picture.Width(), h - cut.sourceTop,
             {rect_.left, cut.destTop, rect_.left + w, cut.destTop + static_cast<int>((h - cut.sourceTop) * s)});
}

void CBattery::Draw(HDC dc, const RECT&) {
  SkinGraphics g(dc);
  switch (chargeState_) {
    case kNotCharging:
      g.Draw(pictures_[1], rect_);
      DrawCut(g, pictures_[0], percent_);
      break;
    case kCharging:
      DrawCut(g, pictures_[2], animationLevel_);
      g.Draw(pictures_[3], rect_);
      break;
    case kFull:
      g.Draw(pictures_[0], rect_);
      g.Draw(pictures_[3], rect_);
      break;
    default:
      break;
  }
}

void CBattery::ReleaseImages() {
  CControlBase::ReleaseImages();
  for (auto& p : pictures_) p.Reset();
}

}  // namespace gm::win
