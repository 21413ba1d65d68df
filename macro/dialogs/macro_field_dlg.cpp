#include "macro/dialogs/macro_field_dlg.h"

#include "dialogs/attention_dlg.h"
#include "macro/action_edit.h"
#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/edit_box.h"

namespace gm::win {
namespace {

using D = CMacroFieldDlg;

constexpr DialogFrame kFrame{319, 102, L"skins\\Frame_common.bmp"};
constexpr int kBoxPoints = 10;
constexpr LayoutRect kFieldRect{40, 36, 279, 62};

constexpr ui::ControlSpec kEditControls[] = {
    ui::CloseCross(D::kClose, 296),
    ui::TextLine(D::kTitle, {15, 6, 280, 26}, ui::TextAlign::kLeft),
    ui::EditLine(D::kBox, kFieldRect, kBoxPoints),
    ui::CaptionButton(D::kOk, {80, 74, 149, 94}, kTextOk),
    ui::CaptionButton(D::kCancel, {170, 74, 239, 94}, kTextCancel),
};

constexpr ui::ControlSpec kTextControls[] = {
    ui::CloseCross(D::kClose, 296),
    ui::TextLine(D::kTitle, {15, 6, 280, 26}, ui::TextAlign::kLeft),
    ui::TextLine(D::kField, kFieldRect, ui::TextAlign::kCentre),
    ui::CaptionButton(D::kOk, {80, 74, 149, 94}, kTextOk),
    ui::CaptionButton(D::kCancel, {170, 74, 239, 94}, kTextCancel),
};

}  // namespace

CMacroFieldDlg::CMacroFieldDlg(const ui::UiContext& context, HWND parent, Field field, const std::wstring& title,
                               const std::wstring& start)
    : CDlgBase(context, parent), field_(field) {
  if (field == Field::kText) {
    // Enter and Escape are keys the key dialog may be given through its hook.
    Declare(kFrame, kTextControls, kIgnoreEnter | kIgnoreEscape);
  } else {
    Declare(kFrame, kEditControls, kIgnoreEscape);
  }
  SetHandlers({{kOk, kEventClicked, [this] { Confirm(); }},
               {kCancel, kEventClicked, [this] { Cancel(); }},
               {kClose, kEventClicked, [this] { Cancel(); }}});
  SetControlText(kTitle, title);
  SetControlText(field == Field::kText ? kField : kBox, start);
}

CEditBox* CMacroFieldDlg::Box() const { return dynamic_cast<CEditBox*>(GetControl(kBox)); }

BOOL CMacroFieldDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  CEditBox* box = Box();
  if (!box) return TRUE;
  if (field_ == Field::kNumber) digits_.Install(box->EditWindow(), [this](wchar_t c) { CheckDigit(c); });
  box->TakeFocus();
  return FALSE;  // the focus is set
}

void CMacroFieldDlg::OnOK() {
  if (field_ != Field::kText) Confirm();
}

std::wstring CMacroFieldDlg::Typed() const {
  const CEditBox* box = Box();
  return box ? box->CurrentText() : std::wstring();
}

void CMacroFieldDlg::CheckDigit(wchar_t c) {
  if (IsDigitEntry(c)) return;
  CAttentionDlg notice(context_, context_.Text(kTextAttention), context_.Text(kTextDigitsOnly), Hwnd());
  notice.DoModal();
  if (CEditBox* box = Box()) box->TakeFocus();
}

}  // namespace gm::win
