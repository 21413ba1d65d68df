#include "ui/edit_arrow_keys.h"

#include <commctrl.h>

namespace gm::win {
namespace {
constexpr UINT_PTR kSubclassId = 0x4152;  // "AR"
}  // namespace

CEditArrowKeys::~CEditArrowKeys() { Remove(); }

void CEditArrowKeys::Install(HWND edit, std::function<void(int step)> onArrow) {
  Remove();
  if (!edit) return;
  onArrow_ = std::move(onArrow);
  if (SetWindowSubclass(edit, &CEditArrowKeys::EditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    edit_ = edit;
}

void CEditArrowKeys::Remove() {
  if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, &CEditArrowKeys::EditProc, kSubclassId);
  edit_ = nullptr;
}

LRESULT CALLBACK CEditArrowKeys::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
  auto* keys = reinterpret_cast<CEditArrowKeys*>(self);
  if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT)) {
    if (keys->onArrow_) keys->onArrow_(wParam == VK_LEFT ? -1 : 1);
    return 0;
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &CEditArrowKeys::EditProc, kSubclassId);
    keys->edit_ = nullptr;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace gm::win
