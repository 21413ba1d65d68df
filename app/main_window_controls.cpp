#include "app/main_window_controls.h"

#include "settings/sensor_table.h"
#include "ui/buttons.h"
#include "ui/colour_buttons.h"
#include "ui/combo_button.h"
#include "ui/dials.h"
#include "ui/dlg_base.h"
#include "ui/gauges.h"
#include "ui/selector_buttons.h"
#include "ui/static_controls.h"

namespace gm::win {

std::unique_ptr<CControlBase> MakeMainControl(CControlHost& host, const MainControlSpec& spec, const RECT& rect,
                                              const SensorTables& sensor) {
  std::unique_ptr<CControlBase> c = MakeControl(host, spec, rect);
  // The DPI bars show the levels of the sensor the configuration names.
  if (c && spec.kind == MainControlKind::kDpiValue)
    static_cast<CLevelBar*>(c.get())->SetLevelCount(static_cast<int>(sensor.count));
  return c;
}

namespace {

// The control `id` of `window` as a T; false when there is none or it is of another class.
template <typename T>
bool Find(const CDlgBase& window, int id, T*& out) {
  out = dynamic_cast<T*>(window.GetControl(static_cast<UINT>(id)));
  return out != nullptr;
}

// Controls first, first + 1, ... into `out`.
template <typename T, size_t N>
bool FindRow(const CDlgBase& window, int first, std::array<T*, N>& out) {
  bool all = true;
  for (size_t i = 0; i < N; ++i) all = Find(window, first + static_cast<int>(i), out[i]) && all;
  return all;
}

}  // namespace

std::optional<MainControls> FindMainControls(const CDlgBase& window) {
  MainControls c;
  bool all = FindRow(window, kControlKeyComboFirst, c.combos);
  for (size_t i = 0; i < c.sectionHeaders.size(); ++i)
    all = Find(window, kSectionHeaderIds[i], c.sectionHeaders[i]) && all;
  all = FindRow(window, kControlStageCheckFirst, c.stageChecks) && all;
  all = FindRow(window, kControlStageButtonFirst, c.stageButtons) && all;
  all = FindRow(window, kControlStageColourFirst, c.stageColours) && all;
  all = FindRow(window, kControlStageBarFirst, c.stageBars) && all;
  all = FindRow(window, kControlRateDial250, c.rateDials) && all;
  all = FindRow(window, kControlRateTextFirst, c.rateTexts) && all;
  all = Find(window, kControlLiftRadioExtra, c.liftRadioExtra) && all;
  all = Find(window, kControlLiftTextExtra, c.liftTextExtra) && all;
  all = FindRow(window, kControlAngleSnapCheck, c.sensorChecks) && all;
  all = Find(window, kControlPowerSaving, c.powerSaving) && all;
  all = Find(window, kControlPowerLabel, c.powerLabel) && all;
  all = Find(window, kControlBattery, c.battery) && all;
  all = Find(window, kControlOfflineHint, c.offlineHint) && all;
  if (!all) return std::nullopt;
  return c;
}

ui::RadioGroup* MainSelection::GroupOf(unsigned id) {
  for (ui::RadioGroup& g : radios_)
    if (g.Has(id)) return &g;
  return nullptr;
}

void MainSelection::SelectRadio(unsigned id) {
  if (ui::RadioGroup* g = GroupOf(id)) g->Select(id);
}

std::optional<unsigned> MainSelection::SelectedRadio(unsigned id) {
  const ui::RadioGroup* g = GroupOf(id);
  return g ? g->Selected() : std::nullopt;
}

void MainSelection::Attach(CDlgBase& window) {
  for (const MainControlSpec& spec : MainWindowControls()) {
    CControlBase* c = window.GetControl(static_cast<UINT>(spec.id));
    if (!c) continue;
    switch (spec.kind) {
      case MainControlKind::kRadio:
        if (auto* radio = dynamic_cast<CRadioButton*>(c)) radio->SetGroup(GroupOf(static_cast<unsigned>(spec.id)));
        break;
      case MainControlKind::kDpiRadio:
        if (auto* stage = dynamic_cast<CDPIRadioButton*>(c)) stage->SetStage(&dpiStages_, spec.variant + 1);  // variant: stage − 1
        break;
      case MainControlKind::kRatePicture:
        if (auto* dial = dynamic_cast<CPollingRateDial*>(c)) dial->SetRateChoice(&rateCode_);
        break;
      default:
        break;
    }
  }
}

}  // namespace gm::win
