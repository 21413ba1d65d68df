// The single-value DPI dialog as a person uses it: typing a DPI into the edit box, Enter, the
// arrow keys, dragging the slider's knob and clicking the buttons where they are drawn (design
// coordinates × the display scale).
#include <gtest/gtest.h>

#include <string>

#include "dialogs/dpi_value_dlg.h"
#include "settings/language_indexes.h"
#include "settings/sensor_table.h"
#include "ui/edit_box.h"
#include "ui/gauges.h"
#include "ui/ui_test_support.h"

namespace {

using D = gm::win::CDPIValueSettingDlg;
using uitest::RunScripted;

constexpr POINT kOkCentre{295, 120};
constexpr POINT kCancelCentre{385, 120};
constexpr POINT kCloseCentre{412, 11};

HWND ValueBox(HWND dialog) { return GetDlgItem(dialog, D::kValueBox); }

void Retype(HWND dialog, const std::wstring& text) {
  SendMessageW(ValueBox(dialog), EM_SETSEL, 0, -1);
  PostMessageW(ValueBox(dialog), WM_CHAR, VK_BACK, 1);
  for (wchar_t c : text) PostMessageW(ValueBox(dialog), WM_CHAR, c, 1);
}

void PressKey(HWND dialog, WPARAM vk) { PostMessageW(ValueBox(dialog), WM_KEYDOWN, vk, 1); }

void PutPointer(HWND dialog, int x, int y) {
  POINT at{x, y};
  ClientToScreen(dialog, &at);
  SetCursorPos(at.x, at.y);
}

std::wstring BoxText(HWND dialog) {
  wchar_t text[64] = {};
  GetWindowTextW(ValueBox(dialog), text, 64);
  return text;
}

class DpiValueDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_.texts[gm::kTextOk] = L"OK";
    ui_.texts[gm::kTextCancel] = L"Cancel";
    ui_.texts[gm::kTextDpiValueTitle] = L"DPI Setting";
    tables_.id = 0x3950;
    gm::BuildSensorDpiTables(tables_);
    last_ = static_cast<int>(tables_.count) - 1;
  }
  void ClickDesign(HWND dialog, POINT design) const {
    const LPARAM at = MAKELPARAM(ui_.context.Px(design.x), ui_.context.Px(design.y));
    SendMessageW(dialog, WM_MOUSEMOVE, 0, at);
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(dialog, WM_LBUTTONUP, 0, at);
  }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  gm::SensorTables tables_;
  int last_ = 0;
};

TEST_F(DpiValueDlgTest, EnterShowsTheListedValueAndStaysOpenCancelKeepsThePosition) {
  int position = 3;
  D dlg(ui_.context, nullptr, tables_, position);
  std::wstring title, minimum, maximum, startBox, shownBox, shownLabel;
  RECT client{};
  bool openAfterEnter = false;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             GetClientRect(h, &client);
                                             title = uitest::LabelOf(h, D::kTitle);
                                             minimum = uitest::LabelOf(h, D::kMinimum);
                                             maximum = uitest::LabelOf(h, D::kMaximum);
                                             startBox = BoxText(h);
                                             Retype(h, L"812");
                                           },
                                           [](HWND h) { PressKey(h, VK_RETURN); },
                                           [&](HWND h) {
                                             openAfterEnter = IsWindow(h) != FALSE;
                                             shownBox = BoxText(h);
                                             shownLabel = uitest::LabelOf(h, D::kCurrent);
                                             ClickDesign(h, kCancelCentre);
                                           }});
  EXPECT_EQ(client.right, 429);
  EXPECT_EQ(client.bottom, 140);
  EXPECT_EQ(title, L"DPI Setting");
  EXPECT_EQ(minimum, std::to_wstring(gm::DpiOfPosition(tables_, 0)));
  EXPECT_EQ(maximum, std::to_wstring(gm::DpiOfPosition(tables_, last_)));
  EXPECT_EQ(startBox, std::to_wstring(gm::DpiOfPosition(tables_, 3)));
  EXPECT_TRUE(openAfterEnter);
  EXPECT_EQ(shownBox, L"850");  // 812 is not listed: the next listed value up
  EXPECT_EQ(shownLabel, L"850");
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(position, 3);
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
}

