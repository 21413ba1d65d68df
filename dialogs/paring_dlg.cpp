#include "dialogs/paring_dlg.h"

#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/program_messages.h"

namespace gm::win {
namespace {

using D = CParingDlg;

constexpr DialogFrame kFrame{429, 200, L"skins\\Frame_common.bmp"};
constexpr UINT_PTR kTickTimer = 1;

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 405),
    ui::TextLine(D::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft, kTextPairButton),
    ui::TextLine(D::kStatus, {10, 60, 419, 130}, ui::TextAlign::kCentreWrapped),
    ui::CaptionButton(D::kPair, {180, 160, 249, 180}, kTextPairButton),
};

}  // namespace

CParingDlg::CParingDlg(const ui::UiContext& context, HWND parent, std::function<bool()> mouseOnline, UINT tickMs)
    : CDlgBase(context, parent), mouseOnline_(std::move(mouseOnline)), tickMs_(tickMs) {
  Declare(kFrame, kControls, kIgnoreEnter);
  SetWindowTextFrom({kStatus});
  SetHandlers({{kPair, kEventClicked, [this] { Press(); }}, {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
}

bool CParingDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_TIMER && wParam == kTickTimer) {
    Tick();
  } else if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    Press();
  } else {
    return false;
  }
  result = 0;
  return true;
}

void CParingDlg::Press() {
  const Pairing before = pairing_;
  const PairingAction action = pairing_.Press();
  if (!action.handled) return;
  if (action.sendPairingRequest && parent_ &&
      SendMessageW(parent_, msg::kPairingRequested, 0, 0) == msg::kPairingLinkBusy) {
    // Nothing went out: stay where we were so the next press asks again.
    pairing_ = before;
    SetControlText(kStatus, context_.Text(kTextPairingBusy));
    return;
  }
  if (action.textIndex >= 0) SetControlText(kStatus, context_.Text(action.textIndex));
  if (action.startTimer) SetTimer(Hwnd(), kTickTimer, tickMs_, nullptr);
}

void CParingDlg::Tick() {
  const PairingTick tick = pairing_.Tick(mouseOnline_ && mouseOnline_());
  if (tick.stopTimer) KillTimer(Hwnd(), kTickTimer);
  if (tick.textIndex >= 0) SetControlText(kStatus, context_.Text(tick.textIndex));
}

}  // namespace gm::win
