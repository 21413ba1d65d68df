#pragma once
// The program's icon in the notification area of the task bar: one owner that adds the icon when
// the main window starts and removes it when the owner goes, whatever way the program ends. The
// shell reports mouse activity on the icon to the owner window with gm::msg::kTrayIcon (wParam the
// icon id, lParam the mouse message); app/tray_actions.h says what each means. A shell that
// restarts (Explorer) forgets its icons and broadcasts the "TaskbarCreated" message: the window
// then calls Readd.
#include <windows.h>

#include <string>

namespace gm::win {

class CTrayIcon {
 public:
  CTrayIcon();
  ~CTrayIcon() { Remove(); }
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Adds the icon (id 128, tip `tip`) reporting to `owner`; returns what the shell answered. The
  // icon stays the owner's even when the shell refused it, so Readd can try again.
  bool Add(HWND owner, HICON icon, const std::wstring& tip);
  // Adds the icon again after the shell restarted; false when there is none or the shell refused.
  bool Readd();
  // Removes the icon; nothing when there is none. The owner window may already be destroyed.
  void Remove();

  // The registered message the shell broadcasts when it (re)starts.
  UINT TaskbarCreatedMessage() const { return taskbarCreated_; }

  // The icon's menu at the pointer, owned by `owner`: `showText` (gm::kTrayCommandShow), a
  // separator, `exitText` (gm::kTrayCommandExit). The chosen item arrives at `owner` as WM_COMMAND.
  static void ShowMenu(HWND owner, const std::wstring& showText, const std::wstring& exitText);

 private:
  NOTIFYICONDATAW data_{};
  bool added_ = false;
  UINT taskbarCreated_ = 0;
};

}  // namespace gm::win
