// The firmware update and pairing dialogs opened from the running demo's commands (the demo
// panel's buttons), against the simulated mouse and its bootloader, in fast time (the demo's
// GM_DEMO_TIME_SCALE). What the dialogs say is read from their window text, which follows their
// status lines; what the mouse took is read from the panel's flash line. Both are plain window
// texts of the other process, read without waiting on it, so neither reading can stall the
// program or be stalled by it.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/demo_panel.h"
#include "app/main_window_support.h"
#include "app/responsiveness_support.h"

using namespace std::chrono_literals;

namespace {

// English texts of the dialogs (config/src/Lan_En.utf8.txt).
constexpr wchar_t kFirmwareCurrent[] = L"The firmware is up to date.";
constexpr wchar_t kWriting[] = L"Writing the firmware...";
constexpr wchar_t kPairingFailed[] = L"Pairing failed. Please try again.";
constexpr wchar_t kPairing[] = L"Pairing.";
// The firmware update and pairing dialogs (design units); the progress dialog is 429 x 140.
constexpr int kUpdateDialogWidth = 429, kUpdateDialogHeight = 200;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The language files of the data folder the demo starts on: the English texts the dialogs show
// here (the rest empty), selected by LanSetting.ini. Written as the program reads them: UTF-16LE
// with a byte-order mark, one entry a line.
void WriteLanguageFiles() {
  const std::wstring folder = gmtest::AppDataFolder() + L"\\GamingMouseData20260526C\\config";
  std::filesystem::create_directories(folder);
  auto write = [&](const wchar_t* name, const std::wstring& text) {
    std::ofstream out(std::filesystem::path(folder) / name, std::ios::binary | std::ios::trunc);
    out.put(static_cast<char>(0xFF));
    out.put(static_cast<char>(0xFE));
    for (wchar_t c : text) {
      out.put(static_cast<char>(c & 0xFF));
      out.put(static_cast<char>((c >> 8) & 0xFF));
    }
  };
  write(L"LanSetting.ini", L"[ChangeLanguage]\nLanguage=EN\n");
  std::wstring lines = L"[Setting]\n0=English\n";
  for (const auto& [index, text] : {std::pair{278, kPairing}, {279, L"Pairing.."}, {280, L"Pairing..."},
                                    {281, kPairingFailed}, {293, kFirmwareCurrent}, {300, kWriting}})
    lines += std::to_wstring(index) + L"=" + text + L"\n";
  write(L"Lan_En.txt", lines);
}

// The percentage a firmware dialog text ends with ("...  80.1%"); -1 when it shows none.
double PercentOf(const std::wstring& text) {
  const std::size_t end = text.rfind(L'%');
  if (end == std::wstring::npos || end + 1 != text.size()) return -1;
  const std::size_t start = text.rfind(L"  ", end);
  return start == std::wstring::npos ? -1 : std::wcstod(text.c_str() + start + 2, nullptr);
}

// The environment the demo starts with (inherited from this process), restored afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const wchar_t* name, const wchar_t* value) : name_(name) { SetEnvironmentVariableW(name, value); }
  ~ScopedEnvironment() { SetEnvironmentVariableW(name_, nullptr); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const wchar_t* name_;
};

// Records every distinct text a window shows, looking every millisecond on a thread of its own.
class TextRecorder {
 public:
  explicit TextRecorder(HWND window) : thread_([this, window] {
    std::wstring last;
    while (!stop_) {
      wchar_t text[256] = {};
      GetWindowTextW(window, text, static_cast<int>(std::size(text)));
      if (text != last) {
        last = text;
        std::lock_guard lock(mutex_);
        texts_.push_back(last);
      }
      std::this_thread::sleep_for(1ms);
    }
  }) {}
  ~TextRecorder() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  std::vector<std::wstring> Texts() {
    std::lock_guard lock(mutex_);
    return texts_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::wstring> texts_;
  std::thread thread_;
};

// The demo in fast time; `skip` (A, B or empty) is the byte of the mouse's status report that
// asks the update to leave it alone.
class FirmwareDialogs : public apptest::DemoMainWindow {
 protected:
  void StartDemo(int timeScale, const wchar_t* skip = L"") {
    scale_env_ = std::to_wstring(timeScale);
    SetEnvironmentVariableW(L"GM_DEMO_TIME_SCALE", scale_env_.c_str());
    SetEnvironmentVariableW(L"GM_DEMO_FIRMWARE_SKIP", *skip ? skip : nullptr);
    DemoMainWindow::SetUp();
    SetEnvironmentVariableW(L"GM_DEMO_TIME_SCALE", nullptr);
    SetEnvironmentVariableW(L"GM_DEMO_FIRMWARE_SKIP", nullptr);
  }
  void SetUp() override {}  // each test starts the demo with its own settings
  void PrepareDataFolder(const std::wstring&) override { WriteLanguageFiles(); }

