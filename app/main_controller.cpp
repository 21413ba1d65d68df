#include "app/main_controller.h"

#include "app/main_commands.h"
#include "macro/macro_editor.h"
#include "macro/macro_library.h"
#include "settings/app_config.h"
#include "settings/language_indexes.h"
#include "settings/number_text.h"
#include "settings/profile_record.h"
#include "settings/settings_store.h"

namespace gm {
namespace {

constexpr unsigned kUploadDelayMs = 20;
constexpr unsigned kStatusRetryMs = 100;  // a status report waiting for the link tries again
constexpr unsigned kOneShotShortMs = 100;  // profile operation, rejected assignment
constexpr unsigned kSaveDelayMs = 10000;
constexpr unsigned kOnlineHintAtStartMs = 2000;
constexpr unsigned kOnlineHintAfterScanMs = 1000;
constexpr unsigned kOnlineHintFromWorkerMs = 100;
constexpr unsigned kBatteryPeriodMs = 1000;
constexpr unsigned kBleRescanMs = 300;
// How long after an upload whose commands the mouse partly left unacknowledged it is tried again
// (once: after that they wait for the next upload).
constexpr unsigned kUploadRetryMs = 1000;
// How soon the save and the BLE rescan try again while another run of exchanges holds the link.
constexpr unsigned kHeldLinkRetryMs = 500;

int StatusPictureOf(LinkKind link) {
  switch (link) {
    case LinkKind::Wired: return kControlStatusWired;
    case LinkKind::Ble: return kControlStatusBle;
    case LinkKind::Wireless: return kControlStatusWireless;
  }
  return kControlStatusWired;
}

}  // namespace

MainController::MainController(HidApi& hid, Clock& clock, WindowHost& host, AppState& state)
    : host_(host), state_(state), gate_(hid, clock), session_(gate_, gate_, *this, state, state.library), jobs_(*this) {}

MainController::~MainController() {
  jobs_.Stop();
  session_.Shutdown();
}

bool MainController::MouseOnline() { return session_.Status().MouseOnline; }

// ---- start ----

void MainController::Start() {
  ApplyStartMode();
  RefreshAndStartDevices();
  StartPeriodicTimers();
}

// "NeedPassword" 1 (the default) starts minimised; any non-zero value starts with the window
// meant to be hidden until the mouse answers the status report; 0 starts shown and online.
void MainController::ApplyStartMode() {
  const std::int32_t needPassword = ParseLong(AppConfigValue(state_.config, kNeedPassword), 10);
  if (needPassword == 1) host_.Minimise();
  windowShown_ = needPassword == 0;
  session_.Status().MouseOnline = needPassword == 0;
}

void MainController::RefreshAndStartDevices() {
  host_.RefreshFromProfile();
  InitDeviceLinks();
  // The first upload sends only what is edited from now on.
  session_.Upload().PrimeShadows(state_.CurrentRecord());
  session_.Links().ScanDevices();
  RefreshIfReconnected();
}

void MainController::StartPeriodicTimers() { host_.StartTimer(kTimerOnlineHint, kOnlineHintAtStartMs); }

void MainController::InitDeviceLinks() {
  session_.Links().CloseAll();
  markedDisconnected_ = true;
  host_.RegisterDeviceNotifications();
}

void MainController::RefreshIfReconnected() {
  if (session_.Links().AnyLinkPresent() && markedDisconnected_) {
    markedDisconnected_ = false;
    host_.RefreshFromProfile();
  }
}

// ---- scans and status ----

void MainController::RunScanWindowSteps() {
  DeviceLinks& links = session_.Links();
  if (links.AnyLinkPresent()) {
    host_.StartTimer(kTimerBattery, kBatteryPeriodMs);
    const LinkKind active = *links.ActiveLink();
    ShowActiveLinkPicture();
    if (!links.State(active).wasPresent) {
      // The link is held (the scan runs inside the firmware update's wait): nothing may come
      // between the update's reports, so the status report is read once the link is free again.
      if (LinkHeld()) {
        DeferStatusRead();
      } else {
        ReadStatusReport();
      }
    }
    if (active == LinkKind::Wired || active == LinkKind::Wireless) host_.SetControlEnabled(kControlRateHeader, true);
    host_.InvalidateControl(kControlStatusWired);
    host_.StartTimer(kTimerOnlineHint, kOnlineHintAfterScanMs);
  } else {
    for (LinkKind link : kAllLinks) host_.SetControlVisible(StatusPictureOf(link), false);
    host_.InvalidateControl(kControlStatusWired);
  }
  const LinkState& ble = links.State(LinkKind::Ble);
  if (ble.wasPresent && !ble.present) host_.StartTimer(kTimerBleRescan, kBleRescanMs);
}

void MainController::ShowActiveLinkPicture() {
  const LinkKind active = *session_.Links().ActiveLink();
  for (LinkKind link : kAllLinks) host_.SetControlVisible(StatusPictureOf(link), link == active);
}

// A valid answer shows a window that is meant to be hidden; a window that an earlier answer
// showed is minimised again when the mouse has gone offline. Anything else changes nothing.
// The report takes no run: while a device job is in flight it is left to the visibility timer.
void MainController::ReadStatusReport() {
  if (DeviceJobsInFlight()) {
    DeferStatusRead();
    return;
  }
  const StatusAnswer answer = session_.ReadStatusReport();
  if (!answer.valid) return;
  if (!windowShown_) {
    shownByStatusReport_ = true;
    windowShown_ = true;
    host_.ShowInForeground();
  } else if (!MouseOnline() && shownByStatusReport_) {
    shownByStatusReport_ = false;
    host_.Minimise();
  }
}

void MainController::DeferStatusRead() {
  statusReadDeferred_ = true;
  host_.StartTimer(kTimerVisibility, kStatusRetryMs);
}

void MainController::OnWindowShownBySystem() {
  if (!windowShown_) host_.Hide();
}

void MainController::OnShowRequest() {
  if (windowShown_ && MouseOnline()) {
    host_.ShowInForeground();
  } else {
    ReadStatusReport();
  }
}

void MainController::OnDeviceChange(std::uint32_t event) {
  const bool arrival = event == static_cast<std::uint32_t>(DeviceEvent::kArrival);
  const bool removal = event == static_cast<std::uint32_t>(DeviceEvent::kRemoveComplete);
  if ((arrival || removal) && DeviceJobsInFlight()) {
    // The scan closes and opens the handles the job uses: it waits for the job's result. A
    // removal stops the job between two reports, so the wait is short.
    deferredDeviceEvents_.push_back(event);
    if (removal) gate_.Stop();
    return;
  }
  DeviceLinks& links = session_.Links();
  if (event == static_cast<std::uint32_t>(DeviceEvent::kArrival)) {
    if (links.OnDeviceChange(event).scanned) {
      RefreshIfReconnected();
      host_.RefreshFromProfile();
    }
  } else if (event == static_cast<std::uint32_t>(DeviceEvent::kRemoveComplete)) {
    // Only the removal of the mouse's last link ends the program: while no link was attached (the
    // program waits for the mouse) the removal of some other device must not end it.
    const bool hadLink = links.AnyLinkPresent();
    const DeviceChangeResult result = links.OnDeviceChange(event);
    if (result.lastLinkGone && hadLink) EndForLastLink();
  }
}

void MainController::EndForLastLink() {
  markedDisconnected_ = true;
  windowShown_ = false;
  host_.Hide();
  host_.CloseOpenDialogs();
  host_.Quit();
}

// ---- timers ----

bool MainController::LinkHeld() { return DeviceJobsInFlight() || session_.GetTransport().Busy().Busy(); }

// A timer that would talk to the mouse or write the settings fires inside the firmware update's
// wait too (the wait keeps the window answering), and while device jobs are in flight. While the
// link is held it does nothing but start again `retryMs` later: the dirty flags and SavePending
// stay as they are, so the edits go out and reach the disk once the link is free.
bool MainController::DeferWhileLinkHeld(unsigned id, unsigned retryMs) {
  if (!LinkHeld()) return false;
  host_.StartTimer(id, retryMs);
  return true;
}

void MainController::OnTimer(unsigned id) {
  switch (id) {
    case kTimerAssignmentRejected:
      host_.StopTimer(id);
      host_.ShowModalNotice(kTextLeftButtonRequired);
      break;
    case kTimerUpload:
      if (DeferWhileLinkHeld(id, kUploadDelayMs)) break;
      host_.StopTimer(id);
      RunUpload();
      break;
    case kTimerUploadRetry:
      if (DeferWhileLinkHeld(id, kUploadDelayMs)) break;
      host_.StopTimer(id);
      if (session_.Upload().Dirty().Any()) RunUpload(UploadKind::kRetry);
      break;
    case kTimerVisibility:
      if (!windowShown_) host_.Hide();
      if (statusReadDeferred_ && !LinkHeld()) {
        statusReadDeferred_ = false;
        if (session_.Links().AnyLinkPresent()) ReadStatusReport();
      }
      // It runs only while a status report waits for the link (reading it may have put it off
      // again).
      if (!statusReadDeferred_) host_.StopTimer(id);
      break;
    case kTimerProfileOperation:
      host_.StopTimer(id);
      host_.CarryOutProfileOperation(profileOpCode_, profileOpSlot_);
      break;
    case kTimerSave:
      if (DeferWhileLinkHeld(id, kHeldLinkRetryMs)) break;
      host_.StopTimer(id);
      savePending_ = false;
      SaveAllSettings();
      break;
    case kTimerOnlineHint:
      host_.StopTimer(id);
      UpdateOnlineHint();
      break;
    case kTimerBattery:
      if (windowShown_) UpdateBattery();
      break;
    case kTimerBleRescan:
      if (DeferWhileLinkHeld(id, kHeldLinkRetryMs)) break;
      host_.StopTimer(id);
      // The receiver counts as newly attached, so the scan reads the status report again.
      session_.Links().MutableState(LinkKind::Wireless).wasPresent = false;
      session_.Links().ScanDevices();
      break;
    default:
      break;
  }
}

bool MainController::HandleOpen(LinkKind link) {
  return session_.Links().ControlHandle(link) != kNoHandle;
}

void MainController::UpdateOnlineHint() {
  const bool wiredOrBle = HandleOpen(LinkKind::Wired) || HandleOpen(LinkKind::Ble);
  if (!wiredOrBle && !HandleOpen(LinkKind::Wireless)) {
    host_.ShowTopmostNotice(kTextNoMouseFound);
    return;
  }
  const OnlineHint wanted = wiredOrBle || MouseOnline() ? OnlineHint::kHidden : OnlineHint::kShown;
  if (wanted == onlineHint_) return;
  onlineHint_ = wanted;
  host_.SetControlVisible(kControlOfflineHint, wanted == OnlineHint::kShown);
  host_.InvalidateControl(kControlOfflineHint);
}

// The gauge's animation runs 25, 50, 75, 100, 25, ...; a level above 100 is shown as 0.
void MainController::UpdateBattery() {
  DeviceStatus& status = session_.Status();
  if (status.BatteryLevel > 100) status.BatteryLevel = 0;
  batteryAnimationLevel_ += 25;
  if (batteryAnimationLevel_ > 100) batteryAnimationLevel_ = 25;
  host_.SetBattery(batteryAnimationLevel_, status.BatteryLevel, status.ChargeState);
  host_.InvalidateControl(kControlBattery);
}

// ---- uploads and saves ----

void MainController::ScheduleUpload(DirtyGroup group) {
  DirtyFlags& dirty = session_.Upload().Dirty();
  switch (group) {
    case DirtyGroup::kKeyMap: dirty.KeyMapDirty = true; break;
    case DirtyGroup::kDeviceSettings: dirty.DeviceSettingsDirty = true; break;
    case DirtyGroup::kPower: dirty.PowerDirty = true; break;
    case DirtyGroup::kSensor: dirty.SensorDirty = true; break;
  }
  host_.StartTimer(kTimerUpload, kUploadDelayMs);
}

// While the manager is open its library is half edited: the resolutions of that time (the priming
// after a setting changed on the mouse, an upload) leave the macro buttons as they are, so that
// neither the buttons nor the shadows take a macro the user is still editing.
void MainController::MacroManagerOpening() { session_.Mapping().HoldButtonMacros(true); }

// The buttons take their library macros again at the next resolution, whatever was resolved while
// the manager was open; the mark stays until a resolution has carried it out. The upload is
// posted at once; a job still in flight runs first (the device thread takes its jobs in order).
bool MainController::MacroManagerClosed() {
  MappingUpload& mapping = session_.Mapping();
  mapping.HoldButtonMacros(false);
  mapping.SetRefreshButtonMacros(true);
  if (!AnyButtonHoldsMacro(state_.CurrentRecord())) return false;
  session_.Upload().Dirty().KeyMapDirty = true;
  host_.StopTimer(kTimerUpload);
  RunUpload();
  return true;
}

void MainController::ScheduleProfileOperation(std::uint8_t opCode, int slot) {
  profileOpCode_ = opCode;
  profileOpSlot_ = slot;
  host_.StartTimer(kTimerProfileOperation, kOneShotShortMs);
}

void MainController::ScheduleAssignmentRejectedNotice() {
  host_.StartTimer(kTimerAssignmentRejected, kOneShotShortMs);
}

// The upload as a job of the device thread. Here, on the UI thread: the macro buttons of the
// real record are resolved against the library, and the job takes a copy of the record and the
// dirty groups (cleared here, so edits made while it runs mark them anew). A hidden window
// uploads nothing and keeps its flags. Any upload carries the groups a retry waits for, so the
// retry timer stops.
void MainController::RunUpload(UploadKind kind) {
  if (!WindowShown()) return;
  host_.StopTimer(kTimerUploadRetry);
  ProfileRecord& record = state_.CurrentRecord();
  session_.Mapping().ResolveMacroSlots(record);
  DirtyFlags& dirty = session_.Upload().Dirty();
  UploadJobInput input{record, dirty, MouseOnline(), state_.sensor};
  const DirtyFlags taken = dirty;
  dirty = DirtyFlags{};
  const bool posted = PostJob([this, kind, input = std::move(input)]() mutable -> JobFinish {
    const UploadJobOutcome outcome = RunUploadJob(session_.GetTransport(), session_.Mapping(), input, gate_);
    return [this, outcome, kind] { FinishUpload(outcome, kind); };
  });
  if (!posted) MarkDirty(taken);
}

// The window's part of the upload, once the job is done. A link held by another run (the firmware
// update) refused the upload: the groups are marked again and the timer runs again. A job stopped
// part-way (a device went away) has forgotten the shadows: its groups go out whole with the next
// upload, after the scan it made wait. Commands the mouse never acknowledged stay marked: an upload
// tries them again once, a second later; after that retry they wait for the next upload.
void MainController::FinishUpload(const UploadJobOutcome& outcome, UploadKind kind) {
  switch (outcome.result) {
    case UploadResult::kNotShown: return;
    case UploadResult::kNoLink:
      MarkDirty(outcome.dirty);
      ShowNoLinkNotice();
      return;
    case UploadResult::kBusy:
      MarkDirty(outcome.dirty);
      host_.StartTimer(kTimerUpload, kUploadDelayMs);
      return;
    case UploadResult::kDone: break;
  }
  if (outcome.stopped) {
    MarkDirty(outcome.dirty);
    host_.StartTimer(kTimerUpload, kUploadDelayMs);
    RestartSaveTimer();
    return;
  }
  if (outcome.pending.Any()) {
    MarkDirty(outcome.pending);
    if (kind == UploadKind::kFirst) host_.StartTimer(kTimerUploadRetry, kUploadRetryMs);
  }
  if (outcome.somethingSent) ShowSendProgress();
  RestartSaveTimer();
  Refresh();
}

void MainController::MarkDirty(const DirtyFlags& taken) {
  DirtyFlags& dirty = session_.Upload().Dirty();
  dirty.KeyMapDirty |= taken.KeyMapDirty;
  dirty.DeviceSettingsDirty |= taken.DeviceSettingsDirty;
  dirty.PowerDirty |= taken.PowerDirty;
  dirty.SensorDirty |= taken.SensorDirty;
}

// ---- device jobs ----

bool MainController::PostJob(DeviceJob job) {
  if (shutDown_ || !jobs_.Post(std::move(job))) return false;
  ++jobsInFlight_;
  return true;
}

void MainController::PostJobResult(JobFinish finish) { host_.PostJobResult(std::move(finish)); }

void MainController::OnJobResult(const JobFinish& finish) {
  if (jobsInFlight_ > 0) --jobsInFlight_;
  if (shutDown_) return;
  if (finish) finish();
  if (DeviceJobsInFlight()) return;
  // The device thread is idle: the gate opens again and the device changes met meanwhile are
  // carried out, in the order they came.
  gate_.Resume();
  std::vector<std::uint32_t> events;
  events.swap(deferredDeviceEvents_);
  for (std::uint32_t event : events) OnDeviceChange(event);
}

// ---- factory reset ----

void MainController::CarryOutResetPlan(const FactoryResetPlan& plan, const ProfileRecord& before) {
  // The priming resolves the record's macro buttons; it happens here, on the real record, and the
  // job takes the record as it was before (its mapping shadow) and as resolved (the macro images).
  ProfileRecord& current = state_.CurrentRecord();
  ProfileRecord unresolved = current;
  session_.Mapping().ResolveMacroSlots(current);
  PostJob([this, plan, before, unresolved, resolved = current, sensor = state_.sensor]() mutable -> JobFinish {
    Transport& transport = session_.GetTransport();
    bool refused = false;
    for (ResetStep step : plan.steps) {
      if (step == ResetStep::kSendFactoryReset) {
        refused = transport.FactoryReset() == SendOutcome::kBusy;
        if (refused) break;
      } else if (step == ResetStep::kPrimeShadows) {
        ResolvedMappingSteps mapping(session_.Mapping(), resolved);
        ConfigUpload upload(transport, mapping, sensor);
        upload.PrimeShadows(unresolved);
      } else if (step == ResetStep::kZeroMacroShadows) {
        const ExchangeRun run(transport.Busy());
        if (run.Started()) MappingUpload::ZeroMacroShadowSlots(transport, kResetMacroShadowSlots);
      }
    }
    return [this, plan, before, refused] { FinishResetPlan(plan, before, refused); };
  });
}

void MainController::FinishResetPlan(const FactoryResetPlan& plan, const ProfileRecord& before, bool refused) {
  if (refused) {
    state_.CurrentRecord() = before;
    host_.ShowModalNotice(kTextMouseNotReachable);
    return;
  }
  for (ResetStep step : plan.steps) {
    switch (step) {
      case ResetStep::kWriteProfileFile:
        WriteProfileFile(state_, plan.slot, ProfileSlotPath(state_.config, plan.slot));
        break;
      case ResetStep::kRefresh: host_.RefreshFromProfile(); break;
      case ResetStep::kShowProgress: host_.ShowProgress(kTextApplying); break;
      case ResetStep::kSendFactoryReset:
      case ResetStep::kPrimeShadows:
      case ResetStep::kZeroMacroShadows: break;  // the job's steps
    }
  }
}

bool MainController::SaveAllSettings() {
  const bool config = SaveCurrentProfile(state_);
  const bool profiles = SaveAllProfiles(state_);
  return config && profiles;
}

void MainController::ShowNoLinkNotice() { host_.ShowTopmostNotice(kTextMouseNotReachable); }

void MainController::ShowSendProgress() { host_.ShowProgress(kTextApplying); }

void MainController::RestartSaveTimer() {
  host_.StopTimer(kTimerSave);
  host_.StartTimer(kTimerSave, kSaveDelayMs);
  savePending_ = true;
}

void MainController::Refresh() { host_.RefreshFromProfile(); }

// ---- input reports ----

void MainController::PostInputReport(LinkKind link, const InputReportBytes& report) {
  host_.PostInputReport(link, report);
}

void MainController::OnInputReport(LinkKind link, const InputReportBytes& report) {
  if (shutDown_) return;
  session_.HandleInputReport(link, report, onlineHint_ == OnlineHint::kShown, *this);
}

void MainController::StartOnlineIndicatorTimer() { host_.StartTimer(kTimerOnlineHint, kOnlineHintFromWorkerMs); }

void MainController::OpenUrl(const std::wstring& url) { host_.OpenUrl(url); }

void MainController::MarkSavePending() { savePending_ = true; }

void MainController::ShowStageDisplay() { host_.ShowStageDisplay(); }

// The fold has already given every profile the new sensor's DPI stages and stored the sensor in
// the configuration; all of it goes to disk at once.
void MainController::SensorAdopted(std::uint16_t) {
  SaveAllSettings();
  host_.SensorChanged();
}

// ---- shutdown ----

void MainController::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  // The running job ends as it would (the mouse is not left with half an upload); the queued ones
  // are dropped, their edits saved below with the rest.
  jobs_.Stop();
  // Edits not yet uploaded (their 20 ms have not passed, no usable link took them, or their job
  // was dropped or had no result yet) are part of the model too: they are saved with the rest
  // instead of being lost with the program.
  if (savePending_ || session_.Upload().Dirty().Any() || DeviceJobsInFlight()) {
    host_.StopTimer(kTimerSave);
    host_.StopTimer(kTimerUpload);
    savePending_ = false;
    SaveAllSettings();
  }
  session_.Shutdown();
}

}  // namespace gm
