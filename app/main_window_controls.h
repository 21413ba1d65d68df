#pragma once
// Makes the skinned control of one entry of the main window's layout table through the toolkit's
// control factory, plus what only the main window's controls need (the sensor's DPI level count),
// and the selection state the window's selector controls share.
#include <windows.h>

#include <memory>
#include <vector>

#include "app/main_layout.h"
#include "settings/sensor_table.h"
#include "ui/control_base.h"
#include "ui/control_factory.h"
#include "ui/selection_state.h"

namespace gm::win {

class CDlgBase;

// The control for `spec` at `rect` (pixels) in `host`; null for an unknown kind. The DPI bars
// get the level count of `sensor`.
std::unique_ptr<CControlBase> MakeMainControl(CControlHost& host, const MainControlSpec& spec, const RECT& rect,
                                              const SensorTables& sensor);

// What the main window's selector controls select: its radio groups, the DPI stage row and the
// report-rate code of the rate dials. Owned by the window; its controls point into it.
class MainSelection {
 public:
  MainSelection() : radios_(MainRadioGroups()) {}
  MainSelection(const MainSelection&) = delete;
  MainSelection& operator=(const MainSelection&) = delete;

  // Hands every selector control of `window` (made from the layout table) its selection object.
  void Attach(CDlgBase& window);
  // Selects radio `id` in its group (an id of no group changes nothing).
  void SelectRadio(unsigned id);
  void SetRateCode(int code) { rateCode_.value = code; }

 private:
  ui::RadioGroup* GroupOf(unsigned id);

  std::vector<ui::RadioGroup> radios_;
  ui::StageSelection dpiStages_;
  ui::Choice rateCode_;
};

// The web address the link shows and opens.
inline constexpr const wchar_t* kMakerWebAddress = gm::kMakerWebAddress;

}  // namespace gm::win
