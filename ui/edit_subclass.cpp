#include "ui/edit_subclass.h"

#include <commctrl.h>

namespace gm::win {

CEditSubclass::~CEditSubclass() { Remove(); }

void CEditSubclass::Attach(HWND edit) {
  Remove();
  if (!edit) return;
  // The watch's own address tells it apart from other watches of the same edit.
  if (SetWindowSubclass(edit, &CEditSubclass::EditProc, reinterpret_cast<UINT_PTR>(this),
                        reinterpret_cast<DWORD_PTR>(this)))
    edit_ = edit;
}

void CEditSubclass::Remove() {
  if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, &CEditSubclass::EditProc, reinterpret_cast<UINT_PTR>(this));
  edit_ = nullptr;
}

LRESULT CALLBACK CEditSubclass::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self) {
  auto* watch = reinterpret_cast<CEditSubclass*>(self);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &CEditSubclass::EditProc, id);
    watch->edit_ = nullptr;
  } else if (watch->Filter(message, wParam, lParam)) {
    return 0;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void CEditArrowKeys::Install(HWND edit, std::function<void(int step)> onArrow) {
  onArrow_ = std::move(onArrow);
  Attach(edit);
}

bool CEditArrowKeys::Filter(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_KEYDOWN || (wParam != VK_LEFT && wParam != VK_RIGHT)) return false;
  if (onArrow_) onArrow_(wParam == VK_LEFT ? -1 : 1);
  return true;
}

void CEditCharWatch::Install(HWND edit, std::function<void(wchar_t typed)> onChar) {
  onChar_ = std::move(onChar);
  Attach(edit);
}

bool CEditCharWatch::Filter(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_CHAR && onChar_) onChar_(static_cast<wchar_t>(wParam));
  return false;
}

}  // namespace gm::win
