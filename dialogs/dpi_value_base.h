#pragma once
// What the two DPI value dialogs share: one or two axes, each a position in the current sensor's
// DPI list shown by a minimum, a current and a maximum label, a slider over the list positions and
// an edit box. The slider, the Left and Right arrows in an axis's edit box and a typed DPI
// (applied by Enter, which keeps the dialog open, or by OK) change an axis; a subclass may tie the
// axes together ("XY Sync"). OK writes the positions back and ends with IDOK; the close cross and
// Cancel end with IDCANCEL and leave the positions as they were; Escape does nothing.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/dpi_value_choice.h"
#include "settings/sensor_table.h"
#include "ui/dlg_base.h"
#include "ui/edit_subclass.h"

namespace gm::win {

class CEditBox;
class CSliderControl;

// The controls of one axis (ids of the dialog's table) and where its slider runs.
struct DpiAxisSpec {
  UINT minimum = 0;
  UINT current = 0;
  UINT maximum = 0;
  UINT box = 0;
  UINT slider = 0;
  LayoutRect sliderRect;
  const wchar_t* minimumPrefix = L"";  // before the smallest DPI ("X:", "Y:")
};

class CDpiValueDlgBase : public CDlgBase {
 public:
  // The axes' positions (one per axis spec) must outlive the dialog and change only when it is
  // confirmed; `tables` (a list with at least one entry) likewise.
  CDpiValueDlgBase(const ui::UiContext& context, HWND parent, const SensorTables& tables,
                   std::span<const DpiAxisSpec> axes, std::span<int* const> positions);
  ~CDpiValueDlgBase() override;

  CEditBox* ValueBox(int axis) const;
  CSliderControl* Slider(int axis) const;
  int ChosenPosition(int axis) const;

 protected:
  // Rows the subclass adds to the handler table (the axes' and buttons' rows come first).
  void SetHandlersWith(std::vector<EventHandler> more);
  BOOL OnInitDialog() override;
  void CreateControls(const RECT& client) override;
  void OnOK() override;  // Enter: apply the typed value of the active axis, stay open

  // The axis Enter acts on, or -1 for none.
  virtual int ActiveAxis() const { return 0; }
  // Whether a change of one axis carries over to the others.
  virtual bool Synced() const { return false; }
  // Makes every axis take the position of axis `from` (sliders, labels and boxes follow).
  void AlignAxesWith(int from);
  // Labels, edit boxes and (unless being dragged) sliders of every axis.
  void ShowChoices();
  // The axis whose edit box has the keyboard focus, or -1.
  int FocusedAxis() const;

 private:
  struct Axis;

  void ApplyTyped(int axis);
  void Step(int axis, int step);
  void SliderPressed(int axis);
  void FollowSlider(int axis);
  // After axis `axis` changed: the other axes follow it when synced; then everything is shown.
  void Changed(int axis);
  void Confirm();

  const SensorTables& tables_;
  std::vector<std::unique_ptr<Axis>> axes_;
};

}  // namespace gm::win
