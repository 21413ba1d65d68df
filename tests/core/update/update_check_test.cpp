#include "update/update_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/environment.h"
#include "settings/language_indexes.h"
#include "settings/temp_folder.h"
#include "update/fake_http_source.h"

namespace gm {
namespace {

using gmtest::FakeHttpSource;
using gmtest::FakeResponse;
using test::kBom;
using test::Le;

const UpdateServer kServer{L"http://127.0.0.1:8080/gm/"};
constexpr const wchar_t* kVersionUrl = L"http://127.0.0.1:8080/gm/VersionInfo.txt";

// A fresh data folder for one test.
class UpdateCheckTest : public ::testing::Test {
 protected:
  test::TempFolder dir_;
  const std::wstring dataFolder_ = dir_.Program();
  FakeHttpSource source_;
};

TEST_F(UpdateCheckTest, ServerFilesAndLocalFilesHaveTheirFixedNames) {
  EXPECT_EQ(VersionFileUrl(kServer), kVersionUrl);
  EXPECT_EQ(InstallerUrl(kServer, L"2.1.7"), L"http://127.0.0.1:8080/gm/installer_V2.1.7.exe");
  EXPECT_EQ(LocalVersionFilePath(dataFolder_), dir_.Program(L"update\\VersionInfo.ini"));
  EXPECT_EQ(LocalInstallerPath(dataFolder_), dir_.Program(L"update\\update.exe"));
  EXPECT_EQ(DefaultUpdateServer().baseUrl.back(), L'/');
}

TEST_F(UpdateCheckTest, NewerVersionOffersItsInstallerAndStoresTheFileByteForByte) {
  const std::string file = kBom + Le("2.1.7\n");  // 14 bytes
  source_.responses[kVersionUrl] = FakeResponse{.body = file};

  const UpdateCheckOutcome out = CheckForUpdate(source_, kServer, dataFolder_);

  EXPECT_EQ(out.step, UpdateCheckStep::OfferDownload);
  EXPECT_EQ(out.installerUrl, L"http://127.0.0.1:8080/gm/installer_V2.1.7.exe");
  EXPECT_EQ(out.localPath, dir_.Program(L"update\\update.exe"));
  EXPECT_EQ(UpdateCheckNoticeText(out.step), 0);
  EXPECT_EQ(dir_.ReadBytes("update/VersionInfo.ini"), file);
  EXPECT_EQ(source_.opened, std::vector<std::wstring>{kVersionUrl});
}

TEST_F(UpdateCheckTest, EachServerAnswerLeadsToItsStep) {
  using S = UpdateCheckStep;
  const struct {
    const char* name;
    FakeResponse response;
    S step;
    int notice;
  } cases[] = {
      {"same version", {.body = kBom + Le("2.1.6")}, S::UpToDate, kTextUpdateLatest},
      {"older version", {.body = kBom + Le("2.0.9\n")}, S::UpToDate, kTextUpdateLatest},
      {"later minor, lower patch", {.body = kBom + Le("2.2.0")}, S::OfferDownload, 0},
      {"later major", {.body = kBom + Le("3.0.0")}, S::OfferDownload, 0},
      {"19 bytes", {.body = kBom + Le("10.10.10") + "\n"}, S::OfferDownload, 0},
      {"one dot", {.body = kBom + Le("2.1")}, S::CheckFailed, kTextUpdateCheckFailed},
      {"20 bytes", {.body = kBom + Le("100.10.10")}, S::CheckFailed, kTextUpdateCheckFailed},
      {"error page", {.status = 404, .body = "Not found"}, S::CheckFailed, kTextUpdateCheckFailed},
      {"empty", {.body = ""}, S::CheckFailed, kTextUpdateCheckFailed},
      {"no line", {.body = kBom}, S::CheckFailed, kTextUpdateCheckFailed},
      {"no answer", {.openFails = true}, S::CheckFailed, kTextUpdateCheckFailed},
  };
  for (const auto& c : cases) {
    source_.responses[kVersionUrl] = c.response;
    const UpdateCheckOutcome out = CheckForUpdate(source_, kServer, dataFolder_);
    EXPECT_EQ(out.step, c.step) << c.name;
    EXPECT_EQ(UpdateCheckNoticeText(out.step), c.notice) << c.name;
    EXPECT_EQ(out.installerUrl.empty(), c.step != S::OfferDownload) << c.name;
  }
}

TEST_F(UpdateCheckTest, RefusedVersionFileKeepsTheStoredOne) {
  const std::string good = kBom + Le("2.1.7");
  source_.responses[kVersionUrl] = FakeResponse{.body = good};
  ASSERT_EQ(CheckForUpdate(source_, kServer, dataFolder_).step, UpdateCheckStep::OfferDownload);

  source_.responses[kVersionUrl] = FakeResponse{.body = "<html><body>Gateway</body></html>"};
  const UpdateCheckOutcome out = CheckForUpdate(source_, kServer, dataFolder_);
  EXPECT_EQ(out.step, UpdateCheckStep::CheckFailed);
  EXPECT_EQ(out.fetch.status, DownloadStatus::TooLarge);
  EXPECT_EQ(dir_.ReadBytes("update/VersionInfo.ini"), good);
}

TEST_F(UpdateCheckTest, NetworkErrorReachesTheCaller) {
  source_.responses[kVersionUrl] =
      FakeResponse{.openFails = true,
                   .errorCode = 12007,
                   .errorText = L"The server name could not be resolved"};
  const UpdateCheckOutcome out = CheckForUpdate(source_, kServer, dataFolder_);
  EXPECT_EQ(out.fetch.status, DownloadStatus::OpenFailed);
  EXPECT_EQ(NetworkErrorMessage(out.fetch.error), L"The server name could not be resolved");
}

TEST(NetworkErrorMessage, KeepsAtMost1024CharactersAndNamesAnErrorWithoutText) {
  EXPECT_EQ(NetworkErrorMessage({12002, std::wstring(3000, L'x')}), std::wstring(1024, L'x'));
  EXPECT_EQ(NetworkErrorMessage({12002, L""}), L"Error 12002");
}

TEST(DownloadDialog, AnimationCyclesOneTwoThreeDotsFromTheFirstTick) {
  std::vector<int> shown;
  for (unsigned counter = 1; counter <= 7; ++counter) {
    shown.push_back(DownloadAnimationText(counter));
  }
  EXPECT_EQ(shown, (std::vector<int>{337, 338, 336, 337, 338, 336, 337}));
  EXPECT_EQ(DownloadAnimationText(0xFFFFFFFFu), 336);  // the counter's wrap keeps the cycle going
}

TEST(DownloadDialog, OnlyACompleteDownloadStartsTheInstaller) {
  DownloadResult r;
  for (DownloadStatus s : {DownloadStatus::OpenFailed, DownloadStatus::ServerError,
                           DownloadStatus::ReadFailed, DownloadStatus::Truncated,
                           DownloadStatus::Empty, DownloadStatus::Cancelled}) {
    r.status = s;
    EXPECT_FALSE(InstallerReady(r));
    EXPECT_EQ(DownloadDoneNoticeText(r), kTextUpdateCheckFailed);
  }
  r.status = DownloadStatus::Complete;
  EXPECT_TRUE(InstallerReady(r));
  EXPECT_EQ(DownloadDoneNoticeText(r), kTextDownloadDone);
}

TEST(DownloadDialog, SecondTransferWhileOneRunsDoesNothing) {
  test::TempFolder dir;
  FakeHttpSource source;
  source.responses[L"http://127.0.0.1/a.exe"] = FakeResponse{.body = "installer"};

  DownloadGate gate;
  ASSERT_TRUE(gate.TryEnter());  // a transfer of the same owner is running
  EXPECT_FALSE(RunExclusiveDownload(gate, source, dir.Program(L"a.exe"), L"http://127.0.0.1/a.exe"));
  EXPECT_TRUE(source.opened.empty());

  gate.Leave();
  const auto r = RunExclusiveDownload(gate, source, dir.Program(L"a.exe"), L"http://127.0.0.1/a.exe");
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->ok());
  EXPECT_FALSE(gate.Running());
  EXPECT_EQ(dir.ReadBytes("a.exe"), "installer");
}

}  // namespace
}  // namespace gm
