#include "dialogs/colour_palette_dlg.h"

#include <windowsx.h>

#include <string>

#include "app/palette_pick.h"
#include "app/res/skin_resource_ids.h"
#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"

namespace gm::win {
namespace {

using D = CColorPaletteDlg;

constexpr DialogFrame kFrame{kPaletteWidth, kPaletteHeight, nullptr};
constexpr LayoutRect kSwatch{245, 212, 303, 270};

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 476),
    ui::TextLine(D::kRed, {320, 212, 380, 230}, ui::TextAlign::kLeft),
    ui::TextLine(D::kGreen, {320, 232, 380, 250}, ui::TextAlign::kLeft),
    ui::TextLine(D::kBlue, {320, 252, 380, 270}, ui::TextAlign::kLeft),
    ui::CaptionButton(D::kOk, {400, 250, 469, 270}, kTextOk),
};

}  // namespace

CColorPaletteDlg::CColorPaletteDlg(const ui::UiContext& context, HWND parent, Colour& colour)
    : CDlgBase(context, parent), edit_(colour) {
  Declare(kFrame, kControls, kIgnoreEscape);
  SetHandlers({{kOk, kEventClicked, [this] { Confirm(); }}, {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
}

BOOL CColorPaletteDlg::OnInitDialog() {
  picture_.Reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_COLOUR_PALETTE),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  CDlgBase::OnInitDialog();
  ShowColour();
  return TRUE;
}

void CColorPaletteDlg::OnOK() { Confirm(); }

// A press in a colour field picks; it does not start dragging the window as a press on a free
// area does. Every other press goes on to the base (controls, window drag).
bool CColorPaletteDlg::OnDialogMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_LBUTTONDOWN) return false;
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  if (!PalettePickPoint(x, y, context_.displayScale)) return false;
  Pick(x, y);
  result = 0;
  return true;
}

void CColorPaletteDlg::Pick(int x, int y) {
  const auto point = PalettePickPoint(x, y, context_.displayScale);
  if (!point || !picture_) return;
  ScopedDC source = CreateMemoryDC(nullptr);
  SelectScope select(source.Get(), picture_.Get());
  const COLORREF pixel = GetPixel(source.Get(), point->x, point->y);
  if (pixel == CLR_INVALID) return;
  const auto picked = PickedColour(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel));
  if (!picked) return;
  edit_.Edited() = *picked;
  ShowColour();
  InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CColorPaletteDlg::ShowColour() {
  SetControlText(kRed, std::to_wstring(RedOf(edit_.Edited())));
  SetControlText(kGreen, std::to_wstring(GreenOf(edit_.Edited())));
  SetControlText(kBlue, std::to_wstring(BlueOf(edit_.Edited())));
}

void CColorPaletteDlg::DrawWindow(HDC dc, const RECT& client) {
  FillSolid(dc, client, BackgroundColour());
  if (picture_) {
    ScopedDC source = CreateMemoryDC(dc);
    SelectScope select(source.Get(), picture_.Get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, context_.Px(kPaletteWidth), context_.Px(kPaletteHeight), source.Get(), 0, 0, kPaletteWidth,
               kPaletteHeight, SRCCOPY);
  }
  DrawControls(dc, client);
  // Colour is 0x00BBGGRR, as a Windows colour value.
  FillSolid(dc, Scaled(kSwatch), edit_.Edited());
}

void CColorPaletteDlg::Confirm() {
  edit_.Confirm();
  Close(IDOK);
}

}  // namespace gm::win
