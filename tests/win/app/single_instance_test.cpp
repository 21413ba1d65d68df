// Start-up of the real program under Wine: the single-instance hand-over, the first run's data
// folder and the main window's placement.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "app/screen_layout.h"
#include "app/single_instance.h"
#include "win_test_support.h"
#include "ui/program_messages.h"

using namespace std::chrono_literals;

namespace {

int g_handOvers = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == gm::msg::kHandOver) {
    ++g_handOvers;
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// Plays the first instance: holds the mutex and owns a window of the main window's class.
class FakeFirstInstance {
 public:
  FakeFirstInstance() {
    mutex_.Reset(CreateMutexW(nullptr, FALSE, gm::kInstanceMutexName));
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = gm::kMainWindowClassName;
    RegisterClassExW(&wc);
    hwnd_ = CreateWindowExW(0, gm::kMainWindowClassName, L"first", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                            nullptr, wc.hInstance, nullptr);
  }
  ~FakeFirstInstance() {
    DestroyWindow(hwnd_);
    UnregisterClassW(gm::kMainWindowClassName, GetModuleHandleW(nullptr));
  }
  HWND hwnd() const { return hwnd_; }

 private:
  gm::win::ScopedHandle mutex_;
  HWND hwnd_ = nullptr;
};

}  // namespace

TEST(SingleInstance, SecondStartSignalsTheRunningWindowOnceAndEnds) {
  FakeFirstInstance first;
  ASSERT_NE(first.hwnd(), nullptr);
  g_handOvers = 0;

  gmtest::Process second = gmtest::StartProgram(L"GamingMouse.exe");
  ASSERT_TRUE(second.handle);
  // The second instance sends synchronously, so this thread must keep pumping while it waits.
  const bool ended = gmtest::PumpUntilExited(second.handle.Get(), 30s);
  if (!ended) gmtest::Terminate(second);
  ASSERT_TRUE(ended) << "the second instance kept running";

  // Let anything still queued arrive before counting.
  gmtest::PumpUntil([] { return false; }, 200ms);
  EXPECT_EQ(g_handOvers, 1);
  DWORD code = 99;
  GetExitCodeProcess(second.handle.Get(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(gmtest::FindWindowOfProcess(gm::kMainWindowClassName, second.id), nullptr);
}

TEST(SingleInstance, SecondStartWithoutAWindowYetEndsSilently) {
  gm::win::ScopedHandle mutex(CreateMutexW(nullptr, FALSE, gm::kInstanceMutexName));
  ASSERT_TRUE(mutex);
  ASSERT_EQ(FindWindowW(gm::kMainWindowClassName, nullptr), nullptr);

  gmtest::Process second = gmtest::StartProgram(L"GamingMouse.exe");
  ASSERT_TRUE(second.handle);
  const bool ended = gmtest::PumpUntilExited(second.handle.Get(), 30s);
  if (!ended) gmtest::Terminate(second);
  EXPECT_TRUE(ended);
}

TEST(StartUp, FirstRunCreatesTheDataFolderPlacesTheWindowAndRefusesASecondCopy) {
  const std::wstring dataRoot = gmtest::AppDataFolder() + L"\\GamingMouseData20260526C";
  std::error_code ec;
  std::filesystem::remove_all(dataRoot, ec);
  ASSERT_FALSE(std::filesystem::exists(dataRoot));

  gmtest::Process first = gmtest::StartProgram(L"GamingMouse.exe");
  ASSERT_TRUE(first.handle);
  HWND window = nullptr;
  const bool appeared = gmtest::PumpUntil(
      [&] { return (window = gmtest::FindWindowOfProcess(gm::kMainWindowClassName, first.id)) != nullptr; }, 60s);
  if (!appeared) gmtest::Terminate(first);
  ASSERT_TRUE(appeared) << "no main window";

  // Placed centred for the screen it runs on. With the default start mode and no mouse attached
  // the window starts minimised and is then kept hidden, so the placement is its restored one.
  const int sw = GetSystemMetrics(SM_CXFULLSCREEN);
  const int sh = GetSystemMetrics(SM_CYFULLSCREEN);
  const gm::WindowPlacement want = gm::PlaceMainWindow(sw, sh, gm::DisplayScaleFor(sw, sh));
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  const RECT& rc = placement.rcNormalPosition;
  gmtest::PumpUntil([&] {
    GetWindowPlacement(window, &placement);
    return rc.right - rc.left == want.width && !IsWindowVisible(window);
  }, 10s);
  EXPECT_EQ(rc.left, want.left);
  EXPECT_EQ(rc.top, want.top);
  EXPECT_EQ(rc.right - rc.left, want.width);
  EXPECT_EQ(rc.bottom - rc.top, want.height);
  EXPECT_FALSE(IsWindowVisible(window)) << "no mouse answered, yet the window is shown";

  // The first run writes the configuration and the five profiles with their defaults (the window
  // is created before its initialisation runs the loads, so this is checked once it has been
  // placed and hidden, which comes after them).
  EXPECT_TRUE(std::filesystem::is_directory(dataRoot + L"\\config"));
  EXPECT_TRUE(std::filesystem::is_regular_file(dataRoot + L"\\config\\config.ini"));
  for (int slot = 0; slot < 5; ++slot) {
    const std::wstring profile = dataRoot + L"\\config\\default" + std::to_wstring(slot) + L".psf";
    EXPECT_TRUE(std::filesystem::is_regular_file(profile)) << "profile " << slot;
  }

  // A second copy hands over and ends; the first keeps running.
  gmtest::Process second = gmtest::StartProgram(L"GamingMouse.exe");
  ASSERT_TRUE(second.handle);
  const bool secondEnded = gmtest::PumpUntilExited(second.handle.Get(), 30s);
  if (!secondEnded) gmtest::Terminate(second);
  EXPECT_TRUE(secondEnded);
  EXPECT_EQ(WaitForSingleObject(first.handle.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));

  PostMessageW(window, WM_CLOSE, 0, 0);
  const bool firstEnded = gmtest::PumpUntilExited(first.handle.Get(), 30s);
  if (!firstEnded) gmtest::Terminate(first);
  EXPECT_TRUE(firstEnded);
}
