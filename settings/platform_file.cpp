#include "settings/platform_file.h"

#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

namespace gm {

std::FILE* OpenNativeFile(const std::filesystem::path& path, const char* mode) {
  const wchar_t* wideMode = mode[0] == 'w' ? L"wb" : L"rb";
  return _wfopen(path.c_str(), wideMode);
}

bool FlushToDisk(std::FILE* file) {
  return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool ReplaceFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target) {
  constexpr DWORD kRetryGapMs = 20;
  for (DWORD waited = 0;; waited += kRetryGapMs) {
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    // Only a target in use is worth waiting for; a missing folder or a full disk stays so.
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || waited >= kReplaceRetryMs) return false;
    Sleep(kRetryGapMs);
  }
}

}  // namespace gm

#else
#include <sys/stat.h>
#include <unistd.h>

namespace gm {

// A folder opens for reading here (on Windows it does not): it is no file to read, and its
// "length" (the end position of a directory stream) is no size to allocate.
std::FILE* OpenNativeFile(const std::filesystem::path& path, const char* mode) {
  std::FILE* file = std::fopen(path.c_str(), mode);
  struct stat info {};
  if (file && fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

bool ReplaceFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::error_code ec;
  std::filesystem::rename(source, target, ec);
  return !ec;
}

}  // namespace gm
#endif
