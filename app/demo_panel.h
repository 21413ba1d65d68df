#pragma once
// The demo program's small panel that acts as the mouse: a plain window beside the main window
// whose buttons press the mouse's own buttons, change its rate, plug and unplug each link, put it
// to sleep, and set its battery. A plug or unplug is announced to the main window as the system
// announces a real device's arrival or removal; so is the mouse's own vanishing and coming back
// when its bootloader restarts it after a firmware update. Three more buttons send the main
// window its hidden pairing, firmware-update and update-check commands.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

namespace gm::sim {
class SimMouse;
class SimBootloader;
}

class CDemoPanel {
 public:
  // `boot` (may be null) is the mouse's bootloader, whose counts the flash line shows.
  CDemoPanel(HINSTANCE instance, gm::sim::SimMouse& mouse, gm::sim::SimBootloader* boot, HWND mainWindow);
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
    kPairReceiver,
    kUpdateFirmware,
    kCheckUpdates,
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
  // The static line that shows what the bootloader took and the pairing reports the mouse saw.
  static constexpr int kFlashLine = 202;
  // The flash line's text: the bootloader's accepted unlocks, sector erases, block writes and
  // restarts, and the pairing and factory-reset reports the mouse received.
  static std::wstring FlashLine(int unlocks, int sectorErases, int blockWrites, int restarts, int pairingReports,
                                int factoryResets);
  // The hidden static line that counts the command reports the mouse accepted, by command code:
  // read as window text, the one view from outside that tells when an upload has reached the
  // mouse as a whole (the lighting command, for one, shows nowhere else).
  static constexpr int kCommandLine = 203;
  // The command line's text: "Commands: none", or "Commands:" followed by " <code in hex>=<count>"
  // for each code, lowest code first.
  static std::wstring CommandLine(const std::map<std::uint8_t, int>& acceptedByCode);
  void Perform(int action);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateButtons();
  void UpdateLabels();
  // A change the mouse or its bootloader told of: announces the links, shows the state, and looks
  // at the bootloader again while a restart's links are still to come back.
  void OnMouseChanged();
  void TogglePlug(int action);
  // A change notice: handled now, or once kChangeIntervalMs have passed since the last one.
  void OnChangeNotice();
  // Announces each link whose plugged state differs from the last one announced.
  void AnnounceLinkChanges();
  void Announce(int linkIndex, bool plugged);

  HINSTANCE instance_;
  gm::sim::SimMouse& mouse_;
  gm::sim::SimBootloader* boot_;
  HWND mainWindow_;
  bool announced_[3] = {};  // the plugged state of each link as last announced
  int restartsSeen_ = 0;    // the bootloader's restarts the panel has announced
  HWND hwnd_ = nullptr;
  bool awake_ = true;
  std::uint8_t battery_ = 100;
  std::uint8_t charge_ = 0;
  std::atomic<bool> changePosted_{false};  // a kDemoMouseChanged message is on its way
  ULONGLONG changesShownAt_ = 0;          // when OnMouseChanged last ran (GetTickCount64)
};
