// The wininet source against a server on 127.0.0.1 inside this process: the body arrives byte for
// byte with its status and length, and failed transfers never replace the earlier file.
#include "update/loopback_http_server.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "update/download.h"
#include "update/update_check.h"
#include "update/win32/wininet_source.h"

namespace {

using gmtest::LoopbackHttpServer;

const std::string kVersionFile("\xFF\xFE" "2\0.\0" "1\0.\0" "7\0\n\0", 12);

std::string InstallerBody() {
  std::string body(10000, '\0');
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>(i * 13 + 1);
  return body;
}

// A fresh folder under the temporary folder, removed afterwards.
class TempDir {
 public:
  TempDir() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"gm_update_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempDir() {
    for (const wchar_t* name : {L"a.exe", L"a.exe.part"}) DeleteFileW((path_ + name).c_str());
    RemoveDirectoryW(path_.c_str());
  }
  std::wstring File(const wchar_t* name) const { return path_ + name; }
  std::string Read(const wchar_t* name) const {
    std::ifstream in(std::filesystem::path(File(name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::wstring path_;
};

TEST(WinInetSource, ReadsASmallFileFromALoopbackServer) {
  LoopbackHttpServer server({{"/VersionInfo.txt", LoopbackHttpServer::Response(200, kVersionFile)}});
  ASSERT_TRUE(server.Listening());
  gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);

  gm::HttpOpenResult opened = source.Open(server.BaseUrl() + L"/VersionInfo.txt");
  ASSERT_TRUE(opened.stream) << opened.error.code;
  EXPECT_EQ(opened.status, 200);
  EXPECT_EQ(opened.contentLength, 12u);
  std::string body;
  std::uint8_t chunk[4096];
  for (int reads = 0; reads < 100; ++reads) {
    const gm::HttpReadResult r = opened.stream->Read(chunk, sizeof(chunk));
    ASSERT_TRUE(r.ok) << r.error.code;
    if (r.bytes == 0) break;
    body.append(reinterpret_cast<const char*>(chunk), r.bytes);
  }
  EXPECT_EQ(body, kVersionFile);
}

TEST(WinInetSource, DownloadsAnInstallerAndRefusesErrorsAndCutOffBodies) {
  const std::string installer = InstallerBody();
  LoopbackHttpServer server({
      {"/installer.exe", LoopbackHttpServer::Response(200, installer)},
      {"/cut.exe", LoopbackHttpServer::Response(200, installer.substr(0, 3000), 10000)},
  });
  ASSERT_TRUE(server.Listening());
  gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);
  TempDir dir;

  const gm::DownloadResult done =
      gm::DownloadFile(source, dir.File(L"a.exe"), server.BaseUrl() + L"/installer.exe");
  EXPECT_EQ(done.status, gm::DownloadStatus::Complete);
  EXPECT_EQ(dir.Read(L"a.exe"), installer);

  const gm::DownloadResult missing =
      gm::DownloadFile(source, dir.File(L"a.exe"), server.BaseUrl() + L"/missing.exe");
  EXPECT_EQ(missing.status, gm::DownloadStatus::ServerError);
  EXPECT_EQ(missing.httpStatus, 404);

  const gm::DownloadResult cut =
      gm::DownloadFile(source, dir.File(L"a.exe"), server.BaseUrl() + L"/cut.exe");
  EXPECT_FALSE(cut.ok());
  EXPECT_TRUE(cut.status == gm::DownloadStatus::Truncated ||
              cut.status == gm::DownloadStatus::ReadFailed)
      << static_cast<int>(cut.status);

  EXPECT_EQ(dir.Read(L"a.exe"), installer);
  EXPECT_EQ(GetFileAttributesW(dir.File(L"a.exe.part").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WinInetSource, ClosedPortFailsToOpenWithAnErrorNumber) {
  const unsigned short port = gmtest::UnusedLoopbackPort();
  ASSERT_NE(port, 0);
  gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);
  const gm::HttpOpenResult opened =
      source.Open(L"http://127.0.0.1:" + std::to_wstring(port) + L"/VersionInfo.txt");
  EXPECT_FALSE(opened.stream);
  EXPECT_NE(opened.error.code, 0u);
  EXPECT_FALSE(gm::NetworkErrorMessage(opened.error).empty());
}

}  // namespace
