#include "app/tray_icon.h"

#include <shellapi.h>

#include <iterator>

#include "app/main_ids.h"
#include "app/tray_actions.h"
#include "settings/unique_handle.h"
#include "ui/program_messages.h"

namespace gm::win {

namespace {

// A menu destroyed with DestroyMenu: the icon's menu, once it has closed.
struct MenuTraits {
  using Handle = HMENU;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { DestroyMenu(h); }
};
using ScopedMenu = UniqueHandle<MenuTraits>;

}  // namespace

CTrayIcon::CTrayIcon() : taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}

bool CTrayIcon::Add(HWND owner, HICON icon, const std::wstring& tip) {
  Remove();
  data_ = {};
  data_.cbSize = sizeof(data_);
  data_.hWnd = owner;
  data_.uID = kTrayIconId;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = msg::kTrayIcon;
  data_.hIcon = icon;
  lstrcpynW(data_.szTip, tip.c_str(), static_cast<int>(std::size(data_.szTip)));
  added_ = true;
  return Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

bool CTrayIcon::Readd() {
  if (!added_) return false;
  return Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void CTrayIcon::Remove() {
  if (!added_) return;
  added_ = false;
  Shell_NotifyIconW(NIM_DELETE, &data_);
}

void CTrayIcon::ShowMenu(HWND owner, const std::wstring& showText, const std::wstring& exitText) {
  const ScopedMenu menu(CreatePopupMenu());
  if (!menu.Get()) return;
  AppendMenuW(menu.Get(), MF_STRING, kTrayCommandShow, showText.c_str());
  AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu.Get(), MF_STRING, kTrayCommandExit, exitText.c_str());
  POINT at{};
  GetCursorPos(&at);
  // The owner must be the foreground window, or the menu would not close when the user clicks
  // elsewhere; the posted message lets the menu's loop end cleanly (a known shell-menu rule).
  SetForegroundWindow(owner);
  TrackPopupMenu(menu.Get(), TPM_LEFTALIGN, at.x, at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace gm::win
