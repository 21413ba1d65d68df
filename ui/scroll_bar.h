#pragma once
// The vertical scroll bar: arrows from PNG resources (three cells side by side: normal, hover,
// pressed), a track and a draggable thumb. Presses notify 1 with the part in wParam (6 up arrow,
// 7 down arrow, 0 thumb, 8 above the thumb, 9 below it); a drag that changes the position
// notifies 3; the release notifies 2.
#include "ui/control_base.h"

namespace gm::win {

class CVScrollBar : public CStateControl {
 public:
  static constexpr int kUpArrowResource = 188;
  static constexpr int kDownArrowResource = 187;

  CVScrollBar(CControlHost& host, UINT id, const RECT& rect);

  // Loads the arrow pictures from `module`'s PNG resources and lays out arrows, track and thumb.
  bool LoadArrows(HMODULE module = nullptr);
  void SetScroll(int position, int page, int range);
  // One drag step for an owner that forwards captured pointer moves; always asks for a repaint.
  bool DragTo(int x, int y);

  int Position() const { return position_; }
  int Page() const { return page_; }
  int Range() const { return range_; }
  bool Dragging() const { return dragging_; }
  const RECT& Track() const { return track_; }
  // The thumb as drawn: the drag rectangle while dragging. Rows top..bottom inclusive.
  const RECT& Thumb() const { return dragging_ ? drag_ : thumb_; }

  void Draw(HDC dc, const RECT& update) override;
  bool OnMouseMove(UINT flags, int x, int y) override;
  bool OnLButtonDown(UINT flags, int x, int y) override;
  bool OnLButtonUp(UINT flags, int x, int y) override;
  void ReleaseImages() override;

 private:
  void Layout();
  void DragStep(int y);
  static bool InRows(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y <= r.bottom; }

  int position_ = 0, page_ = 1, range_ = 1;
  SkinImage up_, down_;
  int cellWidth_ = 0, cellHeight_ = 0;
  RECT upRect_{}, downRect_{}, track_{}, thumb_{};
  bool hoverUp_ = false, hoverDown_ = false, hoverThumb_ = false;
  bool dragging_ = false;
  int grabOffset_ = 0;
  RECT drag_{};
};

}  // namespace gm::win
