#include "dialogs/confirm_dlg.h"

#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"

namespace gm::win {
namespace {

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_common.bmp"};

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(CConfirmDlg::kClose, 405),
    ui::CaptionButton(CConfirmDlg::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(CConfirmDlg::kCancel, {350, 110, 419, 130}, kTextCancel),
    ui::TextLine(CConfirmDlg::kQuestion, {0, 60, 429, 108}, ui::TextAlign::kCentreWrapped),
};

}  // namespace

CConfirmDlg::CConfirmDlg(const ui::UiContext& context, HWND parent, const std::wstring& question)
    : CDlgBase(context, parent) {
  Declare(kFrame, kControls, kIgnoreEscape);
  SetHandlers({{kOk, kEventClicked, [this] { Close(IDOK); }},
               {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
  SetControlText(kQuestion, question);
}

}  // namespace gm::win
