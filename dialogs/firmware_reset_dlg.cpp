#include "dialogs/firmware_reset_dlg.h"

#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"

namespace gm::win {
namespace {

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_common.bmp"};

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(CFirmwareResetDlg::kClose, 405),
    ui::CaptionButton(CFirmwareResetDlg::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(CFirmwareResetDlg::kCancel, {350, 110, 419, 130}, kTextCancel),
    ui::TextLine(CFirmwareResetDlg::kQuestion, {0, 60, 429, 108}, ui::TextAlign::kCentreWrapped, kTextFactoryResetQuestion),
};

}  // namespace

CFirmwareResetDlg::CFirmwareResetDlg(const ui::UiContext& context, HWND parent, int questionIndex)
    : CDlgBase(context, parent) {
  Declare(kFrame, kControls, kIgnoreEscape);
  SetHandlers({{kOk, kEventClicked, [this] { Close(IDOK); }},
               {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
  if (questionIndex != kTextFactoryResetQuestion) SetControlText(kQuestion, context.Text(questionIndex));
}

}  // namespace gm::win
