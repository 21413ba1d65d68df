#pragma once
// A single-line edit box: a real Win32 EDIT child window of the control's host, owned by this
// control and placed at its rectangle. It draws itself (the host only keeps its painting off the
// box), so the dialog routes no mouse to it. Enter and Escape are not wanted by the box and reach
// the dialog's key rules as IDOK and IDCANCEL.
#include <string>

#include "ui/control_base.h"
#include "ui/win_handle.h"

namespace gm::win {

class CEditBox : public CControlBase {
 public:
  // The text centred or left-aligned, in "Tahoma" at `points` × display scale ÷ text scale.
  CEditBox(CControlHost& host, UINT id, const RECT& rect, bool centred, int points);

  // The edit window draws itself.
  void Draw(HDC, const RECT&) override {}
  void SetRect(const RECT& rect) override;
  void SetShown(bool shown) override;
  void SetVisible(bool visible) override;
  // Replaces the text and puts the caret after it.
  void SetText(const std::wstring& text) override;
  // What the box holds now (typed or set).
  std::wstring CurrentText() const;
  // Gives the box the keyboard focus with the caret at the end of the text.
  void TakeFocus();

  HWND EditWindow() const { return edit_.Get(); }

 private:
  void PlaceCaretAtEnd();
  void UpdateShown();

  ScopedFont editFont_;  // before the window that uses it, so it is deleted after the window
  ScopedWindow edit_;
};

}  // namespace gm::win
