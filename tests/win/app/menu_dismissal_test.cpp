// The demo's menus and profile list under Wine, driven with the real pointer (SendInput), so that
// the system decides which window a click reaches and which window it activates: each popup
// chain closes on a click elsewhere in the main window and on a click in another program's window,
// a submenu opening leaves its menu's key combo pressed, and the profile list opens on the first
// click on the Profiles button after it was closed that way.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/main_layout.h"
#include "app/main_window_support.h"
#include "app/profile_operations.h"
#include "assign/function_menus.h"
#include "assign/popup_placement.h"
#include "settings/app_config.h"
#include "settings/profile_record.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"
#include "ui/program_messages.h"
#include "win_test_support.h"

using namespace std::chrono_literals;

namespace {

constexpr wchar_t kPopupClass[] = L"GmSkinnedPopup";
constexpr wchar_t kOtherClass[] = L"GmTestOtherProgram";

int Rows(gm::FunctionMenuId menu) { return static_cast<int>(gm::FunctionMenuOf(menu).entries.size()); }

int EntryWithSubmenu(unsigned message) {
  const auto& entries = gm::FunctionMenuOf(gm::FunctionMenuId::kMain).entries;
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].message == message) return static_cast<int>(i) + 1;
  return 0;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT out;
  return IntersectRect(&out, &a, &b) != FALSE;
}

// Every visible top-level window of process `pid`.
std::vector<RECT> WindowRectsOf(DWORD pid) {
  struct Found {
    DWORD pid;
    std::vector<RECT> rects;
  } found{pid, {}};
  EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        auto* f = reinterpret_cast<Found*>(l);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        RECT r{};
        if (owner == f->pid && IsWindowVisible(h) && GetWindowRect(h, &r)) f->rects.push_back(r);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.rects;
}

// A window of another program: a plain top-level window of a thread of its own in the test's
// process (not the program under test), which counts the left-button presses it gets. It is shown
// without being activated; a click in it activates it.
class OtherProgramWindow {
 public:
  explicit OtherProgramWindow(RECT at) {
    thread_ = std::thread([this, at] { Run(at); });
    gmtest::PumpUntil([&] { return hwnd_.load() != nullptr || failed_; }, 10s);
  }
  ~OtherProgramWindow() {
    if (HWND h = hwnd_.load()) PostMessageW(h, WM_CLOSE, 0, 0);
    if (thread_.joinable()) thread_.join();
  }
  OtherProgramWindow(const OtherProgramWindow&) = delete;
  OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;

  HWND Hwnd() const { return hwnd_.load(); }
  int Presses() const { return presses_.load(); }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OtherProgramWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN && self) ++self->presses_;
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(h, message, wParam, lParam);
  }
  void Run(RECT at) {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kOtherClass;
    RegisterClassExW(&wc);
    HWND h = CreateWindowExW(0, kOtherClass, L"Another program", WS_POPUP | WS_BORDER, at.left, at.top,
                             at.right - at.left, at.bottom - at.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!h) {
      failed_ = true;
      return;
    }
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(h, SW_SHOWNOACTIVATE);
    UpdateWindow(h);
    hwnd_ = h;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  }

  std::thread thread_;
  std::atomic<HWND> hwnd_{nullptr};
  std::atomic<bool> failed_{false};
  std::atomic<int> presses_{0};
};

// A chain of popups to open: the profile list (else key combo 1's function menu), what opens the
// rest of the chain from the first popup, and how many popups are then open.
struct Chain {
  bool profile;
  std::function<bool(HWND first)> more;
  size_t popups;
};

class MenuDismissal : public apptest::DemoMainWindow {
 protected:
  // Three profiles shown, each with a name, so that the list has entries to right-click.
  void PrepareDataFolder(const std::wstring&) override {
    auto model = std::make_unique<gm::SettingsModel>();
    model->env.dataFolder = DataFolder();
    std::filesystem::create_directories(DataFolder() + L"config");
    gm::FillAppConfigDefaults(model->config, DataFolder());
    gm::WriteProfileList(model->config, {3, {0, 1, 2, 3, 4}});
    ASSERT_TRUE(gm::WriteAppConfigFile(model->config, gm::AppConfigPath(DataFolder())));
    for (int slot = 0; slot < gm::kProfileCount; ++slot) {
      gm::ProfileRecord& record = model->profiles[static_cast<size_t>(slot)];
      gm::ResetProfile(record, slot, model->texts, gm::ConfigSensor(model->config));
      gm::SetProfileName(record, L"Profile " + std::to_wstring(slot));
    }
    ASSERT_TRUE(gm::SaveAllProfiles(*model));
  }

