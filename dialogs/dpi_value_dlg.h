#pragma once
// CDPIValueSettingDlg: sets the resolution of one DPI stage, one value for X and Y. It shows the
// sensor list's smallest and largest DPI, the chosen DPI, an edit box and a slider over the list
// positions. The slider, the Left and Right arrows and a typed DPI (applied by Enter, which keeps
// the dialog open, or by OK) change the choice; OK hands the chosen position back and ends with
// IDOK. Cancel and the close cross end with IDCANCEL and leave the position as it was; Escape does
// nothing.
#include "app/dpi_value_choice.h"
#include "settings/sensor_table.h"
#include "ui/dlg_base.h"
#include "ui/edit_subclass.h"
#include "ui/record_edit.h"

namespace gm::win {

class CEditBox;
class CSliderControl;

class CDPIValueSettingDlg final : public CDlgBase {
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

  CEditBox* ValueBox() const;
  CSliderControl* Slider() const;
  int ChosenPosition() const { return choice_.Position(); }

 protected:
  BOOL OnInitDialog() override;
  void CreateControls(const RECT& client) override;
  void OnOK() override;  // Enter: apply the typed value, stay open

 private:
  void ApplyTyped();
  void Step(int step);
  void FollowSlider();
  // The current-value label, the edit box and (unless it is being dragged) the slider.
  void ShowChoice();
  void Confirm();

  ui::RecordEdit<int> edit_;
  DpiValueChoice choice_;
  CEditArrowKeys arrows_;
};

}  // namespace gm::win
