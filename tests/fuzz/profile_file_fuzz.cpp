// Any bytes read as a profile file: no crash, and a file the reader accepts is written and read
// back to the same record.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/fuzz/scratch_file.h"
#include "settings/profile_file.h"
#include "settings/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gm::CStdioFileEx file;
  if (!file.OpenBytes(std::string(reinterpret_cast<const char*>(data), size), gm::kOpenForReading)) std::abort();
  gm::ProfileRecord record;
  int line = 0;
  if (!gm::ReadProfileLines(file, record, &line)) {
    if (line < 1 || line > gm::kProfileFileLineCount) std::abort();
    return 0;
  }
  if (record.CurrentDPILevelValue > 7 || record.Lighting1ModeValue[0] > 9) std::abort();
  for (const auto& key : record.KeyAssignments) {
    if (key.Macro.MacroActionNum > 250) std::abort();
  }
  static const std::wstring path = FuzzScratchFile(L"gm_profile_fuzz_", L".psf");
  if (!gm::WriteProfileRecord(record, path)) std::abort();
  gm::ProfileRecord back;
  if (!gm::ReadProfileRecord(path, back) || !(back == record)) std::abort();
  return 0;
}
