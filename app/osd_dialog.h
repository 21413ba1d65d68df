#pragma once
// The on-screen display: a small half-transparent window in the lower right corner of the work
// area that shows the DPI stage, its value and the report rate for a moment whenever the mouse
// reports a change. It is a topmost popup without owner that never takes the activation from
// the program the user is in (a game): it is shown without activation and refuses it on clicks.
//
// CStageDisplay is what the main window holds: it opens the display on a change, refreshes the
// one open on the next change, and closes it through the main window's timer 50
// (gm::kTimerStageDisplay); the decisions are gm::StageDisplayCountdown's (app/stage_display.h).
#include <windows.h>

#include <memory>
#include <string>

#include "app/stage_display.h"
#include "ui/gdi_handles.h"

namespace gm::win {

// The display's window (class "COSDDialog"). Its window text holds the three lines, separated by
// spaces, so tools and tests can read what it shows.
class COSDDialog {
 public:
  static constexpr wchar_t kClassName[] = L"COSDDialog";

  // `fontFace` is the interface font's face; `scale` the display scale.
  COSDDialog(HINSTANCE instance, std::wstring fontFace, double scale);
  ~COSDDialog();
  COSDDialog(const COSDDialog&) = delete;
  COSDDialog& operator=(const COSDDialog&) = delete;

  // Creates the window at `rect` (screen pixels), 50 % opaque and topmost, and shows it without
  // activating it. False when the window could not be made.
  bool Create(const ui::IntRect& rect);
  // Shows `texts` from the next paint on (before Create: from the start).
  void SetTexts(const StageDisplayTexts& texts);
  HWND Hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  std::wstring Title() const;

  HINSTANCE instance_;
  std::wstring fontFace_;
  double scale_;
  HWND hwnd_ = nullptr;
  StageDisplayTexts texts_;
  ScopedFont headingFont_;
  ScopedFont valueFont_;
};

class CStageDisplay {
 public:
  // `timerWindow` runs timer 50 for the display and outlives this object's use.
  CStageDisplay(HINSTANCE instance, HWND timerWindow) : instance_(instance), timerWindow_(timerWindow) {}

  // A change: opens the display with `texts` in the lower right corner of the primary monitor's
  // work area, or gives the open one the new texts; the display stays for five more ticks.
  void Show(const StageDisplayTexts& texts, const std::wstring& fontFace, double scale);
  // Timer 50: counts down, and closes the display once the count has run out.
  void OnTimer();
  // Closes the display at once (the main window is going).
  void Close();
  // The display's window, or nullptr when none is shown.
  HWND Window() const { return dialog_ ? dialog_->Hwnd() : nullptr; }

 private:
  HINSTANCE instance_;
  HWND timerWindow_;
  StageDisplayCountdown countdown_;
  std::unique_ptr<COSDDialog> dialog_;
};

}  // namespace gm::win
