#pragma once
// The three links over which the mouse can be attached, and their USB identities.
#include <array>
#include <cstdint>
#include <optional>

namespace gm {

enum class LinkKind : std::uint8_t { Wired = 0, Wireless = 1, Ble = 2 };

inline constexpr std::array<LinkKind, 3> kAllLinks = {LinkKind::Wired, LinkKind::Wireless, LinkKind::Ble};

inline constexpr std::uint16_t kMouseVendorId = 0x04F3;

// Usage page of the control collection (feature reports) and length of the input collection's
// reports; together they classify a collection of the mouse.
inline constexpr std::uint16_t kControlUsagePage = 0x000A;
inline constexpr std::uint16_t kInputReportLength = 32;

constexpr std::uint16_t ProductIdOf(LinkKind link) {
  switch (link) {
    case LinkKind::Wired: return 0x026E;
    case LinkKind::Wireless: return 0x026F;
    case LinkKind::Ble: return 0x026D;
  }
  return 0;
}

constexpr std::optional<LinkKind> LinkOfProductId(std::uint16_t productId) {
  for (LinkKind link : kAllLinks)
    if (ProductIdOf(link) == productId) return link;
  return std::nullopt;
}

constexpr std::size_t IndexOf(LinkKind link) { return static_cast<std::size_t>(link); }

const char* LinkName(LinkKind link);  // "wired", "wireless", "ble"

}  // namespace gm
