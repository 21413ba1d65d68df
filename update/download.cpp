#include "update/download.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "settings/paths.h"
#include "settings/platform_file.h"

namespace gm {
namespace {

// The temporary file of one transfer: removed unless Commit() put it in place.
class PartialFile {
 public:
  PartialFile(std::filesystem::path partial, std::filesystem::path target)
      : partial_(std::move(partial)), target_(std::move(target)) {
    file_ = OpenNativeFile(partial_, "wb");
  }
  ~PartialFile() {
    if (file_) std::fclose(file_);
    if (!committed_) {
      std::error_code ec;
      std::filesystem::remove(partial_, ec);
    }
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }

  bool Append(const std::uint8_t* data, std::size_t size) {
    return std::fwrite(data, 1, size, file_) == size;
  }

  bool Commit() {
    bool ok = FlushToDisk(file_);
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (ok) ok = ReplaceFileAtomically(partial_, target_);
    committed_ = ok;
    return ok;
  }

 private:
  std::filesystem::path partial_;
  std::filesystem::path target_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

}  // namespace

std::wstring PartialDownloadPath(std::wstring_view localPath) {
  return std::wstring(localPath) + L".part";
}

bool IsSuccessStatus(int status) { return status == 0 || (status >= 200 && status <= 299); }

std::optional<int> PercentReceived(std::uint64_t received, std::optional<std::uint64_t> total) {
  if (!total) return std::nullopt;
  if (*total == 0 || received >= *total) return 100;
  // received < total here, so the quotient is below 100; the product is formed in 128 bits.
  const auto percent =
      static_cast<std::uint64_t>(static_cast<unsigned __int128>(received) * 100 / *total);
  return static_cast<int>(percent > 99 ? 99 : percent);
}

DownloadResult DownloadFile(HttpSource& source, std::wstring_view localPath, std::wstring_view url,
                            const DownloadOptions& options) {
  DownloadResult result;
  HttpOpenResult opened = source.Open(url);
  result.httpStatus = opened.status;
  if (!opened.stream) {
    result.status = DownloadStatus::OpenFailed;
    result.error = std::move(opened.error);
    return result;
  }
  if (!IsSuccessStatus(opened.status)) {
    result.status = DownloadStatus::ServerError;
    return result;
  }
  std::uint64_t limit = options.maxBytes;
  if (opened.contentLength && *opened.contentLength > limit) {
    result.status = DownloadStatus::TooLarge;
    return result;
  }
  if (opened.contentLength) limit = *opened.contentLength;

  PartialFile file(NativePath(PartialDownloadPath(localPath)), NativePath(localPath));
  if (!file.IsOpen()) {
    result.status = DownloadStatus::FileFailed;
    return result;
  }
  std::array<std::uint8_t, kDownloadChunkBytes> buffer;
  for (;;) {
    if (options.cancel && options.cancel->load()) {
      result.status = DownloadStatus::Cancelled;
      return result;
    }
    HttpReadResult read = opened.stream->Read(buffer.data(), buffer.size());
    if (!read.ok) {
      result.status = DownloadStatus::ReadFailed;
      result.error = std::move(read.error);
      return result;
    }
    if (read.bytes == 0) break;
    if (read.bytes > buffer.size() || read.bytes > limit - result.bytes) {
      result.status = DownloadStatus::TooLarge;
      return result;
    }
    if (!file.Append(buffer.data(), read.bytes)) {
      result.status = DownloadStatus::FileFailed;
      return result;
    }
    result.bytes += read.bytes;
    if (options.progress) options.progress(result.bytes, opened.contentLength);
  }
  if (result.bytes == 0) {
    result.status = DownloadStatus::Empty;
  } else if (opened.contentLength && result.bytes != *opened.contentLength) {
    result.status = DownloadStatus::Truncated;
  } else {
    result.status = file.Commit() ? DownloadStatus::Complete : DownloadStatus::FileFailed;
  }
  return result;
}

}  // namespace gm
