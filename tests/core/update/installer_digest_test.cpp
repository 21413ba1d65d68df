#include "update/installer_digest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/language_indexes.h"
#include "settings/temp_folder.h"
#include "update/fake_http_source.h"

namespace gm {
namespace {

using gmtest::FakeHttpSource;
using gmtest::FakeResponse;

constexpr const wchar_t* kInstallerUrl = L"http://127.0.0.1/u/installer_V2.1.7.exe";
constexpr const wchar_t* kDigestUrl = L"http://127.0.0.1/u/installer_V2.1.7.exe.sha256";
// SHA-256 of "abc".
constexpr const char* kAbcDigest = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST(InstallerDigest, DigestLiesBesideTheInstaller) {
  EXPECT_EQ(InstallerDigestUrl(kInstallerUrl), kDigestUrl);
}

TEST(InstallerDigest, PublishedDigestFormat) {
  const std::string upper = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";
  const struct {
    const char* name;
    std::string text;
    bool valid;
  } cases[] = {
      {"digits alone", kAbcDigest, true},
      {"upper case", upper, true},
      {"line end", std::string(kAbcDigest) + "\r\n", true},
      {"sha256sum line", std::string(kAbcDigest) + "  installer_V2.1.7.exe\n", true},
      {"leading blank line", "\n  " + std::string(kAbcDigest), true},
      {"empty", "", false},
      {"63 digits", std::string(kAbcDigest).substr(1), false},
      {"65 digits", std::string(kAbcDigest) + "0", false},
      {"not hex", "g" + std::string(kAbcDigest).substr(1), false},
      {"error page", "<html><body>404 Not Found</body></html>", false},
      {"byte-order mark first", "\xEF\xBB\xBF" + std::string(kAbcDigest), false},
  };
  for (const auto& c : cases) {
    const auto digest = ParsePublishedDigest(c.text);
    EXPECT_EQ(digest.has_value(), c.valid) << c.name;
    if (digest) {
      EXPECT_EQ(DigestHex(*digest), kAbcDigest) << c.name;
    }
  }
}

// Only a file whose digest equals the published one is kept for starting; every other outcome
// deletes it and names its own notice.
TEST(InstallerDigest, OnlyAMatchingDownloadIsKept) {
  const struct {
    const char* name;
    bool digestServed;
    FakeResponse digest;
    bool installerOnDisk;
    InstallerCheck result;
    int notice;
  } cases[] = {
      {"matching", true, {.body = std::string(kAbcDigest) + "  installer_V2.1.7.exe\n"}, true,
       InstallerCheck::kVerified, 0},
      {"other digest", true, {.body = std::string(64, '0')}, true, InstallerCheck::kMismatch,
       kTextInstallerDigestMismatch},
      {"no digest on the server", true, {.status = 404, .body = "not found"}, true, InstallerCheck::kDigestMissing,
       kTextInstallerDigestMissing},
      {"server unreachable", false, {}, true, InstallerCheck::kDigestMissing, kTextInstallerDigestMissing},
      {"empty digest file", true, {.body = ""}, true, InstallerCheck::kDigestMissing, kTextInstallerDigestMissing},
      {"transfer broken off", true, {.body = kAbcDigest, .failAfter = 10}, true, InstallerCheck::kDigestMissing,
       kTextInstallerDigestMissing},
      {"not a digest", true, {.body = "<html>moved</html>"}, true, InstallerCheck::kDigestInvalid,
       kTextInstallerDigestInvalid},
      {"far too long", true, {.body = std::string(kAbcDigest) + std::string(2000, ' ')}, true,
       InstallerCheck::kDigestInvalid, kTextInstallerDigestInvalid},
      {"installer gone", true, {.body = kAbcDigest}, false, InstallerCheck::kUnreadable, kTextInstallerUnreadable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempFolder dir;
    if (c.installerOnDisk) dir.WriteBytes("update.exe", "abc");
    FakeHttpSource source;
    if (c.digestServed) source.responses[kDigestUrl] = c.digest;

    EXPECT_EQ(VerifyDownloadedInstaller(source, dir.Program(L"update.exe"), kInstallerUrl), c.result);
    EXPECT_EQ(std::filesystem::exists(dir.Path() / "update.exe"), c.result == InstallerCheck::kVerified);
    EXPECT_EQ(InstallerCheckNoticeText(c.result), c.notice);
    EXPECT_EQ(source.opened, std::vector<std::wstring>{kDigestUrl});
  }
}

}  // namespace
}  // namespace gm
