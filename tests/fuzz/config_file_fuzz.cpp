// Any bytes read as config.ini: no crash, never more than 17 entries, and an accepted file is
// written and read back to the same entries.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fuzz/scratch_file.h"
#include "settings/app_config.h"
#include "settings/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gm::CStdioFileEx file;
  if (!file.OpenBytes(std::string(reinterpret_cast<const char*>(data), size), gm::kOpenForReading)) std::abort();
  gm::AppConfigTable table;
  const int count = gm::ReadAppConfigLines(file, table);
  if (count < -1 || count > gm::kAppConfigCount) std::abort();
  if (count < 0) return 0;
  for (int n = count; n < gm::kAppConfigCount; ++n) table[n] = {L"Key", L"Value"};
  static const std::wstring path = FuzzScratchFile(L"gm_config_fuzz_", L".ini");
  if (!gm::WriteAppConfigFile(table, path)) std::abort();
  gm::CStdioFileEx again;
  gm::AppConfigTable back;
  if (!again.Open(path, gm::kOpenForReading) || gm::ReadAppConfigLines(again, back) != gm::kAppConfigCount ||
      back != table) {
    std::abort();
  }
  return 0;
}
