#include "device/upload_job.h"

namespace gm {

UploadJobOutcome RunUploadJob(Transport& transport, MappingUpload& mapping, UploadJobInput& input,
                              const DeviceStopGate& gate) {
  ResolvedMappingSteps steps(mapping, input.record);
  ConfigUpload upload(transport, steps, input.sensor);
  upload.Dirty() = input.dirty;
  // The answers are carried out later on the UI thread, from the outcome (the window was shown
  // when the job was made).
  SilentUploadHost host;
  UploadJobOutcome outcome;
  outcome.dirty = input.dirty;
  outcome.result = upload.UploadPendingChanges(input.record, input.mouseOnline, host);
  outcome.somethingSent = upload.SomethingSent();
  outcome.stopped = gate.Stopped();
  if (outcome.result == UploadResult::kDone) outcome.pending = upload.Dirty();
  if (outcome.stopped && outcome.result == UploadResult::kDone) ForgetEveryShadow(transport, upload, input.record);
  return outcome;
}

bool ForgetEveryShadow(Transport& transport, ConfigUpload& upload, const ProfileRecord& record) {
  if (!upload.ForgetShadows(record)) return false;
  const ExchangeRun run(transport.Busy());
  if (!run.Started()) return false;
  MappingUpload::ZeroMacroShadowSlots(transport, static_cast<int>(kMacroShadowCount));
  return true;
}

}  // namespace gm
