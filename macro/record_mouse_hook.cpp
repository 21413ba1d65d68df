#include "macro/record_mouse_hook.h"

#include "macro/key_report.h"
#include "macro/recorder.h"

namespace gm::win {
namespace {
// The hook procedure has no context of its own: the one installed hook object.
RecordMouseHook* g_installed = nullptr;
}  // namespace

bool RecordMouseHook::Install(EventSink sink, OverRecordButton overRecordButton) {
  if (hook_) return true;
  if (g_installed) return false;
  hook_ = SetWindowsHookExW(WH_MOUSE, Procedure, nullptr, GetCurrentThreadId());
  if (!hook_) return false;
  sink_ = std::move(sink);
  overRecordButton_ = std::move(overRecordButton);
  g_installed = this;
  return true;
}

void RecordMouseHook::Remove() {
  if (!hook_) return;
  UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  if (g_installed == this) g_installed = nullptr;
}

LRESULT CALLBACK RecordMouseHook::Procedure(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && g_installed) {
    const bool over = g_installed->overRecordButton_ && g_installed->overRecordButton_();
    if (const auto event = MouseHookEvent(static_cast<std::uint32_t>(wParam), over)) {
      // A copy: the sink may stop the recording and remove this hook while it runs.
      const EventSink sink = g_installed->sink_;
      if (sink) sink(event->code, KeyReportStamp(GetTickCount(), event->release));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace gm::win
