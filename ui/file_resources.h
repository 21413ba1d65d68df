#pragma once
// Resources read from a program file as it is stored on disk, not as the system loaded it: a
// window that needs a large picture once (to draw it into a bitmap of its own) reads it through a
// view of the file that it lets go afterwards, so the picture's pages do not stay in the process
// for as long as the program runs. Portable: a walk over the file's bytes, every offset checked.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace gm::ui {

// The bytes of resource (`type`, `id`) (numbers, not names; the first language found) in `file`,
// the bytes of a PE program file (32- or 64-bit); nothing when the file is not such a file, has no
// such resource, or any header, directory or data lies outside the bytes.
std::optional<std::span<const std::uint8_t>> FindFileResource(std::span<const std::uint8_t> file,
                                                              std::uint16_t type, std::uint16_t id);

}  // namespace gm::ui
