#pragma once
// Level bars (the DPI stage bars and the draggable vertical slider), the horizontal slider with
// fixed stops, and the battery gauge.
#include <vector>

#include "ui/control_base.h"

namespace gm::win {

// A bar filled from the bottom in proportion to (Level + 1) / LevelCount. The fill picture's size
// is the bar's picture size.
class CLevelBar : public CStateControl {
 public:
  CLevelBar(CControlHost& host, UINT id, const RECT& rect, int levelCount);
  bool SetBackgroundImage(const std::wstring& path) { return LoadInto(normal_, path); }
  bool SetFillImage(const std::wstring& path) { return LoadInto(pressed_, path); }
  void SetLevel(int level) { level_ = level; }
  void SetLevelCount(int count) { levelCount_ = count; }
  int Level() const { return level_; }
  int LevelCount() const { return levelCount_; }
  void Draw(HDC dc, const RECT& update) override;

 protected:
  int level_ = 0;
  int levelCount_;
};

// The DPI level bar of one stage; a click asks the owner to edit the stage (standard behaviour).
class CDPIValueShowControl : public CLevelBar {
 public:
  using CLevelBar::CLevelBar;
};

// A level bar that can be dragged: the level follows the pointer (notice 3 with the level).
class CVerticalSliderControl : public CLevelBar {
 public:
  using CLevelBar::CLevelBar;
  bool OnMouseMove(UINT flags, int x, int y) override;
  bool OnLButtonDown(UINT flags, int x, int y) override;
  bool OnLButtonUp(UINT flags, int x, int y) override;

 private:
  bool dragging_ = false;
};

// Horizontal slider with StopCount fixed stops; the knob picture is the normal image.
class CSliderControl : public CStateControl {
 public:
  CSliderControl(CControlHost& host, UINT id, const RECT& rect, int stopCount, int leftMargin, int rightMargin);
  void SetValueIndex(int index);
  int ValueIndex() const { return valueIndex_; }
  int NearestStop(int x) const;
  const std::vector<int>& Stops() const { return stops_; }
  const RECT& KnobRect() const { return knobRect_; }
  bool Dragging() const { return dragging_; }
  // One drag step for an owner that forwards captured pointer moves.
  bool DragTo(int x);

  void Draw(HDC dc, const RECT& update) override;
  bool OnMouseMove(UINT flags, int x, int y) override;
  bool OnLButtonDown(UINT flags, int x, int y) override;
  bool OnLButtonUp(UINT flags, int x, int y) override;

 private:
  void Follow(int x);
  RECT KnobAt(int stopIndex) const;
  int StopX(int index) const;

  std::vector<int> stops_;
  int leftMargin_, rightMargin_;
  int valueIndex_ = 0;
  int knobX_ = 0;
  RECT knobRect_{};
  bool dragging_ = false;
};

// Battery gauge: empty picture with the full one cut to the level; while charging the
// charging picture cut to the animation level under the lightning; when full, full and lightning.
class CBattery : public CControlBase {
 public:
  enum Charge { kNotCharging = 0, kCharging = 1, kFull = 2 };

  CBattery(CControlHost& host, UINT id, const RECT& rect);
  // Loads "skins\\battery_full.png", "_empty", "_charging" and "_lighting".
  bool LoadSkin();
  bool SetPicture(int slot, const std::wstring& path);  // 0 full, 1 empty, 2 charging, 3 lightning

  void SetPercent(int percent) { percent_ = percent; }
  void SetChargeState(int state) { chargeState_ = state; }
  void SetAnimationLevel(int level) { animationLevel_ = level; }
  // Sets all three; true when the gauge now draws a different picture (so it needs a repaint).
  bool SetReading(int animationLevel, int percent, int chargeState);
  int Percent() const { return percent_; }
  int ChargeState() const { return chargeState_; }
  int AnimationLevel() const { return animationLevel_; }

  void Draw(HDC dc, const RECT& update) override;
  void ReleaseImages() override;

 private:
  void DrawCut(SkinGraphics& g, const SkinImage& picture, int percent);
  int percent_ = 100;
  int chargeState_ = kNotCharging;
  int animationLevel_ = 25;
  SkinImage pictures_[4];
};

}  // namespace gm::win
