#include "device/device_session.h"

namespace gm {

DeviceSession::DeviceSession(HidApi& hid, Clock& clock, DeviceHost& host, SettingsModel& model,
                             const MacroLibrary& library)
    : model_(model),
      mapping_(library, model.texts),
      workers_(hid, host),
      links_(hid, host, workers_),
      transport_(hid, clock, links_),
      upload_(transport_, mapping_, model.sensor) {
  workers_.Attach(links_);
}

DeviceSession::~DeviceSession() { Shutdown(); }

InputEffects DeviceSession::HandleInputReport(LinkKind link, const InputReportBytes& report,
                                              bool indicatorShowsOffline, InputEffectsHost& host) {
  InputContext context;
  context.link = link;
  context.wiredPresent = links_.State(LinkKind::Wired).present;
  context.blePresent = links_.State(LinkKind::Ble).present;
  // Any edit not yet uploaded makes the report wait: a report that changed the stage, rate or
  // lighting re-primes every shadow from the record, which would make the pending mapping, power
  // or sensor edit look sent already, and the mouse would never get it.
  context.deviceSettingsDirty = upload_.Dirty().Any();
  context.indicatorShowsOffline = indicatorShowsOffline;
  const int currentProfile = model_.currentProfile;
  const InputEffects effects =
      ProcessInputReport(report, context, status_, model_.profiles, currentProfile, model_.sensor, model_.texts);
  if (currentProfile >= 0 && currentProfile < kProfileCount)
    ApplyInputEffects(effects, model_.profiles[static_cast<std::size_t>(currentProfile)], model_.config, upload_,
                      host);
  return effects;
}

StatusAnswer DeviceSession::ReadStatusReport() {
  const StatusAnswer answer = transport_.ReadStatusReport();
  if (answer.valid) status_.MouseOnline = answer.online;
  return answer;
}

void DeviceSession::Shutdown() {
  workers_.StopAll();
  links_.CloseAll();
}

}  // namespace gm