  static gm::LayoutRect RectOf(int id) { return gm::FindMainControl(id)->rect; }
  static gm::LayoutRect Combo() { return RectOf(gm::kControlKeyComboFirst); }

  std::vector<HWND> Popups() const { return VisibleWindows(kPopupClass); }
  bool PopupsClosed() const {
    return gmtest::PumpUntil([&] { return Popups().empty(); }, 5s);
  }

  // A free point of the main window (design units): on no control of the left part of the window
  // (the right column holds the sections), on no open popup and on no other window of the program.
  gm::LayoutRect FreeSpot() const {
    RECT window{};
    GetWindowRect(window_, &window);
    std::vector<RECT> others;
    for (const RECT& r : WindowRectsOf(process_.id))
      if (!EqualRect(&r, &window)) others.push_back(r);
    for (int y = 400; y < gm::kMainDesignHeight - 20; y += 10) {
      for (int x = 300; x < gm::kHeaderLeft - 20; x += 10) {
        const gm::LayoutRect spot{x - 5, y - 5, x + 5, y + 5};
        bool free = true;
        for (const gm::MainControlSpec& spec : gm::MainWindowControls()) {
          const gm::LayoutRect& c = spec.rect;
          if (spec.group == gm::ControlGroup::kCommon && x + 8 >= c.left && x - 8 < c.right && y + 8 >= c.top &&
              y - 8 < c.bottom)
            free = false;
        }
        const POINT at = ScreenCentre(spot);
        const RECT around{at.x - 8, at.y - 8, at.x + 8, at.y + 8};
        for (const RECT& r : others) free = free && !Overlap(r, around);
        if (free) return spot;
      }
    }
    ADD_FAILURE() << "no free spot in the main window";
    return {};
  }

  // Where another program's window can stand: a corner of the screen clear of the program's windows.
  RECT OtherProgramPlace() const {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<RECT> taken = WindowRectsOf(process_.id);
    const RECT corners[] = {{w - 170, h - 130, w - 10, h - 10}, {10, h - 130, 170, h - 10}, {w - 170, 10, w - 10, 130}};
    for (const RECT& c : corners) {
      bool clear = true;
      for (const RECT& r : taken) clear = clear && !Overlap(r, c);
      if (clear) return c;
    }
    ADD_FAILURE() << "no room on the screen for another program's window";
    return corners[0];
  }

  // The real pointer rests on entry `entry` of a popup menu.
  void RestOnEntry(HWND popup, int entry) const {
    apptest::PointAtMenuEntry(popup, entry, scale_);
    PostMessageW(popup, WM_MOUSEMOVE, 0, apptest::MenuEntryPoint(entry, scale_));
  }
  POINT EntryOnScreen(HWND popup, int entry) const {
    const LPARAM at = apptest::MenuEntryPoint(entry, scale_);
    POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    ClientToScreen(popup, &p);
    return p;
  }

  HWND OpenFunctionMenu() {
    RealClickAt(Combo());
    return WaitForPopup(Rows(gm::FunctionMenuId::kMain));
  }
  HWND OpenProfileList() {
    RealClickAt(RectOf(gm::kControlProfileButton));
    return WaitForPopup(gm::kProfileListEntries);
  }

  void ClosesOnClicksElsewhere(const Chain& chain);
};

