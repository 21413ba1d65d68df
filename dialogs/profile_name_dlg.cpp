#include "dialogs/profile_name_dlg.h"

#include "dialogs/attention_dlg.h"
#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/edit_box.h"

namespace gm::win {
namespace {

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_common.bmp"};
// The name is typed in Tahoma at 10 points (scaled by the display scale over the text scale).
constexpr int kNamePoints = 10;

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(CProfileNameDlg::kClose, 405),
    ui::TextLine(CProfileNameDlg::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft),
    ui::EditLine(CProfileNameDlg::kName, {40, 56, 389, 84}, kNamePoints),
    ui::CaptionButton(CProfileNameDlg::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(CProfileNameDlg::kCancel, {350, 110, 419, 130}, kTextCancel),
};

}  // namespace

CProfileNameDlg::CProfileNameDlg(const ui::UiContext& context, HWND parent, std::wstring& name, int titleText)
    : CDlgBase(context, parent), edit_(name) {
  Declare(kFrame, kControls, kIgnoreEscape);
  SetHandlers({{kOk, kEventClicked, [this] { Confirm(); }},
               {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }}});
  SetControlText(kTitle, context.Text(titleText));
  SetControlText(kName, edit_.Edited());
}

CEditBox* CProfileNameDlg::NameBox() const { return dynamic_cast<CEditBox*>(GetControl(kName)); }

BOOL CProfileNameDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  if (CEditBox* box = NameBox()) box->TakeFocus();
  return FALSE;  // the focus is set: the caret stays at the end of the text
}

void CProfileNameDlg::OnOK() { Confirm(); }

void CProfileNameDlg::Confirm() {
  CEditBox* box = NameBox();
  std::wstring name = box ? box->CurrentText() : std::wstring();
  if (name.empty()) {
    CAttentionDlg notice(context_, {}, context_.Text(kTextEmptyProfileName), Hwnd());
    notice.DoModal();
    if (box) box->TakeFocus();
    return;
  }
  edit_.Edited() = std::move(name);
  edit_.Confirm();
  Close(IDOK);
}

CAddProfileDlg::CAddProfileDlg(const ui::UiContext& context, HWND parent, std::wstring& name)
    : CProfileNameDlg(context, parent, name, kTextAddProfileTitle) {
  SetControlText(kName, {});
}

CEditProfileDlg::CEditProfileDlg(const ui::UiContext& context, HWND parent, std::wstring& name)
    : CProfileNameDlg(context, parent, name, kTextRenameProfileTitle) {}

}  // namespace gm::win
