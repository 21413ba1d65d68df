// The recorder's mouse hook turns button clicks in the program's own window into recorder events.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "macro/record_mouse_hook.h"
#include "win_test_support.h"

namespace {

struct Event {
  std::uint32_t code;
  std::uint32_t stamp;
};

class RecordMouseHookWin : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GmRecordMouseHookTest";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"mouse hook test", WS_POPUP | WS_VISIBLE,
                             100, 100, 200, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    gmtest::PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    SetCursorPos(200, 200);
  }
  void TearDown() override { DestroyWindow(window); }

  static void Click(DWORD down, DWORD up) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
  }
  gm::win::RecordMouseHook::EventSink Collect() {
    return [this](std::uint32_t code, std::uint32_t stamp) { events.push_back({code, stamp}); };
  }
  bool WaitForEvents(size_t count) {
    return gmtest::PumpUntil([&] { return events.size() >= count; }, std::chrono::seconds(5));
  }
  void Settle() { gmtest::PumpUntil([] { return false; }, std::chrono::milliseconds(300)); }

  HWND window = nullptr;
  std::vector<Event> events;
};

TEST_F(RecordMouseHookWin, ButtonClicksBecomeEventsWithReleaseBit) {
  gm::win::RecordMouseHook hook;
  ASSERT_TRUE(hook.Install(Collect(), [] { return false; }));
  Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
  ASSERT_TRUE(WaitForEvents(6)) << events.size() << " events";
  const std::uint32_t codes[] = {0xE0, 0xE0, 0xE1, 0xE1, 0xE2, 0xE2};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(events[i].code, codes[i]) << i;
    EXPECT_EQ((events[i].stamp & 0x80000000u) != 0, i % 2 == 1) << i;
  }
}

TEST_F(RecordMouseHookWin, LeftClicksOnTheRecordButtonAndAfterRemovalAreNotEvents) {
  gm::win::RecordMouseHook hook;
  ASSERT_TRUE(hook.Install(Collect(), [] { return true; }));  // pointer over the record button
  gm::win::RecordMouseHook second;
  EXPECT_FALSE(second.Install(Collect(), [] { return false; }));  // one recorder hook at a time
  Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(WaitForEvents(2));
  Settle();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].code, 0xE1u);

  hook.Remove();
  events.clear();
  Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  Settle();
  EXPECT_TRUE(events.empty());
}

TEST_F(RecordMouseHookWin, SinkMayRemoveTheHookWhileItRuns) {
  gm::win::RecordMouseHook hook;
  ASSERT_TRUE(hook.Install(
      [&](std::uint32_t code, std::uint32_t stamp) {
        events.push_back({code, stamp});
        hook.Remove();  // the recorder stops at its limit from inside the event
      },
      [] { return false; }));
  Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitForEvents(1));
  Settle();
  EXPECT_EQ(events.size(), 1u);
  EXPECT_FALSE(hook.IsInstalled());
}

}  // namespace
