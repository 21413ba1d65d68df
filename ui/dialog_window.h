#pragma once
// The lowest layer of the toolkit: an object that owns one dialog window made from a dialog
// template, runs it modally (or creates it modeless) and hands its messages to virtual handlers.
#include <windows.h>

namespace gm::win {

class CDialogWindow {
 public:
  CDialogWindow() = default;
  virtual ~CDialogWindow();
  CDialogWindow(const CDialogWindow&) = delete;
  CDialogWindow& operator=(const CDialogWindow&) = delete;

  // Runs the dialog of `templateId` modally; returns the value given to EndDialog, or -1 when the
  // dialog could not be created.
  INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner);

  // Creates the dialog modeless; returns its window or nullptr.
  HWND CreateModeless(HINSTANCE instance, int templateId, HWND owner);

  // Ends a modal run with `result` (destroys a modeless dialog).
  void EndDialog(INT_PTR result);

  HWND Hwnd() const { return hwnd_; }
  bool IsModal() const { return modal_; }

 protected:
  // WM_INITDIALOG: return TRUE to let the system set the focus.
  virtual BOOL OnInitDialog() { return TRUE; }
  // After OnInitDialog, the derived classes' parts included, has returned: the dialog is complete.
  virtual void OnInitDone() {}

  // Every other message. Return true when handled and put the message's result in `result`.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }

  // The window has been destroyed; Hwnd() is already null.
  virtual void OnDestroyed() {}

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

}  // namespace gm::win
