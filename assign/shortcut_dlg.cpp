#include "assign/shortcut_dlg.h"

#include "dialogs/key_capture.h"

#include "dialogs/attention_dlg.h"
#include "settings/language_indexes.h"
#include "ui/buttons.h"
#include "ui/dialog_controls.h"
#include "ui/program_messages.h"
#include "ui/static_controls.h"

namespace gm::win {
namespace {

using D = CShortcutDlg;

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_common.bmp"};
// The labels of disabled modifier boxes are drawn dark.
constexpr COLORREF kDisabledLabel = RGB(90, 90, 90);

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 405),
    ui::TextLine(D::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft, kTextKeyCombinationTitle),
    ui::CheckBox(D::kNoModifier, 24, 44),
    ui::BoxLabel(D::kNoModifierLabel, 24, 44, 150, nullptr, kTextNoModifier),
    ui::CheckBox(D::kCtrl, 24, 76),
    ui::BoxLabel(D::kCtrlLabel, 24, 76, 40, L"Ctrl"),
    ui::CheckBox(D::kShift, 94, 76),
    ui::BoxLabel(D::kShiftLabel, 94, 76, 40, L"Shift"),
    ui::CheckBox(D::kAlt, 164, 76),
    ui::BoxLabel(D::kAltLabel, 164, 76, 40, L"Alt"),
    ui::CheckBox(D::kWin, 234, 76),
    ui::BoxLabel(D::kWinLabel, 234, 76, 40, L"Win"),
    ui::TextLine(D::kKeyName, {300, 70, 420, 96}, ui::TextAlign::kCentre),
    ui::CaptionButton(D::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(D::kCancel, {350, 110, 419, 130}, kTextCancel),
};

// Each modifier box with its label.
constexpr std::pair<UINT, UINT> kModifierBoxes[] = {
    {D::kCtrl, D::kCtrlLabel}, {D::kShift, D::kShiftLabel}, {D::kAlt, D::kAltLabel}, {D::kWin, D::kWinLabel}};

}  // namespace

CShortcutDlg::CShortcutDlg(const ui::UiContext& context, HWND parent, const std::wstring& hookLibrary)
    : CDlgBase(context, parent), hook_(hookLibrary) {
  Declare(kFrame, kControls);
  SetHandlers({{kOk, kEventClicked, [this] { Confirm(); }},
               {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }},
               {kNoModifier, kEventClicked, [this] { FollowNoModifier(); }}});
}

BOOL CShortcutDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  if (!StartKeyCapture(hook_, context_, Hwnd())) Close(IDCANCEL);
  return TRUE;
}

bool CShortcutDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_DESTROY) {
    hook_.Stop();  // no report may arrive for a window that is going
    return false;
  }
  if (message != msg::kKeyReport) return false;
  // Presses and releases alike: only the code counts.
  if (const auto key = KeyOfReport(static_cast<unsigned>(wParam))) {
    key_ = *key;
    SetControlText(kKeyName, key_.name);
  }
  result = 0;
  return true;
}

bool CShortcutDlg::Checked(UINT id) const {
  const auto* box = dynamic_cast<const CCheckButton*>(GetControl(id));
  return box && box->Checked();
}

void CShortcutDlg::FollowNoModifier() {
  const bool none = Checked(kNoModifier);
  for (const auto& [boxId, labelId] : kModifierBoxes) {
    if (CControlBase* box = GetControl(boxId)) {
      box->SetDisabled(none);
      RepaintControl(box, false);
    }
    if (auto* label = dynamic_cast<CStaticText*>(GetControl(labelId))) {
      label->SetTextColour(none ? kDisabledLabel : kTextGrey);
      RepaintControl(label, false);
    }
  }
}

void CShortcutDlg::Confirm() {
  const ModifierChecks checks{Checked(kCtrl), Checked(kShift), Checked(kAlt), Checked(kWin), Checked(kNoModifier)};
  if (const auto record = ShortcutResult(ModifierByte(checks), key_)) {
    SendMessageW(parent_, msg::kShortcutChosen, 0, reinterpret_cast<LPARAM>(&*record));
  }
  Close(IDOK);
}

}  // namespace gm::win
