#pragma once
// The base of the drop-down lists and menus: an owned, borderless, topmost tool window painted as
// one layered picture. It never takes the activation (shown without it, and a click in it leaves
// it with the owner), so a menu and its submenu and the owner's pressed control all stay as they
// are while the pointer moves between them. The owner decides when the popups have lost the
// activation (CDlgBase::DismissPopups) and has each report it with the message of its kind (see
// popup_notices.h); a popup reports msg::kPopupClosed when it closes.
#include <windows.h>

#include "ui/gdi_handles.h"
#include "ui/skin_image.h"
#include "ui/ui_context.h"

namespace gm::win {

class CWndPopup {
 public:
  // The popup takes its font from `context`.
  CWndPopup(const ui::UiContext& context, int kind);
  virtual ~CWndPopup();
  CWndPopup(const CWndPopup&) = delete;
  CWndPopup& operator=(const CWndPopup&) = delete;

  // Creates and shows the popup at `rect` (screen), owned by `owner`.
  bool Create(HWND owner, const RECT& rect, UINT message, UINT_PTR tag);
  HWND Hwnd() const { return hwnd_; }
  int Kind() const { return kind_; }
  UINT Message() const { return message_; }
  UINT_PTR Tag() const { return tag_; }
  // Paints the popup again (after its items changed).
  void Render();
  // Whether the popup is on screen (created, not yet closed or dismissed).
  bool IsOpen() const;
  // The popup lost the activation without a choice: it tells its owner with its kind's notice
  // and disappears at once; its window goes with the WM_CLOSE the owner posts.
  void Dismiss();

 protected:
  virtual void CreateItems() {}
  virtual void DrawItems(HDC dc, const RECT& rect) {}
  // Pointer at (x, y); true to render again.
  virtual bool HitTest(int x, int y) { return false; }
  virtual bool OnPress(int x, int y) { return false; }
  virtual bool OnRelease(int x, int y) { return false; }
  virtual void OnRightRelease(int x, int y) {}

  HWND owner_ = nullptr;
  RECT rect_{};
  HFONT Font() const { return font_.Get(); }
  // The popup background picture (PNG resource 151), decoded the first time it is asked for: no
  // list or menu draws it, and decoding it as each popup opens held up the owner's window (a few
  // milliseconds each time, tens the first time in a process).
  const SkinImage& Background() const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  int kind_;
  UINT message_ = 0;
  UINT_PTR tag_ = 0;
  ScopedFont font_;
  mutable SkinImage background_;
  mutable bool backgroundLoaded_ = false;
  bool tracking_ = false;
  bool buttonDown_ = false;
  bool captured_ = false;
};

}  // namespace gm::win
