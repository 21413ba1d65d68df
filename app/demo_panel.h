#pragma once
// The demo program's small panel that acts as the mouse: a plain window beside the main window
// whose buttons press the mouse's own buttons, change its rate, plug and unplug each link, put it
// to sleep, and set its battery. A plug or unplug is announced to the main window as the system
// announces a real device's arrival or removal.
#include <windows.h>

#include <cstdint>
#include <string>

namespace gm::sim {
class SimMouse;
}

class CDemoPanel {
 public:
  CDemoPanel(HINSTANCE instance, gm::sim::SimMouse& mouse, HWND mainWindow);
  ~CDemoPanel();
  CDemoPanel(const CDemoPanel&) = delete;
  CDemoPanel& operator=(const CDemoPanel&) = delete;

  // Creates and shows the panel; false when the window could not be made.
  bool Create();
  void Destroy();
  HWND Hwnd() const { return hwnd_; }

  // The panel's actions (also the ids of its buttons).
  enum Action : int {
    kDpiButton = 100,
    kRate,
    kPlugWired,
    kPlugWireless,
    kPlugBle,
    kSleepWake,
    kBatteryDown,
    kCharging,
    kLaunch,
  };
  // The static line that shows the mouse's DPI state.
  static constexpr int kStateLine = 200;
  // The state line's text for `stage` (0-based), the enabled-stage mask, the DPI command reports
  // accepted (one DPI command is two reports: X values, then Y values) and the sensor codes of the
  // stage's X and Y resolution.
  static std::wstring StateLine(int stage, int mask, int dpiReports, int codeX, int codeY);
  // The static line that shows the macro slots the mouse holds completely: "Macros: none", or
  // "Macros: <slot>=<entry bytes in hex>" for each such slot, separated by "; ".
  static constexpr int kMacroLine = 201;
  void Perform(int action);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateButtons();
  void UpdateLabels();
  void TogglePlug(int action);

  HINSTANCE instance_;
  gm::sim::SimMouse& mouse_;
  HWND mainWindow_;
  HWND hwnd_ = nullptr;
  bool awake_ = true;
  std::uint8_t battery_ = 100;
  std::uint8_t charge_ = 0;
};
