#include "ui/edit_char_watch.h"

#include <commctrl.h>

namespace gm::win {
namespace {
constexpr UINT_PTR kSubclassId = 0x4348;  // "CH"
}  // namespace

CEditCharWatch::~CEditCharWatch() { Remove(); }

void CEditCharWatch::Install(HWND edit, std::function<void(wchar_t)> onChar) {
  Remove();
  if (!edit) return;
  onChar_ = std::move(onChar);
  if (SetWindowSubclass(edit, &CEditCharWatch::EditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    edit_ = edit;
}

void CEditCharWatch::Remove() {
  if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, &CEditCharWatch::EditProc, kSubclassId);
  edit_ = nullptr;
}

LRESULT CALLBACK CEditCharWatch::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
  auto* watch = reinterpret_cast<CEditCharWatch*>(self);
  if (message == WM_CHAR) {
    // The box takes the character first; the watcher may then open a modal notice.
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (watch->onChar_) watch->onChar_(static_cast<wchar_t>(wParam));
    return result;
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &CEditCharWatch::EditProc, kSubclassId);
    watch->edit_ = nullptr;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace gm::win
