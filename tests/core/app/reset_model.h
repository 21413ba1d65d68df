#pragma once
// A settings model for the tests of the main window's view and commands: texts "t<index>", the
// configuration defaults, the default sensor 0x3950 (position p shows (p + 1) * 50 DPI) and every
// profile reset to its slot's defaults. On the heap: the model is large.
#include <memory>
#include <string>

#include "settings/app_config.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "settings/settings_model.h"

namespace gm::test {

inline std::unique_ptr<SettingsModel> MakeResetModel() {
  auto model = std::make_unique<SettingsModel>();
  for (std::size_t i = 0; i < model->texts.size(); ++i) model->texts[i] = L"t" + std::to_wstring(i);
  FillAppConfigDefaults(model->config, L"");
  BuildSensorDpiTables(model->sensor);
  for (std::size_t slot = 0; slot < model->profiles.size(); ++slot)
    ResetProfile(model->profiles[slot], static_cast<int>(slot), model->texts, model->sensor.id);
  return model;
}

}  // namespace gm::test
