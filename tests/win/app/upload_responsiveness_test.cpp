// The main window while a long upload talks to the simulated mouse: the button mapping with six
// full macros (each paced 120 ms a packet, seconds in all) goes out on the device thread, and the
// window keeps answering throughout. The upload is started as the user would start it, by closing
// the macro manager; its end is seen on the demo panel's macro line, which lists the slots the
// mouse holds completely.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/demo_panel.h"
#include "app/main_window_support.h"
#include "macro/library_file.h"
#include "macro/macro_library.h"

using namespace std::chrono_literals;

namespace {

constexpr gm::LayoutRect kManagerButton{36, 320, 266, 345};
constexpr int kMacroCount = gm::kButtonCount;  // one full macro for each button

// The mouse holds `count` complete macro slots: "Macros: 1=..; 2=..; ...".
bool PanelListsSlots(const std::wstring& line, int count) {
  if (line.rfind(L"Macros: ", 0) != 0 || line == L"Macros: none") return count == 0;
  int slots = 0;
  for (wchar_t c : line) slots += c == L'=' ? 1 : 0;
  return slots == count;
}

class MainWindowDuringUpload : public apptest::DemoMainWindow {
 protected:
  // Six macros of 125 key events each (all a full set of packets carries).
  void PrepareDataFolder(const std::wstring& folder) override {
    std::filesystem::create_directories(folder + L"config");
    for (int m = 0; m < kMacroCount; ++m) {
      gm::MacroItemLocation at = gm::MacroItemLocation::None();
      ASSERT_EQ(library_.CreateMacro(L"Long " + std::to_wstring(m + 1), at), gm::kMacroNameOk);
      gm::MacroKey& macro = *library_.ItemAt(at)->Macro;
      for (int i = 0; i < 125; ++i)
        macro.InsertAction(static_cast<std::uint32_t>(i), gm::MacroAction::Event(static_cast<std::uint8_t>(0x41 + m), i % 2 != 0));
      macro.MacroCommandActionNum = 125;
    }
    ASSERT_TRUE(gm::WriteLibraryFile(gm::LibraryFilePath(folder), library_, gm::MacroItemLocation::None()));
  }

  // Every button of profile 0 holds one of the macros; the program starts again on it.
  void AssignTheMacrosAndRestart() {
    ASSERT_TRUE(CloseAndWait());
    gm::ProfileRecord record = SavedProfile();
    for (int m = 0; m < kMacroCount; ++m) {
      const gm::MacroKey& macro = *library_.ItemAt(gm::MacroItemLocation::Level0(m))->Macro;
      gm::KeyAssignment& key = record.KeyAssignments[static_cast<std::size_t>(m)];
      key.KeyName = macro.Name;
      key.KeyValue = {0x90, static_cast<std::uint8_t>(m + 1), 0};
      key.MacroKeyIndex = macro.MacroKeyIndex;
      key.Macro = macro;
    }
    WriteSavedProfile(record);
    StartAndWaitPainted();
  }

  HWND OpenManager() {
    ClickAt(kManagerButton);
    HWND manager = nullptr;
    gmtest::PumpUntil(
        [&] {
          for (HWND h : VisibleWindows(L"#32770"))
            if (GetWindow(h, GW_OWNER) == window_) manager = h;
          return manager != nullptr;
        },
        20s);
    return manager;
  }

  gm::MacroLibrary library_;
};

TEST_F(MainWindowDuringUpload, TheWindowAnswersWhileSixFullMacrosGoToTheMouse) {
  AssignTheMacrosAndRestart();
  ASSERT_FALSE(HasFatalFailure());
  // The start only primes the shadows: the mouse holds no macro yet.
  ASSERT_TRUE(PanelShows(CDemoPanel::kMacroLine, L"Macros: none"));

  HWND manager = OpenManager();
  ASSERT_TRUE(manager) << "the macro manager did not open";
  apptest::ResponsivenessProbe probe(window_);
  const auto start = std::chrono::steady_clock::now();
  // Closing the manager uploads the mapping and every macro button's macro at once.
  PostMessageW(manager, WM_CLOSE, 0, 0);
  std::wstring shown;
  const bool done = gmtest::PumpUntil(
      [&] {
        shown = PanelText(CDemoPanel::kMacroLine);
        return PanelListsSlots(shown, kMacroCount);
      },
      90s);
  const auto took = std::chrono::steady_clock::now() - start;
  probe.Stop();
  ASSERT_TRUE(done) << "the panel shows " << testing::PrintToString(shown);

  // 6 macros × 15 packets × 120 ms: a window that waited the upload out would leave the probe
  // (every 5 ms, each question given up after 5 s) without an answer for seconds, so a handful of
  // answers and an unanswered one. How fast the answers come is measured by the stall-probe
  // benchmark (tools/bench), not asserted here.
  EXPECT_GT(took, 5s);
  const std::vector<double> answers = probe.SortedAnswers();
  EXPECT_GT(answers.size(), 200u);
  EXPECT_LT(answers.back(), 5000) << "of " << answers.size() << " answers";
  EXPECT_EQ(WaitForSingleObject(process_.handle.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

}  // namespace
