#include "ui/file_resources.h"

namespace gm::ui {
namespace {

constexpr std::uint32_t kSubdirectory = 0x80000000u;  // an entry that leads to another directory
constexpr std::uint32_t kNamed = 0x80000000u;         // an entry named by a string, not a number

// Little-endian reads that fail (nothing) past the end instead of reading beyond it.
class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> b) : b_(b) {}
  std::optional<std::uint16_t> U16(std::size_t at) const {
    if (at > b_.size() || b_.size() - at < 2) return std::nullopt;
    return static_cast<std::uint16_t>(b_[at] | b_[at + 1] << 8);
  }
  std::optional<std::uint32_t> U32(std::size_t at) const {
    if (at > b_.size() || b_.size() - at < 4) return std::nullopt;
    return static_cast<std::uint32_t>(b_[at]) | static_cast<std::uint32_t>(b_[at + 1]) << 8 |
           static_cast<std::uint32_t>(b_[at + 2]) << 16 | static_cast<std::uint32_t>(b_[at + 3]) << 24;
  }
  std::size_t Size() const { return b_.size(); }
  std::span<const std::uint8_t> Span() const { return b_; }

 private:
  std::span<const std::uint8_t> b_;
};

struct Section {
  std::uint32_t address, rawSize, rawOffset;
};

// The file offset of relative virtual address `rva`: inside the stored part of one section.
std::optional<std::size_t> FileOffset(const Bytes& file, std::size_t table, std::uint16_t count, std::uint32_t rva) {
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::size_t at = table + std::size_t{i} * 40;
    const auto address = file.U32(at + 12), rawSize = file.U32(at + 16), rawOffset = file.U32(at + 20);
    if (!address || !rawSize || !rawOffset) return std::nullopt;
    if (rva >= *address && rva - *address < *rawSize) return std::size_t{*rawOffset} + (rva - *address);
  }
  return std::nullopt;
}

// The entry of directory `dir` (offset from the file's start) whose number is `id`, or its first
// entry when `id` is empty; the entry's second word (what it leads to).
std::optional<std::uint32_t> FindEntry(const Bytes& file, std::size_t dir, std::optional<std::uint16_t> id) {
  const auto named = file.U16(dir + 12), numbered = file.U16(dir + 14);
  if (!named || !numbered) return std::nullopt;
  const std::size_t first = dir + 16;
  const std::size_t total = std::size_t{*named} + *numbered;
  for (std::size_t i = 0; i < total; ++i) {
    const auto name = file.U32(first + i * 8), target = file.U32(first + i * 8 + 4);
    if (!name || !target) return std::nullopt;
    if (!id || (!(*name & kNamed) && *name == *id)) return target;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::span<const std::uint8_t>> FindFileResource(std::span<const std::uint8_t> bytes,
                                                              std::uint16_t type, std::uint16_t id) {
  const Bytes file(bytes);
  if (file.U16(0) != 0x5A4D) return std::nullopt;  // "MZ"
  const auto pe = file.U32(0x3C);
  if (!pe || file.U32(*pe) != 0x00004550u) return std::nullopt;  // "PE\0\0"
  const std::size_t coff = std::size_t{*pe} + 4;
  const auto sections = file.U16(coff + 2), optionalSize = file.U16(coff + 16);
  if (!sections || !optionalSize) return std::nullopt;
  const std::size_t optional = coff + 20;
  const auto magic = file.U16(optional);
  std::size_t directories = 0;  // where the data directories start, by the optional header's kind
  if (magic == 0x10B) {
    directories = 96;
  } else if (magic == 0x20B) {
    directories = 112;
  } else {
    return std::nullopt;
  }
  const auto directoryCount = file.U32(optional + directories - 4);
  if (!directoryCount || *directoryCount < 3 || directories + 3 * 8 > *optionalSize) return std::nullopt;
  const auto resourceRva = file.U32(optional + directories + 2 * 8);
  if (!resourceRva || *resourceRva == 0) return std::nullopt;
  const std::size_t table = optional + *optionalSize;
  const auto root = FileOffset(file, table, *sections, *resourceRva);
  if (!root) return std::nullopt;

  // Three levels: the type, the number, the language (the first one).
  std::size_t dir = *root;
  const std::optional<std::uint16_t> keys[] = {type, id, std::nullopt};
  std::uint32_t target = 0;
  for (int level = 0; level < 3; ++level) {
    const auto found = FindEntry(file, dir, keys[level]);
    if (!found) return std::nullopt;
    target = *found;
    const bool subdirectory = (target & kSubdirectory) != 0;
    if (subdirectory != (level < 2)) return std::nullopt;  // directories above, data at the bottom
    dir = *root + (target & ~kSubdirectory);
  }
  const std::size_t entry = *root + target;
  const auto dataRva = file.U32(entry), dataSize = file.U32(entry + 4);
  if (!dataRva || !dataSize) return std::nullopt;
  const auto data = FileOffset(file, table, *sections, *dataRva);
  if (!data || *data > file.Size() || file.Size() - *data < *dataSize) return std::nullopt;
  return file.Span().subspan(*data, *dataSize);
}

}  // namespace gm::ui
