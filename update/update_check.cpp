#include "update/update_check.h"

#include "settings/language_indexes.h"
#include "settings/text_file.h"

namespace gm {

DownloadResult FetchVersionFile(HttpSource& source, std::wstring_view localPath,
                                std::wstring_view url) {
  DownloadOptions options;
  options.maxBytes = kVersionFileMaxBytes;
  return DownloadFile(source, localPath, url, options);
}

UpdateCheckOutcome CheckForUpdate(HttpSource& source, const UpdateServer& server, std::wstring_view dataFolder,
                                  std::wstring_view programVersion) {
  UpdateCheckOutcome outcome;
  EnsureUpdateFolder(dataFolder);
  const std::wstring versionPath = LocalVersionFilePath(dataFolder);
  outcome.fetch = FetchVersionFile(source, versionPath, VersionFileUrl(server));
  if (!outcome.fetch.ok()) return outcome;  // CheckFailed

  CStdioFileEx file;
  if (!file.Open(versionPath, kOpenForReading)) {
    outcome.step = UpdateCheckStep::StopSilently;
    return outcome;
  }
  std::wstring line;
  if (!file.ReadString(line)) return outcome;  // CheckFailed
  file.Close();

  outcome.verdict = DecideUpdate(programVersion, line);
  switch (outcome.verdict.decision) {
    case UpdateDecision::Newer:
      outcome.step = UpdateCheckStep::OfferDownload;
      outcome.installerUrl = InstallerUrl(server, outcome.verdict.version);
      outcome.localPath = LocalInstallerPath(dataFolder);
      break;
    case UpdateDecision::Same:
    case UpdateDecision::Older:
      outcome.step = UpdateCheckStep::UpToDate;
      break;
    case UpdateDecision::Unreadable:
      outcome.step = UpdateCheckStep::CheckFailed;
      break;
  }
  return outcome;
}

int UpdateCheckNoticeText(UpdateCheckStep step) {
  switch (step) {
    case UpdateCheckStep::CheckFailed: return kTextUpdateCheckFailed;
    case UpdateCheckStep::UpToDate: return kTextUpdateLatest;
    case UpdateCheckStep::OfferDownload:
    case UpdateCheckStep::StopSilently: return 0;
  }
  return 0;
}

bool InstallerReady(const DownloadResult& result) { return result.ok(); }

int DownloadDoneNoticeText(const DownloadResult& result) {
  return InstallerReady(result) ? kTextDownloadDone : kTextUpdateCheckFailed;
}

int DownloadAnimationText(unsigned counter) {
  switch (counter % 3) {
    case 1: return kTextDownloading1;
    case 2: return kTextDownloading2;
    default: return kTextDownloading3;
  }
}

std::wstring NetworkErrorMessage(const HttpError& error) {
  constexpr size_t kMaxChars = 1024;
  std::wstring text = error.text;
  if (text.empty()) text = L"Error " + std::to_wstring(error.code);
  if (text.size() > kMaxChars) text.resize(kMaxChars);
  return text;
}

bool DownloadGate::TryEnter() {
  bool expected = false;
  return running_.compare_exchange_strong(expected, true);
}

std::optional<DownloadResult> RunExclusiveDownload(DownloadGate& gate, HttpSource& source,
                                                   std::wstring_view localPath, std::wstring_view url,
                                                   const DownloadOptions& options) {
  if (!gate.TryEnter()) return std::nullopt;
  DownloadResult result = DownloadFile(source, localPath, url, options);
  gate.Leave();
  return result;
}

}  // namespace gm
