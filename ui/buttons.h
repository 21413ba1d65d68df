#pragma once
// Captioned push controls: the image button, the check box (also used as a section header) and the
// text link.
#include "ui/control_base.h"

namespace gm::win {

// Normal / hover picture with a caption; the click notice carries the id in wParam. A button
// whose spec asks for it also reports every pointer move over it (event 12).
class CImageButton : public CStateControl {
 public:
  using CStateControl::CStateControl;

  void SetTextMargin(int left) { textMargin_ = left; }
  void Draw(HDC dc, const RECT& update) override;
  std::optional<TextPlacement> CaptionPlacement() const override;
  bool OnMouseMove(UINT flags, int x, int y) override;

 protected:
  WPARAM ClickParam() const override { return id_; }

 private:
  int textMargin_ = 0;
};

// A check box: a click toggles Checked before the owner is told. The checked look (picture, colour,
// caption) is also shown while the box is held down.
class CCheckButton : public CStateControl {
 public:
  using CStateControl::CStateControl;

  void SetTextMargin(int left) { textMargin_ = left; }
  void SetChecked(bool checked) { checked_ = checked; }
  bool Checked() const { return checked_; }
  // Captions shown unchecked and checked; an empty one keeps the control's text.
  void SetCaptions(std::wstring unchecked, std::wstring checked);
  void SetCheckedColourWhite() { checkedColour_ = kTextWhite; }
  void Draw(HDC dc, const RECT& update) override;
  std::optional<TextPlacement> CaptionPlacement() const override;

 protected:
  void OnClick() override { checked_ = !checked_; }

 private:
  bool checked_ = false;
  std::wstring uncheckedCaption_;
  std::wstring checkedCaption_;
  COLORREF checkedColour_ = kTextYellow;
  int textMargin_ = 0;
};

// A text link without pictures; tells the owner when the pointer enters (4) and leaves (5).
class CLinkButton : public CStateControl {
 public:
  using CStateControl::CStateControl;

  void Draw(HDC dc, const RECT& update) override;
  std::optional<TextPlacement> CaptionPlacement() const override;
  bool OnMouseMove(UINT flags, int x, int y) override;

 private:
  bool entered_ = false;
};

// Text colour of visual state 0, 1, 2.
COLORREF StateTextColour(int visual);

}  // namespace gm::win
