#pragma once
// The check that a downloaded installer is the one the update server published, before it runs.
//
// Beside each installer the server keeps its SHA-256 digest in a small text file named after it
// with ".sha256" appended ("installer_V2.1.7.exe.sha256"). The file holds the digest as 64 hex
// digits (either case), optionally preceded by spaces, tabs or line breaks and optionally followed
// by white space and anything else (so the output line of `sha256sum` serves as it is); it is at
// most kDigestFileMaxBytes long. The installer runs only when the digest of the downloaded file
// equals it; otherwise the downloaded file is deleted.
#include <cstddef>
#include <optional>
#include <string_view>

#include "update/http_source.h"
#include "update/sha256.h"

namespace gm {

inline constexpr std::size_t kDigestFileMaxBytes = 1024;

// The address of the digest published beside `installerUrl`.
std::wstring InstallerDigestUrl(std::wstring_view installerUrl);

// The digest a digest file holds; no value when the text does not follow the format above.
std::optional<Sha256Digest> ParsePublishedDigest(std::string_view text);

enum class InstallerCheck {
  kVerified,       // the file's digest equals the published one: the installer may run
  kDigestMissing,  // the server has no digest for it (or could not be reached)
  kDigestInvalid,  // what the server has there is not a digest
  kMismatch,       // the file is not what the server published (damaged or altered)
  kUnreadable,     // the downloaded file could not be read
};

// Fetches the digest published for the installer at `installerUrl` and compares it with the
// downloaded file at `installerPath` (a program path). Every result but kVerified deletes that
// file, so nothing unverified is left to be started.
InstallerCheck VerifyDownloadedInstaller(HttpSource& source, std::wstring_view installerPath,
                                         std::wstring_view installerUrl);

// The language text index of the notice for a refused installer; 0 for kVerified.
int InstallerCheckNoticeText(InstallerCheck check);

}  // namespace gm