  // The dialog a command opened: the program's visible dialog of the firmware and pairing dialogs'
  // size (the main window may show its progress dialog at the same time, after an upload that the
  // panel's plugs started).
  HWND WaitForDialog() { return DemoMainWindow::WaitForDialog(kUpdateDialogWidth, kUpdateDialogHeight, 20s); }
  // The program's visible standard dialog window owned by `owner`.
  HWND WaitForDialogOwnedBy(HWND owner) {
    struct Search {
      DWORD pid;
      HWND owner;
      HWND found = nullptr;
    } search{process_.id, owner};
    gmtest::PumpUntil(
        [&] {
          EnumWindows(
              [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                wchar_t cls[32] = {};
                GetClassNameW(w, cls, 32);
                if (pid != s->pid || std::wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(w) ||
                    GetWindow(w, GW_OWNER) != s->owner)
                  return TRUE;
                s->found = w;
                return FALSE;
              },
              reinterpret_cast<LPARAM>(&search));
          return search.found != nullptr;
        },
        20s);
    return search.found;
  }
  static std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
  }
  // The demo in twenty-fold time and the firmware dialog its panel's button opened; nullptr (with
  // a failure) when the demo did not start or the dialog did not open.
  HWND OpenFirmwareDialog(const wchar_t* skip = L"") {
    StartDemo(20, skip);
    if (HasFatalFailure()) return nullptr;
    ClickPanel(CDemoPanel::kUpdateFirmware);
    HWND dialog = WaitForDialog();
    EXPECT_TRUE(dialog) << "the firmware dialog did not open";
    return dialog;
  }
  std::wstring FlashLine() const { return PanelText(CDemoPanel::kFlashLine); }
  void ExpectSkippedThrough(const wchar_t* skipByte);

