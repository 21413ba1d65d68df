// KeyboardHook.dll reports synthesized key presses and releases to a window as msg::kKeyReport.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "macro/hook/keyboard_hook.h"
#include "ui/program_messages.h"
#include "win_test_support.h"

namespace {

struct Report {
  WPARAM code;
  LPARAM stamp;
};

std::vector<Report>* g_reports = nullptr;

LRESULT CALLBACK ReportWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == gm::msg::kKeyReport && g_reports) g_reports->push_back({wParam, lParam});
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class KeyboardHookWin : public ::testing::Test {
 protected:
  void SetUp() override {
    g_reports = &reports;
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReportWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GmKeyboardHookTest";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, wc.lpszClassName, L"hook test", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window);
    g_reports = nullptr;
  }

  static void SendKey(WORD vk, WORD scan, bool release, bool extended = false) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = scan;
    input.ki.dwFlags = (release ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
  }
  bool WaitForReports(size_t count) {
    return gmtest::PumpUntil([&] { return reports.size() >= count; }, std::chrono::seconds(5));
  }

  HWND window = nullptr;
  std::vector<Report> reports;
};

TEST_F(KeyboardHookWin, ReportsPressAndReleaseWithTickAndReleaseBit) {
  CKeyboardHook hook;
  EXPECT_EQ(hook.StartHook(window), 1);
  const DWORD before = GetTickCount() & 0x7FFFFFFF;
  SendKey('A', 0x1E, false);
  SendKey('A', 0x1E, true);
  ASSERT_TRUE(WaitForReports(2)) << reports.size() << " reports";
  const DWORD after = GetTickCount() & 0x7FFFFFFF;
  hook.StopHook();

  EXPECT_EQ(reports[0].code, WPARAM{0x41});
  EXPECT_EQ(reports[0].stamp & 0x80000000, 0);
  EXPECT_EQ(reports[1].code, WPARAM{0x41});
  EXPECT_EQ(reports[1].stamp & 0x80000000, 0x80000000);
  for (const auto& r : reports) {
    const DWORD tick = static_cast<DWORD>(r.stamp) & 0x7FFFFFFF;
    EXPECT_GE(tick + 50, before);  // stamped with the tick count at the event
    EXPECT_LE(tick, after + 50);
  }
}

TEST_F(KeyboardHookWin, ModifiersAreReportedWithTheirSide) {
  CKeyboardHook hook;
  hook.StartHook(window);
  SendKey(VK_RSHIFT, 0x36, false);
  SendKey(VK_RSHIFT, 0x36, true);
  SendKey(VK_LCONTROL, 0x1D, false);
  SendKey(VK_LCONTROL, 0x1D, true);
  SendKey(VK_RMENU, 0x38, false, true);
  SendKey(VK_RMENU, 0x38, true, true);
  // Side-neutral codes as a keyboard driver sends them: the side comes from the scan code or
  // the extended flag. An extended Enter is the keypad Enter.
  SendKey(VK_SHIFT, 0x36, false);
  SendKey(VK_CONTROL, 0x1D, false, true);
  SendKey(VK_MENU, 0x38, false);
  SendKey(VK_RETURN, 0x1C, false, true);
  SendKey(VK_RETURN, 0x1C, true, true);
  SendKey(VK_MENU, 0x38, true);
  SendKey(VK_CONTROL, 0x1D, true, true);
  SendKey(VK_SHIFT, 0x36, true);
  ASSERT_TRUE(WaitForReports(14)) << reports.size() << " reports";
  hook.StopHook();
  const WPARAM expected[] = {0xA1, 0xA1, 0xA2, 0xA2, 0xA5, 0xA5, 0xA1, 0xA3, 0xA4, 0x0E, 0x0E, 0xA4, 0xA3, 0xA1};
  for (size_t i = 0; i < 14; ++i) EXPECT_EQ(reports[i].code, expected[i]) << i;
}

// Keys the system names with one of the codes a macro uses for mouse events: the "<>|" key
// (VK_OEM_102, 0xE2) is reported under its private key code 0xF3, the others not at all. An A
// pressed afterwards marks the end of what was reported.
TEST_F(KeyboardHookWin, KeysUnderTheMacroMouseCodesAreNeverReportedUnderThem) {
  CKeyboardHook hook;
  hook.StartHook(window);
  for (WORD vk = 0xE0; vk <= 0xE7; ++vk) {
    const WORD scan = vk == 0xE2 ? 0x56 : 0;
    SendKey(vk, scan, false);
    SendKey(vk, scan, true);
  }
  SendKey('A', 0x1E, false);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !reports.empty() && reports.back().code == 0x41; },
                                std::chrono::seconds(5)));
  hook.StopHook();
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[0].code, WPARAM{0xF3});
  EXPECT_EQ(reports[0].stamp & 0x80000000, 0);
  EXPECT_EQ(reports[1].code, WPARAM{0xF3});
  EXPECT_EQ(reports[1].stamp & 0x80000000, 0x80000000);
}

TEST_F(KeyboardHookWin, NothingIsReportedAfterStopOrBeforeStart) {
  {
    CKeyboardHook idle;  // constructed, never started; stopping it is harmless
    EXPECT_EQ(idle.StopHook(), 1);
  }
  CKeyboardHook hook;
  hook.StartHook(window);
  SendKey('B', 0x30, false);
  SendKey('B', 0x30, true);
  ASSERT_TRUE(WaitForReports(2));
  hook.StopHook();
  reports.clear();
  SendKey('C', 0x2E, false);
  SendKey('C', 0x2E, true);
  gmtest::PumpUntil([] { return false; }, std::chrono::milliseconds(300));
  EXPECT_TRUE(reports.empty());
}

TEST_F(KeyboardHookWin, TwoStartedObjectsBothReportAndStopIndependently) {
  CKeyboardHook first, second;
  first.StartHook(window);
  second.StartHook(window);
  SendKey('D', 0x20, false);
  ASSERT_TRUE(WaitForReports(2));
  first.StopHook();
  reports.clear();
  SendKey('D', 0x20, true);
  ASSERT_TRUE(WaitForReports(1));
  gmtest::PumpUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_EQ(reports.size(), 1u);  // only the second object still reports
  second.StopHook();
}

}  // namespace
