// The selection popups of the button functions and of the profiles, driven as a user would: each
// popup opens at a place on the screen, the pointer moves, presses and releases at row centres
// (design units × scale), and a recorder owner window keeps what the popup sent, copying each
// selection record while the popup's call is still running.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "assign/assign_popups.h"
#include "assign/popup_placement.h"
#include "settings/language_indexes.h"
#include "ui/program_messages.h"
#include "ui/ui_test_support.h"
#include "win_test_support.h"

namespace {

using gm::SelectionRecord;
using gm::win::CWndPopup;
using namespace std::chrono_literals;

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::optional<SelectionRecord> record;  // copied during the call for the selection messages
};

bool CarriesRecord(UINT message, WPARAM wParam) {
  switch (message) {
    case gm::msg::kAssignmentChosen: return wParam != 0;
    case gm::msg::kDpiFunctionChosen:
    case gm::msg::kMultimediaChosen:
    case gm::msg::kDpiLockChosen:
    case gm::msg::kWindowsFunctionChosen:
    case gm::msg::kOfficeFunctionChosen:
    case gm::msg::kProfileMenuChosen: return true;
    default: return false;
  }
}

// A top-level window that records every program message it receives.
class OwnerRecorder {
 public:
  OwnerRecorder() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &OwnerRecorder::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GmAssignPopupOwner";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                            wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~OwnerRecorder() { DestroyWindow(hwnd_); }
  OwnerRecorder(const OwnerRecorder&) = delete;
  OwnerRecorder& operator=(const OwnerRecorder&) = delete;

  HWND Hwnd() const { return hwnd_; }
  std::vector<Received> got;

  // The first message `message` received, waiting for it while pumping.
  std::optional<Received> WaitFor(UINT message) {
    std::optional<Received> found;
    gmtest::PumpUntil(
        [&] {
          auto it = std::find_if(got.begin(), got.end(), [&](const Received& r) { return r.message == message; });
          if (it != got.end()) found = *it;
          return found.has_value();
        },
        3s);
    return found;
  }
 private:
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<OwnerRecorder*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (self && m >= WM_USER && m < 0xC000) {
      Received r{m, w, l, std::nullopt};
      if (CarriesRecord(m, w) && l) r.record = *reinterpret_cast<const SelectionRecord*>(l);
      self->got.push_back(r);
      return 0;
    }
    return DefWindowProcW(h, m, w, l);
  }
  HWND hwnd_ = nullptr;
};

class AssignPopupsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::EnsureGdiplus();
    ui_.context.programFolder = gmtest::BinFolder();  // the shipped skins beside the test program
    for (std::size_t i = 0; i < ui_.texts.size(); ++i) ui_.texts[i] = L"t" + std::to_wstring(i);
  }

  // Opens `popup` with its top-left corner at `at` (screen), sized to `rows` menu rows.
  void Open(CWndPopup& popup, POINT at, int rows, UINT message, UINT_PTR tag) {
    const gm::ui::IntPoint size = gm::MenuSize(rows, ui_.context.displayScale);
    ASSERT_TRUE(popup.Create(owner_.Hwnd(), {at.x, at.y, at.x + size.x, at.y + size.y}, message, tag));
    ASSERT_TRUE(gmtest::PumpUntil([&] { return IsWindowVisible(popup.Hwnd()) != FALSE; }, 3s));
  }
  // Window point at the centre of row `entry` (1-based).
  POINT RowCentre(int entry) const {
    const int h = ui_.context.Px(gm::kMenuRowHeight);
    return {ui_.context.Px(gm::kMenuWidth) / 2, (entry - 1) * h + h / 2};
  }
  // Moves the pointer over row `entry`: the cursor goes there and the move reaches the popup.
  void MoveTo(CWndPopup& popup, int entry) {
    POINT p = RowCentre(entry);
    POINT screen = p;
    ClientToScreen(popup.Hwnd(), &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(popup.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
  }
  void Press(CWndPopup& popup, int entry) {
    const POINT p = RowCentre(entry);
    PostMessageW(popup.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }
  void Release(CWndPopup& popup, int entry, UINT message = WM_LBUTTONUP) {
    const POINT p = RowCentre(entry);
    PostMessageW(popup.Hwnd(), message, 0, MAKELPARAM(p.x, p.y));
  }
  void Click(CWndPopup& popup, int entry) {
    MoveTo(popup, entry);
    Press(popup, entry);
    Release(popup, entry);
  }
  // Pumps until every posted input has been handled.
  void Settle() {
    bool done = false;
    PostMessageW(owner_.Hwnd(), WM_APP + 0x100, 0, 0);
    gmtest::PumpUntil([&] {
      done = std::any_of(owner_.got.begin(), owner_.got.end(), [](const Received& r) { return r.message == WM_APP + 0x100; });
      return done;
    }, 3s);
    owner_.got.erase(std::remove_if(owner_.got.begin(), owner_.got.end(),
                                    [](const Received& r) { return r.message == WM_APP + 0x100; }),
                     owner_.got.end());
  }
  // Waits for `message` and checks its parameters.
  void ExpectReceived(UINT message, WPARAM wParam, LPARAM lParam) {
    const auto got = owner_.WaitFor(message);
    ASSERT_TRUE(got) << message;
    EXPECT_EQ(got->wParam, wParam) << message;
    EXPECT_EQ(got->lParam, lParam) << message;
  }
  bool Got(UINT message) const {
    return std::any_of(owner_.got.begin(), owner_.got.end(), [&](const Received& r) { return r.message == message; });
  }

  uitest::TestUi ui_;
  OwnerRecorder owner_;
};

TEST_F(AssignPopupsTest, DpiLockChoiceReportsItsRecordSynchronously) {
  gm::win::CDPILockPopup popup(ui_.context);
  Open(popup, {300, 200}, 11, gm::msg::kDpiLockChosen, 2015);
  Click(popup, 6);
  const auto chosen = owner_.WaitFor(gm::msg::kDpiLockChosen);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->wParam, 2015u);
  ASSERT_TRUE(chosen->record);
  EXPECT_EQ(*chosen->record, (SelectionRecord{L"t36-700", {0x50, 0x06, 0x00}}));
  // The submenus send nothing on hover or press.
  EXPECT_FALSE(Got(gm::msg::kMenuEntryRested));
  EXPECT_FALSE(Got(gm::msg::kAssignmentChosen));
}

TEST_F(AssignPopupsTest, MainMenuHoverPressAndRelease) {
  gm::win::CComboPopup popup(ui_.context);
  EXPECT_EQ(popup.Kind(), 0);
  Open(popup, {200, 100}, 17, gm::msg::kAssignmentChosen, 2013);

  // Resting on the DPI functions entry asks for its submenu; on a plain entry, to close submenus.
  MoveTo(popup, 6);
  ExpectReceived(gm::msg::kOpenDpiMenu, 2013, 6);
  EXPECT_EQ(popup.HotEntry(), 6);
  MoveTo(popup, 3);
  ExpectReceived(gm::msg::kMenuEntryRested, 2013, 3);

  // A press on entries 1..4 asks the owner to raise its popups (wParam 0, lParam 0).
  owner_.got.clear();
  Press(popup, 3);
  ExpectReceived(gm::msg::kAssignmentChosen, 0, 0);
  Release(popup, 3);
  Settle();
  const auto chosen = std::find_if(owner_.got.begin(), owner_.got.end(), [](const Received& r) { return r.record.has_value(); });
  ASSERT_NE(chosen, owner_.got.end());
  EXPECT_EQ(chosen->wParam, 2013u);
  EXPECT_EQ(*chosen->record, (SelectionRecord{L"t22", {0x10, 0x04, 0x00}}));

  // A submenu entry (multimedia) stores nothing; the macro entry asks for its dialog.
  owner_.got.clear();
  Click(popup, 11);
  Settle();
  EXPECT_FALSE(Got(gm::msg::kAssignmentChosen));
  EXPECT_TRUE(Got(gm::msg::kOpenMultimediaMenu));
  owner_.got.clear();
  Click(popup, 9);
  ExpectReceived(gm::msg::kAskMacroSelectDialog, 2013, 0);
  EXPECT_FALSE(Got(gm::msg::kAssignmentChosen));
}

TEST_F(AssignPopupsTest, MainMenuShowsAndReachesItsSeventeenthRowAtScale) {
  ui_.context.displayScale = 1.5;
  gm::win::CComboPopup popup(ui_.context);
  Open(popup, {100, 80}, 17, gm::msg::kAssignmentChosen, 2018);
  RECT r{};
  GetWindowRect(popup.Hwnd(), &r);
  EXPECT_EQ(r.bottom - r.top, 17 * 33);
  EXPECT_EQ(popup.EntryAt(RowCentre(17).x, RowCentre(17).y), 17);
  Click(popup, 17);
  auto chosen = owner_.WaitFor(gm::msg::kAssignmentChosen);
  ASSERT_TRUE(chosen);
  ASSERT_TRUE(chosen->record);
  EXPECT_EQ(*chosen->record, (SelectionRecord{L"t34", {0, 0, 0}}));
}

TEST_F(AssignPopupsTest, SubmenusReportTheirCodes) {
  struct Case {
    std::unique_ptr<CWndPopup> popup;
    int rows;
    UINT message;
    int entry;
    SelectionRecord expected;
  };
  Case cases[] = {
      {std::make_unique<gm::win::CDPIPopup>(ui_.context), 3, gm::msg::kDpiFunctionChosen, 2, {L"t41", {0x40, 0x03, 0x00}}},
      {std::make_unique<gm::win::CMultimediaPopup>(ui_.context), 10, gm::msg::kMultimediaChosen, 9, {L"t53", {0x80, 0x8A, 0x01}}},
      {std::make_unique<gm::win::COfficePopup>(ui_.context), 9, gm::msg::kOfficeFunctionChosen, 8, {L"t67", {0x70, 0x08, 0x08}}},
      {std::make_unique<gm::win::CWindowsManagePopup>(ui_.context), 6, gm::msg::kWindowsFunctionChosen, 2, {L"t76", {0x70, 0x04, 0x3D}}},
      {std::make_unique<gm::win::CProfileRKeyPopup>(ui_.context), 4, gm::msg::kProfileMenuChosen, 3, {L"t92", {2, 0, 0}}},
  };
  for (auto& c : cases) {
    owner_.got.clear();
    Open(*c.popup, {400, 300}, c.rows, c.message, 2051);
    Click(*c.popup, c.entry);
    const auto chosen = owner_.WaitFor(c.message);
    ASSERT_TRUE(chosen) << c.message;
    EXPECT_EQ(chosen->wParam, 2051u);
    ASSERT_TRUE(chosen->record);
    EXPECT_EQ(*chosen->record, c.expected) << c.message;
    c.popup.reset();
  }
}

TEST_F(AssignPopupsTest, ProfileListClicksAndNames) {
  gm::win::CComboProfilePopup popup(ui_.context, {L"skins\\header2_nr.png", L"skins\\header2_ov.png"});
  EXPECT_EQ(popup.Kind(), 7);
  popup.SetProfileName(0, L"Game");
  Open(popup, {500, 300}, 7, gm::msg::kProfileListEvent, 3502);
  popup.SetProfileName(1, L"Work");
  popup.SetProfileName(2, L"");
  popup.SetCurrentEntry(3);
  EXPECT_EQ(popup.Row(1).text, L"t10");
  EXPECT_EQ(popup.Row(2).text, L"Game");
  EXPECT_EQ(popup.Row(3).text, L"Work");
  EXPECT_TRUE(popup.Row(3).marked);
  EXPECT_FALSE(popup.Row(2).marked);
  EXPECT_EQ(popup.Row(5).text, L"defaultProfile4");
  EXPECT_EQ(popup.Row(7).text, L"t200");

  Click(popup, 3);
  ExpectReceived(gm::msg::kProfileListEvent, 2, 3);

  owner_.got.clear();
  MoveTo(popup, 5);
  Release(popup, 5, WM_RBUTTONUP);
  ExpectReceived(gm::msg::kProfileListEvent, 11, 5);

  // The caption and an unnamed profile are not choosable.
  owner_.got.clear();
  Click(popup, 1);
  Click(popup, 4);
  Settle();
  EXPECT_FALSE(Got(gm::msg::kProfileListEvent));
}

// Captures the screen area `r` into a picture.
void CaptureScreen(const RECT& r, uitest::Surface& out) {
  HDC screen = GetDC(nullptr);
  BitBlt(out.Dc(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

TEST_F(AssignPopupsTest, GalleryOfTheMainMenuWithASubmenu) {
  ui_.texts = {};
  const std::pair<int, const wchar_t*> labels[] = {
      {20, L"Left click"}, {21, L"Right click"}, {22, L"Middle click"}, {23, L"Forward"}, {24, L"Back"},
      {25, L"DPI functions"}, {26, L"Rapid fire"}, {27, L"Triple click"}, {28, L"Macro"},
      {29, L"Key combination"}, {30, L"Multimedia"}, {31, L"Office"}, {32, L"Windows functions"},
      {33, L"Software function"}, {34, L"Disabled"}, {36, L"DPI lock"}, {39, L"Launch program"}};
  for (const auto& [i, text] : labels) ui_.texts[static_cast<std::size_t>(i)] = text;
  ASSERT_NE(GetFileAttributesW(ui_.context.ProgramFile(L"skins\\menu_nr.png").c_str()), INVALID_FILE_ATTRIBUTES)
      << "no skins beside the test program";

  gm::win::CComboPopup menu(ui_.context);
  const gm::ui::IntRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const gm::ui::IntRect control{40, 40, 202, 61};
  const auto m = gm::PlaceMainMenu(control, gm::MenuSize(17, 1.0), 1.0, screen);
  Open(menu, {m.left, m.top}, 17, gm::msg::kAssignmentChosen, 2013);
  MoveTo(menu, 15);  // DPI lock: rests on it, highlighted
  ASSERT_TRUE(owner_.WaitFor(gm::msg::kOpenDpiLockMenu));

  gm::win::CDPILockPopup lock(ui_.context);
  const auto s = gm::PlaceSubmenu(m, 15, gm::MenuSize(11, 1.0), 1.0, screen);
  Open(lock, {s.left, s.top}, 11, gm::msg::kDpiLockChosen, 2013);
  EXPECT_EQ(s.left, m.right);
  EXPECT_EQ(menu.HotEntry(), 15);

  const RECT area{m.left, m.top, std::max(m.right, s.right), std::max(m.bottom, s.bottom)};
  uitest::Surface shot(area.right - area.left, area.bottom - area.top);
  gmtest::PumpUntil([&] {
    CaptureScreen(area, shot);
    // Row 17 of the menu (its last) and the lock menu's last row are drawn.
    return shot.Pixel(20, 16 * 22 + 11) != RGB(0, 0, 0) && shot.Pixel(s.left - m.left + 20, s.bottom - m.top - 11) != RGB(0, 0, 0);
  }, 3s);
  EXPECT_NE(shot.Pixel(20, 16 * 22 + 11), RGB(0, 0, 0));
  EXPECT_NE(shot.Pixel(s.left - m.left + 20, s.bottom - m.top - 11), RGB(0, 0, 0));
  EXPECT_TRUE(shot.SavePng(gmtest::BinFolder() + L"..\\assign_popups.png"));
}

}  // namespace
