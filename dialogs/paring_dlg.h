#pragma once
// CParingDlg: pairs the mouse with the 2.4 GHz receiver (429 × 200). The pair button or Space
// starts a pairing (Pairing, device/pairing.h): the first one asks the main window for the pairing
// report (msg::kPairingRequested); a one-tick-per-second timer then watches the mouse's online flag
// and animates the text until the mouse is online or the 26th tick gives up. A retry after a
// failure watches again without a second pairing report. When the device link is busy with another
// exchange the report cannot go out: the dialog says so and the next press asks again. Escape and
// the close cross end the dialog; Enter does nothing.
#include <functional>

#include "device/pairing.h"
#include "ui/dlg_base.h"

namespace gm::win {

class CParingDlg final : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kPair = 2010, kTitle = 2012, kStatus = 2013 };
  static constexpr UINT kTickMs = 1000;

  // `mouseOnline` reads the program's online flag. `tickMs` is the timer's period (shorter only in
  // the demo's fast-time mode).
  CParingDlg(const ui::UiContext& context, HWND parent, std::function<bool()> mouseOnline, UINT tickMs = kTickMs);

  PairingState State() const { return pairing_.State(); }

 protected:
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Press();
  void Tick();

  std::function<bool()> mouseOnline_;
  UINT tickMs_;
  Pairing pairing_;
};

}  // namespace gm::win
