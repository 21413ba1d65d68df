#include "app/main_window_support.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/single_instance.h"
#include "assign/popup_placement.h"
#include "settings/settings_store.h"

using namespace std::chrono_literals;

namespace apptest {

namespace {

constexpr wchar_t kPanelClass[] = L"GamingMouseDemoPanel";
constexpr wchar_t kDataFolder[] = L"\\GamingMouseData20260526C";
constexpr wchar_t kPopupClass[] = L"GmSkinnedPopup";

struct WindowsOf {
  const wchar_t* className;
  DWORD pid;
  std::vector<HWND> found;
};
BOOL CALLBACK CollectProc(HWND hwnd, LPARAM lParam) {
  auto* d = reinterpret_cast<WindowsOf*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (pid == d->pid && IsWindowVisible(hwnd) && std::wstring(name) == d->className) d->found.push_back(hwnd);
  return TRUE;
}

std::wstring ProfileFile() { return gmtest::AppDataFolder() + kDataFolder + L"\\config\\default0.psf"; }

}  // namespace

std::vector<HWND> VisibleWindowsOf(const wchar_t* className, DWORD pid) {
  WindowsOf d{className, pid, {}};
  EnumWindows(&CollectProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

HWND WaitForMenuPopup(DWORD pid, int rows, double scale) {
  const LONG height = gm::MenuSize(rows, scale).y;
  HWND popup = nullptr;
  gmtest::PumpUntil(
      [&] {
        for (HWND h : VisibleWindowsOf(kPopupClass, pid)) {
          RECT r{};
          GetWindowRect(h, &r);
          if (r.bottom - r.top == height) popup = h;
        }
        return popup != nullptr;
      },
      10s);
  return popup;
}

LPARAM MenuEntryPoint(int entry, double scale) {
  const gm::ui::IntPoint row = gm::MenuSize(1, scale);
  return MAKELPARAM(row.x / 2, row.y * (entry - 1) + row.y / 2);
}

void PointAtMenuEntry(HWND popup, int entry, double scale) {
  const LPARAM at = MenuEntryPoint(entry, scale);
  POINT screen{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  ClientToScreen(popup, &screen);
  SetCursorPos(screen.x, screen.y);
}

void ClickMenuEntry(HWND popup, int entry, double scale) {
  PointAtMenuEntry(popup, entry, scale);
  const LPARAM at = MenuEntryPoint(entry, scale);
  PostMessageW(popup, WM_MOUSEMOVE, 0, at);
  PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(popup, WM_LBUTTONUP, 0, at);
}

void DemoMainWindow::SetUp() {
  std::error_code ec;
  std::filesystem::remove_all(gmtest::AppDataFolder() + kDataFolder, ec);
  PrepareDataFolder(DataFolder());
  if (HasFatalFailure()) return;
  StartAndWaitPainted();
}

void DemoMainWindow::StartAndWaitPainted() {
  process_ = gmtest::StartProgram(L"GamingMouseDemo.exe");
  const DWORD startError = process_.handle ? 0 : GetLastError();
  ASSERT_TRUE(process_.handle) << "the program did not start, error " << startError;
  ASSERT_TRUE(gmtest::PumpUntil(
      [&] { return (window_ = gmtest::FindWindowOfProcess(gm::kMainWindowClassName, process_.id)) != nullptr; }, 60s));
  ASSERT_TRUE(gmtest::PumpUntil([&] { return Shown(); }, 20s)) << "the main window was not shown";
  RECT client{};
  GetClientRect(window_, &client);
  scale_ = client.right / static_cast<double>(gm::kMainDesignWidth);
  ASSERT_TRUE(Painted()) << "the main window did not paint";
}

std::wstring DemoMainWindow::DataFolder() { return gmtest::AppDataFolder() + kDataFolder + L"\\"; }

void DemoMainWindow::TearDown() {
  if (process_.handle && WaitForSingleObject(process_.handle.Get(), 0) == WAIT_TIMEOUT) gmtest::Terminate(process_);
}

bool DemoMainWindow::Painted() const {
  const gm::LayoutRect keyRow{82, 81, 244, 102};  // key combo 1
  std::vector<COLORREF> last;
  int unchanged = 0;
  return gmtest::PumpUntil(
      [&] {
        std::vector<COLORREF> now = Pixels(keyRow);
        unchanged = now == last ? unchanged + 1 : 0;
        last = now;
        std::sort(now.begin(), now.end());
        const auto colours = std::unique(now.begin(), now.end()) - now.begin();
        return Shown() && colours >= 3 && unchanged >= 3;
      },
      20s);
}

void DemoMainWindow::MoveTo(const gm::LayoutRect& r) {
  const POINT p = Centre(r);
  POINT screen = p;
  ClientToScreen(window_, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageW(window_, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

void DemoMainWindow::ClickAt(const gm::LayoutRect& r) {
  const POINT p = Centre(r);
  const LPARAM at = MAKELPARAM(p.x, p.y);
  PostMessageW(window_, WM_MOUSEMOVE, 0, at);
  PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(window_, WM_LBUTTONUP, 0, at);
}

POINT DemoMainWindow::Centre(const gm::LayoutRect& r) const {
  const gm::LayoutRect s = gm::ScaleRect(r, scale_);
  return {(s.left + s.right) / 2, (s.top + s.bottom) / 2};
}

POINT DemoMainWindow::ScreenCentre(const gm::LayoutRect& r) const {
  POINT p = Centre(r);
  ClientToScreen(window_, &p);
  return p;
}

std::vector<COLORREF> DemoMainWindow::PixelsOf(HWND window, const gm::LayoutRect& r) const {
  const gm::LayoutRect s = gm::ScaleRect(r, scale_);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  std::vector<COLORREF> out;
  HDC screen = GetDC(nullptr);
  for (int y = s.top; y < s.bottom; y += 3)
    for (int x = s.left; x < s.right; x += 3) out.push_back(GetPixel(screen, origin.x + x, origin.y + y));
  ReleaseDC(nullptr, screen);
  return out;
}

std::vector<COLORREF> DemoMainWindow::SteadyPixelsOf(HWND window, const gm::LayoutRect& r) const {
  // Three samples in a row alike: one repeat can fall between two steps of a repaint.
  std::vector<COLORREF> last = PixelsOf(window, r);
  int unchanged = 0;
  gmtest::PumpUntil(
      [&] {
        std::vector<COLORREF> now = PixelsOf(window, r);
        unchanged = now == last ? unchanged + 1 : 0;
        last = std::move(now);
        return unchanged >= 3;
      },
      5s);
  return last;
}

bool DemoMainWindow::PixelsBecome(const gm::LayoutRect& r, const std::vector<COLORREF>& reference, bool differ) const {
  return gmtest::PumpUntil([&] { return (Pixels(r) != reference) == differ; }, 5s);
}

void DemoMainWindow::ClickPanel(int action) {
  // The panel's window can be found a moment before its buttons exist: wait for the button.
  HWND panel = nullptr;
  HWND button = nullptr;
  ASSERT_TRUE(gmtest::PumpUntil(
      [&] {
        panel = gmtest::FindWindowOfProcess(kPanelClass, process_.id);
        button = panel ? GetDlgItem(panel, action) : nullptr;
        return button != nullptr;
      },
      10s))
      << "no panel button " << action;
  SendMessageW(panel, WM_COMMAND, MAKEWPARAM(action, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::wstring DemoMainWindow::PanelText(int id) const {
  HWND panel = gmtest::FindWindowOfProcess(kPanelClass, process_.id);
  HWND control = panel ? GetDlgItem(panel, id) : nullptr;
  if (!control) return L"";
  // The whole text, however long (the macro line of six full macros runs to thousands).
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool DemoMainWindow::PanelShows(int id, const std::wstring& text) const {
  return gmtest::PumpUntil([&] { return PanelText(id) == text; }, 10s);
}

void DemoMainWindow::AwaitUploadProgress() const {
  HWND progress = nullptr;
  gmtest::PumpUntil([&] { return (progress = FindDialog(429, 140)) != nullptr; }, 3s);
  if (progress) EXPECT_TRUE(gmtest::PumpUntil([&] { return !IsWindow(progress); }, 10s));
}

std::vector<HWND> DemoMainWindow::VisibleWindows(const wchar_t* className) const {
  return VisibleWindowsOf(className, process_.id);
}

HWND DemoMainWindow::WaitForPopup(int rows) const { return WaitForMenuPopup(process_.id, rows, scale_); }

void DemoMainWindow::ClickMenuEntry(HWND popup, int entry) const { apptest::ClickMenuEntry(popup, entry, scale_); }

HWND DemoMainWindow::FindDialog(int width, int height) const {
  const LONG w = static_cast<LONG>(width * scale_), h = static_cast<LONG>(height * scale_);
  for (HWND d : VisibleWindows(L"#32770")) {
    RECT client{};
    GetClientRect(d, &client);
    if (client.right == w && client.bottom == h) return d;
  }
  return nullptr;
}

HWND DemoMainWindow::WaitForDialog(int width, int height, std::chrono::milliseconds timeout) const {
  HWND dialog = nullptr;
  gmtest::PumpUntil([&] { return (dialog = FindDialog(width, height)) != nullptr; }, timeout);
  return dialog;
}

void DemoMainWindow::ClickInDialog(HWND dialog, const gm::LayoutRect& r) const {
  const gm::LayoutRect s = gm::ScaleRect(r, scale_);
  const LPARAM at = MAKELPARAM((s.left + s.right) / 2, (s.top + s.bottom) / 2);
  PostMessageW(dialog, WM_MOUSEMOVE, 0, at);
  PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(dialog, WM_LBUTTONUP, 0, at);
}

bool DemoMainWindow::CloseAndWait() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  if (!gmtest::PumpUntilExited(process_.handle.Get(), 30s)) return false;
  DWORD code = 99;
  GetExitCodeProcess(process_.handle.Get(), &code);
  return code == 0;
}

gm::ProfileRecord DemoMainWindow::SavedProfile() const {
  const auto model = std::make_unique<gm::SettingsModel>();
  EXPECT_TRUE(gm::ReadProfileFile(*model, 0, ProfileFile()));
  return model->profiles[0];
}

void DemoMainWindow::WriteSavedProfile(const gm::ProfileRecord& record) const {
  const auto model = std::make_unique<gm::SettingsModel>();
  model->profiles[0] = record;
  EXPECT_TRUE(gm::WriteProfileFile(*model, 0, ProfileFile()));
}

}  // namespace apptest
