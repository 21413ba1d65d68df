#include "app/main_window_controls.h"

#include "settings/sensor_table.h"
#include "ui/gauges.h"

namespace gm::win {

std::unique_ptr<CControlBase> MakeMainControl(HWND owner, const MainControlSpec& spec, const RECT& rect) {
  std::unique_ptr<CControlBase> c = MakeControl(owner, spec, rect);
  // The DPI bars show the levels of the sensor the configuration names.
  if (c && spec.kind == MainControlKind::kDpiValue)
    static_cast<CLevelBar*>(c.get())->SetLevelCount(static_cast<int>(SensorDpiCount));
  return c;
}

}  // namespace gm::win
