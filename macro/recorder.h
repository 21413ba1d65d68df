#pragma once
// Recording a macro: key reports from the keyboard hook and mouse-button events from the
// program's own mouse hook become actions of the selected macro, optionally with the measured
// delay before each, up to 125 command actions. The macro manager window is the host: it owns
// the hooks, the controls and the notices; this class makes every decision.
#include <cstdint>
#include <optional>

#include "macro/key_report.h"
#include "macro/macro_model.h"

namespace gm {

class RecorderHost {
 public:
  virtual ~RecorderHost() = default;
  // The keyboard hook reports to the manager window; false when the system refused the hook.
  virtual bool StartKeyHook() = 0;
  virtual void StopKeyHook() = 0;
  // Thread-local WH_MOUSE hook (kept if already installed); false when it could not be installed.
  virtual bool InstallMouseHook() = 0;
  virtual void RemoveMouseHook() = 0;
  // Every control of the manager except the record button.
  virtual void SetControlsEnabled(bool enabled) = 0;
  // The action list after the macro was emptied: scroll position and selection reset, redrawn.
  virtual void ResetActionList() = 0;
  // The action list after an event: redrawn, scrolled so that its end is visible.
  virtual void ShowActionListEnd() = 0;
  // Whether the record-delays check box is checked.
  virtual bool RecordDelays() const = 0;
  // Writes the library file (no location in line 3).
  virtual void SaveLibrary() = 0;
  // Start without a selected macro: uncheck the record button and show the refusal notice.
  virtual void RefuseStart() = 0;
  // Stopped at the command limit: uncheck and redraw the record button, show the limit notice.
  virtual void LimitReached() = 0;
  // A hook could not be installed: uncheck the record button and tell the user.
  virtual void HookFailed() = 0;
};

// Longest delay the recorder stores between two events, in milliseconds.
inline constexpr std::uint32_t kMaxRecordedDelay = 4095;

class MacroRecorder {
 public:
  explicit MacroRecorder(RecorderHost& host) : host_(host) {}
  MacroRecorder(const MacroRecorder&) = delete;
  MacroRecorder& operator=(const MacroRecorder&) = delete;

  // The macro of the selected library item, or nullptr when no macro is selected.
  void SetMacro(MacroKey* macro) { macro_ = macro; }
  MacroKey* Macro() const { return macro_; }

  // The record button became checked. Refused (false) without a selected macro, and when a hook
  // cannot be installed (whatever was installed is taken down again, the macro is untouched and
  // nothing records); otherwise the macro is emptied, the hooks run and the other controls are
  // disabled.
  bool Start();
  // The record button became unchecked: hooks off, controls back, library saved.
  void Stop();
  bool IsRecording() const { return recording_; }

  // A key report of the keyboard hook (code = wParam, stamp = lParam). The key is recorded under
  // KeyActionCode(code) (macro/key_report.h): a key the system reports under one of the macro's
  // mouse codes 0xE0..0xE7 is recorded as the key it is or not at all, never as a mouse action.
  void RecordKey(std::uint32_t code, std::uint32_t stamp);
  // A mouse event of the program's mouse hook: a code 0xE0..0xE7; any other code is ignored.
  void RecordMouse(std::uint32_t code, std::uint32_t stamp);

  // The manager's insert-action dialogs take keys themselves: the keyboard hook pauses while
  // they are open and resumes afterwards if recording.
  void SuspendKeys();
  void ResumeKeys();

 private:
  void Finish(bool limit);
  // Records the action code `code` (a key or a mouse event). Ignored while not recording, and for
  // a repeat of the last accepted event (same code, same press/release) except the wheel. The
  // event after the 125th command stops the recording and is dropped.
  void Record(std::uint8_t code, std::uint32_t stamp);

  RecorderHost& host_;
  MacroKey* macro_ = nullptr;
  bool recording_ = false;
  std::uint8_t lastCode_ = 0;
  std::uint32_t lastStamp_ = 0;
};

// Milliseconds between two stamps on the 31-bit clock (a smaller new value means the clock
// wrapped), limited to kMaxRecordedDelay.
std::uint32_t RecordedDelay(std::uint32_t lastStamp, std::uint32_t stamp);

// A mouse message seen by the recorder's mouse hook as an event: left, right and middle button
// down/up become codes 0xE0..0xE2 with press or release. Left-button messages over the record
// button itself are not events, so clicking it never records a click. Anything else: nothing.
struct RecorderMouseEvent {
  std::uint8_t code;
  bool release;
};
std::optional<RecorderMouseEvent> MouseHookEvent(std::uint32_t message, bool overRecordButton);

}  // namespace gm
