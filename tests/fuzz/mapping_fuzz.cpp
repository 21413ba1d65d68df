// Arbitrary button functions and macros, as a damaged profile file or library could carry them,
// through a whole upload (slot resolution, mapping command, macro images and packets): nothing may
// read or write outside the actions, the images or the report slots, and every report must be a
// well-formed command report.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

#include "device/command_report.h"
#include "device/mapping_commands.h"
#include "device/upload_preview.h"
#include "settings/settings_model.h"

namespace {

class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}
  std::uint8_t Next() { return data_.empty() ? 0 : data_[i_++ % data_.size()]; }
  // The next out.size() bytes, as that many Next() calls give them, copied a run at a time: the
  // 250 actions of every macro would otherwise cost a thousand calls each.
  void Fill(std::span<std::byte> out) {
    if (data_.empty()) return std::fill(out.begin(), out.end(), std::byte{0});
    for (std::size_t done = 0; done < out.size();) {
      const std::size_t at = i_ % data_.size();
      const std::size_t run = std::min(data_.size() - at, out.size() - done);
      std::memcpy(out.data() + done, data_.data() + at, run);
      done += run;
      i_ += run;
    }
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t i_ = 0;
};

void FillMacro(Bytes& in, gm::MacroKey& macro) {
  macro.MacroActionNum = static_cast<std::uint32_t>(in.Next()) * 2;  // up to 510: beyond the 250 slots
  // Each action word takes the next four bytes, the first one lowest.
  static_assert(std::endian::native == std::endian::little && sizeof(gm::MacroAction) == 4);
  in.Fill(std::as_writable_bytes(std::span(macro.Actions)));
  macro.MacroKeyLoopType = in.Next();
  macro.MacroKeyLoopNum = in.Next();
  macro.MacroCommandActionNum = in.Next();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The model does not depend on the input: built once (sensor 0x3950, no texts).
  static const std::unique_ptr<gm::SettingsModel> model = [] {
    auto m = std::make_unique<gm::SettingsModel>();
    gm::BuildSensorDpiTables(m->sensor);
    return m;
  }();
  Bytes in(std::span(data, size));

  gm::MacroLibrary library;
  for (int i = 0; i < 3; ++i) {
    gm::MacroKey macro;
    FillMacro(in, macro);
    macro.MacroKeyIndex = in.Next() % 5;
    library.PlaceMacroAt(L"m" + std::to_wstring(i), gm::MacroItemLocation::Level0(i), macro);
  }
  gm::ProfileRecord record;
  gm::ResetProfile(record, 0, model->texts, model->sensor.id);
  for (gm::KeyAssignment& key : record.KeyAssignments) {
    key.KeyValue = {in.Next(), in.Next(), in.Next()};
    if (in.Next() & 1) key.KeyValue[0] = gm::kMacroFunction;
    key.MacroKeyIndex = in.Next() % 5;
    FillMacro(in, key.Macro);
  }

  for (const auto& report : gm::PreviewFullUpload(record, library, model->sensor, model->texts)) {
    if (report.size() != gm::kCommandReportLength && report.size() != gm::kLongCommandReportLength) __builtin_trap();
    if (report[4] != gm::CommandChecksum(report)) __builtin_trap();
    if (report[1] == gm::kCmdMacroData) {
      const int count = report[3] & 0x0F, index = report[3] >> 4;
      if (count == 0 || count > 15 || index >= count || report[5] < 1 || report[5] > 26) __builtin_trap();
    }
  }
  return 0;
}
