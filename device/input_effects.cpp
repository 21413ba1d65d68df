#include "device/input_effects.h"

#include "settings/app_config.h"

namespace gm {

void ApplyInputEffects(const InputEffects& effects, ProfileRecord& current, AppConfigTable& config,
                       ConfigUpload& upload, InputEffectsHost& host) {
  if (effects.startOnlineTimer) host.StartOnlineIndicatorTimer();
  if (effects.launchUrl) host.OpenUrl(*effects.launchUrl);
  if (effects.rateCapabilityChanged) host.Refresh();
  if (effects.adoptedSensor) {
    SetSensorText(config, *effects.adoptedSensor);
    SetPreST(config, static_cast<std::uint16_t>(~*effects.adoptedSensor));
    host.SensorAdopted(*effects.adoptedSensor);
  }
  if (effects.changed) {
    host.MarkSavePending();
    host.ShowStageDisplay();
    host.Refresh();
    // Refused while another run holds the link (a report handled inside the firmware update's
    // wait): the shadows then stay as they were.
    upload.PrimeShadows(current);
  }
}

}  // namespace gm
