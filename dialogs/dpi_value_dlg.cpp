#include "dialogs/dpi_value_dlg.h"

#include <string>

#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/edit_box.h"
#include "ui/gauges.h"

namespace gm::win {
namespace {

using D = CDPIValueSettingDlg;

constexpr DialogFrame kFrame{429, 140, L"skins\\Frame_DPI.bmp"};
constexpr int kValuePoints = 10;
// The slider runs over the bar picture (340 × 18); the knob (18 wide) is centred on each stop.
constexpr LayoutRect kSliderRect{44, 62, 384, 80};
constexpr int kKnobHalf = 9;

constexpr ui::ControlSpec SliderBar() {
  ui::ControlSpec s;
  s.id = D::kSliderBar;
  s.kind = ui::ControlClass::kStaticImage;
  s.rect = kSliderRect;
  s.pictures = {L"skins\\Slider_bar.png"};
  s.flags = ui::kNotInteractive;
  s.layer = 0;
  return s;
}

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 405),
    ui::TextLine(D::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft),
    ui::TextLine(D::kMinimum, {20, 40, 120, 58}, ui::TextAlign::kLeft),
    ui::TextLine(D::kCurrent, {160, 40, 270, 58}, ui::TextAlign::kCentre),
    ui::TextLine(D::kMaximum, {340, 40, 420, 58}, ui::TextAlign::kLeft),
    SliderBar(),
    ui::EditLine(D::kValueBox, {40, 104, 160, 130}, kValuePoints),
    ui::CaptionButton(D::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(D::kCancel, {350, 110, 419, 130}, kTextCancel),
};

std::wstring DpiText(int dpi) { return std::to_wstring(dpi); }

}  // namespace

CDPIValueSettingDlg::CDPIValueSettingDlg(const ui::UiContext& context, HWND parent, const SensorTables& tables,
                                         int& position)
    : CDlgBase(context, parent), edit_(position), choice_(tables, position) {
  Declare(kFrame, kControls, kIgnoreEscape);
  SetHandlers({{kOk, kEventClicked, [this] { Confirm(); }},
               {kCancel, kEventClicked, [this] { Close(IDCANCEL); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }},
               {kSlider, kEventValueChanged, [this] { FollowSlider(); }},
               {kSlider, kEventClicked, [this] { FollowSlider(); }}});
  SetControlText(kTitle, context.Text(kTextDpiValueTitle));
  SetControlText(kMinimum, DpiText(choice_.MinDpi()));
  SetControlText(kMaximum, DpiText(choice_.MaxDpi()));
}

CEditBox* CDPIValueSettingDlg::ValueBox() const { return dynamic_cast<CEditBox*>(GetControl(kValueBox)); }
CSliderControl* CDPIValueSettingDlg::Slider() const { return dynamic_cast<CSliderControl*>(GetControl(kSlider)); }

void CDPIValueSettingDlg::CreateControls(const RECT& client) {
  CDlgBase::CreateControls(client);
  const int half = context_.Px(kKnobHalf);
  auto slider = std::make_unique<CSliderControl>(*this, kSlider, Scaled(kSliderRect), choice_.Count(), half, half);
  slider->SetNormalImage(L"skins\\Slider_Circle.png");
  AddControl(1, std::move(slider));
}

BOOL CDPIValueSettingDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  ShowChoice();
  CEditBox* box = ValueBox();
  if (!box) return TRUE;
  arrows_.Install(box->EditWindow(), [this](int step) { Step(step); });
  box->TakeFocus();
  return FALSE;  // the focus is set
}

void CDPIValueSettingDlg::OnOK() { ApplyTyped(); }

void CDPIValueSettingDlg::ApplyTyped() {
  if (CEditBox* box = ValueBox()) choice_.Type(box->CurrentText());
  ShowChoice();
}

void CDPIValueSettingDlg::Step(int step) {
  step < 0 ? choice_.StepLeft() : choice_.StepRight();
  ShowChoice();
}

void CDPIValueSettingDlg::FollowSlider() {
  if (CSliderControl* slider = Slider()) choice_.SetPosition(slider->ValueIndex());
  ShowChoice();
}

void CDPIValueSettingDlg::ShowChoice() {
  const std::wstring text = DpiText(choice_.Dpi());
  SetControlText(kCurrent, text);
  if (CEditBox* box = ValueBox()) box->SetText(text);
  if (CSliderControl* slider = Slider(); slider && !slider->Dragging()) {
    slider->SetValueIndex(choice_.Position());
    slider->Invalidate();
  }
}

void CDPIValueSettingDlg::Confirm() {
  ApplyTyped();
  edit_.Edited() = choice_.Position();
  edit_.Confirm();
  Close(IDOK);
}

}  // namespace gm::win
