// A macro chosen for a button in the demo's main window reaches the simulated mouse: the key combo
// opens the function menu, its macro entry opens the selection dialog, a row click and the
// confirm button choose the macro. The demo panel's macro line shows what the mouse holds in its
// macro slots (the only view of the simulated mouse from outside the process); the profile file
// written at the end shows what the button was given.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <string>

#include "app/demo_panel.h"
#include "app/main_ids.h"
#include "app/main_layout.h"
#include "app/main_window_support.h"
#include "assign/function_menus.h"
#include "device/mapping_commands.h"
#include "macro/library_file.h"
#include "ui/program_messages.h"

using namespace std::chrono_literals;

namespace {

constexpr int kButton = 3;
// The selection dialog's design: 528 × 365, tree rows 20 units high from 40, confirm at the bottom.
constexpr int kSelectWidth = 528;
constexpr gm::LayoutRect kSecondRow{200, 60, 300, 80};
constexpr gm::LayoutRect kConfirm{419, 333, 488, 353};

gm::LayoutRect RectOf(int id) {
  for (const gm::MainControlSpec& spec : gm::MainWindowControls())
    if (static_cast<int>(spec.id) == id) return spec.rect;
  return {};
}

int MacroEntry() {
  const auto& entries = gm::FunctionMenuOf(gm::FunctionMenuId::kMain).entries;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].message == gm::msg::kAskMacroSelectDialog) return static_cast<int>(i) + 1;
  return 0;
}

// The library the program finds at start: row 0 a folder, row 1 the macro "Tap" (A press, 30 ms,
// A release).
class MacroChoice : public apptest::DemoMainWindow {
 protected:
  void PrepareDataFolder(const std::wstring& folder) override {
    std::filesystem::create_directories(folder + L"config");
    gm::MacroItemLocation at;
    ASSERT_EQ(library_.CreateFolder(L"Folder", at), gm::kMacroNameOk);
    at = gm::MacroItemLocation::None();
    ASSERT_EQ(library_.CreateMacro(L"Tap", at), gm::kMacroNameOk);
    gm::MacroKey& tap = *library_.ItemAt(at)->Macro;
    tap.InsertAction(0, gm::MacroAction::Event(0x41, false));
    tap.InsertAction(1, gm::MacroAction::Delay(30));
    tap.InsertAction(2, gm::MacroAction::Event(0x41, true));
    tap.MacroCommandActionNum = 2;
    ASSERT_TRUE(gm::WriteLibraryFile(gm::LibraryFilePath(folder), library_, gm::MacroItemLocation::None()));
  }

  // The selection dialog: the process's dialog window of its design width.
  HWND WaitForSelectDialog() const {
    HWND found = nullptr;
    gmtest::PumpUntil(
        [&] {
          for (HWND h : apptest::VisibleWindowsOf(L"#32770", process_.id)) {
            RECT r{};
            GetClientRect(h, &r);
            if (r.right == static_cast<LONG>(kSelectWidth * scale_)) found = h;
          }
          return found != nullptr;
        },
        10s);
    return found;
  }
  void ClickIn(HWND dialog, const gm::LayoutRect& r) const {
    const gm::LayoutRect s = gm::ScaleRect(r, scale_);
    const LPARAM at = MAKELPARAM((s.left + s.right) / 2, (s.top + s.bottom) / 2);
    PostMessageW(dialog, WM_MOUSEMOVE, 0, at);
    PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(dialog, WM_LBUTTONUP, 0, at);
  }

  gm::MacroLibrary library_;
};

TEST_F(MacroChoice, MacroChosenForAButtonReachesTheMouse) {
  ASSERT_TRUE(PanelShows(CDemoPanel::kMacroLine, L"Macros: none"));
  ClickAt(RectOf(gm::kControlKeyComboFirst + kButton));
  HWND menu = apptest::WaitForMenuPopup(process_.id, static_cast<int>(gm::FunctionMenuOf(gm::FunctionMenuId::kMain).entries.size()), scale_);
  ASSERT_TRUE(menu) << "no function menu";
  apptest::ClickMenuEntry(menu, MacroEntry(), scale_);
  HWND dialog = WaitForSelectDialog();
  ASSERT_TRUE(dialog) << "no selection dialog";
  ClickIn(dialog, kSecondRow);
  ClickIn(dialog, kConfirm);
  ASSERT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(dialog); }, 10s)) << "the dialog stayed open";

  // Slot 1 holds the macro's entries as the mapping upload encodes them.
  const gm::MacroImage image = gm::BuildMacroImage(*library_.ItemAt(gm::MacroItemLocation::Level0(1))->Macro, 1);
  std::wstring expected = L"Macros: 1=";
  for (int i = 0; i < 3 * gm::ImageEntryCount(image); ++i) {
    wchar_t hex[3] = {};
    swprintf(hex, 3, L"%02X", image[gm::kMacroImageHeader + static_cast<size_t>(i)]);
    expected += hex;
  }
  std::wstring shown;
  EXPECT_TRUE(gmtest::PumpUntil(
      [&] {
        shown = PanelText(CDemoPanel::kMacroLine);
        return shown.rfind(expected, 0) == 0;
      },
      20s))
      << "the panel shows " << testing::PrintToString(shown);

  ASSERT_TRUE(CloseAndWait());
  const gm::ProfileRecord saved = SavedProfile();
  const gm::KeyAssignment& key = saved.KeyAssignments[kButton];
  EXPECT_EQ(key.KeyValue[0], 0x90);
  EXPECT_EQ(key.Macro.Name, L"Tap");
  EXPECT_EQ(key.MacroKeyIndex, 1u);
  EXPECT_EQ(key.Macro.MacroActionNum, 3u);
}

}  // namespace
