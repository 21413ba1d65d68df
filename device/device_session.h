#pragma once
// Everything of the device link in one owner, for the main window, the demo and gmctl: discovery,
// the per-link workers, the transport, the configuration upload and the device fields the input
// reports write. The owner supplies the HID backend, the clock, the host, the settings model the
// reports fold into and the macro library the uploads take their macros from.
//
// The backend, the clock, the host, the model and the library must outlive the session (its
// destructor joins the workers, which call the host until then).
//
// The session is the one owner of what talks to the mouse: the transport with the link's busy
// state, the configuration upload and the one set of button-mapping and macro steps it runs
// (Mapping()); the main window's controller reaches all of them through the session.
//
// Threads: the session is owned by one thread (the UI thread in the window, the only thread in
// gmctl), which calls every member function; the workers call only DeviceHost::PostInputReport,
// and the host hands each report back through HandleInputReport. The window also lets its device
// thread (device/device_jobs.h) use the transport and the wire steps of Mapping() while a job runs:
// a job takes the link's run (device/exchange_run.h) before it touches the report slots, and reads
// the links (the control handles), which the owner leaves alone meanwhile (it keeps its scans and
// its status report until the job's result is back). gmctl calls the upload directly.
#include <memory>

#include "device/clock.h"
#include "device/device_host.h"
#include "device/discovery.h"
#include "device/hid_api.h"
#include "device/input_effects.h"
#include "device/input_report.h"
#include "device/mapping_upload.h"
#include "device/transport.h"
#include "device/upload.h"
#include "device/worker.h"
#include "macro/macro_library.h"
#include "settings/settings_model.h"

namespace gm {

class DeviceSession {
 public:
  // The uploads take the macros of the macro buttons from `library`.
  DeviceSession(HidApi& hid, Clock& clock, DeviceHost& host, SettingsModel& model, const MacroLibrary& library);
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  DeviceLinks& Links() { return links_; }
  const DeviceLinks& Links() const { return links_; }
  DeviceWorkers& Workers() { return workers_; }
  Transport& GetTransport() { return transport_; }
  ConfigUpload& Upload() { return upload_; }
  DeviceStatus& Status() { return status_; }
  const DeviceStatus& Status() const { return status_; }
  // The button-mapping and macro steps of the uploads (MacroSlotNext, RefreshButtonMacros).
  MappingUpload& Mapping() { return mapping_; }

  // Folds one posted report into the model's current profile record, its sensor tables and the
  // device fields, then carries out its effects through `host`.
  InputEffects HandleInputReport(LinkKind link, const InputReportBytes& report, bool indicatorShowsOffline,
                                 InputEffectsHost& host);

  // Reads the status report; a valid answer sets MouseOnline.
  StatusAnswer ReadStatusReport();

  // Cancels the workers' reads, joins them and closes the control handles.
  void Shutdown();

 private:
  SettingsModel& model_;
  MappingUpload mapping_;  // before the upload, which runs it
  DeviceWorkers workers_;
  DeviceLinks links_;
  Transport transport_;
  ConfigUpload upload_;
  DeviceStatus status_;
};

}  // namespace gm
