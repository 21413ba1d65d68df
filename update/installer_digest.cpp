#include "update/installer_digest.h"

#include <array>
#include <filesystem>
#include <string>
#include <system_error>

#include "settings/language_indexes.h"
#include "settings/paths.h"
#include "update/download.h"

namespace gm {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

enum class Fetch { kBody, kMissing, kTooLong };

// The whole body of a small file, at most `maxBytes`, in memory.
Fetch FetchSmallBody(HttpSource& source, std::wstring_view url, std::size_t maxBytes, std::string& body) {
  HttpOpenResult opened = source.Open(url);
  if (!opened.stream || !IsSuccessStatus(opened.status)) return Fetch::kMissing;
  std::array<std::uint8_t, 512> chunk;
  for (;;) {
    const HttpReadResult read = opened.stream->Read(chunk.data(), chunk.size());
    if (!read.ok) return Fetch::kMissing;
    if (read.bytes == 0) break;
    if (read.bytes > chunk.size() || body.size() + read.bytes > maxBytes) return Fetch::kTooLong;
    body.append(reinterpret_cast<const char*>(chunk.data()), read.bytes);
  }
  return body.empty() ? Fetch::kMissing : Fetch::kBody;
}

InstallerCheck Check(HttpSource& source, std::wstring_view installerPath, std::wstring_view installerUrl) {
  std::string body;
  switch (FetchSmallBody(source, InstallerDigestUrl(installerUrl), kDigestFileMaxBytes, body)) {
    case Fetch::kMissing: return InstallerCheck::kDigestMissing;
    case Fetch::kTooLong: return InstallerCheck::kDigestInvalid;
    case Fetch::kBody: break;
  }
  const std::optional<Sha256Digest> published = ParsePublishedDigest(body);
  if (!published) return InstallerCheck::kDigestInvalid;
  const std::optional<Sha256Digest> actual = Sha256OfFile(installerPath);
  if (!actual) return InstallerCheck::kUnreadable;
  return *actual == *published ? InstallerCheck::kVerified : InstallerCheck::kMismatch;
}

}  // namespace

std::wstring InstallerDigestUrl(std::wstring_view installerUrl) { return std::wstring(installerUrl) + L".sha256"; }

std::optional<Sha256Digest> ParsePublishedDigest(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
  if (text.size() - at < 64) return std::nullopt;
  Sha256Digest digest;
  for (std::size_t i = 0; i < digest.size(); ++i) {
    const int high = HexValue(text[at + 2 * i]);
    const int low = HexValue(text[at + 2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    digest[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  at += 64;
  if (at < text.size() && !IsSpace(text[at])) return std::nullopt;
  return digest;
}

InstallerCheck VerifyDownloadedInstaller(HttpSource& source, std::wstring_view installerPath,
                                         std::wstring_view installerUrl) {
  const InstallerCheck check = Check(source, installerPath, installerUrl);
  if (check != InstallerCheck::kVerified) {
    std::error_code ec;
    std::filesystem::remove(NativePath(installerPath), ec);
  }
  return check;
}

int InstallerCheckNoticeText(InstallerCheck check) {
  switch (check) {
    case InstallerCheck::kVerified: return 0;
    case InstallerCheck::kDigestMissing: return kTextInstallerDigestMissing;
    case InstallerCheck::kDigestInvalid: return kTextInstallerDigestInvalid;
    case InstallerCheck::kMismatch: return kTextInstallerDigestMismatch;
    case InstallerCheck::kUnreadable: return kTextInstallerUnreadable;
  }
  return kTextInstallerDigestMissing;
}

}  // namespace gm
