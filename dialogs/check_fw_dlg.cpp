#include "dialogs/check_fw_dlg.h"

#include "dialogs/confirm_dlg.h"
#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/program_messages.h"
#include "ui/static_controls.h"

namespace gm::win {
namespace {

using D = CCheckFWDlg;

constexpr DialogFrame kFrame{429, 200, L"skins\\Frame_common.bmp"};
constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartDelayMs = 100;
constexpr LayoutRect kBarRect{20, 120, 409, 132};
constexpr ULONGLONG kPaintIntervalMs = 100;

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 405),
    ui::TextLine(D::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft, kTextFirmwareTitle),
    ui::TextLine(D::kFileChecksum, {20, 40, 210, 58}, ui::TextAlign::kLeft),
    ui::TextLine(D::kDeviceChecksum, {220, 40, 409, 58}, ui::TextAlign::kLeft),
    ui::TextLine(D::kStatus, {10, 66, 419, 114}, ui::TextAlign::kCentreWrapped),
    ui::TextLine(D::kPercent, {160, 136, 270, 154}, ui::TextAlign::kCentre),
    ui::CaptionButton(D::kThird, {260, 170, 329, 190}, kTextOk),
    ui::CaptionButton(D::kCancel, {350, 170, 419, 190}, kTextCancel),
};

}  // namespace

std::optional<std::vector<std::uint8_t>> LoadFirmwareResource(int id, std::size_t maxSize) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"BIN");
  if (!found) return std::nullopt;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
  if (!bytes || size > maxSize) return std::nullopt;
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

CCheckFWDlg::CCheckFWDlg(const ui::UiContext& context, HWND parent, FirmwareDeviceAccess access,
                         DeviceFirmwareFacts facts)
    : CDlgBase(context, parent),
      links_(access.links),
      facts_(facts),
      gate_(access.hid),
      waitClock_(access.clock, [this] { return PumpOneMessage(); }),
      link_(gate_, access.links, waitClock_, access.busy),
      updater_(link_, *this) {
  Declare(kFrame, kControls, kIgnoreEnter);
  SetWindowTextFrom({kStatus, kPercent});
  SetHandlers({{kClose, kEventClicked, [this] { AskToClose(); }},
               {kCancel, kEventClicked, [this] { AskToClose(); }}});
}

void CCheckFWDlg::CreateControls(const RECT& client) {
  CDlgBase::CreateControls(client);
  auto bar = std::make_unique<CStaticProgressBar>(*this, kBar, Scaled(kBarRect));
  bar->SetNormalImage(L"skins\\dpi_bar_bg.png");
  bar->SetBarImage(L"skins\\dpi_bar_fill.png");
  bar->SetBarValue(0);
  bar->SetBarMaximum(AppProgressMax(app_.size()));
  bar->SetVisible(false);
  AddControl(1, std::move(bar));
}

// In this order: the application image (a notice when it is unusable; the dialog still opens),
// the system image, the application's checksum; then the update starts 100 ms later.
BOOL CCheckFWDlg::OnInitDialog() {
  LoadImages();
  const BOOL result = CDlgBase::OnInitDialog();
  SetTimer(Hwnd(), kStartTimer, kStartDelayMs, nullptr);
  return result;
}

void CCheckFWDlg::LoadImages() {
  if (auto app = LoadFirmwareResource(kAppImageResource, kAppImageMaxSize); app && IsUsableAppImage(*app)) {
    app_ = std::move(*app);
  } else {
    const std::wstring text = context_.Text(kTextAppImageError);
    MessageBoxW(parent_, text.c_str(), context_.Text(kTextFirmwareTitle).c_str(), MB_OK | MB_ICONWARNING);
  }
  if (auto system = LoadFirmwareResource(kSystemImageResource, kSystemImageMaxSize)) system_ = std::move(*system);
  if (auto header = ParseImageHeader(app_, kAppHeaderOffset)) SetControlText(kFileChecksum, FormatFileChecksum(header->checksum));
}

bool CCheckFWDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_TIMER && wParam == kStartTimer) {
    KillTimer(Hwnd(), kStartTimer);
    RunUpdate();
    result = 0;
    return true;
  }
  if (message == WM_CLOSE && updating_) {
    // The program is closing its dialogs: stop without asking, and close once the update is out.
    RequestStop();
    result = 0;
    return true;
  }
  return false;
}