  std::wstring scale_env_;
};

TEST_F(FirmwareDialogs, UpdateWritesOnlyTheApplicationKeepsTheWindowAnsweringAndResetsTheMouse) {
  HWND dialog = OpenFirmwareDialog();
  ASSERT_TRUE(dialog);
  TextRecorder texts(dialog);
  apptest::ResponsivenessProbe probe(window_);

  // Done when the mouse came back with the new firmware and the window had it reset (within the
  // test's own time limit, so a stuck update reports what it shows).
  const bool done = gmtest::PumpUntil(
      [&] { return FlashLine().find(L"restarts 1") != std::wstring::npos && FlashLine().find(L"resets 1") != std::wstring::npos; },
      90s);
  probe.Stop();
  texts.Stop();
  ASSERT_TRUE(done) << "flash line: " << Narrow(FlashLine()) << ", dialog: " << Narrow(TextOf(dialog));
  EXPECT_TRUE(gmtest::PumpUntil([&] { return TextOf(dialog).rfind(kFirmwareCurrent, 0) == 0; }, 10s));

  // The system region matched on the first comparison: no unlock, no sector erase, and the only
  // writes are the application's 793 full blocks and its short last block.
  EXPECT_EQ(FlashLine(), L"Unlocks 0, erases 0, writes 794, restarts 1, pairing 0, resets 1");

  // 3965 steps in all: the writes end at 3176 / 3965 = 80.1 %, verification brings 100.0 % and no
  // more.
  double highest = -1, highestWriting = -1;
  for (const std::wstring& t : texts.Texts()) {
    const double p = PercentOf(t);
    highest = std::max(highest, p);
    if (t.rfind(kWriting, 0) == 0) highestWriting = std::max(highestWriting, p);
  }
  EXPECT_GT(highestWriting, 0.0);
  EXPECT_LE(highestWriting, 80.1 + 1e-9);
  EXPECT_DOUBLE_EQ(highest, 100.0);
  EXPECT_DOUBLE_EQ(PercentOf(TextOf(dialog)), 100.0);

  // The main window answered throughout (the mouse's restart included): the probe asks every 5 ms
  // and waits up to 5 s for each answer, so a wait that did not handle messages would leave a
  // handful of answers over the whole update and some of them unanswered. How fast the answers
  // come is measured by the stall-probe benchmark, not asserted here.
  const std::vector<double> answers = probe.SortedAnswers();
  EXPECT_GT(answers.size(), 200u);
  EXPECT_LT(answers.back(), 5000) << "of " << answers.size() << " answers";

  // The program outlived the mouse's vanishing during its restart.
  EXPECT_EQ(WaitForSingleObject(process_.handle.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

// The close button during an update asks first (Escape does the same); a confirmed stop ends the
// update at its next write into the application region, and the dialog then closes by itself. The
// program keeps running and answering, and the mouse has not been restarted: it waits in its
// bootloader for the next attempt.
TEST_F(FirmwareDialogs, ConfirmedStopDuringTheUpdateEndsItAndClosesTheDialog) {
  HWND dialog = OpenFirmwareDialog();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return TextOf(dialog).rfind(kWriting, 0) == 0; }, 30s)) << Narrow(TextOf(dialog));
  apptest::ResponsivenessProbe probe(window_);

  PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  HWND question = WaitForDialogOwnedBy(dialog);
  ASSERT_TRUE(question) << "no question before stopping";
  EXPECT_TRUE(IsWindow(dialog));
  // Enter confirms; the question may be shown before its keys are handled, so it is pressed again
  // until the question has gone.
  ULONGLONG lastPress = 0;
  ASSERT_TRUE(gmtest::PumpUntil(
      [&] {
        if (!IsWindow(question)) return true;
        if (GetTickCount64() - lastPress >= 250) {
          PostMessageW(question, WM_KEYDOWN, VK_RETURN, 0);
          lastPress = GetTickCount64();
        }
        return false;
      },
      20s));
  EXPECT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(dialog); }, 30s)) << Narrow(TextOf(dialog));
  probe.Stop();

  const std::wstring flash = FlashLine();
  int writes = -1, restarts = -1;
  ASSERT_EQ(swscanf(flash.c_str(), L"Unlocks %*d, erases %*d, writes %d, restarts %d", &writes, &restarts), 2)
      << Narrow(flash);
  EXPECT_LT(writes, 794);  // none at all when the stop came before the first block
  EXPECT_EQ(restarts, 0);
  const std::vector<double> answers = probe.SortedAnswers();
  ASSERT_FALSE(answers.empty());
  EXPECT_LT(answers.back(), 5000) << "of " << answers.size() << " answers";
  EXPECT_EQ(WaitForSingleObject(process_.handle.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

// A mouse whose wired status report asks to be skipped is reported current whatever its
// checksum, and nothing is written.
void FirmwareDialogs::ExpectSkippedThrough(const wchar_t* skipByte) {
  HWND dialog = OpenFirmwareDialog(skipByte);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(gmtest::PumpUntil([&] { return TextOf(dialog) == kFirmwareCurrent; }, 20s)) << Narrow(TextOf(dialog));
  EXPECT_EQ(FlashLine(), L"Unlocks 0, erases 0, writes 0, restarts 0, pairing 0, resets 0");
  // Escape closes the dialog once nothing runs.
  PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(dialog); }, 10s));
}

TEST_F(FirmwareDialogs, SkipByteAReportsCurrent) { ExpectSkippedThrough(L"A"); }
TEST_F(FirmwareDialogs, SkipByteBReportsCurrent) { ExpectSkippedThrough(L"B"); }

TEST_F(FirmwareDialogs, PairingThatNeverSeesTheMouseFailsAndItsRetrySendsNoSecondReport) {
  constexpr int kScale = 50;  // ticks every 20 ms
  StartDemo(kScale);
  ASSERT_FALSE(HasFatalFailure());
  // The receiver in, the mouse asleep (offline), then the cable out: nothing reports it online.
  ClickPanel(CDemoPanel::kPlugWireless);
  ClickPanel(CDemoPanel::kSleepWake);
  ClickPanel(CDemoPanel::kPlugWired);
  ClickPanel(CDemoPanel::kPairReceiver);
  HWND dialog = WaitForDialog();
  ASSERT_TRUE(dialog) << "the pairing dialog did not open";

  for (int attempt = 1; attempt <= 2; ++attempt) {
    const auto start = std::chrono::steady_clock::now();
    PostMessageW(dialog, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(gmtest::PumpUntil([&] { return TextOf(dialog) != kPairingFailed; }, 10s)) << "attempt " << attempt;
    ASSERT_TRUE(gmtest::PumpUntil([&] { return TextOf(dialog) == kPairingFailed; }, 30s))
        << "attempt " << attempt << ": " << Narrow(TextOf(dialog));
    // 25 ticks pass before the 26th gives up.
    EXPECT_GE(std::chrono::steady_clock::now() - start, 25 * 1000ms / kScale) << "attempt " << attempt;
    EXPECT_NE(FlashLine().find(L"pairing 1,"), std::wstring::npos)
        << "attempt " << attempt << ": " << Narrow(FlashLine());
  }
}

}  // namespace
