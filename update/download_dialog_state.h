#pragma once
// The decisions of the download dialog, apart from its window: when the transfer starts, what
// the animated progress text shows, when and how the dialog ends. The window turns the answers
// into timers, a transfer thread and EndDialog.
//
// A close while the transfer runs does not end the dialog at once (the transfer thread still
// uses the dialog's timers): it asks the transfer to stop, and the dialog ends with cancel as soon
// as the thread has finished.
#include <atomic>
#include <optional>

#include "update/download.h"

namespace gm {

enum class DialogEnd { None, Ok, Cancel };

class DownloadDialogState {
 public:
  static constexpr unsigned kAnimationTimer = 1;
  static constexpr unsigned kAnimationMs = 1000;
  static constexpr unsigned kFinishTimer = 2;
  static constexpr unsigned kFinishMs = 100;

  // The start button: true when the transfer (and the animation timer) should start now; false
  // when it has already been started or the dialog is being closed.
  bool OnStart();

  // The animation timer: advances the counter and returns the language index of the text to show.
  int OnAnimationTick();

  // The transfer thread has finished with `result`: stop the animation timer and start the finish
  // timer. When a close was asked for meanwhile, returns DialogEnd::Cancel: end the dialog now.
  DialogEnd OnTransferFinished(const DownloadResult& result);

  // The finish timer: stop it and end the dialog with OK.
  DialogEnd OnFinishTimer();

  // The close button or the second button: ends the dialog with cancel when no transfer runs; while
  // one runs, asks it to stop and returns None (the end follows OnTransferFinished).
  DialogEnd OnClose();

  // Handed to the transfer as its cancel flag.
  const std::atomic<bool>* CancelFlag() const { return &cancel_; }

  bool Started() const { return started_; }
  bool Running() const { return started_ && !result_; }
  unsigned Counter() const { return counter_; }
  // The transfer's result once it has finished.
  const std::optional<DownloadResult>& Result() const { return result_; }

 private:
  bool started_ = false;
  bool closing_ = false;
  unsigned counter_ = 0;
  std::atomic<bool> cancel_{false};
  std::optional<DownloadResult> result_;
};

}  // namespace gm
