#include "macro/recorder.h"

namespace gm {

std::uint32_t RecordedDelay(std::uint32_t lastStamp, std::uint32_t stamp) {
  const std::uint32_t now = stamp & kStampTickMask, before = lastStamp & kStampTickMask;
  const std::uint32_t d = now >= before ? now - before : now + (kStampTickMask + 1u) - before;
  return d < kMaxRecordedDelay ? d : kMaxRecordedDelay;
}

bool MacroRecorder::Start() {
  if (!macro_) {
    host_.RefuseStart();
    return false;
  }
  if (!host_.StartKeyHook()) {
    host_.HookFailed();
    return false;
  }
  if (!host_.InstallMouseHook()) {
    host_.StopKeyHook();
    host_.HookFailed();
    return false;
  }
  recording_ = true;
  lastCode_ = 0;
  lastStamp_ = 0;
  macro_->MacroActionNum = 0;
  macro_->MacroCommandActionNum = 0;
  host_.ResetActionList();
  host_.SetControlsEnabled(false);
  return true;
}

void MacroRecorder::Stop() {
  if (recording_) Finish(false);
}

void MacroRecorder::Finish(bool limit) {
  host_.StopKeyHook();
  recording_ = false;
  host_.RemoveMouseHook();
  host_.SetControlsEnabled(true);
  host_.SaveLibrary();
  if (limit) host_.LimitReached();
}

void MacroRecorder::SuspendKeys() { host_.StopKeyHook(); }

// A hook that cannot be started again ends the recording as a stop would, so the manager is never
// left recording without its key reports.
void MacroRecorder::ResumeKeys() {
  if (recording_ && !host_.StartKeyHook()) {
    Finish(false);
    host_.HookFailed();
  }
}

void MacroRecorder::RecordKey(std::uint32_t code, std::uint32_t stamp) {
  if (const std::uint8_t key = KeyActionCode(code)) Record(key, stamp);
}

void MacroRecorder::RecordMouse(std::uint32_t code, std::uint32_t stamp) {
  if (code >= MacroAction::kMouseLeft && code <= MacroAction::kWheel) Record(static_cast<std::uint8_t>(code), stamp);
}

void MacroRecorder::Record(std::uint8_t key, std::uint32_t stamp) {
  // Reports still queued after a stop must not change the saved macro.
  if (!recording_ || !macro_) return;
  const bool release = StampIsRelease(stamp);
  if (key == lastCode_ && release == StampIsRelease(lastStamp_) && key != MacroAction::kWheel)
    return;  // auto-repeat of a held key, or a second release

  const auto event = MacroAction::Event(key, release);
  if (macro_->MacroActionNum == 0) {
    macro_->InsertAction(kMacroActionCapacity, event);
    ++macro_->MacroCommandActionNum;
  } else if (macro_->MacroCommandActionNum >= kMacroCommandLimit) {
    Finish(true);
    return;
  } else {
    ++macro_->MacroCommandActionNum;
    if (host_.RecordDelays())
      macro_->InsertAction(kMacroActionCapacity, MacroAction::Delay(RecordedDelay(lastStamp_, stamp)));
    macro_->InsertAction(kMacroActionCapacity, event);
  }
  host_.ShowActionListEnd();
  lastCode_ = key;
  lastStamp_ = stamp;
}

std::optional<RecorderMouseEvent> MouseHookEvent(std::uint32_t message, bool overRecordButton) {
  struct Row {
    std::uint32_t message;
    std::uint8_t code;
    bool release;
  };
  static constexpr Row kRows[] = {
      {0x201, MacroAction::kMouseLeft, false},   {0x202, MacroAction::kMouseLeft, true},
      {0x204, MacroAction::kMouseRight, false},  {0x205, MacroAction::kMouseRight, true},
      {0x207, MacroAction::kMouseMiddle, false}, {0x208, MacroAction::kMouseMiddle, true},
  };
  for (const Row& row : kRows) {
    if (row.message != message) continue;
    if (row.code == MacroAction::kMouseLeft && overRecordButton) return std::nullopt;
    return RecorderMouseEvent{row.code, row.release};
  }
  return std::nullopt;
}

}  // namespace gm
