#pragma once
// Takes the Left and Right arrow keys from a single-line edit window for its dialog: while
// installed, a key-down of either arrow in the edit runs `onArrow` (with -1 for Left, +1 for
// Right) instead of moving the caret. Every other message reaches the edit unchanged. The
// subclass goes when this object does, or when the edit window is destroyed first.
#include <windows.h>

#include <functional>

namespace gm::win {

class CEditArrowKeys {
 public:
  CEditArrowKeys() = default;
  ~CEditArrowKeys();
  CEditArrowKeys(const CEditArrowKeys&) = delete;
  CEditArrowKeys& operator=(const CEditArrowKeys&) = delete;

  // Takes the arrows of `edit` (nothing for a null window); replaces an earlier installation.
  void Install(HWND edit, std::function<void(int step)> onArrow);
  void Remove();

 private:
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
  HWND edit_ = nullptr;
  std::function<void(int)> onArrow_;
};

}  // namespace gm::win
