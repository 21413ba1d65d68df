#include "dialogs/dpi_value_dlg.h"

#include <array>

#include "settings/language_indexes.h"
#include "ui/buttons.h"
#include "ui/dialog_controls.h"

namespace gm::win {
namespace {

constexpr int kValuePoints = 10;
constexpr const wchar_t* kSyncCaption = L"XY Sync";

// The slider's bar picture (340 × 18) under the slider of the same rectangle.
constexpr ui::ControlSpec SliderBar(int id, LayoutRect rect) {
  ui::ControlSpec s;
  s.id = id;
  s.kind = ui::ControlClass::kStaticImage;
  s.rect = rect;
  s.pictures = {L"skins\\Slider_bar.png"};
  s.flags = ui::kNotInteractive;
  s.layer = 0;
  return s;
}

// ---- one value ----
using S = CDPIValueSettingDlg;

constexpr DialogFrame kSingleFrame{429, 140, L"skins\\Frame_DPI.bmp"};
constexpr LayoutRect kSingleSlider{44, 62, 384, 80};

constexpr ui::ControlSpec kSingleControls[] = {
    ui::CloseCross(S::kClose, 405),
    ui::TextLine(S::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft),
    ui::TextLine(S::kMinimum, {20, 40, 120, 58}, ui::TextAlign::kLeft),
    ui::TextLine(S::kCurrent, {160, 40, 270, 58}, ui::TextAlign::kCentre),
    ui::TextLine(S::kMaximum, {340, 40, 420, 58}, ui::TextAlign::kLeft),
    SliderBar(S::kSliderBar, kSingleSlider),
    ui::EditLine(S::kValueBox, {40, 104, 160, 130}, kValuePoints),
    ui::CaptionButton(S::kOk, {260, 110, 329, 130}, kTextOk),
    ui::CaptionButton(S::kCancel, {350, 110, 419, 130}, kTextCancel),
};

constexpr DpiAxisSpec kSingleAxis[] = {
    {S::kMinimum, S::kCurrent, S::kMaximum, S::kValueBox, S::kSlider, kSingleSlider, L""},
};

// ---- X and Y ----
using Y = CDPIValueSyncSettingDlg;

constexpr DialogFrame kSyncFrame{429, 217, L"skins\\Frame_DPI_Sync.bmp"};
constexpr LayoutRect kSliderRectX{44, 62, 384, 80};
constexpr LayoutRect kSliderRectY{44, 118, 384, 136};

constexpr ui::ControlSpec kSyncControls[] = {
    ui::CloseCross(Y::kClose, 405),
    ui::TextLine(Y::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft),
    ui::TextLine(Y::kMinimumX, {20, 40, 120, 58}, ui::TextAlign::kLeft),
    ui::TextLine(Y::kCurrentX, {160, 40, 270, 58}, ui::TextAlign::kCentre),
    ui::TextLine(Y::kMaximumX, {340, 40, 420, 58}, ui::TextAlign::kLeft),
    SliderBar(Y::kSliderBarX, kSliderRectX),
    ui::TextLine(Y::kMinimumY, {20, 96, 120, 114}, ui::TextAlign::kLeft),
    ui::TextLine(Y::kCurrentY, {160, 96, 270, 114}, ui::TextAlign::kCentre),
    ui::TextLine(Y::kMaximumY, {340, 96, 420, 114}, ui::TextAlign::kLeft),
    SliderBar(Y::kSliderBarY, kSliderRectY),
    ui::EditLine(Y::kBoxX, {20, 152, 110, 176}, kValuePoints),
    ui::EditLine(Y::kBoxY, {122, 152, 212, 176}, kValuePoints),
    ui::CheckBox(Y::kSync, 20, 189),
    ui::BoxLabel(Y::kSyncLabel, 20, 189, 160, kSyncCaption),
    ui::CaptionButton(Y::kOk, {260, 186, 329, 206}, kTextOk),
    ui::CaptionButton(Y::kCancel, {350, 186, 419, 206}, kTextCancel),
};

constexpr DpiAxisSpec kSyncAxes[] = {
    {Y::kMinimumX, Y::kCurrentX, Y::kMaximumX, Y::kBoxX, Y::kSliderX, kSliderRectX, L"X:"},
    {Y::kMinimumY, Y::kCurrentY, Y::kMaximumY, Y::kBoxY, Y::kSliderY, kSliderRectY, L"Y:"},
};

}  // namespace

CDPIValueSettingDlg::CDPIValueSettingDlg(const ui::UiContext& context, HWND parent, const SensorTables& tables,
                                         int& position)
    : CDpiValueDlgBase(context, parent, tables, kSingleAxis, std::array<int*, 1>{&position}) {
  Declare(kSingleFrame, kSingleControls, kIgnoreEscape);
  SetControlText(kTitle, context.Text(kTextDpiValueTitle));
}

CDPIValueSyncSettingDlg::CDPIValueSyncSettingDlg(const ui::UiContext& context, HWND parent,
                                                 const SensorTables& tables, int& x, int& y)
    : CDpiValueDlgBase(context, parent, tables, kSyncAxes, std::array<int*, 2>{&x, &y}), startSynced_(x == y) {
  Declare(kSyncFrame, kSyncControls, kIgnoreEscape);
  SetHandlersWith({{kSync, kEventClicked, [this] { SyncClicked(); }}});
  SetControlText(kTitle, context.Text(kTextDpiValueTitle));
}

bool CDPIValueSyncSettingDlg::SyncChecked() const {
  const auto* box = dynamic_cast<const CCheckButton*>(GetControl(kSync));
  return box && box->Checked();
}

void CDPIValueSyncSettingDlg::CreateControls(const RECT& client) {
  CDpiValueDlgBase::CreateControls(client);
  if (auto* box = dynamic_cast<CCheckButton*>(GetControl(kSync))) box->SetChecked(startSynced_);
}

// Checking "XY Sync" while the axes differ makes Y take X's value.
void CDPIValueSyncSettingDlg::SyncClicked() {
  if (SyncChecked()) AlignAxesWith(kAxisX);
}

}  // namespace gm::win
