// The DPI stage dialogs opened from the running demo window, as a person uses them: a click on
// the current stage's value bar opens the value dialog (the demo's sensor has separate X and Y
// resolutions, so the X/Y dialog), a click on its colour button opens the palette. What reaches
// the simulated mouse is read from the panel's state line (the current stage's X and Y codes);
// what reaches the profile, from the file the program writes when it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

#include "app/demo_panel.h"
#include "app/main_ids.h"
#include "app/main_window_support.h"
#include "settings/colour.h"
#include "settings/sensor_table.h"

using namespace std::chrono_literals;

namespace {

constexpr int kXYDialogWidth = 429;
constexpr UINT kBoxX = 2017;
constexpr POINT kXYOk{295, 196};
constexpr POINT kXYCancel{385, 196};

struct StageState {
  int stage = 0;  // 0-based
  int reports = 0;  // DPI command reports the mouse accepted (two per command: X, then Y)
  unsigned codeX = 0, codeY = 0;
};

class MainStageDialogs : public apptest::DemoMainWindow {
 protected:
  static gm::LayoutRect StageBar(int stage) { return {883 + 36 * stage, 75, 890 + 36 * stage, 207}; }
  static gm::LayoutRect StageColour(int stage) { return {874 + 36 * stage, 240, 900 + 36 * stage, 252}; }

  std::optional<StageState> Shown() const {
    StageState s;
    int mask = 0;
    const std::wstring line = PanelText(CDemoPanel::kStateLine);
    if (swscanf(line.c_str(), L"Stage %d, stages 0x%X, DPI reports %d, X 0x%X Y 0x%X", &s.stage, &mask, &s.reports,
                &s.codeX, &s.codeY) != 5)
      return std::nullopt;
    --s.stage;
    return s;
  }
  StageState Current() const {
    std::optional<StageState> s;
    EXPECT_TRUE(gmtest::PumpUntil([&] { return (s = Shown()).has_value(); }, 10s)) << "no state line";
    return s.value_or(StageState{});
  }

