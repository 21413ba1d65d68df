// The update command from the version check to its notice, against a server on 127.0.0.1 inside
// this process; the test answers the dialogs from a timer and records the notices shown.
#include "update/loopback_http_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "settings/language_indexes.h"
#include "ui/control_base.h"
#include "ui/dialog_table.h"
#include "dialogs/attention_dlg.h"
#include "ui/ui_test_support.h"
#include "win_test_support.h"
#include "update/sha256.h"
#include "update/update_server.h"
#include "update/win32/download_dlg.h"
#include "update/win32/update_command.h"
#include "update/win32/wininet_source.h"

namespace {

using gmtest::LoopbackHttpServer;

const std::string kBom("\xFF\xFE", 2);

std::string Wide(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += {c, '\0'};
  return out;
}

// Every tick presses OK (start on the download dialog, OK on a notice) on the newest dialog and
// records the message of each notice it meets.
std::vector<std::wstring> gNotices;
HWND gLastNotice = nullptr;
const gm::DialogTable* gDialogs = nullptr;

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dlg = nullptr;
  for (void* e : gDialogs->Entries()) {
    if (e) dlg = static_cast<HWND>(e);
  }
  if (!dlg) return;
  auto* window = reinterpret_cast<gm::win::CDialogWindow*>(GetWindowLongPtrW(dlg, DWLP_USER));
  if (auto* notice = dynamic_cast<gm::win::CAttentionDlg*>(window)) {
    if (dlg == gLastNotice) return;  // already answered
    gLastNotice = dlg;
    gNotices.push_back(notice->Message());
  }
  uitest::ClickControl(dlg, gm::win::CAttentionDlg::kOk);  // the download dialog's start button shares the id
}

class UpdateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i : {gm::kTextCancel, gm::kTextAttention, gm::kTextDownloadButton}) ui_.texts[i] = L"text";
    ui_.texts[gm::kTextUpdateCheckFailed] = L"check failed";
    ui_.texts[gm::kTextUpdateLatest] = L"latest";
    ui_.texts[gm::kTextUpdateAvailable] = L"available";
    ui_.texts[gm::kTextDownloadDone] = L"done";
    ui_.texts[gm::kTextInstallerNotVerified] = L"not verified";
    ui_.texts[gm::kTextInstallerDigestMissing] = L"no digest";
    ui_.texts[gm::kTextInstallerDigestInvalid] = L"bad digest";
    ui_.texts[gm::kTextInstallerDigestMismatch] = L"mismatch";
    ui_.texts[gm::kTextInstallerUnreadable] = L"unreadable";
    gDialogs = &ui_.dialogs;
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    folder_ = std::wstring(base) + L"gm_update_cmd_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder_.c_str(), nullptr);
    gNotices.clear();
    gLastNotice = nullptr;
  }
  void TearDown() override {
    gDialogs = nullptr;
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(folder_), ec);
  }
  bool Run(LoopbackHttpServer& server) {
    gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, &AnswerTimer);
    const bool end = gm::win::RunUpdateCommand(ui_.context, nullptr, source, gm::UpdateServer{server.BaseUrl() + L"/gm/"}, folder_);
    KillTimer(nullptr, timer);
    return end;
  }
  bool Exists(const wchar_t* relative) const {
    return GetFileAttributesW((folder_ + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  std::wstring folder_;  // the data folder the command keeps its files in
};

TEST_F(UpdateCommandTest, SameVersionOnTheServerSaysUpToDate) {
  LoopbackHttpServer server(
      {{"/gm/VersionInfo.txt", LoopbackHttpServer::Response(200, kBom + Wide("2.1.6\n"))}});
  ASSERT_TRUE(server.Listening());
  EXPECT_FALSE(Run(server));
  EXPECT_EQ(gNotices, std::vector<std::wstring>{L"latest"});
  EXPECT_EQ(server.Requests(), 1);
  EXPECT_TRUE(Exists(L"update\\VersionInfo.ini"));
}

// The version check runs beside the window's thread: while a slow server takes a second to
// answer, the owner window stays disabled but goes on answering messages, and it is enabled
// again afterwards.
TEST_F(UpdateCommandTest, TheWindowAnswersWhileASlowServerIsAsked) {
  LoopbackHttpServer server({{"/late/VersionInfo.txt", LoopbackHttpServer::Response(200, kBom + Wide("2.1.6\n"))}});
  ASSERT_TRUE(server.Listening());
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(owner);
  std::atomic<bool> stop{false}, sawDisabled{false};
  std::atomic<int> answers{0};
  std::thread probe([&] {
    while (!stop) {
      DWORD_PTR ignored = 0;
      if (SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) ++answers;
      if (!IsWindowEnabled(owner)) sawDisabled = true;
      Sleep(5);
    }
  });
  gm::win::WinInetSource source(INTERNET_OPEN_TYPE_DIRECT);
  const UINT_PTR timer = SetTimer(nullptr, 0, 150, &AnswerTimer);
  const bool end = gm::win::RunUpdateCommand(ui_.context, owner, source, gm::UpdateServer{server.BaseUrl() + L"/late/"}, folder_);
  KillTimer(nullptr, timer);
  const int answeredDuringTheCommand = answers;
  stop = true;
  probe.join();
  EXPECT_FALSE(end);
  EXPECT_EQ(gNotices, std::vector<std::wstring>{L"latest"});
  // A thread held for the whole transfer would answer once or twice; this one every few ms.
  EXPECT_GE(answeredDuringTheCommand, 20);
  EXPECT_TRUE(sawDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(UpdateCommandTest, MissingInstallerIsReportedAndNothingStarts) {
  LoopbackHttpServer server(
      {{"/gm/VersionInfo.txt", LoopbackHttpServer::Response(200, kBom + Wide("2.1.7\n"))}});
  ASSERT_TRUE(server.Listening());
  EXPECT_FALSE(Run(server));
  EXPECT_EQ(gNotices, std::vector<std::wstring>{L"check failed"});
  EXPECT_EQ(server.Requests(), 2);  // the version file, then installer_V2.1.7.exe
  EXPECT_FALSE(Exists(L"update\\update.exe"));
}

TEST_F(UpdateCommandTest, ErrorPageForTheVersionFileSaysTheCheckFailed) {
  LoopbackHttpServer server({{"/gm/VersionInfo.txt",
                              LoopbackHttpServer::Response(200, "<html>Service unavailable</html>")}});
  ASSERT_TRUE(server.Listening());
  EXPECT_FALSE(Run(server));
  EXPECT_EQ(gNotices, std::vector<std::wstring>{L"check failed"});
  EXPECT_FALSE(Exists(L"update\\VersionInfo.ini"));
}

std::string FileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[65536];
  DWORD n = 0;
  while (ReadFile(file, chunk, sizeof chunk, &n, nullptr) && n > 0) bytes.append(chunk, n);
  CloseHandle(file);
  return bytes;
}

// The downloaded installer (a stand-in that records that it ran) is started only when its SHA-256
// equals the digest published beside it; otherwise it is deleted and a notice says why.
TEST_F(UpdateCommandTest, InstallerRunsOnlyWithAMatchingPublishedDigest) {
  const std::string installer = FileBytes(gmtest::BinFolder() + L"InstallerStandIn.exe");
  ASSERT_FALSE(installer.empty());
  const std::string digest = gm::DigestHex(gm::Sha256Of(installer));
  const struct {
    const char* name;
    const char* digestFile;  // nullptr: none on the server
    bool runs;
    std::vector<std::wstring> notices;
  } cases[] = {
      {"matching digest", "MATCH", true, {L"done"}},
      {"other digest", "0000000000000000000000000000000000000000000000000000000000000000\n", false, {L"mismatch"}},
      {"no digest", nullptr, false, {L"no digest"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::map<std::string, std::string> files = {
        {"/gm/VersionInfo.txt", LoopbackHttpServer::Response(200, kBom + Wide("2.1.7\n"))},
        {"/gm/installer_V2.1.7.exe", LoopbackHttpServer::Response(200, installer)}};
    if (c.digestFile) {
      const std::string body = std::string(c.digestFile) == "MATCH" ? digest + "  installer_V2.1.7.exe\n" : c.digestFile;
      files["/gm/installer_V2.1.7.exe.sha256"] = LoopbackHttpServer::Response(200, body);
    }
    LoopbackHttpServer server(files);
    ASSERT_TRUE(server.Listening());
    gNotices.clear();
    gLastNotice = nullptr;

    EXPECT_EQ(Run(server), c.runs);
    EXPECT_EQ(gNotices, c.notices);
    EXPECT_EQ(server.Requests(), 3);  // version file, installer, digest
    const std::wstring installerPath = folder_ + L"update\\update.exe";
    if (c.runs) {
      EXPECT_TRUE(gmtest::PumpUntil([&] { return Exists(L"update\\update.exe.ran"); }, std::chrono::seconds(30)));
      // The stand-in has ended once its file can be deleted.
      EXPECT_TRUE(gmtest::PumpUntil([&] { return DeleteFileW(installerPath.c_str()) != 0; }, std::chrono::seconds(30)));
      DeleteFileW((installerPath + L".ran").c_str());
    } else {
      EXPECT_FALSE(Exists(L"update\\update.exe"));
      EXPECT_FALSE(Exists(L"update\\update.exe.ran"));
    }
  }
}

}  // namespace
