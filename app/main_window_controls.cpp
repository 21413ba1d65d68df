#include "app/main_window_controls.h"

#include "settings/sensor_table.h"
#include "ui/dials.h"
#include "ui/dlg_base.h"
#include "ui/gauges.h"
#include "ui/selector_buttons.h"

namespace gm::win {

std::unique_ptr<CControlBase> MakeMainControl(CControlHost& host, const MainControlSpec& spec, const RECT& rect,
                                              const SensorTables& sensor) {
  std::unique_ptr<CControlBase> c = MakeControl(host, spec, rect);
  // The DPI bars show the levels of the sensor the configuration names.
  if (c && spec.kind == MainControlKind::kDpiValue)
    static_cast<CLevelBar*>(c.get())->SetLevelCount(static_cast<int>(sensor.count));
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
