#include "dialogs/check_fw_dlg.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "dialogs/confirm_dlg.h"
#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/module_resource.h"
#include "ui/program_messages.h"
#include "ui/static_controls.h"

namespace gm::win {
namespace {

using D = CCheckFWDlg;

constexpr DialogFrame kFrame{429, 200, L"skins\\Frame_common.bmp"};
constexpr UINT_PTR kStartTimer = 1;
constexpr UINT kStartDelayMs = 100;
constexpr LayoutRect kBarRect{20, 120, 409, 132};
constexpr ULONGLONG kShowIntervalMs = 100;

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
  const auto bytes = ui::ModuleResourceBytes(GetModuleHandleW(nullptr), L"BIN", id);
  if (bytes.data() == nullptr || bytes.size() > maxSize) return std::nullopt;
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::span<const ui::ControlSpec> CCheckFWDlg::Controls() { return kControls; }

CCheckFWDlg::CCheckFWDlg(const ui::UiContext& context, HWND parent, FirmwareDeviceAccess access,
                         DeviceFirmwareFacts facts)
    : CDlgBase(context, parent),
      links_(access.links),
      facts_(facts),
      gate_(access.hid),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      relay_([this] { SetEvent(wake_.Get()); },
             [this] {
               // The window's thread handles the mouse's removal only while it holds the lock.
               const std::lock_guard lock(handles_);
               links_.SetFirmwareUpdateInProgress(true);
             }),
      link_(gate_, access.links, access.clock, access.busy, &handles_),
      updater_(link_, relay_) {
  relay_.Follow(updater_);
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
  const std::optional<FirmwareResult> result = RunOnUpdateThread();
  updating_ = false;
  result_ = result;
  if (!result) {
    // Nothing was asked of the mouse.
    ShowStatus(kTextFirmwareUpdateFailed);
  } else {
    switch (*result) {
      case FirmwareResult::kBusy: ShowStatus(kTextFirmwareBusy); break;
      // Without a usable application image nothing is asked of the mouse.
      case FirmwareResult::kAppImageError: ShowStatus(kTextFirmwareUpdateFailed); break;
      case FirmwareResult::kUpdated:
        if (parent_) SendMessageW(parent_, msg::kFirmwareUpdated, 0, 0);
        break;
      default: break;
    }
  }
  if (quitCode_) PostQuitMessage(*quitCode_);
  if (closeAfterUpdate_ || quitCode_) Close(IDCANCEL);
}

std::optional<FirmwareResult> CCheckFWDlg::RunOnUpdateThread() {
  std::atomic<bool> ended{false};
  FirmwareResult result = FirmwareResult::kBusy;
  // This thread holds the handle lock except while it waits for messages, so whatever it handles
  // (a rescan, the removal of the restarting mouse) never overlaps a report of the update.
  std::unique_lock turn(handles_);
  std::thread update;
  try {
    update = std::thread([&] {
      result = updater_.Run({app_, system_}, facts_);
      ended = true;
      SetEvent(wake_.Get());
    });
  } catch (const std::system_error&) {
    return std::nullopt;
  }

  // The relay's news are shown at most every kShowIntervalMs: each rendering repaints the lines
  // and the dialog's title, and the update's steps come far faster than anyone reads them. The
  // relay wakes this thread once and then waits until its news are taken, so they are taken only
  // when they are to be shown: taking them at every wake would have the relay wake this thread
  // again at every step, thousands of times a second, each time a round of system calls.
  bool newsWaiting = false;  // the relay has woken this thread and its news are not taken yet
  ULONGLONG lastShown = 0;
  for (;;) {
    while (PumpOneMessage()) {
    }
    const bool done = ended.load();
    const ULONGLONG now = GetTickCount64();
    if (done || (newsWaiting && now - lastShown >= kShowIntervalMs)) {
      if (auto view = relay_.Take()) ShowView(*view);
      newsWaiting = false;
      lastShown = now;
    }
    if (done) break;
    const DWORD timeout = newsWaiting ? static_cast<DWORD>(kShowIntervalMs - (now - lastShown)) : INFINITE;
    HANDLE wake = wake_.Get();
    turn.unlock();
    const DWORD woken = MsgWaitForMultipleObjectsEx(1, &wake, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    turn.lock();
    if (woken == WAIT_OBJECT_0) newsWaiting = true;
  }
  update.join();
  return result;
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
  ShowStatus(kTextFirmwareStopping);
}

bool CCheckFWDlg::PumpOneMessage() {
  MSG m;
  if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) return false;
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

void CCheckFWDlg::ShowStatus(int textIndex) {
  // Once a stop is asked for, the line keeps saying so until the dialog closes.
  if (closeAfterUpdate_ && textIndex != kTextFirmwareStopping) return;
  SetControlText(kStatus, context_.Text(textIndex));
  shown_.status = FirmwareView::Status::kText;
  shown_.textIndex = textIndex;
}

// Only the lines that changed are set again (each setting repaints its line and the title).
void CCheckFWDlg::ShowView(const FirmwareView& view) {
  const bool statusChanged = view.status != shown_.status || view.textIndex != shown_.textIndex ||
                             view.step != shown_.step || view.total != shown_.total;
  if (statusChanged && !closeAfterUpdate_) {
    const std::wstring text = context_.Text(view.textIndex);
    switch (view.status) {
      case FirmwareView::Status::kText: SetControlText(kStatus, text); break;
      case FirmwareView::Status::kStep: SetControlText(kStatus, FormatStep(text, view.step, view.total)); break;
      case FirmwareView::Status::kCountdown: SetControlText(kStatus, FormatCountdown(text, view.step)); break;
      case FirmwareView::Status::kNone: break;
    }
  }
  if (view.progressShown && (!shown_.progressShown || view.progress != shown_.progress ||
                             view.progressMax != shown_.progressMax)) {
    if (auto* bar = dynamic_cast<CStaticProgressBar*>(GetControl(kBar))) {
      bar->SetBarMaximum(view.progressMax);
      bar->SetBarValue(view.progress);
      bar->SetVisible(true);
      RepaintControl(bar, false);
    }
  }
  if (view.progressShown && view.percent != shown_.percent) SetControlText(kPercent, view.percent);
  if (view.deviceChecksum != shown_.deviceChecksum)
    SetControlText(kDeviceChecksum, view.deviceChecksum ? FormatDeviceChecksum(*view.deviceChecksum) : L"");
  shown_ = view;
}

}  // namespace gm::win
