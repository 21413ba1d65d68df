#pragma once
// Carrying out what folding an input report asked for (device/input_report.h), on the UI thread,
// in the order the fold found it: the online-indicator timer, a launch, the refresh for a new rate
// capability, the adoption of a new sensor, then for a changed stage, rate or effect: save flag,
// on-screen display, refresh and re-priming of the upload shadows.
#include <cstdint>
#include <string>

#include "device/input_report.h"
#include "device/upload.h"
#include "settings/app_config.h"

namespace gm {

class InputEffectsHost {
 public:
  virtual ~InputEffectsHost() = default;
  virtual void StartOnlineIndicatorTimer() = 0;      // timer 80 with 100 ms
  virtual void OpenUrl(const std::wstring& url) = 0;  // shell "open", shown normally
  virtual void Refresh() = 0;                         // RefreshFromProfile
  virtual void MarkSavePending() = 0;
  virtual void ShowStageDisplay() = 0;                // message 0x42B with wParam 1
  // A new sensor was adopted; its config entries are set. Save the configuration and the five
  // profiles, give the stage bars the new count, show or hide the lift-off header, repaint.
  virtual void SensorAdopted(std::uint16_t sensorId) = 0;
};

// A new sensor is stored in `config` ("Sensor", "PreST") before the host hears of it.
void ApplyInputEffects(const InputEffects& effects, ProfileRecord& current, AppConfigTable& config,
                       ConfigUpload& upload, InputEffectsHost& host);

}  // namespace gm
