// Reading and writing the five profile files and config.ini: from memory (the parsers and
// formatters alone) and through the disk (including the flush and atomic replace of each save).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "settings/app_config.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "settings/text_file.h"
#include "settings/utf.h"

namespace {

// A settings model of its own over a data folder under the temporary folder, with the five
// default profiles and config.ini.
struct DataFolderFixture {
  std::filesystem::path root;
  std::unique_ptr<gm::SettingsModel> model = std::make_unique<gm::SettingsModel>();
  gm::SettingsModel& s = *model;
  DataFolderFixture() {
    root = std::filesystem::temp_directory_path() / ("gm_settings_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(root / "config");
    s.env.dataFolder = gm::FromUtf8(root.string()) + L"\\";
    gm::LoadAppConfig(s);
    for (auto& record : s.profiles) {
      for (auto& key : record.KeyAssignments) {
        for (size_t i = 0; i < key.Macro.Actions.size(); ++i) key.Macro.Actions[i].word = 0x01020304u * (i + 1);
      }
    }
    gm::SaveAllProfiles(s);
  }
  ~DataFolderFixture() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::string Bytes(const std::string& name) const {
    std::ifstream in(root / "config" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

DataFolderFixture& Fixture() {
  static DataFolderFixture fixture;
  return fixture;
}

void BM_ParseFiveProfilesFromMemory(benchmark::State& state) {
  std::string bytes[5];
  for (int s = 0; s < 5; ++s) bytes[s] = Fixture().Bytes("default" + std::to_string(s) + ".psf");
  gm::ProfileRecord record;
  for (auto _ : state) {
    for (const std::string& b : bytes) {
      gm::CStdioFileEx file;
      file.OpenBytes(b, gm::kOpenForReading);
      benchmark::DoNotOptimize(gm::ReadProfileLines(file, record));
    }
  }
  state.SetBytesProcessed(state.iterations() * 5 * static_cast<long long>(bytes[0].size()));
}
BENCHMARK(BM_ParseFiveProfilesFromMemory);

void BM_ReadFiveProfileFiles(benchmark::State& state) {
  gm::SettingsModel& m = Fixture().s;
  for (auto _ : state) {
    for (int s = 0; s < 5; ++s) benchmark::DoNotOptimize(gm::ReadProfileRecord(gm::ProfileSlotPath(m.config, s), m.profiles[s]));
  }
}
BENCHMARK(BM_ReadFiveProfileFiles);

void BM_SaveFiveProfileFiles(benchmark::State& state) {
  gm::SettingsModel& s = Fixture().s;
  for (auto _ : state) benchmark::DoNotOptimize(gm::SaveAllProfiles(s));
}
BENCHMARK(BM_SaveFiveProfileFiles)->Unit(benchmark::kMillisecond);

void BM_ParseConfigFromMemory(benchmark::State& state) {
  const std::string bytes = Fixture().Bytes("config.ini");
  gm::AppConfigTable table;
  for (auto _ : state) {
    gm::CStdioFileEx file;
    file.OpenBytes(bytes, gm::kOpenForReading);
    benchmark::DoNotOptimize(gm::ReadAppConfigLines(file, table));
  }
}
BENCHMARK(BM_ParseConfigFromMemory);

void BM_SaveConfig(benchmark::State& state) {
  gm::SettingsModel& s = Fixture().s;
  for (auto _ : state) benchmark::DoNotOptimize(gm::WriteAppConfig(s));
}
BENCHMARK(BM_SaveConfig)->Unit(benchmark::kMillisecond);

void BM_StartUpLoad(benchmark::State& state) {
  gm::SettingsModel& s = Fixture().s;
  for (auto _ : state) benchmark::DoNotOptimize(gm::LoadAppConfig(s));
}
BENCHMARK(BM_StartUpLoad);

}  // namespace
