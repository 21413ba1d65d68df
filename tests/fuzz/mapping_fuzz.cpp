// Arbitrary button functions and macros, as a damaged profile file or library could carry them,
// through a whole upload (slot resolution, mapping command, macro images and packets): nothing may
// read or write outside the actions, the images or the report slots, and every report must be a
// well-formed command report.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "device/command_report.h"
#include "device/mapping_commands.h"
#include "device/upload_preview.h"
#include "settings/settings_model.h"
#include "tests/fuzz/cyclic_bytes.h"

namespace {

void FillMacro(CyclicBytes& in, gm::MacroKey& macro) {
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
  CyclicBytes in(std::span(data, size));

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
