// Cost of the mapping and macro steps of an upload: resolving six macro buttons against a large
// library (every upload does it, 20 ms after an edit), encoding six macros of 125 commands into
// their images, and a whole upload that sends those six macros, in virtual time.
#include <benchmark/benchmark.h>

#include <memory>

#include "device/mapping_commands.h"
#include "device/mapping_upload.h"
#include "device/upload_preview.h"
#include "settings/settings_model.h"

namespace {

gm::MacroKey FullMacro(std::uint32_t number) {
  gm::MacroKey macro(L"full");
  for (int i = 0; i < gm::kMacroCommandLimit; ++i) {
    macro.InsertAction(2 * i, gm::MacroAction::Event(0x41, i % 2 != 0));
    macro.InsertAction(2 * i + 1, gm::MacroAction::Delay(static_cast<std::uint32_t>(10 + i)));
  }
  macro.MacroCommandActionNum = gm::kMacroCommandLimit;
  macro.MacroKeyIndex = number;
  return macro;
}

// 60 level-0 folders of 60 level-1 folders; the six macros the buttons use sit in the last
// level-2 folder, so the number search walks all of levels 0 and 1 first.
void FillDeepLibrary(gm::MacroLibrary& library) {
  for (int a = 0; a < gm::kMacroSlotsPerLevel; ++a) {
    library.PlaceFolderAt(L"f" + std::to_wstring(a), gm::MacroItemLocation::Level0(a), false);
    for (int b = 0; b < gm::kMacroSlotsPerLevel; ++b)
      library.PlaceFolderAt(L"g" + std::to_wstring(b), gm::MacroItemLocation::Level1(a, b), false);
  }
  for (int i = 0; i < gm::kButtonCount; ++i)
    library.PlaceMacroAt(L"m" + std::to_wstring(i), gm::MacroItemLocation::Level2(59, 59, i),
                         FullMacro(static_cast<std::uint32_t>(100 + i)));
}

gm::ProfileRecord SixMacroButtons(const gm::SettingsModel& s) {
  gm::ProfileRecord record;
  gm::ResetProfile(record, 0, s.texts, s.sensor.id);
  for (int i = 0; i < gm::kButtonCount; ++i) {
    auto& key = record.KeyAssignments[static_cast<std::size_t>(i)];
    key.KeyValue = {gm::kMacroFunction, 0x21, 0x01};
    key.MacroKeyIndex = static_cast<std::uint32_t>(100 + i);
    key.Macro = FullMacro(key.MacroKeyIndex);
  }
  return record;
}

void BM_ResolveSixButtonsInADeepLibrary(benchmark::State& state) {
  const auto model = std::make_unique<gm::SettingsModel>();  // no texts, sensor 0x3950
  gm::MacroLibrary library;
  FillDeepLibrary(library);
  gm::MappingUpload mapping(library, model->texts);
  gm::ProfileRecord record = SixMacroButtons(*model);
  for (auto _ : state) {
    mapping.ResolveMacroSlots(record);
    benchmark::ClobberMemory();
  }
  if (record.KeyAssignments[5].KeyValue[1] != 0x26) state.SkipWithError("the macros were not found");
}
BENCHMARK(BM_ResolveSixButtonsInADeepLibrary);

void BM_EncodeSixFullMacros(benchmark::State& state) {
  const auto model = std::make_unique<gm::SettingsModel>();
  const gm::ProfileRecord record = SixMacroButtons(*model);
  for (auto _ : state)
    for (std::uint8_t slot = 1; slot <= gm::kButtonCount; ++slot)
      benchmark::DoNotOptimize(gm::BuildMacroImage(record.KeyAssignments[slot - 1].Macro, slot));
}
BENCHMARK(BM_EncodeSixFullMacros);

// 1 mapping + 9 configuration reports + start + 6 x 15 macro packets.
void BM_UploadSixFullMacrosVirtualTime(benchmark::State& state) {
  const auto model = std::make_unique<gm::SettingsModel>();  // sensor 0x3950
  gm::SettingsModel& s = *model;
  gm::BuildSensorDpiTables(s.sensor);
  gm::MacroLibrary library;
  for (int i = 0; i < gm::kButtonCount; ++i)
    library.PlaceMacroAt(L"m" + std::to_wstring(i), gm::MacroItemLocation::Level0(i),
                         FullMacro(static_cast<std::uint32_t>(100 + i)));
  const gm::ProfileRecord record = SixMacroButtons(s);
  for (auto _ : state) benchmark::DoNotOptimize(gm::PreviewFullUpload(record, library, s.sensor, s.texts));
}
BENCHMARK(BM_UploadSixFullMacrosVirtualTime);

}  // namespace
