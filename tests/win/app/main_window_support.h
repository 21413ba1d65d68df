#pragma once
// The demo's main window driven from a test: starts GamingMouseDemo.exe on a fresh data folder,
// waits until its window is shown and painted, clicks and reads pixels at design coordinates ×
// the display scale, presses the buttons of the panel that acts as the mouse and reads its labels,
// and reads the profile file the program writes when it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_layout.h"
#include "settings/profile_record.h"
#include "win_test_support.h"

namespace apptest {

class DemoMainWindow : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs between emptying the data folder and starting the program (files the program should find).
  virtual void PrepareDataFolder() {}

  bool Shown() const { return IsWindowVisible(window_) && !IsIconic(window_); }
  // Waits until the window has painted: shown on screen, its first key row shows its picture and
  // text (not one flat colour, as before the first paint) and its pixels stay the same over a few
  // samples. Pixels taken as a reference before that would be those of the empty screen.
  bool Painted() const;

  // The pointer goes there for real (so nothing Wine synthesises from the real pointer moves the
  // hover elsewhere) and the move is also posted, as the window would receive it.
  void MoveTo(const gm::LayoutRect& r);
  // A click as the pointer makes it: move, press and release at the centre of a design rectangle.
  void ClickAt(const gm::LayoutRect& r);
  POINT Centre(const gm::LayoutRect& r) const;

  // The screen's pixels of a design rectangle of the window.
  std::vector<COLORREF> Pixels(const gm::LayoutRect& r) const;
  // The pixels of `r` once they have stopped changing (painting is asynchronous).
  std::vector<COLORREF> SteadyPixels(const gm::LayoutRect& r) const;
  // Waits until the pixels of `r` differ from (or, with `differ` false, equal) `reference`.
  bool PixelsBecome(const gm::LayoutRect& r, const std::vector<COLORREF>& reference, bool differ) const;

  // The panel's button of `action` (CDemoPanel::Action), clicked as the user would. Sent, not
  // posted: when this returns the simulated mouse has acted on the click.
  void ClickPanel(int action);
  // The text of the panel's control `id` (a button or the state line); empty without the panel.
  std::wstring PanelText(int id) const;
  // Waits until the panel's control `id` shows `text`.
  bool PanelShows(int id, const std::wstring& text) const;

  // Closes the main window as the system would and waits for the program to end with code 0.
  bool CloseAndWait();
  // The profile of slot 0 as the program's file holds it (written at start and at exit).
  gm::ProfileRecord SavedProfile() const;

  gmtest::Process process_;
  HWND window_ = nullptr;
  double scale_ = 1;
};

}  // namespace apptest
