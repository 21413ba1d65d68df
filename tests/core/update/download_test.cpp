#include "update/download.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "settings/temp_folder.h"
#include "update/fake_http_source.h"

namespace gm {
namespace {

using gmtest::FakeHttpSource;
using gmtest::FakeResponse;

constexpr const wchar_t* kUrl = L"http://127.0.0.1/u/installer_V2.1.7.exe";

std::string Body(std::size_t size) {
  std::string body(size, '\0');
  for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<char>(i * 7 + 3);
  return body;
}

TEST(DownloadFile, CompleteBodyReplacesTheTargetAndReportsProgressPerChunk) {
  test::TempFolder dir;
  dir.WriteBytes("update.exe", "old installer");
  FakeHttpSource source;
  const std::string body = Body(10000);
  source.responses[kUrl] = FakeResponse{.body = body, .contentLength = 10000};
  std::vector<std::uint64_t> seen;
  DownloadOptions options;
  options.progress = [&](std::uint64_t received, std::optional<std::uint64_t> total) {
    EXPECT_EQ(total, 10000u);
    seen.push_back(received);
  };

  const DownloadResult r = DownloadFile(source, dir.Program(L"update.exe"), kUrl, options);

  EXPECT_EQ(r.status, DownloadStatus::Complete);
  EXPECT_EQ(r.bytes, 10000u);
  EXPECT_EQ(dir.ReadBytes("update.exe"), body);
  EXPECT_EQ(seen, (std::vector<std::uint64_t>{4096, 8192, 10000}));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "update.exe.part"));
  EXPECT_EQ(source.opened, std::vector<std::wstring>{kUrl});
}

TEST(DownloadFile, BodyWithoutAnnouncedLengthOrStatusCompletesInSmallChunks) {
  test::TempFolder dir;
  FakeHttpSource source;
  source.responses[kUrl] =
      FakeResponse{.status = 0, .body = std::string("MZ\x90\0\x03", 5), .chunk = 1};
  const DownloadResult r = DownloadFile(source, dir.Program(L"update.exe"), kUrl);
  EXPECT_EQ(r.status, DownloadStatus::Complete);
  EXPECT_EQ(dir.ReadBytes("update.exe"), std::string("MZ\x90\0\x03", 5));
}

// Every way a transfer can fail keeps the earlier complete file and leaves no partial one.
TEST(DownloadFile, FailedTransfersKeepTheEarlierFile) {
  const std::string body = Body(10000);
  const struct {
    const char* name;
    FakeResponse response;
    std::uint64_t maxBytes;
    DownloadStatus status;
    std::uint64_t bytes;
  } cases[] = {
      {"no answer", {.openFails = true}, UINT64_MAX, DownloadStatus::OpenFailed, 0},
      {"error page", {.status = 404, .body = "<html>Not Found</html>"}, UINT64_MAX,
       DownloadStatus::ServerError, 0},
      {"server fault", {.status = 500, .body = "oops"}, UINT64_MAX, DownloadStatus::ServerError, 0},
      {"connection broke", {.body = body, .contentLength = 10000, .failAfter = 5000}, UINT64_MAX,
       DownloadStatus::ReadFailed, 5000},
      {"cut short", {.body = body.substr(0, 6000), .contentLength = 10000}, UINT64_MAX,
       DownloadStatus::Truncated, 6000},
      {"zero bytes", {.body = ""}, UINT64_MAX, DownloadStatus::Empty, 0},
      {"zero announced", {.body = "", .contentLength = 0}, UINT64_MAX, DownloadStatus::Empty, 0},
      {"announced too long", {.body = body, .contentLength = 10000}, 19, DownloadStatus::TooLarge,
       0},
      {"grows past the limit", {.body = body}, 19, DownloadStatus::TooLarge, 0},
      {"more than announced", {.body = body, .contentLength = 100}, UINT64_MAX,
       DownloadStatus::TooLarge, 0},
  };
  for (const auto& c : cases) {
    test::TempFolder dir;
    dir.WriteBytes("update.exe", "complete installer");
    FakeHttpSource source;
    source.responses[kUrl] = c.response;
    DownloadOptions options;
    options.maxBytes = c.maxBytes;

    const DownloadResult r = DownloadFile(source, dir.Program(L"update.exe"), kUrl, options);

    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.bytes, c.bytes) << c.name;
    EXPECT_FALSE(r.ok()) << c.name;
    EXPECT_EQ(dir.ReadBytes("update.exe"), "complete installer") << c.name;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "update.exe.part")) << c.name;
  }
}

TEST(DownloadFile, FailuresCarryTheirCause) {
  test::TempFolder dir;
  FakeHttpSource source;
  source.responses[kUrl] = FakeResponse{.status = 404, .body = "x"};
  EXPECT_EQ(DownloadFile(source, dir.Program(L"a"), kUrl).httpStatus, 404);

  const DownloadResult unknown = DownloadFile(source, dir.Program(L"a"), L"http://127.0.0.1/none");
  EXPECT_EQ(unknown.status, DownloadStatus::OpenFailed);
  EXPECT_EQ(unknown.error.code, 12029u);

  source.responses[kUrl] = FakeResponse{.body = Body(9000), .failAfter = 4096};
  const DownloadResult broken = DownloadFile(source, dir.Program(L"a"), kUrl);
  EXPECT_EQ(broken.status, DownloadStatus::ReadFailed);
  EXPECT_EQ(broken.error.code, 12030u);
}

TEST(DownloadFile, MissingFolderFailsWithoutCreatingAnything) {
  test::TempFolder dir;
  FakeHttpSource source;
  source.responses[kUrl] = FakeResponse{.body = "data"};
  const DownloadResult r = DownloadFile(source, dir.Program(L"missing\\update.exe"), kUrl);
  EXPECT_EQ(r.status, DownloadStatus::FileFailed);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(DownloadFile, CancelStopsBetweenChunks) {
  test::TempFolder dir;
  dir.WriteBytes("update.exe", "complete installer");
  FakeHttpSource source;
  source.responses[kUrl] = FakeResponse{.body = Body(20000)};
  std::atomic<bool> cancel{false};
  DownloadOptions options;
  options.cancel = &cancel;
  options.progress = [&](std::uint64_t received, std::optional<std::uint64_t>) {
    if (received >= 8192) cancel = true;
  };
  const DownloadResult r = DownloadFile(source, dir.Program(L"update.exe"), kUrl, options);
  EXPECT_EQ(r.status, DownloadStatus::Cancelled);
  EXPECT_EQ(r.bytes, 8192u);
  EXPECT_EQ(dir.ReadBytes("update.exe"), "complete installer");
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "update.exe.part"));
}

TEST(PercentReceived, StaysWithinZeroToHundredForAnyCounts) {
  constexpr std::uint64_t kMax = UINT64_MAX;
  const struct {
    std::uint64_t received;
    std::optional<std::uint64_t> total;
    std::optional<int> percent;
  } cases[] = {
      {0, std::nullopt, std::nullopt},
      {5000, std::nullopt, std::nullopt},
      {0, 1000, 0},
      {1, 3, 33},
      {2, 3, 66},
      {75, 150, 50},
      {999, 1000, 99},  // not 100 before the last byte
      {1000, 1000, 100},
      {1500, 1000, 100},  // the server sent more than it announced
      {0, 0, 100},
      {kMax / 2, kMax, 49},
      {kMax - 1, kMax, 99},
      {kMax, kMax, 100},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PercentReceived(c.received, c.total), c.percent) << c.received;
  }
}

}  // namespace
}  // namespace gm
