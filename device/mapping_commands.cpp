#include "device/mapping_commands.h"

#include <algorithm>

#include "assign/key_tables.h"

namespace gm {

std::array<std::uint8_t, kMappingFunctionBytes> MappingFunctionBytes(const ProfileRecord& record) {
  std::array<std::uint8_t, kMappingFunctionBytes> bytes{};
  for (std::size_t i = 0; i < kDeviceButtonOrder.size(); ++i) {
    const ThreeBytes& value = record.KeyAssignments[static_cast<std::size_t>(kDeviceButtonOrder[i])].KeyValue;
    std::copy(value.begin(), value.end(), bytes.begin() + static_cast<std::ptrdiff_t>(3 * i));
  }
  return bytes;
}

std::array<std::uint8_t, kMappingDataLength> MappingData(const ProfileRecord& record) {
  std::array<std::uint8_t, kMappingDataLength> data;
  data.fill(0xFF);
  const auto functions = MappingFunctionBytes(record);
  std::copy(functions.begin(), functions.end(), data.begin());
  return data;
}

namespace {

struct KindAndValue {
  std::uint8_t kind;
  std::uint8_t value;
};

// Usages of the macro mouse codes (key tables: 0xE0..0xE7 -> 0xF0..0xF7).
constexpr std::uint8_t kUsageMouseFirst = 0xF0;
constexpr std::uint8_t kUsageMouseLast = 0xF4;
constexpr std::uint8_t kUsageMoveX = 0xF5;
constexpr std::uint8_t kUsageMoveY = 0xF6;
constexpr std::uint8_t kUsageWheel = 0xF7;
constexpr std::uint8_t kUsageModifierFirst = 0xE0;
constexpr std::uint8_t kUsageModifierLast = 0xE7;

KindAndValue KindOf(MacroAction action) {
  const std::uint8_t u = VirtualKeyUsage(action.Code());
  const auto bit = static_cast<std::uint8_t>(1u << (u & 7));
  if (u >= kUsageModifierFirst && u <= kUsageModifierLast) return {0x20, bit};
  if (u >= kUsageMouseFirst && u <= kUsageMouseLast) return {0x10, bit};
  if (u == kUsageMoveX) return {0x40, action.Byte(3)};
  if (u == kUsageMoveY) return {0x50, action.Byte(3)};
  if (u == kUsageWheel) return {0x60, action.Byte(3)};
  // Every other keyboard usage travels as itself (0x91 is a keyboard key, not a modifier). Usages
  // the key table never produces (0xE8..0xEF, 0xF8..0xFF) are sent as "no key".
  if (u < kUsageModifierFirst) return {0x30, u};
  return {0x30, 0x00};
}

}  // namespace

MacroEntry EncodeMacroEntry(MacroAction action, std::uint32_t delayMs) {
  const std::uint32_t d = std::min(delayMs, kMaxEntryDelay);
  const KindAndValue kv = KindOf(action);
  return {static_cast<std::uint8_t>((action.Byte(1) & MacroAction::kReleaseFlag) | ((d >> 8) & 0x0F) | kv.kind),
          static_cast<std::uint8_t>(d & 0xFF), kv.value};
}

MacroImage BuildMacroImage(const MacroKey& macro, std::uint8_t slot) {
  MacroImage image{};
  image[0] = 0x09;
  image[1] = kMacroFunction;
  image[2] = static_cast<std::uint8_t>(slot & 0x0F);

  const int used = static_cast<int>(std::min<std::uint32_t>(macro.MacroActionNum, kMacroActionCapacity));
  int entries = 0;
  for (int i = 0; i < used && entries < kMacroCommandLimit; ++i) {
    const MacroAction action = macro.Actions[static_cast<std::size_t>(i)];
    if (action.IsDelay()) continue;
    std::uint32_t delay = 0;
    if (i + 1 < used) {
      const MacroAction next = macro.Actions[static_cast<std::size_t>(i + 1)];
      if (next.IsDelay()) delay = next.DelayMs();
    }
    const MacroEntry entry = EncodeMacroEntry(action, delay);
    std::copy(entry.begin(), entry.end(), image.begin() + static_cast<std::ptrdiff_t>(kMacroImageHeader + 3 * entries));
    ++entries;
  }
  image[3] = static_cast<std::uint8_t>(entries);
  return image;
}

int MacroPacketCount(const MacroImage& image) {
  const int bytes = 3 * ImageEntryCount(image);
  return std::max(1, (bytes + static_cast<int>(kMacroPacketPayload) - 1) / static_cast<int>(kMacroPacketPayload));
}

std::array<std::uint8_t, kMacroPacketDataLength> MacroPacketData(const MacroImage& image, int index) {
  std::array<std::uint8_t, kMacroPacketDataLength> data{};
  const int payload = static_cast<int>(kMacroPacketPayload);
  const int remaining = 3 * ImageEntryCount(image) - payload * index;
  data[0] = static_cast<std::uint8_t>(std::clamp(remaining, 0, payload) + 1);
  data[1] = ImageSlot(image);
  const std::size_t from = kMacroImageHeader + kMacroPacketPayload * static_cast<std::size_t>(std::max(index, 0));
  if (from < image.size()) {
    const std::size_t n = std::min(kMacroPacketPayload, image.size() - from);
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), n, data.begin() + 2);
  }
  return data;
}

}  // namespace gm
