#pragma once
// The data bytes of the button-mapping command (0x01) and the macro commands (0x10, 0x11), built
// from a profile record and a button's macro. Pure functions: the mapping upload
// (device/mapping_upload.h) frames them, compares them with their shadows and sends them.
#include <array>
#include <cstdint>
#include <span>

#include "macro/macro_model.h"
#include "settings/profile_record.h"

namespace gm {

// Function type of a macro button (KeyValue[0]).
inline constexpr std::uint8_t kMacroFunction = 0x90;

// The six buttons on the wire: the record's fourth and fifth buttons are swapped.
inline constexpr std::array<int, kButtonCount> kDeviceButtonOrder = {0, 1, 2, 4, 3, 5};

// The 18 function bytes: KeyValue of each button in device order.
inline constexpr std::size_t kMappingFunctionBytes = 18;
std::array<std::uint8_t, kMappingFunctionBytes> MappingFunctionBytes(const ProfileRecord& record);

// 0x01: the 18 function bytes, then nine 0xFF.
inline constexpr std::size_t kMappingDataLength = 27;
std::array<std::uint8_t, kMappingDataLength> MappingData(const ProfileRecord& record);

// Longest delay one device entry carries (12 bits); longer delays are sent as this.
inline constexpr std::uint32_t kMaxEntryDelay = 4095;

// One 3-byte device entry of a command action followed by `delayMs`:
//   byte 0 = release flag (bit 7) | delay bits 11..8 | kind, byte 1 = delay bits 7..0, byte 2 = value.
// Kinds by HID usage of the action's code: keyboard 0x30 (the usage), modifier 0x20 (its bit),
// mouse button 0x10 (its bit), horizontal move 0x40, vertical move 0x50, wheel 0x60 (the signed
// amount of byte 3).
using MacroEntry = std::array<std::uint8_t, 3>;
MacroEntry EncodeMacroEntry(MacroAction action, std::uint32_t delayMs);

// The macro image: 09 90 slot count, then one entry per command action, the rest zero.
inline constexpr std::size_t kMacroImageSize = 512;
inline constexpr std::size_t kMacroImageHeader = 4;
using MacroImage = std::array<std::uint8_t, kMacroImageSize>;

// Builds the image of `macro` for device slot `slot` (low 4 bits). Each command action among the
// used actions gives one entry carrying the delay that directly follows it; delays that follow no
// command are dropped. At most 125 entries are encoded (all a full set of packets can carry), and
// byte 3 counts the entries actually encoded.
MacroImage BuildMacroImage(const MacroKey& macro, std::uint8_t slot);

// Entry count (image byte 3) and slot (byte 2) of an image.
inline int ImageEntryCount(const MacroImage& image) { return image[3]; }
inline std::uint8_t ImageSlot(const MacroImage& image) { return image[2]; }

// Packets of an image: its entry bytes in 25-byte pieces, rounded up, at least one.
inline constexpr std::size_t kMacroPacketPayload = 25;
int MacroPacketCount(const MacroImage& image);

// Data of macro packet `index` (0x10): entry bytes in the packet + 1, the slot, 25 image bytes
// from byte 4 + 25 * index.
inline constexpr std::size_t kMacroPacketDataLength = 27;
std::array<std::uint8_t, kMacroPacketDataLength> MacroPacketData(const MacroImage& image, int index);

// 0x11: one byte 0xFF.
inline constexpr std::array<std::uint8_t, 1> kMacroStartData = {0xFF};

}  // namespace gm