TEST_F(DpiValueDlgTest, OkAtTheScaledButtonTakesAValueTypedWithoutEnter) {
  ui_.context.displayScale = 1.5;
  const struct {
    const wchar_t* typed;
    int position;
  } cases[] = {{L"812", gm::PositionOfDpi(tables_, 850)}, {L"0", 0}, {L"abc", 0}, {L"99999", last_}};
  for (const auto& c : cases) {
    int position = 10;
    D dlg(ui_.context, nullptr, tables_, position);
    const INT_PTR result = RunScripted(dlg, {[&](HWND h) { Retype(h, c.typed); }, [&](HWND h) { ClickDesign(h, kOkCentre); }});
    EXPECT_EQ(result, IDOK) << c.typed;
    EXPECT_EQ(position, c.position) << c.typed;
  }
}

TEST_F(DpiValueDlgTest, ArrowsStepAndStopAtTheEndsEscapeDoesNotClose) {
  const struct {
    int start;
    WPARAM key;
    int shown;
  } cases[] = {{0, VK_LEFT, 0}, {0, VK_RIGHT, 1}, {last_, VK_RIGHT, last_}, {last_, VK_LEFT, last_ - 1}};
  for (const auto& c : cases) {
    int position = c.start;
    D dlg(ui_.context, nullptr, tables_, position);
    std::wstring shown;
    int slider = -1;
    bool openAfterEscape = false;
    const INT_PTR result = RunScripted(dlg, {[&](HWND h) { PressKey(h, c.key); },
                                             [&](HWND h) { PressKey(h, VK_ESCAPE); },
                                             [&](HWND h) {
                                               openAfterEscape = IsWindow(h) != FALSE;
                                               shown = BoxText(h);
                                               slider = dlg.Slider()->ValueIndex();
                                               ClickDesign(h, kCloseCentre);
                                             }});
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(shown, std::to_wstring(gm::DpiOfPosition(tables_, c.shown))) << c.start;
    EXPECT_EQ(slider, c.shown);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(position, c.start);  // closed: unchanged
  }
}

TEST_F(DpiValueDlgTest, DraggingTheKnobToTheRightEndChoosesTheLastPosition) {
  int position = 0;
  D dlg(ui_.context, nullptr, tables_, position);
  std::wstring whileDragging;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             const RECT knob = dlg.Slider()->KnobRect();
                                             const int y = (knob.top + knob.bottom) / 2;
                                             const int x = (knob.left + knob.right) / 2;
                                             const RECT bar = dlg.Slider()->GetRect();
                                             // The real pointer waits where the drag ends: a move
                                             // Wine reports from it cannot pull the knob back.
                                             PutPointer(h, bar.right - 1, y);
                                             SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
                                             SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                                             SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar.right - 1, y));
                                           },
                                           [&](HWND h) {
                                             whileDragging = BoxText(h);
                                             const RECT bar = dlg.Slider()->GetRect();
                                             const int y = (bar.top + bar.bottom) / 2;
                                             SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(bar.right - 1, y));
                                           },
                                           [&](HWND h) { ClickDesign(h, kOkCentre); }});
  EXPECT_EQ(whileDragging, std::to_wstring(gm::DpiOfPosition(tables_, last_)));
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(position, last_);
}

}  // namespace

// ---- the dialog with separate X and Y values ----
namespace {

using XY = gm::win::CDPIValueSyncSettingDlg;

constexpr POINT kSyncBoxCentre{27, 196};
constexpr POINT kXYOkCentre{295, 196};
constexpr POINT kXYCancelCentre{385, 196};

HWND Box(HWND dialog, UINT id) { return GetDlgItem(dialog, id); }

std::wstring TextOf(HWND box) {
  wchar_t text[64] = {};
  GetWindowTextW(box, text, 64);
  return text;
}

void RetypeBox(HWND box, const std::wstring& text) {
  SendMessageW(box, EM_SETSEL, 0, -1);
  PostMessageW(box, WM_CHAR, VK_BACK, 1);
  for (wchar_t c : text) PostMessageW(box, WM_CHAR, c, 1);
}

class DpiXYDlgTest : public DpiValueDlgTest {
 protected:
  int At(int dpi) const { return gm::PositionOfDpi(tables_, dpi); }
  std::wstring Dpi(int position) const { return std::to_wstring(gm::DpiOfPosition(tables_, position)); }
  // Drags the knob of `axis` to the stop of `position` and lets go there.
  static void DragKnob(XY& dlg, HWND h, int axis, int position) {
    const RECT knob = dlg.Slider(axis)->KnobRect();
    const int y = (knob.top + knob.bottom) / 2;
    const int from = (knob.left + knob.right) / 2;
    const int to = dlg.Slider(axis)->Stops()[static_cast<size_t>(position)];
    PutPointer(h, to, y);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(from, y));
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, y));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, y));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(to, y));
  }
};

