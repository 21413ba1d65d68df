#pragma once
// Makes the skinned control of one entry of the main window's layout table through the toolkit's
// control factory, plus what only the main window's controls need (the sensor's DPI level count);
// the typed pointers to the controls the window sets, found once after creation; and the
// selection state the window's selector controls share.
#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "app/main_layout.h"
#include "settings/sensor_table.h"
#include "ui/control_base.h"
#include "ui/control_factory.h"
#include "ui/selection_state.h"

namespace gm::win {

class CDlgBase;
class CBattery;
class CCheckButton;
class CColorSelectButton;
class CComboButton;
class CDPIRadioButton;
class CLevelBar;
class CPollingRateDial;
class CPowerManageButton;
class CRadioButton;
class CStaticText;

// The control for `spec` at `rect` (pixels) in `host`; null for an unknown kind. The DPI bars
// get the level count of `sensor`.
std::unique_ptr<CControlBase> MakeMainControl(CControlHost& host, const MainControlSpec& spec, const RECT& rect,
                                              const SensorTables& sensor);

// The main window's controls that it sets after creation, each of the class its layout entry makes.
// The window owns the controls; these pointers live as long as the window's controls.
struct MainControls {
  std::array<CComboButton*, kKeyComboCount> combos{};
  std::array<CCheckButton*, kSectionCount> sectionHeaders{};  // in Section order
  // DPI section, stage i at [i].
  std::array<CCheckButton*, kShownDpiStages> stageChecks{};
  std::array<CDPIRadioButton*, kShownDpiStages> stageButtons{};
  std::array<CColorSelectButton*, kShownDpiStages> stageColours{};
  std::array<CLevelBar*, kShownDpiStages> stageBars{};
  // Report-rate section: the dials from kControlRateDial250 on, the centre texts from
  // kControlRateTextFirst on.
  std::array<CPollingRateDial*, kRateDialCount> rateDials{};
  std::array<CStaticText*, kRateTextCount> rateTexts{};
  // The lift-off pair shown only with the sensor's extra option.
  CRadioButton* liftRadioExtra = nullptr;
  CStaticText* liftTextExtra = nullptr;
  // Angle snap, motion sync, ripple control.
  std::array<CCheckButton*, 3> sensorChecks{};
  CPowerManageButton* powerSaving = nullptr;
  CStaticText* powerLabel = nullptr;
  CBattery* battery = nullptr;
  CStaticText* offlineHint = nullptr;

  // The header of `section`.
  CCheckButton& Header(Section section) const { return *sectionHeaders[static_cast<size_t>(section)]; }
};

// Finds every control of MainControls in `window` (made from the layout table); nullopt when one
// is missing or of another class than its entry makes.
std::optional<MainControls> FindMainControls(const CDlgBase& window);

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
  // The rate code the dials hold: a dial stores the sector clicked before it reports the click.
  int RateCode() const { return rateCode_.value; }
  // The selected radio of the group `id` belongs to (none when nothing is, or `id` has no group).
  std::optional<unsigned> SelectedRadio(unsigned id);

 private:
  ui::RadioGroup* GroupOf(unsigned id);

  std::vector<ui::RadioGroup> radios_;
  ui::StageSelection dpiStages_;
  ui::Choice rateCode_;
};

// The web address the link shows and opens.
inline constexpr const wchar_t* kMakerWebAddress = gm::kMakerWebAddress;

}  // namespace gm::win
