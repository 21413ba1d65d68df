// Cost of building a full upload's reports: every configuration command rebuilt from a record,
// compared with its shadow and framed (checksum included). The data building and the framing of
// the ten reports are measured on their own, then a whole upload in virtual time (no real waits).
#include <benchmark/benchmark.h>

#include <memory>

#include "device/command_report.h"
#include "device/config_commands.h"
#include "device/upload_preview.h"
#include "settings/settings_model.h"

namespace {

// A state of its own: sensor 0x3950 with its tables built, no language texts.
std::unique_ptr<gm::SettingsModel> MakeState() {
  auto s = std::make_unique<gm::SettingsModel>();
  gm::BuildSensorDpiTables(s->sensor);
  return s;
}

gm::ProfileRecord MakeRecord(const gm::SettingsModel& s) {
  gm::ProfileRecord r;
  gm::ResetProfile(r, 0, s.texts, s.sensor.id);
  return r;
}

// All data blocks of one upload.
void BM_BuildAllCommandData(benchmark::State& state) {
  const auto model = MakeState();
  const gm::SettingsModel& s = *model;
  const gm::ProfileRecord record = MakeRecord(s);
  for (auto _ : state) {
    benchmark::DoNotOptimize(gm::DpiStagesData(record, s.sensor, 0));
    benchmark::DoNotOptimize(gm::DpiStagesData(record, s.sensor, 1));
    benchmark::DoNotOptimize(gm::StageColoursData(record));
    benchmark::DoNotOptimize(gm::ReportRateData(record));
    benchmark::DoNotOptimize(gm::LiftOffData(record));
    benchmark::DoNotOptimize(gm::DebounceData(record));
    benchmark::DoNotOptimize(gm::LightingData(record));
    benchmark::DoNotOptimize(gm::PowerData(record));
    benchmark::DoNotOptimize(gm::SensorOptionsData(record));
  }
}
BENCHMARK(BM_BuildAllCommandData);

// Framing the ten reports of a full upload.
void BM_FrameAllReports(benchmark::State& state) {
  const auto model = MakeState();
  const gm::SettingsModel& s = *model;
  const gm::ProfileRecord record = MakeRecord(s);
  const auto x = gm::DpiStagesData(record, s.sensor, 0), y = gm::DpiStagesData(record, s.sensor, 1);
  const auto colours = gm::StageColoursData(record);
  const auto lighting = gm::LightingData(record);
  const auto power = gm::PowerData(record);
  std::array<std::uint8_t, 33> report{};
  std::uint8_t seq = 1;
  for (auto _ : state) {
    gm::BuildCommandReport(report, gm::kCmdDpiStages, seq++, 0x02, x);
    gm::BuildCommandReport(report, gm::kCmdDpiStages, seq++, 0x12, y);
    gm::BuildCommandReport(report, gm::kCmdStageColours, seq++, 0x01, colours);
    for (std::uint8_t code : {gm::kCmdReportRate, gm::kCmdLiftOff, gm::kCmdDebounce})
      gm::BuildCommandReport(report, code, seq++, 0x01, std::span(power).first(1));
    gm::BuildCommandReport(report, gm::kCmdLighting, seq++, 0x01, lighting);
    gm::BuildCommandReport(report, gm::kCmdPower, seq++, 0x01, power);
    gm::BuildCommandReport(report, gm::kCmdSensorOptions, seq++, 0x01, power);
    benchmark::DoNotOptimize(report);
  }
}
BENCHMARK(BM_FrameAllReports);

// A whole upload of every group with every command changed, in virtual time: building,
// comparing, framing and the exchange logic against a device that acknowledges everything.
void BM_FullUploadVirtualTime(benchmark::State& state) {
  const auto model = MakeState();
  const gm::SettingsModel& s = *model;
  const gm::ProfileRecord record = MakeRecord(s);
  for (auto _ : state) benchmark::DoNotOptimize(gm::PreviewFullUpload(record, gm::MacroLibrary{}, s.sensor, s.texts));
}
BENCHMARK(BM_FullUploadVirtualTime);

}  // namespace
