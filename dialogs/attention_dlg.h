#pragma once
// The one-message notice: a message with an OK button (and a close cross). The heading line is
// kept empty.
#include <string>

#include "ui/dlg_base.h"

namespace gm::win {

class CAttentionDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kHeading = 2012, kMessage = 2013 };

  CAttentionDlg(const ui::UiContext& context, std::wstring heading, std::wstring message, HWND parent);

  // Shows a notice that stays open (topmost, not moved or sized) until the user closes it; the
  // dialog deletes itself then. Returns its window, or nullptr.
  static HWND ShowModeless(const ui::UiContext& context, std::wstring heading, std::wstring message, HWND parent);
  // Shows language text `textIndex` modally under the heading "Attention" (texts[150]), as the
  // dialogs do when they refuse an input.
  static void Tell(const ui::UiContext& context, int textIndex, HWND parent);

  const std::wstring& Heading() const { return heading_; }
  const std::wstring& Message() const { return message_; }

 protected:
  void OnDestroyed() override;

 private:
  std::wstring heading_;
  std::wstring message_;
  bool deleteWhenDestroyed_ = false;
};

}  // namespace gm::win
