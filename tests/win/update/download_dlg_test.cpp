// The download dialog run modally as the update command runs it, fetching from a server on
// 127.0.0.1 inside this process; the test presses its buttons from a timer.
#include "update/loopback_http_server.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "settings/language_indexes.h"
#include "ui/control_base.h"
#include "ui/dialog_table.h"
#include "ui/ui_test_support.h"
#include "update/update_check.h"
#include "update/win32/download_dlg.h"
#include "update/win32/wininet_source.h"

namespace {

using gmtest::LoopbackHttpServer;

using uitest::RunScripted;

void Click(HWND dlg, UINT id) { uitest::ClickControl(dlg, id); }

class DownloadDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_.texts[gm::kTextCancel] = L"Cancel";
    ui_.texts[gm::kTextDownloadButton] = L"Download";
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    target_ = std::wstring(base) + L"gm_download_dlg_" + std::to_wstring(GetCurrentProcessId()) +
              L".exe";
  }
  void TearDown() override {
    DeleteFileW(target_.c_str());
  }
  std::string ReadTarget() const {
    std::ifstream in(std::filesystem::path(target_), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool TargetExists() const { return GetFileAttributesW(target_.c_str()) != INVALID_FILE_ATTRIBUTES; }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  std::wstring target_;
};

TEST_F(DownloadDlgTest, StartDownloadsTheFileAndEndsWithOk) {
  const std::string installer(20000, 'I');
  LoopbackHttpServer server({{"/installer_V2.1.7.exe", LoopbackHttpServer::Response(200, installer)}});
  ASSERT_TRUE(server.Listening());
  gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);
  gm::win::CDownloadDlg dlg(ui_.context, L"Title", L"A new version is available.", target_,
                            server.BaseUrl() + L"/installer_V2.1.7.exe", source, nullptr);

  const INT_PTR result = RunScripted(dlg, {[](HWND h) { Click(h, gm::win::CDownloadDlg::kStart); }});

  EXPECT_EQ(result, IDOK);
  ASSERT_TRUE(dlg.Result());
  EXPECT_EQ(dlg.Result()->status, gm::DownloadStatus::Complete);
  EXPECT_EQ(ReadTarget(), installer);
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
}

TEST_F(DownloadDlgTest, ErrorPageEndsWithOkButNothingIsStored) {
  LoopbackHttpServer server({});
  ASSERT_TRUE(server.Listening());
  gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);
  gm::win::CDownloadDlg dlg(ui_.context, L"Title", L"Message", target_, server.BaseUrl() + L"/missing.exe",
                            source, nullptr);

  const INT_PTR result = RunScripted(dlg, {[](HWND h) { Click(h, gm::win::CDownloadDlg::kStart); }});

  EXPECT_EQ(result, IDOK);
  ASSERT_TRUE(dlg.Result());
  EXPECT_EQ(dlg.Result()->status, gm::DownloadStatus::ServerError);
  EXPECT_EQ(dlg.Result()->httpStatus, 404);
  EXPECT_FALSE(TargetExists());
}

TEST_F(DownloadDlgTest, CloseBeforeStartCancelsWithoutARequest) {
  LoopbackHttpServer server({{"/a.exe", LoopbackHttpServer::Response(200, "data")}});
  ASSERT_TRUE(server.Listening());
  gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);
  gm::win::CDownloadDlg dlg(ui_.context, L"Title", L"Message", target_, server.BaseUrl() + L"/a.exe", source,
                            nullptr);

  const INT_PTR result = RunScripted(dlg, {[](HWND h) { Click(h, gm::win::CDownloadDlg::kClose); }});

  EXPECT_EQ(result, IDCANCEL);
  EXPECT_FALSE(dlg.Result());
  EXPECT_EQ(server.Requests(), 0);
  EXPECT_FALSE(TargetExists());
}

// The transfer thread never outlives the dialog: a close while it runs stops it, then cancels.
TEST_F(DownloadDlgTest, CloseDuringTheTransferStopsItAndCancels) {
  LoopbackHttpServer server(
      {{"/slow/installer.exe", LoopbackHttpServer::Response(200, std::string(60000, 'S'))}});
  ASSERT_TRUE(server.Listening());
  gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);
  gm::win::CDownloadDlg dlg(ui_.context, L"Title", L"Message", target_, server.BaseUrl() + L"/slow/installer.exe",
                            source, nullptr);
  bool runningWhenClosed = false;

  const INT_PTR result = RunScripted(dlg, {[](HWND h) { Click(h, gm::win::CDownloadDlg::kStart); },
                                           [](HWND) {},
                                           [&](HWND h) {
                                             runningWhenClosed = dlg.State().Running();
                                             Click(h, gm::win::CDownloadDlg::kClose);
                                           }});

  EXPECT_EQ(result, IDCANCEL);
  EXPECT_TRUE(runningWhenClosed);
  ASSERT_TRUE(dlg.Result());
  EXPECT_EQ(dlg.Result()->status, gm::DownloadStatus::Cancelled);
  EXPECT_FALSE(TargetExists());
  EXPECT_FALSE(dlg.TransferRunning());
}

}  // namespace
