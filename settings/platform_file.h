#pragma once
// The platform-specific steps of file access, kept in one place: opening a file by a path of this
// platform, making a written file durable, and putting a finished temporary file in place of the
// old file in a single step (so a crash or power cut leaves the old file or the new one, never a
// truncated one).
#include <cstdio>
#include <filesystem>

namespace gm {

// std::fopen for a platform path (wide on Windows, so any file name opens). `mode` is "rb" or "wb".
std::FILE* OpenNativeFile(const std::filesystem::path& path, const char* mode);

// Flushes the stream's buffers and asks the system to write the file's data to the disk.
bool FlushToDisk(std::FILE* file);

// Moves `source` over `target` (both in the same folder), replacing `target` when it exists. On
// Windows a target that another program holds open for a moment (a virus scanner, a backup or
// sync tool, a reader of the settings) cannot be replaced: the move is tried again for up to
// kReplaceRetryMs before it counts as failed, so such a glimpse does not cost the user the save.
inline constexpr unsigned kReplaceRetryMs = 2000;
bool ReplaceFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace gm
