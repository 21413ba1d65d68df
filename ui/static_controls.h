#pragma once
// Controls that only show something: a picture, a text and a progress bar. They are created
// disabled (and the picture and text take no mouse events at all).
#include "ui/control_base.h"

namespace gm::win {

class CStaticImage : public CControlBase {
 public:
  CStaticImage(CControlHost& host, UINT id, const RECT& rect);
  void Draw(HDC dc, const RECT& update) override;
};

// Draws its Label (not the base text) in TextColour with its flags plus DT_WORD_ELLIPSIS |
// DT_VCENTER; no single-line flag is added, so a creator's DT_WORDBREAK wraps.
class CStaticText : public CControlBase {
 public:
  CStaticText(CControlHost& host, UINT id, const RECT& rect, COLORREF colour, UINT textFlags);
  // Stores the label; the owner invalidates the control.
  void SetLabel(const std::wstring& label) { label_ = label; }
  const std::wstring& Label() const { return label_; }
  void SetTextColour(COLORREF colour) { colour_ = colour; }
  COLORREF TextColour() const { return colour_; }
  void Draw(HDC dc, const RECT& update) override;
  std::optional<TextPlacement> CaptionPlacement() const override;

 private:
  std::wstring label_;
  COLORREF colour_;
};

// Progress bar: the background picture (normal image) with the left part of the bar
// picture (SetBarImage) for BarValue / BarMaximum.
class CStaticProgressBar : public CControlBase {
 public:
  CStaticProgressBar(CControlHost& host, UINT id, const RECT& rect);
  bool SetBarImage(const std::wstring& path) { return LoadInto(pressed_, path); }
  void SetBarValue(int value) { value_ = value; }
  void SetBarMaximum(int maximum) { maximum_ = maximum; }
  void Draw(HDC dc, const RECT& update) override;

 private:
  int value_ = 10;
  int maximum_ = 100;
};

}  // namespace gm::win
