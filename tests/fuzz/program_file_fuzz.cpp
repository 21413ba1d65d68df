// Any bytes as a program file whose resources are looked up: no crash, no read outside the bytes
// (the sanitizers watch), and a resource found always lies inside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ui/file_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  // The bitmaps the program looks up, a few other numbers, and another type.
  for (const auto& [type, id] : {std::pair<std::uint16_t, std::uint16_t>{2, 9}, {2, 7}, {2, 1}, {2, 0xFFFF}, {3, 9}}) {
    const auto found = gm::ui::FindFileResource(file, type, id);
    if (!found) continue;
    if (found->data() < data || found->data() + found->size() > data + size) std::abort();
    unsigned sum = 0;
    for (std::uint8_t b : *found) sum += b;  // every byte of it is readable
    if (sum == 0xFFFFFFFFu) std::abort();
  }
  return 0;
}
