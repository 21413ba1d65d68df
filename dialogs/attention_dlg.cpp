#include "dialogs/attention_dlg.h"

#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"

namespace gm::win {
namespace {

constexpr DialogFrame kFrame{319, 102, L"skins\\Frame_warning.bmp"};
constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(CAttentionDlg::kClose, 300),
    ui::CaptionButton(CAttentionDlg::kOk, {240, 70, 309, 90}, kTextOk),
    ui::TextLine(CAttentionDlg::kHeading, {21, 11, 175, 31}, ui::TextAlign::kLeft),
    // The message: two lines between the heading band and the button row, centred (a box of one
    // line's height would cut every message longer than the dialog is wide).
    ui::TextLine(CAttentionDlg::kMessage, {8, 30, 311, 68}, ui::TextAlign::kCentreWrapped),
};

}  // namespace

CAttentionDlg::CAttentionDlg(const ui::UiContext& context, std::wstring heading, std::wstring message, HWND parent)
    : CDlgBase(context, parent), heading_(), message_(std::move(message)) {
  (void)heading;  // the heading line is always left empty
  Declare(kFrame, kControls);
  SetHandlers({{kOk, kEventClicked, [this] { Close(IDOK); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
  SetControlText(kMessage, message_);
}

HWND CAttentionDlg::ShowModeless(const ui::UiContext& context, std::wstring heading, std::wstring message,
                                 HWND parent) {
  auto* dlg = new CAttentionDlg(context, std::move(heading), std::move(message), parent);
  HWND hwnd = dlg->CreateModelessDialog();
  if (!hwnd) {
    delete dlg;
    return nullptr;
  }
  dlg->deleteWhenDestroyed_ = true;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return hwnd;
}

void CAttentionDlg::Tell(const ui::UiContext& context, int textIndex, HWND parent) {
  CAttentionDlg notice(context, context.Text(kTextAttention), context.Text(textIndex), parent);
  notice.DoModal();
}

void CAttentionDlg::OnDestroyed() {
  if (deleteWhenDestroyed_) delete this;
}

}  // namespace gm::win
