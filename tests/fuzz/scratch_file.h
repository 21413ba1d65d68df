#pragma once
// The file a fuzz target writes and reads for every input (the input itself, or what the program
// wrote of it): in memory (/dev/shm) where the system has it, since every write is flushed to the
// disk and a disk would hold each execution up for milliseconds; in /tmp otherwise. One per
// process, named after it.
#include <unistd.h>

#include <filesystem>
#include <string>

inline std::wstring FuzzScratchFile(const wchar_t* stem, const wchar_t* extension) {
  const wchar_t* folder = std::filesystem::is_directory("/dev/shm") ? L"/dev/shm/" : L"/tmp/";
  return folder + std::wstring(stem) + std::to_wstring(getpid()) + extension;
}
