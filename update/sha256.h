#pragma once
// SHA-256 (FIPS 180-4), portable and self-contained: the digest the update server publishes beside
// each installer is checked with it before the installer may run.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace gm {

using Sha256Digest = std::array<std::uint8_t, 32>;

// Incremental hashing: Update any number of times, then Finish once.
class Sha256 {
 public:
  Sha256();
  void Update(std::span<const std::uint8_t> bytes);
  Sha256Digest Finish();

 private:
  void Compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> buffer_{};
  std::size_t buffered_ = 0;
  std::uint64_t length_ = 0;  // bytes hashed so far
};

Sha256Digest Sha256Of(std::span<const std::uint8_t> bytes);
Sha256Digest Sha256Of(std::string_view text);

// The digest of a whole file (a program path); no value when it cannot be opened or read.
std::optional<Sha256Digest> Sha256OfFile(std::wstring_view path);

// 64 lower-case hex digits.
std::string DigestHex(const Sha256Digest& digest);

}  // namespace gm
