#pragma once
// CColorPaletteDlg: picks the indicator colour of one DPI stage. The palette picture (bitmap
// resource IDB_COLOUR_PALETTE of the program, 500 × 291) is stretched over the window; a left
// click inside one of its two colour fields takes the colour of the picture at that point (read
// from the picture itself, so the screen's colour depth does not matter), except the picture's
// background colour. Three texts show the colour's red, green and blue and a swatch shows the
// colour. OK (button or Enter) hands the colour back and ends with
// IDOK; the close cross ends with IDCANCEL and stores nothing; Escape does nothing.
#include "settings/colour.h"
#include "ui/dlg_base.h"
#include "ui/gdi_handles.h"
#include "ui/record_edit.h"

namespace gm::win {

class CColorPaletteDlg final : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kRed = 2011, kGreen = 2012, kBlue = 2013 };

  // `colour` (the stage's colour) must outlive the dialog; it changes only when the dialog is
  // confirmed. Only the colour is handed over, so whatever else of the profile changes while the
  // dialog is open is kept.
  CColorPaletteDlg(const ui::UiContext& context, HWND parent, Colour& colour);

  Colour CurrentColour() const { return edit_.Edited(); }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void DrawWindow(HDC dc, const RECT& client) override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Pick(int x, int y);
  void ShowColour();
  void Confirm();

  ui::RecordEdit<Colour> edit_;
  ScopedBitmap picture_;
};

}  // namespace gm::win
