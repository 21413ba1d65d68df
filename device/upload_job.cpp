#include "device/upload_job.h"

namespace gm {
namespace {

// The job's answers are carried out later on the UI thread, from the outcome: this host only
// lets the upload run (the window was shown when the job was made).
class DeferredUploadHost final : public UploadHost {
 public:
  bool WindowShown() const override { return true; }
  void ShowNoLinkNotice() override {}
  void ShowSendProgress() override {}
  void RestartSaveTimer() override {}
  void Refresh() override {}
};

}  // namespace

UploadJobOutcome RunUploadJob(Transport& transport, MappingUpload& mapping, UploadJobInput& input,
                              const DeviceStopGate& gate) {
  ResolvedMappingSteps steps(mapping, input.record);
  ConfigUpload upload(transport, steps, input.sensor);
  upload.Dirty() = input.dirty;
  DeferredUploadHost host;
  UploadJobOutcome outcome;
  outcome.dirty = input.dirty;
  outcome.result = upload.UploadPendingChanges(input.record, input.mouseOnline, host);
  outcome.somethingSent = upload.SomethingSent();
  outcome.stopped = gate.Stopped();
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