TEST_F(DpiXYDlgTest, ShowsBothAxesSyncStartsCheckedOnlyWhenEqual) {
  const struct {
    int x, y;
    bool synced;
  } cases[] = {{At(800), At(1600), false}, {At(1200), At(1200), true}};
  for (const auto& c : cases) {
    int x = c.x, y = c.y;
    XY dlg(ui_.context, nullptr, tables_, x, y);
    RECT client{};
    std::wstring minX, minY, boxX, boxY, currentY;
    bool synced = !c.synced;
    const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
      GetClientRect(h, &client);
      minX = uitest::LabelOf(h, XY::kMinimumX);
      minY = uitest::LabelOf(h, XY::kMinimumY);
      boxX = TextOf(Box(h, XY::kBoxX));
      boxY = TextOf(Box(h, XY::kBoxY));
      currentY = uitest::LabelOf(h, XY::kCurrentY);
      synced = dlg.SyncChecked();
      ClickDesign(h, kXYCancelCentre);
    }});
    EXPECT_EQ(client.right, 429);
    EXPECT_EQ(client.bottom, 217);
    EXPECT_EQ(minX, L"X:" + Dpi(0));
    EXPECT_EQ(minY, L"Y:" + Dpi(0));
    EXPECT_EQ(boxX, Dpi(c.x));
    EXPECT_EQ(boxY, Dpi(c.y));
    EXPECT_EQ(currentY, Dpi(c.y));
    EXPECT_EQ(synced, c.synced);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

TEST_F(DpiXYDlgTest, TypedValueGoesToTheFocusedAxisOnlyWhileNotSynced) {
  int x = At(800), y = At(1600);
  XY dlg(ui_.context, nullptr, tables_, x, y);
  std::wstring boxX, boxY;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             SetFocus(Box(h, XY::kBoxY));
                                             RetypeBox(Box(h, XY::kBoxY), L"812");
                                           },
                                           [&](HWND h) { PostMessageW(Box(h, XY::kBoxY), WM_KEYDOWN, VK_RETURN, 1); },
                                           [&](HWND h) {
                                             boxX = TextOf(Box(h, XY::kBoxX));
                                             boxY = TextOf(Box(h, XY::kBoxY));
                                             ClickDesign(h, kXYOkCentre);
                                           }});
  EXPECT_EQ(boxY, L"850");
  EXPECT_EQ(boxX, Dpi(At(800)));
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(x, At(800));
  EXPECT_EQ(y, At(850));
}

// The list has more stops than the bar has pixels, so the drag lands on the stop nearest to the
// pointer: X must follow whatever Y took, and Y must have moved to about 1600 DPI.
TEST_F(DpiXYDlgTest, CheckingSyncMakesYTakeXAndDraggingOneSliderMovesTheOther) {
  int x = At(800), y = At(1600);
  XY dlg(ui_.context, nullptr, tables_, x, y);
  std::wstring afterCheckY, afterDragX, afterDragY;
  int sliderX = -1;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) { ClickDesign(h, kSyncBoxCentre); },
                                           [&](HWND h) {
                                             afterCheckY = TextOf(Box(h, XY::kBoxY));
                                             DragKnob(dlg, h, XY::kAxisY, At(1600));
                                           },
                                           [&](HWND h) {
                                             afterDragX = TextOf(Box(h, XY::kBoxX));
                                             afterDragY = TextOf(Box(h, XY::kBoxY));
                                             sliderX = dlg.Slider(XY::kAxisX)->ValueIndex();
                                             ClickDesign(h, kXYOkCentre);
                                           }});
  EXPECT_EQ(afterCheckY, Dpi(At(800)));
  EXPECT_EQ(result, IDOK);
  EXPECT_NEAR(y, At(1600), 1);
  EXPECT_EQ(x, y);
  EXPECT_EQ(sliderX, y);
  EXPECT_EQ(afterDragX, Dpi(y));
  EXPECT_EQ(afterDragY, Dpi(y));
}

// With "XY Sync" checked, a value typed into one box without Enter is taken by both axes on OK,
// so the confirmed stage never differs between X and Y while sync is shown checked.
TEST_F(DpiXYDlgTest, OkWithSyncCheckedTakesATypedValueForBothAxes) {
  int x = At(1200), y = At(1200);
  XY dlg(ui_.context, nullptr, tables_, x, y);
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) { RetypeBox(Box(h, XY::kBoxX), L"1600"); },
                                           [&](HWND h) { ClickDesign(h, kXYOkCentre); }});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(x, At(1600));
  EXPECT_EQ(y, At(1600));
}

}  // namespace
