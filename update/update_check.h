#pragma once
// The update check and the decisions around the download, free of any window: the Win32 side
// shows the notice or the download dialog these functions choose and starts the installer.
#include <atomic>
#include <optional>
#include <string>
#include <string_view>

#include "update/download.h"
#include "update/http_source.h"
#include "update/update_server.h"
#include "update/version_info.h"

namespace gm {

// Downloads the server's version file to `localPath` (stored byte for byte). Complete only for a
// body of 1 to 19 bytes; a longer body (an error page) or an empty one is refused and leaves the
// earlier file in place.
DownloadResult FetchVersionFile(HttpSource& source, std::wstring_view localPath,
                                std::wstring_view url);

enum class UpdateCheckStep {
  CheckFailed,    // notice: the server could not be reached or sent no usable version
  UpToDate,       // notice: the program is the latest version
  OfferDownload,  // show the download dialog for installerUrl
  StopSilently,   // the stored version file could not be opened again
};

struct UpdateCheckOutcome {
  UpdateCheckStep step = UpdateCheckStep::CheckFailed;
  DownloadResult fetch;      // the version file's transfer (error text for the message box)
  VersionVerdict verdict;    // when the version file was read
  std::wstring installerUrl; // OfferDownload: the installer's address
  std::wstring localPath;    // OfferDownload: where the installer goes
};

// Fetches dataFolder + "update\VersionInfo.ini" from the server, reads its first line and compares
// it with `programVersion`. Only a later version offers the download.
UpdateCheckOutcome CheckForUpdate(HttpSource& source, const UpdateServer& server, std::wstring_view dataFolder,
                                  std::wstring_view programVersion = kProgramVersion);

// The language text index of the notice that ends a check without a download; 0 for none.
int UpdateCheckNoticeText(UpdateCheckStep step);

// Whether the downloaded installer may be started: only a complete transfer counts. The dialog's
// creator shows the "done" notice and starts the installer then, else the failure notice.
bool InstallerReady(const DownloadResult& result);

// The language text index of the notice after the download dialog ended with OK.
int DownloadDoneNoticeText(const DownloadResult& result);

// The progress text of the download dialog after `counter` ticks of its one-second timer
// (counter mod 3: 1, 2, 0 give the texts with one, two and three dots).
int DownloadAnimationText(unsigned counter);

// The text shown for a network error: the system's text, at most 1024 characters; the error number
// when the system has no text for it.
std::wstring NetworkErrorMessage(const HttpError& error);

// Guards against a second transfer through the same owner: running while a download it let
// through is under way. Whoever starts downloads owns one; it may be asked from any thread.
class DownloadGate {
 public:
  DownloadGate() = default;
  DownloadGate(const DownloadGate&) = delete;
  DownloadGate& operator=(const DownloadGate&) = delete;

  bool Running() const { return running_; }
  // Takes the gate; false when a transfer already holds it.
  bool TryEnter();
  void Leave() { running_ = false; }

 private:
  std::atomic<bool> running_{false};
};

// Runs DownloadFile unless `gate` says another transfer is running (then no value and nothing
// happens).
std::optional<DownloadResult> RunExclusiveDownload(DownloadGate& gate, HttpSource& source,
                                                   std::wstring_view localPath, std::wstring_view url,
                                                   const DownloadOptions& options = {});

}  // namespace gm
