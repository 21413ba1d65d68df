#include "ui/dialog_window.h"

namespace gm::win {

CDialogWindow::~CDialogWindow() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

INT_PTR CDialogWindow::RunModal(HINSTANCE instance, int templateId, HWND owner) {
  modal_ = true;
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, &CDialogWindow::DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

HWND CDialogWindow::CreateModeless(HINSTANCE instance, int templateId, HWND owner) {
  modal_ = false;
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), owner, &CDialogWindow::DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

void CDialogWindow::EndDialog(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_) {
    ::EndDialog(hwnd_, result);
  } else {
    DestroyWindow(hwnd_);
  }
}

INT_PTR CALLBACK CDialogWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialogWindow* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialogWindow*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    const BOOL result = self->OnInitDialog();
    if (self->hwnd_ == hwnd) self->OnInitDone();
    return result;
  }
  self = reinterpret_cast<CDialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
    return FALSE;
  }

  LRESULT result = 0;
  if (!self->OnMessage(message, wParam, lParam, result)) return FALSE;
  // Messages whose result is the dialog procedure's own return value.
  switch (message) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
    case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
      return static_cast<INT_PTR>(result);
    default:
      SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
      return TRUE;
  }
}

}  // namespace gm::win
