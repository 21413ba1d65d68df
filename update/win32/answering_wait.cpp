#include "update/win32/answering_wait.h"

#include <optional>
#include <thread>

#include "ui/win_handle.h"

namespace gm::win {

void RunWhileAnswering(HWND owner, const std::function<void()>& work) {
  const bool disable = owner && IsWindowEnabled(owner);
  if (disable) EnableWindow(owner, FALSE);

  ScopedHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread worker([&] {
    work();
    SetEvent(done.Get());
  });

  std::optional<int> quitCode;
  for (;;) {
    const HANDLE wait = done.Get();
    const DWORD woken = MsgWaitForMultipleObjectsEx(1, &wait, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) {
        quitCode = static_cast<int>(m.wParam);
        continue;
      }
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  worker.join();

  if (disable) EnableWindow(owner, TRUE);
  if (quitCode) PostQuitMessage(*quitCode);
}

}  // namespace gm::win
