#include "dialogs/firmware_reset_dlg.h"

#include "ui/dialog_specs.h"

namespace gm::win {
namespace {

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_common.bmp"};
constexpr int kTextOk = 4;
constexpr int kTextCancel = 5;
constexpr int kTextResetQuestion = 140;

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(CFirmwareResetDlg::kClose, 405),
    ui::CaptionButton(CFirmwareResetDlg::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(CFirmwareResetDlg::kCancel, {350, 110, 419, 130}, kTextCancel),
    ui::TextLine(CFirmwareResetDlg::kQuestion, {0, 60, 429, 108}, ui::TextAlign::kCentreWrapped, kTextResetQuestion),
};

}  // namespace

CFirmwareResetDlg::CFirmwareResetDlg() : CDlgBase(nullptr) {
  Declare(kFrame, kControls, kIgnoreEscape);
  SetHandlers({{kOk, kEventClicked, [this] { Close(IDOK); }},
               {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
}

}  // namespace gm::win