void CCheckFWDlg::RunUpdate() {
  updating_ = true;
  result_ = updater_.Run({app_, system_}, facts_);
  updating_ = false;
  switch (*result_) {
    case FirmwareResult::kBusy: ShowText(kTextFirmwareBusy); break;
    // Without a usable application image nothing is asked of the mouse.
    case FirmwareResult::kAppImageError: ShowText(kTextFirmwareUpdateFailed); break;
    case FirmwareResult::kUpdated:
      if (parent_) SendMessageW(parent_, msg::kFirmwareUpdated, 0, 0);
      break;
    default: break;
  }
  if (quitCode_) PostQuitMessage(*quitCode_);
  if (closeAfterUpdate_ || quitCode_) Close(IDCANCEL);
}

void CCheckFWDlg::OnCancel() { AskToClose(); }

void CCheckFWDlg::AskToClose() {
  if (!updating_) {
    Close(IDCANCEL);
    return;
  }
  if (asking_ || closeAfterUpdate_) return;
  asking_ = true;
  CConfirmDlg question(context_, Hwnd(), context_.Text(kTextFirmwareStopQuestion));
  const bool stop = question.DoModal() == IDOK;
  asking_ = false;
  if (stop && updating_) RequestStop();
  else if (stop) Close(IDCANCEL);
}

void CCheckFWDlg::RequestStop() {
  closeAfterUpdate_ = true;
  gate_.Stop();
  ShowText(kTextFirmwareStopping);
}

bool CCheckFWDlg::PumpOneMessage() {
  // Painting the skinned windows takes longer than most of the update's waits: left to itself the
  // update would wait for a repaint after every block. Input, posted, sent and timer messages are
  // handled at once; repaints at most every kPaintIntervalMs. Timers are named in the filter: the
  // system hands out a timer only when no repaint is pending, and with the dialog's lines changing
  // one nearly always is, so a filter without them would starve the program's timers (the
  // rescans, the battery, the demo's device announcements) for most of the update.
  const ULONGLONG now = GetTickCount64();
  UINT flags = PM_REMOVE;
  if (now - lastPaint_ < kPaintIntervalMs)
    flags |= PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | (static_cast<UINT>(QS_TIMER) << 16);
  MSG m;
  if (!PeekMessageW(&m, nullptr, 0, 0, flags)) return false;
  if (m.message == WM_PAINT) lastPaint_ = now;
  if (m.message == WM_QUIT) {
    quitCode_ = static_cast<int>(m.wParam);
    RequestStop();
    return true;
  }
  if (!Hwnd() || !IsDialogMessageW(Hwnd(), &m)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return true;
}

// ---- what the update shows ----

void CCheckFWDlg::ShowText(int textIndex) {
  // Once a stop is asked for, the line keeps saying so until the dialog closes.
  if (closeAfterUpdate_ && textIndex != kTextFirmwareStopping) return;
  SetControlText(kStatus, context_.Text(textIndex));
}
void CCheckFWDlg::ShowStep(int textIndex, int step, int total) {
  if (!closeAfterUpdate_) SetControlText(kStatus, FormatStep(context_.Text(textIndex), step, total));
}
void CCheckFWDlg::ShowCountdown(int textIndex, int count) {
  if (!closeAfterUpdate_) SetControlText(kStatus, FormatCountdown(context_.Text(textIndex), count));
}
void CCheckFWDlg::ShowProgressStart() {
  if (auto* bar = dynamic_cast<CStaticProgressBar*>(GetControl(kBar))) {
    bar->SetBarMaximum(updater_.ProgressMax());
    bar->SetBarValue(0);
    bar->SetVisible(true);
    RepaintControl(bar, false);
  }
  SetControlText(kPercent, L"0%");
}
void CCheckFWDlg::ShowProgress(double percent) {
  if (auto* bar = dynamic_cast<CStaticProgressBar*>(GetControl(kBar))) {
    bar->SetBarValue(std::min(updater_.Progress(), updater_.ProgressMax()));
    RepaintControl(bar, false);
  }
  SetControlText(kPercent, FormatPercent(percent));
}
void CCheckFWDlg::ShowDeviceChecksum(std::uint32_t checksum) {
  SetControlText(kDeviceChecksum, FormatDeviceChecksum(checksum));
}
void CCheckFWDlg::ClearDeviceChecksum() { SetControlText(kDeviceChecksum, L""); }
void CCheckFWDlg::MouseRestarting() { links_.SetFirmwareUpdateInProgress(true); }

}  // namespace gm::win
