#pragma once
// The DPI value dialogs of a stage. CDPIValueSettingDlg sets one value used for X and Y;
// CDPIValueSyncSettingDlg sets X and Y separately, with "XY Sync" keeping them equal while it is
// checked (it starts checked when X and Y are equal). What they share is in dialogs/dpi_value_base.h.
#include "dialogs/dpi_value_base.h"

namespace gm::win {

class CDPIValueSettingDlg final : public CDpiValueDlgBase {
 public:
  enum ControlId : UINT {
    kClose = 2004,
    kOk = 2010,
    kCancel = 2011,
    kTitle = 2012,
    kCurrent = 2013,
    kMinimum = 2015,
    kMaximum = 2016,
    kValueBox = 2017,
    kSliderBar = 2020,
    kSlider = 2021,
  };

  // `tables` (a list with at least one entry) and `position` must outlive the dialog; `position`
  // changes only when the dialog is confirmed.
  CDPIValueSettingDlg(const ui::UiContext& context, HWND parent, const SensorTables& tables, int& position);

  CEditBox* ValueBox() const { return CDpiValueDlgBase::ValueBox(0); }
  CSliderControl* Slider() const { return CDpiValueDlgBase::Slider(0); }
  int ChosenPosition() const { return CDpiValueDlgBase::ChosenPosition(0); }
};

class CDPIValueSyncSettingDlg final : public CDpiValueDlgBase {
 public:
  enum ControlId : UINT {
    kClose = 2004,
    kOk = 2010,
    kCancel = 2011,
    kTitle = 2012,
    kCurrentX = 2013,
    kCurrentY = 2014,
    kBoxX = 2017,
    kBoxY = 2018,
    kSync = 2019,
    kSliderBarX = 2020,
    kSliderX = 2021,
    kSliderY = 2022,
    kSliderBarY = 2023,
    kMinimumX = 2024,
    kMaximumX = 2025,
    kMinimumY = 2026,
    kMaximumY = 2027,
    kSyncLabel = 2028,
  };
  enum Axis : int { kAxisX = 0, kAxisY = 1 };

  // `tables`, `x` and `y` must outlive the dialog; `x` and `y` change only when it is confirmed.
  CDPIValueSyncSettingDlg(const ui::UiContext& context, HWND parent, const SensorTables& tables, int& x, int& y);

  bool SyncChecked() const;

 protected:
  void CreateControls(const RECT& client) override;
  int ActiveAxis() const override { return FocusedAxis(); }
  bool Synced() const override { return SyncChecked(); }

 private:
  void SyncClicked();

  bool startSynced_;
};

}  // namespace gm::win
