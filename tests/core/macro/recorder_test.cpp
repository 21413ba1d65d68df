#include "macro/recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gm {
namespace {

class FakeHost : public RecorderHost {
 public:
  bool StartKeyHook() override {
    log.push_back("start-keys");
    return keysWork;
  }
  void StopKeyHook() override { log.push_back("stop-keys"); }
  bool InstallMouseHook() override {
    log.push_back("mouse-on");
    return mouseWorks;
  }
  void RemoveMouseHook() override { log.push_back("mouse-off"); }
  void SetControlsEnabled(bool enabled) override { log.push_back(enabled ? "enable" : "disable"); }
  void ResetActionList() override { log.push_back("reset-list"); }
  void ShowActionListEnd() override { ++redraws; }
  bool RecordDelays() const override { return delays; }
  void SaveLibrary() override { log.push_back("save"); }
  void RefuseStart() override { log.push_back("refuse"); }
  void LimitReached() override { log.push_back("limit"); }
  void HookFailed() override { log.push_back("hook-failed"); }

  std::vector<std::string> log;
  int redraws = 0;
  bool delays = true;
  bool keysWork = true;
  bool mouseWorks = true;
};

constexpr std::uint32_t Press(std::uint32_t tick) { return KeyReportStamp(tick, false); }
constexpr std::uint32_t Release(std::uint32_t tick) { return KeyReportStamp(tick, true); }

MacroAction At(const MacroKey& m, int i) { return m.GetAction(i); }

class RecorderTest : public ::testing::Test {
 protected:
  void StartOn(MacroKey& m) {
    recorder.SetMacro(&m);
    ASSERT_TRUE(recorder.Start());
    host.log.clear();
  }
  FakeHost host;
  MacroRecorder recorder{host};
  MacroKey macro{L"rec"};
};

TEST_F(RecorderTest, StartWithoutMacroIsRefused) {
  EXPECT_FALSE(recorder.Start());
  EXPECT_FALSE(recorder.IsRecording());
  EXPECT_EQ(host.log, (std::vector<std::string>{"refuse"}));
}

// A hook the system refuses leaves nothing behind: no recording, the macro as it was, the hook
// that did start taken down again, and the user told.
TEST_F(RecorderTest, HookThatCannotBeInstalledLeavesNoRecordingState) {
  macro.InsertAction(0, MacroAction::Event(0x41, false));
  macro.MacroCommandActionNum = 1;
  const MacroKey before = macro;
  struct Case {
    bool keys, mouse;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {false, true, {"start-keys", "hook-failed"}},
      {true, false, {"start-keys", "mouse-on", "stop-keys", "hook-failed"}},
  };
  for (const Case& c : cases) {
    host.log.clear();
    host.keysWork = c.keys;
    host.mouseWorks = c.mouse;
    recorder.SetMacro(&macro);
    EXPECT_FALSE(recorder.Start());
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_EQ(host.log, c.log);
    EXPECT_EQ(macro, before);
    recorder.RecordKey(0x42, Press(10));
    EXPECT_EQ(macro, before);
  }
}

// The keyboard hook failing to come back after an insert dialog ends the recording (saved) rather
// than recording without keys.
TEST_F(RecorderTest, KeysThatCannotResumeEndTheRecording) {
  StartOn(macro);
  recorder.SuspendKeys();
  host.keysWork = false;
  recorder.ResumeKeys();
  EXPECT_FALSE(recorder.IsRecording());
  EXPECT_EQ(host.log, (std::vector<std::string>{"stop-keys", "start-keys", "stop-keys", "mouse-off", "enable",
                                                 "save", "hook-failed"}));
}

TEST_F(RecorderTest, StartEmptiesTheMacroAndStopSaves) {
  for (int i = 0; i < 6; ++i) macro.InsertAction(i, MacroAction{0x41});
  macro.MacroCommandActionNum = 6;
  recorder.SetMacro(&macro);
  ASSERT_TRUE(recorder.Start());
  EXPECT_EQ(host.log, (std::vector<std::string>{"start-keys", "mouse-on", "reset-list", "disable"}));
  EXPECT_EQ(macro.MacroActionNum, 0u);
  EXPECT_EQ(macro.MacroCommandActionNum, 0);
  recorder.RecordKey(0x42, Press(10));
  EXPECT_EQ(macro.MacroActionNum, 1u);
  EXPECT_EQ(At(macro, 0), MacroAction::Event(0x42, false));

  host.log.clear();
  recorder.Stop();
  EXPECT_FALSE(recorder.IsRecording());
  EXPECT_EQ(host.log, (std::vector<std::string>{"stop-keys", "mouse-off", "enable", "save"}));
  // A report still queued after the stop changes nothing.
  recorder.RecordKey(0x43, Press(20));
  EXPECT_EQ(macro.MacroActionNum, 1u);
  host.log.clear();
  recorder.Stop();
  EXPECT_TRUE(host.log.empty());
}

TEST_F(RecorderTest, PressDelayReleaseWithoutDelayBeforeFirstAction) {
  StartOn(macro);
  recorder.RecordKey(0x41, Press(1000));
  recorder.RecordKey(0x41, Release(1300));
  ASSERT_EQ(macro.MacroActionNum, 3u);
  EXPECT_EQ(At(macro, 0), MacroAction::FromBytes(0x41, 0x00, 0, 0));
  EXPECT_EQ(At(macro, 1), MacroAction::FromBytes(0x03, 0x00, 0x01, 0x2C));
  EXPECT_EQ(At(macro, 2), MacroAction::FromBytes(0x41, 0x80, 0, 0));
  EXPECT_EQ(macro.MacroCommandActionNum, 2);
  EXPECT_EQ(host.redraws, 2);
}

TEST_F(RecorderTest, WithoutDelaysOnlyEventsAreRecorded) {
  host.delays = false;
  StartOn(macro);
  recorder.RecordMouse(0xE0, Press(0));
  recorder.RecordMouse(0xE0, Release(500));
  ASSERT_EQ(macro.MacroActionNum, 2u);
  EXPECT_EQ(At(macro, 1), MacroAction::FromBytes(0xE0, 0x80, 0, 0));
}

TEST_F(RecorderTest, AutoRepeatAndIgnoredCodes) {
  StartOn(macro);
  recorder.RecordKey(0x41, Press(100));
  for (int i = 1; i <= 20; ++i) recorder.RecordKey(0x41, Press(100 + 30 * i));  // held key
  recorder.RecordKey(0x41, Release(800));
  recorder.RecordKey(0x41, Release(900));  // a second release
  recorder.RecordKey(0x07, Press(950));    // system mouse-button codes are not keys
  recorder.RecordKey(0x00, Press(950));
  recorder.RecordKey(0x141, Press(950));   // not a one-byte code
  ASSERT_EQ(macro.MacroActionNum, 3u);
  EXPECT_EQ(At(macro, 1).DelayMs(), 700u);  // measured from the accepted press
  EXPECT_EQ(At(macro, 2), MacroAction::Event(0x41, true));
  // The wheel is never filtered as a repeat.
  recorder.RecordMouse(0xE7, Press(1000));
  recorder.RecordMouse(0xE7, Press(1010));
  EXPECT_EQ(macro.MacroActionNum, 7u);
  EXPECT_EQ(At(macro, 6), MacroAction::FromBytes(0xE7, 0, 0, 0));
}

// Keys the system reports under the codes a macro uses for mouse events (0xE0..0xE7): the "<>|"
// key of European keyboards (0xE2) is recorded as the key it is (0xF3, usage 0x64), the others
// (an input-method key 0xE5, injected characters 0xE7, OEM codes) not at all; none becomes a
// mouse action. The mouse hook's own events keep their codes.
TEST_F(RecorderTest, KeysUnderTheMouseCodesAreNeverRecordedAsMouseActions) {
  host.delays = false;
  StartOn(macro);
  std::uint32_t tick = 0;
  for (std::uint32_t code = 0xE0; code <= 0xE7; ++code) {
    recorder.RecordKey(code, Press(tick += 10));
    recorder.RecordKey(code, Release(tick += 10));
  }
  ASSERT_EQ(macro.MacroActionNum, 2u);
  EXPECT_EQ(At(macro, 0), MacroAction::FromBytes(0xF3, 0x00, 0, 0));
  EXPECT_EQ(At(macro, 1), MacroAction::FromBytes(0xF3, 0x80, 0, 0));
  EXPECT_EQ(macro.MacroCommandActionNum, 2);

  recorder.RecordMouse(0xE2, Press(tick += 10));  // the middle button
  recorder.RecordMouse(0x41, Press(tick += 10));  // no mouse event
  ASSERT_EQ(macro.MacroActionNum, 3u);
  EXPECT_EQ(At(macro, 2), MacroAction::FromBytes(0xE2, 0x00, 0, 0));
}

TEST(RecordedDelay, WrapAndCap) {
  struct Case {
    std::uint32_t last, now, delay;
  };
  const Case cases[] = {
      {Press(1000), Release(1300), 300},
      {Press(0), Press(10000), 4095},                 // a 10-second pause
      {Press(0x7FFFFF00), Press(0x10), 0x110},        // the 31-bit clock wrapped
      {Release(0x7FFFFFFF), Press(0), 1},
      {Press(500), Press(500), 0},
      {Press(5000), Press(4000), 4095},               // wrapped the long way round
  };
  for (const auto& c : cases) EXPECT_EQ(RecordedDelay(c.last, c.now), c.delay) << c.last << " " << c.now;
}

TEST_F(RecorderTest, HundredTwentyFifthCommandIsKeptTheNextStopsRecording) {
  StartOn(macro);
  std::uint32_t tick = 0;
  for (int i = 0; i < 125; ++i) recorder.RecordKey(0x41, (i % 2) ? Release(tick += 5) : Press(tick += 5));
  EXPECT_TRUE(recorder.IsRecording());
  EXPECT_EQ(macro.MacroCommandActionNum, 125);
  EXPECT_EQ(macro.MacroActionNum, 249u);  // 125 events and 124 delays
  EXPECT_EQ(At(macro, 248), MacroAction::Event(0x41, false));
  host.log.clear();
  recorder.RecordKey(0x42, Press(tick += 5));
  EXPECT_FALSE(recorder.IsRecording());
  EXPECT_EQ(macro.MacroActionNum, 249u);
  EXPECT_EQ(macro.MacroCommandActionNum, 125);
  EXPECT_EQ(host.log, (std::vector<std::string>{"stop-keys", "mouse-off", "enable", "save", "limit"}));
}

TEST_F(RecorderTest, KeysPauseForTheInsertDialogs) {
  StartOn(macro);
  recorder.SuspendKeys();
  recorder.ResumeKeys();
  EXPECT_EQ(host.log, (std::vector<std::string>{"stop-keys", "start-keys"}));
  recorder.Stop();
  host.log.clear();
  recorder.SuspendKeys();
  recorder.ResumeKeys();
  EXPECT_EQ(host.log, (std::vector<std::string>{"stop-keys"}));
}

TEST(MouseHookEvent, ButtonMessagesAndTheRecordButton) {
  struct Case {
    std::uint32_t message;
    bool overButton;
    int code;  // -1: no event
    bool release;
  };
  const Case cases[] = {
      {0x201, false, 0xE0, false}, {0x202, false, 0xE0, true},  {0x204, false, 0xE1, false},
      {0x205, false, 0xE1, true},  {0x207, false, 0xE2, false}, {0x208, false, 0xE2, true},
      {0x201, true, -1, false},    {0x202, true, -1, false},    {0x204, true, 0xE1, false},
      {0x200, false, -1, false},   {0x203, false, -1, false},   {0x20A, false, -1, false},
      {0x20B, false, -1, false},
  };
  for (const auto& c : cases) {
    const auto event = MouseHookEvent(c.message, c.overButton);
    if (c.code < 0) {
      EXPECT_FALSE(event) << std::hex << c.message;
      continue;
    }
    ASSERT_TRUE(event) << std::hex << c.message;
    EXPECT_EQ(event->code, c.code);
    EXPECT_EQ(event->release, c.release);
  }
}

}  // namespace
}  // namespace gm
