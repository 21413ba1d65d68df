#include "update/win32/update_command.h"

#include <shellapi.h>

#include "settings/language_indexes.h"
#include "dialogs/attention_dlg.h"
#include "update/installer_digest.h"
#include "update/update_check.h"
#include "update/win32/answering_wait.h"
#include "update/win32/download_dlg.h"

namespace gm::win {
namespace {

void Notice(const ui::UiContext& context, int headingIndex, int messageIndex) {
  CAttentionDlg notice(context, context.Text(headingIndex), context.Text(messageIndex), nullptr);
  notice.DoModal();
}

void Notice(const ui::UiContext& context, int messageIndex) { Notice(context, kTextAttention, messageIndex); }

}  // namespace

bool RunUpdateCommand(const ui::UiContext& context, HWND owner, HttpSource& source, const UpdateServer& server,
                      std::wstring_view dataFolder) {
  UpdateCheckOutcome check;
  RunWhileAnswering(owner, [&] { check = CheckForUpdate(source, server, dataFolder); });
  if (check.fetch.error.code != 0) {
    MessageBoxW(nullptr, NetworkErrorMessage(check.fetch.error).c_str(), nullptr,
                MB_OK | MB_ICONERROR);
  }
  if (check.step != UpdateCheckStep::OfferDownload) {
    if (const int text = UpdateCheckNoticeText(check.step)) Notice(context, text);
    return false;
  }

  std::optional<DownloadResult> result;
  {
    CDownloadDlg dialog(context, context.Text(kTextAttention), context.Text(kTextUpdateAvailable),
                        check.localPath, check.installerUrl, source, nullptr);
    if (dialog.DoModal() != IDOK) return false;
    result = dialog.Result();
  }
  if (!result || !InstallerReady(*result)) {
    Notice(context, kTextUpdateCheckFailed);
    return false;
  }
  // Nothing runs that is not the installer the server published: its digest must match.
  InstallerCheck verified = InstallerCheck::kUnreadable;
  RunWhileAnswering(owner, [&] { verified = VerifyDownloadedInstaller(source, check.localPath, check.installerUrl); });
  if (verified != InstallerCheck::kVerified) {
    Notice(context, kTextInstallerNotVerified, InstallerCheckNoticeText(verified));
    return false;
  }
  Notice(context, DownloadDoneNoticeText(*result));
  const auto started = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", check.localPath.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return started > 32;
}

}  // namespace gm::win
