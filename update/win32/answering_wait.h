#pragma once
// Network exchanges that the user waits for (the version check, the installer's digest) run on a
// thread of their own while the user-interface thread goes on handling its messages, as it does
// under a modal dialog: the window keeps painting and answering however slow the server is.
#include <windows.h>

#include <functional>

namespace gm::win {

// Runs `work` on a new thread and returns once it has ended, handling the calling thread's
// messages meanwhile. `owner` (may be null) is disabled for the wait, so no second command starts
// from it, and enabled again afterwards unless it was disabled before. A quit message met during
// the wait is posted again afterwards, so the program still ends.
void RunWhileAnswering(HWND owner, const std::function<void()>& work);

}  // namespace gm::win
