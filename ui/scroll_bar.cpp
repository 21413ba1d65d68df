#include "ui/scroll_bar.h"

#include "ui/scroll_geometry.h"

namespace gm::win {

CVScrollBar::CVScrollBar(CControlHost& host, UINT id, const RECT& rect) : CStateControl(host, id, rect) { Layout(); }

bool CVScrollBar::LoadArrows(HMODULE module) {
  if (!module) module = GetModuleHandleW(nullptr);
  const bool ok = LoadPngResource(module, L"PNG", kUpArrowResource, up_) &&
                  LoadPngResource(module, L"PNG", kDownArrowResource, down_);
  if (ok) {
    cellWidth_ = up_.Width() / 3;
    cellHeight_ = up_.Height();
  } else {
    up_.Reset();
    down_.Reset();
    cellWidth_ = cellHeight_ = 0;
  }
  Layout();
  return ok;
}

void CVScrollBar::Layout() {
  // The arrows are hit where they are drawn: cellHeight × scale rows at either end.
  const int h = static_cast<int>(cellHeight_ * Context().displayScale);
  upRect_ = {rect_.left, rect_.top, rect_.right, rect_.top + h - 1};
  downRect_ = {rect_.left, rect_.bottom - h + 1, rect_.right, rect_.bottom};
  track_ = {rect_.left, rect_.top + h, rect_.right, rect_.bottom - h};
  thumb_ = track_;
  drag_ = thumb_;
}

void CVScrollBar::SetScroll(int position, int page, int range) {
  if (range == 0) {
    thumb_ = track_;
    return;
  }
  position_ = position;
  page_ = page;
  range_ = range;
  const ui::Span t = ui::ThumbSpan({track_.top, track_.bottom}, position, page, range);
  thumb_ = {track_.left, t.top, track_.right, t.bottom};
  Invalidate();
}

void CVScrollBar::DragStep(int y) {
  const ui::Span moved = ui::DragThumb({track_.top, track_.bottom}, {drag_.top, drag_.bottom}, grabOffset_, y);
  drag_.top = moved.top;
  drag_.bottom = moved.bottom;
  Invalidate();
  const int v = ui::DraggedPosition({track_.top, track_.bottom}, drag_.top, range_);
  if (v != position_) {
    position_ = v;
    Notify(kEventValueChanged);
  }
}

bool CVScrollBar::DragTo(int, int y) {
  if (y < rect_.top) y = rect_.top;
  if (y > rect_.bottom) y = rect_.bottom;
  if (dragging_) DragStep(y);
  return true;
}

bool CVScrollBar::OnMouseMove(UINT, int x, int y) {
  if (disabled_) return false;
  bool repaint = false;
  if (state_ != 2) {
    const bool inside = Contains(x, y);
    const bool up = inside && InRows(upRect_, x, y);
    const bool down = inside && InRows(downRect_, x, y);
    const bool thumb = inside && InRows(thumb_, x, y);
    repaint = up != hoverUp_ || down != hoverDown_ || thumb != hoverThumb_;
    hoverUp_ = up;
    hoverDown_ = down;
    hoverThumb_ = thumb;
    repaint = SetState(inside ? 1 : 0) || repaint;
    if (state_ == 0) dragging_ = false;
  }
  if (dragging_) DragStep(y);
  return repaint;
}

bool CVScrollBar::OnLButtonDown(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 2;
  if (InRows(thumb_, x, y)) {
    dragging_ = true;
    grabOffset_ = y - thumb_.top;
    drag_ = thumb_;
  }
  WPARAM part;
  if (InRows(upRect_, x, y)) {
    part = ui::kScrollUpArrow;
  } else if (InRows(downRect_, x, y)) {
    part = ui::kScrollDownArrow;
  } else if (InRows(thumb_, x, y)) {
    part = ui::kScrollThumb;
  } else if (y < thumb_.top) {
    part = ui::kScrollPageUp;
  } else {
    part = ui::kScrollPageDown;
  }
  Notify(kEventPressed, part);
  return true;
}

bool CVScrollBar::OnLButtonUp(UINT, int x, int y) {
  if (disabled_) return false;
  const bool inside = Contains(x, y);
  const bool wasDragging = dragging_;
  const bool changed = SetState(inside ? 1 : 0);
  if (inside || wasDragging) {
    dragging_ = false;
    Notify(kEventClicked);
  }
  SetScroll(position_, page_, range_);
  return changed || inside || wasDragging;
}

void CVScrollBar::Draw(HDC dc, const RECT&) {
  const double s = Context().displayScale;
  FillSolid(dc, rect_, 0x101010);
  if (up_ && down_) {
    const int w = static_cast<int>(cellWidth_ * s), h = static_cast<int>(cellHeight_ * s);
    SkinGraphics g(dc);
    g.DrawPart(up_, hoverUp_ ? cellWidth_ : 0, 0, cellWidth_, cellHeight_,
               {rect_.left, rect_.top, rect_.left + w, rect_.top + h});
    const int downTop = rect_.bottom - h + static_cast<int>(s);
    g.DrawPart(down_, hoverDown_ ? cellWidth_ : 0, 0, cellWidth_, cellHeight_,
               {rect_.left, downTop, rect_.left + w, downTop + h});
  }
  const RECT& t = Thumb();
  const int px = static_cast<int>(s);
  FillSolid(dc, {t.left, t.top, t.right, t.bottom + px}, hoverThumb_ ? 0xDEA035 : 0x1F1F1F);
  FillSolid(dc, {t.left + px, t.top + px, t.right - px, t.bottom}, hoverThumb_ ? 0x1F1F1F : 0x323232);
}

void CVScrollBar::ReleaseImages() {
  CStateControl::ReleaseImages();
  up_.Reset();
  down_.Reset();
}

}  // namespace gm::win
