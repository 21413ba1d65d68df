#pragma once
// Watches the characters typed into a single-line edit window: while installed, every WM_CHAR
// reaches the edit first (the box takes it as usual) and then runs `onChar` with the character.
// The subclass goes when this object does, or when the edit window is destroyed first.
#include <windows.h>

#include <functional>

namespace gm::win {

class CEditCharWatch {
 public:
  CEditCharWatch() = default;
  ~CEditCharWatch();
  CEditCharWatch(const CEditCharWatch&) = delete;
  CEditCharWatch& operator=(const CEditCharWatch&) = delete;

  // Watches `edit` (nothing for a null window); replaces an earlier installation.
  void Install(HWND edit, std::function<void(wchar_t)> onChar);
  void Remove();

 private:
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
  HWND edit_ = nullptr;
  std::function<void(wchar_t)> onChar_;
};

}  // namespace gm::win
