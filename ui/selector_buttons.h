#pragma once
// Controls whose selection lives in process-wide state shared with the windows that read it:
// radio buttons (RadioSelection), the DPI stage buttons (DpiStageMask) and the tab selector.
#include "ui/control_base.h"

namespace gm::win {

// Radio button: the click clears its group in RadioSelection and sets its bit; draws selected
// while its bit is set. Ids without a bit only notify.
class CRadioButton : public CStateControl {
 public:
  using CStateControl::CStateControl;
  void Draw(HDC dc, const RECT& update) override;
  bool Selected() const;

 protected:
  void OnClick() override;
};

// DPI stage button (ids 3290..3297): the click selects its stage and every lower one; draws the
// stage's DPI value (DpiStep × 50) in a band at its top.
class CDPIRadioButton : public CStateControl {
 public:
  using CStateControl::CStateControl;
  void SetDpiStep(int step) { dpiStep_ = step; }
  int DpiStep() const { return dpiStep_; }
  void SetTextColour(COLORREF colour) { textColour_ = colour; }
  bool Selected() const;
  void Draw(HDC dc, const RECT& update) override;

 protected:
  void OnClick() override;

 private:
  int dpiStep_ = 0;
  COLORREF textColour_ = kTextGrey;
};

// Tab-like selector: profile tabs 2049..2053 and page tabs 3001..3004, 3007..3009 store their
// value in ProfileTabSelection / PageTabSelection. Pictures: normal, hover, selected,
// selected-hover (SetSelectedHoverImage).
class CTabControl : public CStateControl {
 public:
  using CStateControl::CStateControl;
  bool SetSelectedHoverImage(const std::wstring& path) { return LoadInto(selectedHover_, path); }
  void SetTextMargin(int left) { textMargin_ = left; }
  // Visual state: 2 selected page tab; 3 or 2 selected profile tab (hovered or not); else State.
  int Visual() const;
  void Draw(HDC dc, const RECT& update) override;
  bool OnRButtonUp(UINT flags, int x, int y) override;
  void ReleaseImages() override;

 protected:
  void OnClick() override;

 private:
  SkinImage selectedHover_;
  int textMargin_ = 6;
};

}  // namespace gm::win
