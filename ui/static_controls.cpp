#include "ui/static_controls.h"

#include "ui/gauge_geometry.h"

namespace gm::win {

CStaticImage::CStaticImage(CControlHost& host, UINT id, const RECT& rect) : CControlBase(host, id, rect) {
  disabled_ = true;
  interactive_ = false;
}

void CStaticImage::Draw(HDC dc, const RECT&) {
  SkinGraphics g(dc);
  g.Draw(normal_, rect_);
}

CStaticText::CStaticText(CControlHost& host, UINT id, const RECT& rect, COLORREF colour, UINT textFlags)
    : CControlBase(host, id, rect, {}, textFlags), colour_(colour) {
  disabled_ = true;
  interactive_ = false;
}

void CStaticText::Draw(HDC dc, const RECT&) {
  TextPlacement at = *CaptionPlacement();
  if ((at.flags & DT_WORDBREAK) && !label_.empty()) {
    // DT_VCENTER centres single lines only: wrapped lines are centred in the box by measuring them.
    RECT need = at.box;
    {
      SelectScope selectFont(dc, Font());
      DrawTextW(dc, label_.c_str(), static_cast<int>(label_.size()), &need, at.flags | DT_CALCRECT);
    }
    const int spare = (at.box.bottom - at.box.top) - (need.bottom - need.top);
    if (spare > 0) at.box.top += spare / 2;
  }
  DrawControlText(dc, Font(), colour_, label_, at.box, at.flags);
}

std::optional<TextPlacement> CStaticText::CaptionPlacement() const {
  return TextPlacement{rect_, textFlags_ | DT_WORD_ELLIPSIS | DT_VCENTER};
}

CStaticProgressBar::CStaticProgressBar(CControlHost& host, UINT id, const RECT& rect) : CControlBase(host, id, rect) {
  disabled_ = true;
}

void CStaticProgressBar::Draw(HDC dc, const RECT&) {
  SkinGraphics g(dc);
  g.Draw(normal_, rect_);
  const int columns = ui::ProgressColumns(value_, maximum_, pressed_.Width());
  g.DrawPart(pressed_, 0, 0, columns, pressed_.Height(),
             {rect_.left, rect_.top, rect_.left + static_cast<int>(columns * Context().displayScale), rect_.bottom});
}

}  // namespace gm::win
