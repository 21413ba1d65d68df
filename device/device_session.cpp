#include "device/device_session.h"

namespace gm {

DeviceSession::DeviceSession(HidApi& hid, Clock& clock, DeviceHost& host, MappingUploadSteps* mapping)
    : ownMapping_(ProcessMacroLibrary()),
      workers_(hid, host),
      links_(hid, host, workers_),
      transport_(hid, clock, links_),
      upload_(transport_, mapping ? *mapping : static_cast<MappingUploadSteps&>(ownMapping_)) {
  workers_.Attach(links_);
}

DeviceSession::~DeviceSession() { Shutdown(); }

InputEffects DeviceSession::HandleInputReport(LinkKind link, const InputReportBytes& report, ProfileTable& profiles,
                                              int currentProfile, bool indicatorShowsOffline,
                                              InputEffectsHost& host) {
  InputContext context;
  context.link = link;
  context.wiredPresent = links_.State(LinkKind::Wired).present;
  context.blePresent = links_.State(LinkKind::Ble).present;
  context.deviceSettingsDirty = upload_.Dirty().DeviceSettingsDirty;
  context.indicatorShowsOffline = indicatorShowsOffline;
  const InputEffects effects = ProcessInputReport(report, context, status_, profiles, currentProfile);
  if (currentProfile >= 0 && currentProfile < kProfileCount)
    ApplyInputEffects(effects, profiles[static_cast<std::size_t>(currentProfile)], upload_, host);
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
