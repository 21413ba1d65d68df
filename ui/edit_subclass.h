#pragma once
// Watches the messages of one edit window for its dialog: while attached, Filter sees each
// message before the edit does and may keep it from the edit. The watch ends when this object
// goes, or when the edit window is destroyed first. The concrete watches below say what they take.
#include <windows.h>

#include <functional>

namespace gm::win {

class CEditSubclass {
 public:
  CEditSubclass() = default;
  virtual ~CEditSubclass();
  CEditSubclass(const CEditSubclass&) = delete;
  CEditSubclass& operator=(const CEditSubclass&) = delete;

  void Remove();

 protected:
  // Starts watching `edit` (nothing for a null window); replaces an earlier watch.
  void Attach(HWND edit);
  // True: the message is handled and does not reach the edit.
  virtual bool Filter(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
  HWND edit_ = nullptr;
};

// Takes the Left and Right arrow keys: a key-down of either runs `onArrow` (-1 for Left, +1 for
// Right) instead of moving the caret.
class CEditArrowKeys final : public CEditSubclass {
 public:
  ~CEditArrowKeys() override { Remove(); }
  void Install(HWND edit, std::function<void(int step)> onArrow);

 private:
  bool Filter(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::function<void(int)> onArrow_;
};

// Sees every typed character: `onChar` runs first, then the character reaches the edit.
class CEditCharWatch final : public CEditSubclass {
 public:
  ~CEditCharWatch() override { Remove(); }
  void Install(HWND edit, std::function<void(wchar_t typed)> onChar);

 private:
  bool Filter(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::function<void(wchar_t)> onChar_;
};

}  // namespace gm::win
