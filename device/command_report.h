#pragma once
// Framing of the command report (feature report 6): report id, command code, sequence byte, packet
// byte, checksum, then the command data zero-filled to the end of the report.
#include <cstddef>
#include <cstdint>
#include <span>

namespace gm {

inline constexpr std::uint8_t kCommandReportId = 6;
inline constexpr std::uint8_t kStatusReportId = 5;
inline constexpr std::uint8_t kInputReportId = 4;
inline constexpr std::uint8_t kPairingReportId = 0xBC;

inline constexpr std::size_t kCommandReportLength = 32;
// The lighting command goes out as a 33-byte report.
inline constexpr std::size_t kLongCommandReportLength = 33;
inline constexpr std::size_t kPairingReportLength = 8;
// Offset of the first data byte and the room for data in a 32-byte report.
inline constexpr std::size_t kCommandDataOffset = 5;
inline constexpr std::size_t kCommandDataRoom = kCommandReportLength - kCommandDataOffset;

// Command codes (byte 1).
enum CommandCode : std::uint8_t {
  kCmdButtonMapping = 0x01,
  kCmdDpiStages = 0x02,
  kCmdStageColours = 0x03,
  kCmdReportRate = 0x04,
  kCmdLiftOff = 0x05,
  kCmdLighting = 0x06,
  kCmdPower = 0x07,
  kCmdSensorOptions = 0x08,
  kCmdDebounce = 0x09,
  kCmdFactoryReset = 0x0F,
  kCmdMacroData = 0x10,
  kCmdMacroStart = 0x11,
};

// Packet byte of packet `index` of `count`: (index << 4) | count.
constexpr std::uint8_t PacketByte(unsigned index, unsigned count) {
  return static_cast<std::uint8_t>((index << 4) | (count & 0x0F));
}

// Low 8 bits of the sum of bytes 0..31, byte 4 (the checksum itself) counted as 0. Bytes past 31
// (the 33rd byte of the lighting report) are not part of the sum. A report shorter than 32 bytes
// sums what it has.
std::uint8_t CommandChecksum(std::span<const std::uint8_t> report);

// Writes a complete command report into `out` (its whole length is zeroed first): id 6, code,
// sequence, packet byte, data from byte 5, checksum in byte 4. Returns false, writing nothing, when
// `out` is shorter than 32 bytes or the data does not fit.
bool BuildCommandReport(std::span<std::uint8_t> out, std::uint8_t code, std::uint8_t sequence,
                        std::uint8_t packetByte, std::span<const std::uint8_t> data);

}  // namespace gm
