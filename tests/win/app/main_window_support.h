#pragma once
// The demo's main window driven from a test: starts GamingMouseDemo.exe on a fresh data folder,
// waits until its window is shown and painted, clicks and reads pixels at design coordinates ×
// the display scale, presses the buttons of the panel that acts as the mouse and reads its labels,
// and reads the profile file the program writes when it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/main_layout.h"
#include "app/responsiveness_support.h"
#include "settings/profile_record.h"
#include "win_test_support.h"

namespace apptest {

// The visible top-level windows of class `className` that belong to process `pid`.
std::vector<HWND> VisibleWindowsOf(const wchar_t* className, DWORD pid);
// The program's open skinned popup of `rows` entries at `scale` (menus differ in their row
// counts), or nullptr after 10 s.
HWND WaitForMenuPopup(DWORD pid, int rows, double scale);
// The client point of the centre of entry `entry` (1-based) of a menu at `scale`.
LPARAM MenuEntryPoint(int entry, double scale);
// The real pointer goes to the centre of entry `entry` (1-based) of a menu, so that nothing the
// system reports from where it was can move the menu's hover elsewhere.
void PointAtMenuEntry(HWND popup, int entry, double scale);
// A left click on entry `entry` (1-based) of a menu, as the pointer makes it.
void ClickMenuEntry(HWND popup, int entry, double scale);

class DemoMainWindow : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs on the emptied data folder (its path ends with '\') before the program starts: a test
  // puts the files the program should find there.
  virtual void PrepareDataFolder(const std::wstring& folder) {}
  // Starts the program on the data folder as it is and waits for its painted main window.
  void StartAndWaitPainted();
  // The data folder of the program under test (ending in a separator).
  static std::wstring DataFolder();

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
  // The screen point of the centre of a design rectangle of the main window.
  POINT ScreenCentre(const gm::LayoutRect& r) const;
  // A click of the real pointer (gmtest::RealClick) at the centre of a design rectangle of the
  // main window.
  void RealClickAt(const gm::LayoutRect& r, bool rightButton = false) const {
    gmtest::RealClick(ScreenCentre(r), rightButton);
  }

  // The screen's pixels of a design rectangle of the main window, or of another window of the
  // program (a dialog) at the same scale.
  std::vector<COLORREF> Pixels(const gm::LayoutRect& r) const { return PixelsOf(window_, r); }
  std::vector<COLORREF> PixelsOf(HWND window, const gm::LayoutRect& r) const;
  // The pixels of `r` once they have stopped changing (painting is asynchronous).
  std::vector<COLORREF> SteadyPixels(const gm::LayoutRect& r) const { return SteadyPixelsOf(window_, r); }
  std::vector<COLORREF> SteadyPixelsOf(HWND window, const gm::LayoutRect& r) const;
  // Waits until the pixels of `r` differ from (or, with `differ` false, equal) `reference`.
  bool PixelsBecome(const gm::LayoutRect& r, const std::vector<COLORREF>& reference, bool differ) const;

  // The panel's button of `action` (CDemoPanel::Action), clicked as the user would. Sent, not
  // posted: when this returns the simulated mouse has acted on the click.
  void ClickPanel(int action);
  // The text of the panel's control `id` (a button or the state line); empty without the panel.
  std::wstring PanelText(int id) const;
  // Waits until the panel's control `id` shows `text`.
  bool PanelShows(int id, const std::wstring& text) const;

  // The program's visible top-level windows of `className`.
  std::vector<HWND> VisibleWindows(const wchar_t* className) const;
  // The program's open popup menu of `rows` entries (menus differ in their row counts), waited for.
  HWND WaitForPopup(int rows) const;
  // Rests on, presses and releases entry `entry` (1-based) of a popup menu.
  void ClickMenuEntry(HWND popup, int entry) const;
  // The program's visible skinned dialog of `width` × `height` design units, or nullptr.
  HWND FindDialog(int width, int height) const;
  // The same, waited for (nullptr after `timeout`).
  HWND WaitForDialog(int width, int height, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  // An edit is uploaded on the device thread, and when the upload has sent something the progress
  // notice (429 × 140 units) shows for half a second once its result is back: waits until it has
  // come and gone, so that it is not taken for the next dialog of that size.
  void AwaitUploadProgress() const;
  // A click at the centre of design rectangle `r` of a skinned dialog.
  void ClickInDialog(HWND dialog, const gm::LayoutRect& r) const;

  // Closes the main window as the system would and waits for the program to end with code 0.
  bool CloseAndWait();
  // The profile of slot 0 as the program's file holds it (written at start and at exit).
  gm::ProfileRecord SavedProfile() const;
  // Replaces the profile file of slot 0 (for the next start).
  void WriteSavedProfile(const gm::ProfileRecord& record) const;

  gmtest::Process process_;
  HWND window_ = nullptr;
  double scale_ = 1;
};

}  // namespace apptest
