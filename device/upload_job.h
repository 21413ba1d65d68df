#pragma once
// The window's configuration upload as a job of the device thread (device/device_jobs.h). The UI
// thread prepares the job from the model: it resolves the macro buttons of the real record
// against the macro library (MappingUpload::ResolveMacroSlots), then hands the job a copy of the
// record, the dirty groups it takes (clearing them on its side), the online flag and the sensor
// tables. The job reads nothing else of the model and nothing of the library, so the window may
// go on editing while it runs; edits made meanwhile set new dirty flags and go out with the next
// upload.
//
// On the wire the job is exactly the synchronous upload (ConfigUpload::UploadPendingChanges with
// the button-mapping and macro steps of MappingUpload): same reports, same order, same pacing.
//
// Threads: RunUploadJob runs on the device thread; the shadows and report slots it touches are
// held through the link's run (device/exchange_run.h). Portable.
#include "device/device_stop_gate.h"
#include "device/mapping_upload.h"
#include "device/transport.h"
#include "device/upload.h"
#include "settings/profile_record.h"
#include "settings/sensor_table.h"

namespace gm {

// The button-mapping and macro steps for a job: the macro buttons were resolved on the UI thread
// (`resolved` holds the record as the resolution left it), so the resolution here only takes the
// resolved buttons into the record it is given; the other steps are MappingUpload's own (they read
// only the record and the transport, never the library nor MappingUpload's slot table).
class ResolvedMappingSteps final : public MappingUploadSteps {
 public:
  // `steps` and `resolved` must outlive this object.
  ResolvedMappingSteps(MappingUpload& steps, const ProfileRecord& resolved) : steps_(steps), resolved_(resolved) {}

  void ResolveMacroSlots(ProfileRecord& record) override {
    if (&record != &resolved_) record.KeyAssignments = resolved_.KeyAssignments;
  }
  bool BuildMappingCommand(const ProfileRecord& record, Transport& transport, bool& somethingSent) override {
    return steps_.BuildMappingCommand(record, transport, somethingSent);
  }
  bool UploadMacros(const ProfileRecord& record, Transport& transport, bool send, bool& somethingSent) override {
    return steps_.UploadMacros(record, transport, send, somethingSent);
  }
  void PrimeMappingShadow(const ProfileRecord& record, Transport& transport) override {
    steps_.PrimeMappingShadow(record, transport);
  }
  void ForgetMappingShadow(const ProfileRecord& record, Transport& transport) override {
    steps_.ForgetMappingShadow(record, transport);
  }

 private:
  MappingUpload& steps_;
  const ProfileRecord& resolved_;
};

// What an upload job takes with it.
struct UploadJobInput {
  ProfileRecord record;  // the current profile's record, macro buttons resolved
  DirtyFlags dirty;      // the groups to rebuild (taken from the window's flags)
  bool mouseOnline = false;
  SensorTables sensor;
};

// What it brings back to the UI thread.
struct UploadJobOutcome {
  UploadResult result = UploadResult::kBusy;
  bool somethingSent = false;
  // The stop gate closed during the job (a device went away, or shutdown): the reports after that
  // point never reached the mouse. The shadows are then forgotten, and the groups must be marked
  // again so that the next upload sends them whole.
  bool stopped = false;
  DirtyFlags dirty;  // the groups the job took
  // The groups of the commands the mouse never acknowledged (kDone only): still to be sent.
  DirtyFlags pending;
};

// The upload of `input` with ConfigUpload over `transport` and the wire steps of `mapping`.
UploadJobOutcome RunUploadJob(Transport& transport, MappingUpload& mapping, UploadJobInput& input,
                              const DeviceStopGate& gate);

// Makes every shadow (configuration, mapping, macro images) equal no build, so the next upload of
// each group sends all of it. A step for a job that was stopped part-way; false while another run
// holds the link.
bool ForgetEveryShadow(Transport& transport, ConfigUpload& upload, const ProfileRecord& record);

}  // namespace gm
