#include "device/upload_preview.h"

#include "device/mapping_upload.h"
#include "device/upload.h"

namespace gm {

namespace {

// A device that takes every report, acknowledges it at once and remembers it.
class RecordingDevice final : public HidApi, public ControlHandleSource {
 public:
  std::optional<std::wstring> InterfacePath(std::uint32_t) override { return std::nullopt; }
  HidHandle Open(const std::wstring&, HidOpenMode) override { return kNoHandle; }
  void Close(HidHandle) override {}
  bool GetAttributes(HidHandle, HidAttributes&) override { return false; }
  bool GetCaps(HidHandle, HidCaps&) override { return false; }
  bool SetFeature(HidHandle, std::span<const std::uint8_t> report) override {
    sent.emplace_back(report.begin(), report.end());
    return true;
  }
  bool GetFeature(HidHandle, std::span<std::uint8_t> report) override {
    if (report.size() > 1) report[1] = 1;
    return true;
  }
  bool Read(HidHandle, std::span<std::uint8_t>) override { return false; }
  void CancelRead(HidHandle) override {}
  HidHandle ControlHandle(LinkKind link) const override { return link == LinkKind::Wired ? 1 : kNoHandle; }

  std::vector<std::vector<std::uint8_t>> sent;
};

}  // namespace

std::vector<std::vector<std::uint8_t>> PreviewFullUpload(const ProfileRecord& record, const MacroLibrary& library,
                                                         const SensorTables& sensor, const LanguageTable& texts) {
  RecordingDevice device;
  VirtualClock clock;
  Transport transport(device, clock, device);
  MappingUpload mapping(library, texts);
  ConfigUpload upload(transport, mapping, sensor);
  SilentUploadHost host;
  ProfileRecord copy = record;
  upload.ForgetShadows(copy);
  upload.Dirty() = {true, true, true, true};
  upload.UploadPendingChanges(copy, true, host);
  return std::move(device.sent);
}

}  // namespace gm