// The popups of `chain` close on a click elsewhere in the main window, and again on a click in
// another program's window; a key combo shows its menu open until then, and the profile list
// opens again on the first click on the Profiles button.
void MenuDismissal::ClosesOnClicksElsewhere(const Chain& chain) {
  OtherProgramWindow other(OtherProgramPlace());
  ASSERT_TRUE(other.Hwnd()) << "no window of another program";
  // The key combo unlit: the pointer away from it and no menu open.
  MoveTo(FreeSpot());
  const std::vector<COLORREF> comboNormal = SteadyPixels(Combo());

  for (bool inMainWindow : {true, false}) {
    SCOPED_TRACE(inMainWindow ? "a click elsewhere in the main window" : "a click in another program's window");
    HWND first = chain.profile ? OpenProfileList() : OpenFunctionMenu();
    ASSERT_TRUE(first) << "the popup did not open";
    // The click activated the main window, and the popup left the activation there.
    EXPECT_TRUE(gmtest::PumpUntil([&] { return GetForegroundWindow() == window_; }, 5s))
        << "the main window is not the active window while its popup is open";
    std::vector<COLORREF> comboOpen;
    if (!chain.profile) {
      // With the pointer on the menu the combo shows it is open.
      RestOnEntry(first, 1);
      EXPECT_TRUE(PixelsBecome(Combo(), comboNormal, true)) << "the combo does not look open";
      comboOpen = SteadyPixels(Combo());
    }
    ASSERT_TRUE(chain.more(first)) << "the rest of the chain did not open";
    ASSERT_EQ(Popups().size(), chain.popups);
    EXPECT_EQ(GetForegroundWindow(), window_) << "a popup took the activation";
    if (!chain.profile) {
      EXPECT_FALSE(gmtest::PumpUntil([&] { return Pixels(Combo()) != comboOpen; }, 1s))
          << "the combo let go while its menu is open";
    }

    if (inMainWindow) {
      RealClickAt(FreeSpot());
    } else {
      const int presses = other.Presses();
      RECT r{};
      GetWindowRect(other.Hwnd(), &r);
      gmtest::RealClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
      EXPECT_TRUE(gmtest::PumpUntil([&] { return other.Presses() > presses; }, 5s)) << "the click missed the window";
    }
    ASSERT_TRUE(PopupsClosed()) << Popups().size() << " popups still open";
    if (!chain.profile) {
      EXPECT_TRUE(gmtest::PumpUntil([&] { return Pixels(Combo()) == comboNormal; }, 5s)) << "the combo still looks open";
    } else {
      // One click on the Profiles button opens the list again; a click elsewhere closes it.
      ASSERT_TRUE(OpenProfileList()) << "the first click on the Profiles button did not open the list";
      RealClickAt(FreeSpot());
      ASSERT_TRUE(PopupsClosed());
    }
  }
  ASSERT_TRUE(CloseAndWait());
}

TEST_F(MenuDismissal, FunctionMenuClosesOnAClickElsewhere) {
  ClosesOnClicksElsewhere({false, [](HWND) { return true; }, 1});
}

TEST_F(MenuDismissal, FunctionMenuAndSubmenuCloseOnAClickElsewhere) {
  ClosesOnClicksElsewhere({false,
                           [this](HWND menu) {
                             RestOnEntry(menu, EntryWithSubmenu(gm::msg::kOpenDpiLockMenu));
                             return WaitForPopup(Rows(gm::FunctionMenuId::kDpiLock)) != nullptr;
                           },
                           2});
}

TEST_F(MenuDismissal, ProfileListClosesOnAClickElsewhereAndOpensWithTheNextClick) {
  ClosesOnClicksElsewhere({true, [](HWND) { return true; }, 1});
}

TEST_F(MenuDismissal, ProfileContextMenuClosesOnAClickElsewhere) {
  ClosesOnClicksElsewhere({true,
                           [this](HWND list) {
                             gmtest::RealClick(EntryOnScreen(list, 3), true);
                             return WaitForPopup(Rows(gm::FunctionMenuId::kProfileContext)) != nullptr;
                           },
                           2});
}

// A click on the Profiles button while its list is open only closes the list; the next one opens it.
TEST_F(MenuDismissal, TheProfilesButtonClosesItsOpenListAndOpensItWithTheNextClick) {
  ASSERT_TRUE(OpenProfileList());
  RealClickAt(RectOf(gm::kControlProfileButton));
  EXPECT_TRUE(PopupsClosed());
  // Nothing opens it again behind the closing click.
  EXPECT_FALSE(gmtest::PumpUntil([&] { return !Popups().empty(); }, 500ms));
  EXPECT_TRUE(OpenProfileList());
  ASSERT_TRUE(CloseAndWait());
}

}  // namespace
