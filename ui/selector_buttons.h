#pragma once
// Controls whose selection lives in a selection object their window owns (ui/selection_state.h):
// radio buttons, the DPI stage buttons and the tab selector.
#include "ui/control_base.h"
#include "ui/selection_state.h"

namespace gm::win {

// Radio button: the click selects it in its group (the others of the group clear); draws
// selected while the group has it selected. Without a group it only reports the click.
class CRadioButton : public CStateControl {
 public:
  using CStateControl::CStateControl;
  void SetGroup(ui::RadioGroup* group) { group_ = group; }
  void Draw(HDC dc, const RECT& update) override;
  bool Selected() const { return group_ && group_->IsSelected(id_); }

 protected:
  void OnClick() override;

 private:
  ui::RadioGroup* group_ = nullptr;
};

// DPI stage button: the click selects its stage and every lower one in its row; draws the stage's
// DPI value (DpiStep × 50) in a band at its top.
class CDPIRadioButton : public CStateControl {
 public:
  using CStateControl::CStateControl;
  // The row this button belongs to and its stage (1..8).
  void SetStage(ui::StageSelection* row, int stage) {
    row_ = row;
    stage_ = stage;
  }
  void SetDpiStep(int step) { dpiStep_ = step; }
  int DpiStep() const { return dpiStep_; }
  void SetTextColour(COLORREF colour) { textColour_ = colour; }
  bool Selected() const;
  void Draw(HDC dc, const RECT& update) override;
  std::optional<TextPlacement> CaptionPlacement() const override;

 protected:
  void OnClick() override;

 private:
  ui::StageSelection* row_ = nullptr;
  int stage_ = 0;
  int dpiStep_ = 0;
  COLORREF textColour_ = kTextGrey;
};

// Tab-like selector: the click stores its value in the row's choice; drawn selected while the
// choice holds its value. A page tab draws selected alike hovered or not, a profile tab uses its
// selected-hover picture under the pointer. Pictures: normal, hover, selected, selected-hover
// (SetSelectedHoverImage).
class CTabControl : public CStateControl {
 public:
  enum class Style { kPage, kProfile };
  using CStateControl::CStateControl;
  void SetTab(ui::Choice* row, int value, Style style) {
    row_ = row;
    value_ = value;
    style_ = style;
  }
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
  ui::Choice* row_ = nullptr;
  int value_ = 0;
  Style style_ = Style::kPage;
  int textMargin_ = 6;
};

}  // namespace gm::win
