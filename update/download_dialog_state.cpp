#include "update/download_dialog_state.h"

#include "update/update_check.h"

namespace gm {

bool DownloadDialogState::OnStart() {
  if (started_ || closing_) return false;
  started_ = true;
  return true;
}

int DownloadDialogState::OnAnimationTick() { return DownloadAnimationText(++counter_); }

DialogEnd DownloadDialogState::OnTransferFinished(const DownloadResult& result) {
  result_ = result;
  return closing_ ? DialogEnd::Cancel : DialogEnd::None;
}

DialogEnd DownloadDialogState::OnFinishTimer() {
  return closing_ ? DialogEnd::Cancel : DialogEnd::Ok;
}

DialogEnd DownloadDialogState::OnClose() {
  closing_ = true;
  if (Running()) {
    cancel_ = true;
    return DialogEnd::None;
  }
  return DialogEnd::Cancel;
}

}  // namespace gm
