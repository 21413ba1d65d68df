#pragma once
// Colour swatches: a plain swatch at a fixed rectangle, and a framed swatch that can be checked.
// Colours are 0x00BBGGRR (red in the lowest byte).
#include "ui/control_base.h"

namespace gm::win {

class CColorSelectButton : public CStateControl {
 public:
  // `swatch` is fixed at construction and does not follow later SetRect calls.
  CColorSelectButton(CControlHost& host, UINT id, const RECT& rect, const RECT& swatch);
  void SetColour(COLORREF colour) { colour_ = colour; }
  COLORREF Colour() const { return colour_; }
  void Draw(HDC dc, const RECT& update) override;

 private:
  RECT swatch_;
  COLORREF colour_ = 0x00FF00;
};

// Frame picture (normal or checked) with the colour filled inside it, 3 design units in from each
// edge; a double click notifies 10.
class CColorSelectCheckButton : public CStateControl {
 public:
  using CStateControl::CStateControl;
  void SetColour(COLORREF colour) { colour_ = colour; }
  COLORREF Colour() const { return colour_; }
  void SetChecked(bool checked) { checked_ = checked; }
  bool Checked() const { return checked_; }
  void Draw(HDC dc, const RECT& update) override;
  bool OnLButtonDblClk(UINT flags, int x, int y) override;

 private:
  COLORREF colour_ = 0x00FF00;
  bool checked_ = false;
};

}  // namespace gm::win
