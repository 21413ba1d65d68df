#include "assign/fire_key_dlg.h"

#include <string>

#include "assign/fire_values.h"
#include "dialogs/attention_dlg.h"
#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/edit_box.h"
#include "ui/program_messages.h"

namespace gm::win {
namespace {

using D = CFireKeyDlg;

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_common.bmp"};
constexpr int kValuePoints = 10;
constexpr UINT_PTR kCheckTimer = 1;
constexpr UINT kCheckMs = 100;

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 405),
    ui::TextLine(D::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft, kTextRapidFireTitle),
    ui::TextLine(D::kIntervalLabel, {24, 42, 200, 62}, ui::TextAlign::kLeft, kTextRapidFireInterval),
    ui::EditLine(D::kIntervalBox, {210, 40, 290, 64}, kValuePoints),
    ui::TextLine(D::kCountLabel, {24, 74, 200, 94}, ui::TextAlign::kLeft, kTextRapidFireCount),
    ui::EditLine(D::kCountBox, {210, 72, 290, 96}, kValuePoints),
    ui::TextLine(D::kCountHint, {300, 74, 425, 94}, ui::TextAlign::kLeft, kTextRapidFireCountHint),
    ui::CaptionButton(D::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(D::kCancel, {350, 110, 419, 130}, kTextCancel),
};

std::wstring TextOf(const CEditBox* box) { return box ? box->CurrentText() : std::wstring(); }

}  // namespace

CFireKeyDlg::CFireKeyDlg(const ui::UiContext& context, HWND parent) : CDlgBase(context, parent) {
  Declare(kFrame, kControls, kIgnoreEnter | kIgnoreEscape);
  SetHandlers({{kOk, kEventClicked, [this] { Confirm(); }},
               {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
  SetControlText(kIntervalBox, kFireFirstStart);
  SetControlText(kCountBox, kFireSecondStart);
}

CEditBox* CFireKeyDlg::IntervalBox() const { return dynamic_cast<CEditBox*>(GetControl(kIntervalBox)); }
CEditBox* CFireKeyDlg::CountBox() const { return dynamic_cast<CEditBox*>(GetControl(kCountBox)); }

BOOL CFireKeyDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  for (auto [box, watch] : {std::pair{IntervalBox(), &intervalWatch_}, std::pair{CountBox(), &countWatch_}}) {
    if (box) watch->Install(box->EditWindow(), [this](wchar_t typed) { Typed(typed); });
  }
  SetTimer(Hwnd(), kCheckTimer, kCheckMs, nullptr);
  if (CEditBox* box = IntervalBox()) box->TakeFocus();
  return FALSE;  // the focus is set
}

bool CFireKeyDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_DESTROY) {
    KillTimer(Hwnd(), kCheckTimer);
    return false;
  }
  if (message != WM_TIMER || wParam != kCheckTimer) return false;
  CheckBoxes();
  result = 0;
  return true;
}

void CFireKeyDlg::CheckBoxes() {
  if (noticeOpen_) return;
  const std::pair<CEditBox*, int> boxes[] = {{IntervalBox(), kTextRapidFireIntervalRange},
                                             {CountBox(), kTextRapidFireCountRange}};
  for (const auto& [box, notice] : boxes) {
    if (!box) continue;
    std::wstring text = box->CurrentText();
    if (!ClampFireText(text)) continue;
    box->SetText(text);
    Tell(notice);
  }
}

void CFireKeyDlg::Typed(wchar_t typed) {
  if (DrawsDigitsNotice(typed)) Tell(kTextDigitsOnly);
}

void CFireKeyDlg::Tell(int textIndex) {
  noticeOpen_ = true;
  CAttentionDlg::Tell(context_, textIndex, Hwnd());
  noticeOpen_ = false;
}

void CFireKeyDlg::Confirm() {
  const FireConfirmation confirmed =
      ConfirmFire(TextOf(IntervalBox()), TextOf(CountBox()), context_.Text(kTextRapidFire));
  if (!confirmed.record) {
    Tell(confirmed.refusalText);
    return;
  }
  SendMessageW(parent_, msg::kFireKeyChosen, 0, reinterpret_cast<LPARAM>(&*confirmed.record));
  Close(IDOK);
}

}  // namespace gm::win
