// The macro manager opened from the running demo's main window. Recording: the record button
// clicked as a user would, real key presses through the system's input (SendInput), which reach
// the program through KeyboardHook.dll's system-wide hook, and the library file the recording's end
// writes, read back from the program's data folder. Saving: the library file held by another
// program while the manager closes.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/main_window_support.h"
#include "macro/held_file_support.h"
#include "macro/library_file.h"
#include "macro/macro_manager_dlg.h"

using namespace std::chrono_literals;

namespace {

using D = gm::win::CMacroManagerDlg;
using gm::MacroAction;
using gm::MacroItemLocation;

constexpr gm::LayoutRect kManagerButton{36, 320, 266, 345};
// Design rectangles of the manager's controls this test uses.
constexpr gm::LayoutRect kFirstTreeRow{26, 55, 152, 75};
constexpr gm::LayoutRect kRecordButton{350, 125, 510, 147};
constexpr gm::LayoutRect kRecordDelaysBox{350, 158, 365, 173};
constexpr gm::LayoutRect kReplayCountBox{350, 257, 365, 272};
constexpr gm::LayoutRect kCloseCross{505, 4, 520, 19};
constexpr gm::LayoutRect kNoticeOk{240, 70, 309, 90};
constexpr std::uint8_t kKeyA = 0x41;

struct OwnedDialogSearch {
  DWORD pid;
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<OwnedDialogSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (pid == search->pid && GetWindow(hwnd, GW_OWNER) == search->owner && IsWindowVisible(hwnd) &&
      std::wstring(cls) == L"#32770") {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

void SendInputKey(WORD vk, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  ASSERT_EQ(SendInput(1, &input, sizeof(INPUT)), 1u);
}

class MacroRecordingWin : public apptest::DemoMainWindow {
 protected:
  // The library the program starts with: one empty macro "Rec" at the top of the tree.
  void PrepareDataFolder(const std::wstring& folder) override {
    std::filesystem::create_directories(std::filesystem::path(folder + L"config"));
    gm::MacroLibrary library;
    MacroItemLocation at;
    library.CreateMacro(L"Rec", at);
    ASSERT_TRUE(gm::SaveLibraryFile(library, folder));
  }

  // Opens the manager with the main window's button and selects "Rec".
  void OpenManagerOnRec() {
    ASSERT_NO_FATAL_FAILURE(OpenManager());
    Click(kFirstTreeRow);
    // Selecting the macro shows its repeat count (mode 2): the count box appears.
    ASSERT_TRUE(gmtest::PumpUntil([&] { return IsWindowVisible(GetDlgItem(manager_, D::kLoopCount)) != FALSE; }, 10s));
  }

  // Opens the manager with the main window's button.
  void OpenManager() {
    ClickAt(kManagerButton);
    OwnedDialogSearch search{process_.id, window_, nullptr};
    ASSERT_TRUE(gmtest::PumpUntil(
        [&] {
          search.found = nullptr;
          EnumWindows(&FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
          return search.found != nullptr;
        },
        20s))
        << "the macro manager did not open";
    manager_ = search.found;
    ASSERT_TRUE(gmtest::PumpUntil([&] { return GetDlgItem(manager_, D::kLoopCount) != nullptr; }, 10s));
    // Typed keys then go to the manager rather than to whichever window had the focus.
    SetForegroundWindow(manager_);
  }

  // Waits until the manager's thread has handled everything sent to it so far. The system hands
  // a key event to the program's low-level hook as a sent message, and the hook posts its report
  // only when that message is handled: a click posted before then would overtake the report.
  void Sync() {
    DWORD_PTR ignored = 0;
    ASSERT_NE(SendMessageTimeoutW(manager_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored), 0) << "the manager hangs";
  }
  // A real key event, sent once the manager's thread is waiting for input (the system gives up on
  // a hook that does not answer in time, and the event is then not reported).
  void SendKey(WORD vk, bool release) {
    Sync();
    SendInputKey(vk, release);
  }

  void Click(const gm::LayoutRect& r) {
    const gm::LayoutRect s = gm::ScaleRect(r, scale_);
    const LPARAM at = MAKELPARAM((s.left + s.right) / 2, (s.top + s.bottom) / 2);
    PostMessageW(manager_, WM_MOUSEMOVE, 0, at);
    PostMessageW(manager_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(manager_, WM_LBUTTONUP, 0, at);
  }

  // Recording disables every control but the record button: the count box shows the state.
  bool Recording() const { return !IsWindowEnabled(GetDlgItem(manager_, D::kLoopCount)); }
  void StartRecording() {
    // The key starts up: a test before this one may have ended with it down, and a press of a key
    // the system holds down would be reported as its auto-repeat.
    SendInputKey(kKeyA, true);
    Click(kRecordButton);
    ASSERT_TRUE(gmtest::PumpUntil([&] { return Recording(); }, 10s)) << "recording did not start";
  }
  void StopRecording() {
    Sync();
    Click(kRecordButton);
    ASSERT_TRUE(gmtest::PumpUntil([&] { return !Recording(); }, 10s)) << "recording did not stop";
  }

  // "Rec" as the library file holds it now (an empty macro while the file cannot be read).
  static gm::MacroKey SavedRec() {
    gm::MacroLibrary library;
    if (!gm::LoadLibraryAtStartup(library, DataFolder())) return gm::MacroKey{};
    const gm::MacroItem* item = library.ItemAt(MacroItemLocation::Level0(0));
    return item && item->Macro ? *item->Macro : gm::MacroKey{};
  }
  // "Rec" once the file holds a recording that begins with `firstKey`. The record button comes
  // back before the stop has written the file, so the test waits for the file.
  static gm::MacroKey SavedRecStartingWith(std::uint8_t firstKey) {
    gm::MacroKey rec;
    gmtest::PumpUntil(
        [&] {
          rec = SavedRec();
          return rec.MacroActionNum > 0 && rec.GetAction(0).Code() == firstKey;
        },
        10s);
    return rec;
  }

  // The manager's notice (a 319 × 102 dialog it owns), waited for; nullptr when none came.
  HWND WaitForManagerNotice(std::chrono::milliseconds timeout) const {
    OwnedDialogSearch search{process_.id, manager_, nullptr};
    gmtest::PumpUntil(
        [&] {
          search.found = nullptr;
          EnumWindows(&FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
          RECT client{};
          return search.found && GetClientRect(search.found, &client) && client.right == static_cast<LONG>(319 * scale_);
        },
        timeout);
    return search.found;
  }
  bool CountBoxShown() const { return IsWindowVisible(GetDlgItem(manager_, D::kLoopCount)) != FALSE; }

  HWND manager_ = nullptr;
};

TEST_F(MacroRecordingWin, PressPauseReleaseIsRecordedWithItsDelay) {
  ASSERT_NO_FATAL_FAILURE(OpenManagerOnRec());
  Click(kRecordDelaysBox);
  ASSERT_NO_FATAL_FAILURE(StartRecording());
  SendKey(kKeyA, false);
  // The pause between press and release is the input being recorded, not a wait for the program.
  std::this_thread::sleep_for(300ms);
  SendKey(kKeyA, true);
  ASSERT_NO_FATAL_FAILURE(StopRecording());
  const gm::MacroKey rec = SavedRecStartingWith(kKeyA);
  ASSERT_EQ(rec.MacroActionNum, 3u);
  EXPECT_EQ(rec.MacroCommandActionNum, 2);
  EXPECT_EQ(rec.GetAction(0), MacroAction::Event(kKeyA, false));
  ASSERT_TRUE(rec.GetAction(1).IsDelay());
  EXPECT_GE(rec.GetAction(1).DelayMs(), 250u);
  EXPECT_LE(rec.GetAction(1).DelayMs(), 800u);
  EXPECT_EQ(rec.GetAction(2), MacroAction::Event(kKeyA, true));
}

// A held key repeats its press; the recording keeps one press and one release.
TEST_F(MacroRecordingWin, AutoRepeatOfAHeldKeyIsOnePress) {
  ASSERT_NO_FATAL_FAILURE(OpenManagerOnRec());
  ASSERT_NO_FATAL_FAILURE(StartRecording());
  for (int i = 0; i < 6; ++i) SendKey(kKeyA, false);
  SendKey(kKeyA, true);
  ASSERT_NO_FATAL_FAILURE(StopRecording());
  const gm::MacroKey rec = SavedRecStartingWith(kKeyA);
  ASSERT_EQ(rec.MacroActionNum, 2u);
  EXPECT_EQ(rec.GetAction(0), MacroAction::Event(kKeyA, false));
  EXPECT_EQ(rec.GetAction(1), MacroAction::Event(kKeyA, true));
}

// The 125th command is recorded; the next event ends the recording (saved, record button off)
// and is not recorded.
TEST_F(MacroRecordingWin, The126thEventStopsTheRecordingAndIsDropped) {
  ASSERT_NO_FATAL_FAILURE(OpenManagerOnRec());
  ASSERT_NO_FATAL_FAILURE(StartRecording());
  // Presses and releases alternate, so every event counts. Under load the system may skip a hook
  // call now and then; events are sent until the recording has stopped, so a skipped one only
  // means one more is needed. The program sees the stop before the test does: events sent in
  // between find the hook removed.
  int sent = 0;
  for (; sent < 300 && Recording(); ++sent) SendKey(kKeyA, sent % 2 == 1);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !Recording(); }, 20s)) << "the limit did not stop the recording";
  EXPECT_GE(sent, 126);
  gm::MacroKey rec;
  ASSERT_TRUE(gmtest::PumpUntil(
      [&] {
        rec = SavedRec();
        return rec.MacroActionNum == 125u;
      },
      10s))
      << rec.MacroActionNum << " actions saved after " << sent << " events, file read: "
      << [] { gm::MacroLibrary l; return gm::LoadLibraryAtStartup(l, DataFolder()); }();
  EXPECT_EQ(rec.MacroCommandActionNum, 125);
  // Every stored action is one of the events sent (no delays: record-delays is off). Presses and
  // releases alternate unless the system skipped a hook call on the way, which is not the
  // program's doing, so the order is not checked.
  for (int i = 0; i < 125; ++i) {
    EXPECT_FALSE(rec.GetAction(i).IsDelay()) << i;
    EXPECT_EQ(rec.GetAction(i).Code(), kKeyA) << i;
  }
}

// The library file held open by another program for longer than the save tries: the manager's
// close tells the user, the main window keeps the edited library (the manager opened again shows
// the edit, not the file's old state), and the next close, with the file free, writes the edit.
// "Rec" starts in replay mode 4 (no count box); the edit is mode 2, which shows the count box.
class MacroManagerSaveWin : public MacroRecordingWin {
 protected:
  void PrepareDataFolder(const std::wstring& folder) override {
    std::filesystem::create_directories(std::filesystem::path(folder + L"config"));
    gm::MacroLibrary library;
    MacroItemLocation at;
    library.CreateMacro(L"Rec", at);
    library.ItemAt(at)->Macro->MacroKeyLoopType = 4;
    ASSERT_TRUE(gm::SaveLibraryFile(library, folder));
  }
};

TEST_F(MacroManagerSaveWin, AnEditTheCloseCouldNotSaveIsKeptAndSavedAtTheNextClose) {
  macrotest::HeldFile held(gm::LibraryFilePath(DataFolder()), true);
  ASSERT_TRUE(held.Held()) << "the library file was not taken: " << held.State();

  ASSERT_NO_FATAL_FAILURE(OpenManager());
  Click(kFirstTreeRow);
  Click(kReplayCountBox);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return CountBoxShown(); }, 10s)) << "the replay mode did not change";
  Click(kCloseCross);
  const HWND notice = WaitForManagerNotice(20s);
  ASSERT_NE(notice, nullptr) << "no notice of the failed save";
  ClickInDialog(notice, kNoticeOk);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(manager_); }, 10s)) << "the manager did not close";
  EXPECT_EQ(SavedRec().MacroKeyLoopType, 4) << "the held file was replaced";

  // Opened again, "Rec" shows the edited mode: its count box appears.
  ASSERT_NO_FATAL_FAILURE(OpenManagerOnRec());
  held.Release();
  Click(kCloseCross);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(manager_); }, 20s)) << "the manager did not close";
  gm::MacroKey rec;
  EXPECT_TRUE(gmtest::PumpUntil(
      [&] {
        rec = SavedRec();
        return rec.MacroKeyLoopType == 2;
      },
      10s))
      << "saved loop type " << int{rec.MacroKeyLoopType};
}

}  // namespace
