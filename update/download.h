#pragma once
// Downloading one file from the update server into a local file.
//
// The body is written to a temporary file beside the target ("<target>.part") and moved over the
// target only when the transfer is complete: the server answered with success, the body ended
// normally, it is not empty, it fits the caller's size limit and it has the length the server
// announced. Any other ending removes the temporary file and leaves the target as it was, so a
// cut-off transfer or an error page never replaces a complete installer.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "update/http_source.h"

namespace gm {

inline constexpr std::size_t kDownloadChunkBytes = 4096;

enum class DownloadStatus {
  Complete,     // the target now holds the whole body
  OpenFailed,   // the address could not be opened (error says why)
  ServerError,  // the server answered with a status other than success (httpStatus)
  FileFailed,   // the local file could not be created, written or put in place
  ReadFailed,   // the transfer broke off (error says why)
  Truncated,    // the body ended before the announced length
  Empty,        // the body was empty
  TooLarge,     // the body grew beyond the caller's limit (or the announced length)
  Cancelled,    // the caller asked to stop
};

struct DownloadResult {
  DownloadStatus status = DownloadStatus::OpenFailed;
  std::uint64_t bytes = 0;  // body bytes received
  int httpStatus = 0;
  HttpError error;
  bool ok() const { return status == DownloadStatus::Complete; }
};

struct DownloadOptions {
  // Bodies longer than this are refused (the version file is at most 19 bytes).
  std::uint64_t maxBytes = std::numeric_limits<std::uint64_t>::max();
  // Set from another thread to stop between chunks.
  const std::atomic<bool>* cancel = nullptr;
  // Called after every chunk with the bytes received so far and the announced length, if any.
  std::function<void(std::uint64_t received, std::optional<std::uint64_t> total)> progress;
};

// Downloads `url` into the program path `localPath` (created or replaced).
DownloadResult DownloadFile(HttpSource& source, std::wstring_view localPath, std::wstring_view url,
                            const DownloadOptions& options = {});

// The temporary name a download is written to before it is complete.
std::wstring PartialDownloadPath(std::wstring_view localPath);

// Whether an HTTP status means the body is the requested file. 0 (no status: a scheme without
// one) counts as success.
bool IsSuccessStatus(int status);

// Percent of an announced length received, 0 to 100; no value when no length was announced.
// Never overflows and never passes 100, whatever the server sends.
std::optional<int> PercentReceived(std::uint64_t received, std::optional<std::uint64_t> total);

}  // namespace gm
