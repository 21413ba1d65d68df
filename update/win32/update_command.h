#pragma once
// The update command of the main window: checks the server's version, tells the user the outcome
// with a notice, downloads a later installer through the download dialog and starts it once its
// SHA-256 matches the digest the server publishes beside it (update/installer_digest.h); an
// installer that does not match is deleted and a notice says why.
#include <windows.h>

#include "ui/ui_context.h"
#include "update/http_source.h"
#include "update/update_server.h"

namespace gm::win {

// Runs the whole check, started from the UI thread; the version check and the digest fetch run on
// a thread of their own meanwhile, with `owner` (the main window, may be null) disabled and still
// answering. Returns true when the installer was started and the utility should end (the main
// dialog ends as confirmed). The version file and the installer are kept below `dataFolder`.
bool RunUpdateCommand(const ui::UiContext& context, HWND owner, HttpSource& source, const UpdateServer& server,
                      std::wstring_view dataFolder);

}  // namespace gm::win