  // The dialog the program opened, once it has taken its design width.
  HWND OpenedDialog(int designWidth) const {
    HWND dialog = nullptr;
    RECT client{};
    const bool found = gmtest::PumpUntil(
        [&] {
          dialog = gmtest::FindWindowOfProcess(L"#32770", process_.id);
          if (!dialog) return false;
          GetClientRect(dialog, &client);
          return client.right == static_cast<LONG>(designWidth * scale_) && IsWindowVisible(dialog);
        },
        10s);
    return found ? dialog : nullptr;
  }
  // A click at a design point of a dialog: the pointer goes there for real, then the messages.
  void ClickInDialog(HWND dialog, POINT design) const {
    POINT at{static_cast<LONG>(design.x * scale_), static_cast<LONG>(design.y * scale_)};
    POINT screen = at;
    ClientToScreen(dialog, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM lp = MAKELPARAM(at.x, at.y);
    SendMessageW(dialog, WM_MOUSEMOVE, 0, lp);
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    SendMessageW(dialog, WM_LBUTTONUP, 0, lp);
  }
  bool DialogGone(HWND dialog) const {
    return gmtest::PumpUntil([&] { return !IsWindow(dialog); }, 10s);
  }
  // The X box of an opened X/Y dialog once the dialog has filled it with `dpi`: the window shows
  // before its controls exist and take their values, and typing earlier would be overwritten.
  HWND FilledBoxX(HWND dialog, int dpi) const {
    HWND box = nullptr;
    wchar_t text[32] = {};
    const bool filled = gmtest::PumpUntil(
        [&] {
          box = GetDlgItem(dialog, kBoxX);
          // WM_GETTEXT itself: GetWindowText does not ask a window of another process.
          if (box) SendMessageW(box, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
          return box && std::to_wstring(dpi) == text;
        },
        10s);
    EXPECT_TRUE(filled) << "box " << box << " shows \"" << std::string(text, text + wcslen(text)) << "\", not " << dpi;
    return filled ? box : nullptr;
  }
  static void Type(HWND box, const wchar_t* text) {
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_CHAR, VK_BACK, 1);
    for (const wchar_t* c = text; *c; ++c) SendMessageW(box, WM_CHAR, *c, 1);
  }

  gm::SensorTables Sensor3950() const {
    gm::SensorTables tables;
    tables.id = 0x3950;
    gm::BuildSensorDpiTables(tables);
    return tables;
  }
};

TEST_F(MainStageDialogs, ATypedValueSnapsToTheListAndReachesTheMouseAndTheProfile) {
  const gm::SensorTables tables = Sensor3950();
  const StageState before = Current();
  const auto stage = static_cast<size_t>(before.stage);
  const gm::ProfileRecord start = SavedProfile();
  ASSERT_EQ(start.XYSettingValueX[stage], start.XYSettingValueY[stage]) << "the default stage is not synced";

  // Cancelled first: nothing changes.
  const int startDpi = gm::DpiOfPosition(tables, start.XYSettingValueX[stage]);
  ClickAt(StageBar(before.stage));
  HWND dialog = OpenedDialog(kXYDialogWidth);
  ASSERT_NE(dialog, nullptr) << "no X/Y dialog";
  HWND box = FilledBoxX(dialog, startDpi);
  ASSERT_NE(box, nullptr) << "the X box never showed the stage's value";
  Type(box, L"812");
  ClickInDialog(dialog, kXYCancel);
  ASSERT_TRUE(DialogGone(dialog));

  ClickAt(StageBar(before.stage));
  dialog = OpenedDialog(kXYDialogWidth);
  ASSERT_NE(dialog, nullptr) << "no X/Y dialog";
  box = FilledBoxX(dialog, startDpi);
  ASSERT_NE(box, nullptr) << "the X box never showed the stage's value";
  Type(box, L"812");
  ClickInDialog(dialog, kXYOk);
  ASSERT_TRUE(DialogGone(dialog));

  const int position = gm::PositionOfDpi(tables, 850);  // 812 is not listed: the next value up
  const unsigned code = gm::DpiCodeOfPosition(tables, position);
  EXPECT_TRUE(gmtest::PumpUntil(
      [&] {
        const std::optional<StageState> s = Shown();
        return s && s->codeX == code && s->codeY == code;
      },
      10s))
      << "the mouse did not get the stage's new resolution";
  EXPECT_EQ(Current().reports, before.reports + 2) << "the cancelled dialog sent something, or OK sent twice";

  ASSERT_TRUE(CloseAndWait());
  const gm::ProfileRecord saved = SavedProfile();
  EXPECT_EQ(saved.XYSettingValueX[stage], position);
  EXPECT_EQ(saved.XYSettingValueY[stage], position);  // "XY Sync" was checked: both axes
}

TEST_F(MainStageDialogs, ThePaletteStoresThePickedColourAndIgnoresItsBackground) {
  constexpr int kPaletteWidth = 500;
  constexpr POINT kGreenField{100, 100};         // (93, 255, 158) in the picture
  constexpr POINT kBackgroundInField{300, 100};  // the picture's background (15, 15, 15)
  constexpr POINT kOk{434, 260};
  constexpr POINT kClose{483, 11};
  const int stage = Current().stage;
  const gm::Colour before = SavedProfile().DPILevelIndication[static_cast<size_t>(stage)];

  // Closed with the cross after a pick: nothing changes.
  ClickAt(StageColour(stage));
  HWND palette = OpenedDialog(kPaletteWidth);
  ASSERT_NE(palette, nullptr) << "no palette";
  ClickInDialog(palette, kGreenField);
  ClickInDialog(palette, kClose);
  ASSERT_TRUE(DialogGone(palette));

  ClickAt(StageColour(stage));
  palette = OpenedDialog(kPaletteWidth);
  ASSERT_NE(palette, nullptr) << "no palette";
  ClickInDialog(palette, kGreenField);
  ClickInDialog(palette, kBackgroundInField);
  ClickInDialog(palette, kOk);
  ASSERT_TRUE(DialogGone(palette));

  ASSERT_TRUE(CloseAndWait());
  const gm::Colour saved = SavedProfile().DPILevelIndication[static_cast<size_t>(stage)];
  EXPECT_NE(before, gm::MakeColour(93, 255, 158));
  EXPECT_EQ(saved, gm::MakeColour(93, 255, 158));
}

}  // namespace
