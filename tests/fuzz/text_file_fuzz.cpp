// Any bytes read as a wide text file: no crash, every line ends where a line feed was, and the
// decoded text survives encoding and decoding again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  gm::CStdioFileEx file;
  if (!file.OpenBytes(bytes, gm::kOpenForReading)) std::abort();
  std::wstring line;
  std::size_t units = 0;
  while (file.ReadString(line)) {
    if (line.size() > 1 && line.find(L'\n') != std::wstring::npos) std::abort();
    units += line.size();
  }
  if (units > size) std::abort();
  const std::wstring text = gm::DecodeUtf16Le(bytes);
  if (gm::DecodeUtf16Le(gm::EncodeUtf16Le(text)) != text) std::abort();
  return 0;
}
