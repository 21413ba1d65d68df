#pragma once
// The base of every windowless control: a rectangle inside its owning window, visibility flags,
// a caption, the user-interface font and the event convention. The host (CDlgBase) paints
// controls into its off-screen bitmap and routes mouse events to them; a mouse handler returns
// whether the control must be repainted. What the user did goes to the host's event queue.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/control_host.h"
#include "ui/gdi_handles.h"
#include "ui/skin_image.h"

namespace gm::win {

// Event codes of ControlEventRecord::event.
enum ControlEvent : LPARAM {
  kEventPressed = 1,
  kEventClicked = 2,
  kEventValueChanged = 3,
  kEventEntered = 4,
  kEventLeft = 5,
  kEventDoubleClick = 10,
  kEventRightClick = 11,
  kEventHover = 12,
};

// Text colours (0x00BBGGRR).
inline constexpr COLORREF kTextGrey = 0xB4B4B4;
inline constexpr COLORREF kTextWhite = 0xFFFFFF;
inline constexpr COLORREF kTextYellow = 0x00FFFF;

// Behaviour bits (the values of ui::ControlFlag in ui/control_table.h).
inline constexpr unsigned kBehaviourRepaintsWindow = 1u << 0;
inline constexpr unsigned kBehaviourReportsMoves = 1u << 1;

// Flags added to every caption a control draws.
inline constexpr UINT kCommonTextFlags = DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;

// Where a control writes its caption or label: the box (pixels) and the DrawTextW flags. The
// control draws through it, and a check that every text fits its control measures with it.
struct TextPlacement {
  RECT box{};
  UINT flags = 0;
};

class CControlBase {
 public:
  CControlBase(CControlHost& host, UINT id, const RECT& rect, std::wstring text = {}, UINT textFlags = 0);
  virtual ~CControlBase() = default;
  CControlBase(const CControlBase&) = delete;
  CControlBase& operator=(const CControlBase&) = delete;

  virtual void Draw(HDC dc, const RECT& update) = 0;
  // The box and flags of the text the control writes (with its Font()); none for a control that
  // writes no text of its own.
  virtual std::optional<TextPlacement> CaptionPlacement() const { return std::nullopt; }

  virtual void SetRect(const RECT& rect) { rect_ = rect; }
  virtual RECT GetRect() const { return rect_; }
  // Stores a changed text and invalidates the control in its owner.
  virtual void SetText(const std::wstring& text);
  virtual const std::wstring& GetText() const { return text_; }
  virtual void SetShown(bool shown) { shown_ = shown; }
  virtual void SetVisible(bool visible) { visible_ = visible; }

  virtual bool OnMouseMove(UINT flags, int x, int y) { return false; }
  virtual bool OnLButtonDown(UINT flags, int x, int y) { return false; }
  virtual bool OnLButtonUp(UINT flags, int x, int y) { return false; }
  virtual bool OnRButtonUp(UINT flags, int x, int y) { return false; }
  virtual bool OnLButtonDblClk(UINT flags, int x, int y) { return false; }

  // Frees the control's GDI+ images (called while GDI+ still runs, before the owner closes).
  virtual void ReleaseImages();

  // Image slots shared by the family; the path is relative to the program folder. On failure the
  // slot is left empty (and draws nothing) and false is returned.
  bool SetNormalImage(const std::wstring& path) { return LoadInto(normal_, path); }
  bool SetHoverImage(const std::wstring& path) { return LoadInto(hover_, path); }
  bool SetPressedImage(const std::wstring& path) { return LoadInto(pressed_, path); }

  // Replaces the font (height in pixels, face name).
  void SetFont(int height, const std::wstring& face);
  // Queues `event` of this control with its detail `param` (a right click with its position).
  void Notify(LPARAM event, WPARAM param = 0) const;
  void NotifyAt(LPARAM event, POINT at) const;
  // Invalidates the control's rectangle in the host window.
  void Invalidate(bool erase = false) const;

  UINT Id() const { return id_; }
  HWND Owner() const { return host_.Window(); }
  CControlHost& Host() const { return host_; }
  const ui::UiContext& Context() const { return host_.Context(); }
  HFONT Font() const { return font_.Get(); }
  bool Shown() const { return shown_; }
  bool Visible() const { return visible_; }
  bool Disabled() const { return disabled_; }
  bool Interactive() const { return interactive_; }
  void SetDisabled(bool disabled) { disabled_ = disabled; }
  void SetInteractive(bool interactive) { interactive_ = interactive; }
  // Painted when shown and visible; takes the mouse when also interactive.
  bool IsPainted() const { return shown_ && visible_; }
  // Behaviour flags from the control's spec (ui::ControlFlag bits).
  void SetBehaviour(unsigned flags) { behaviour_ = flags; }
  unsigned Behaviour() const { return behaviour_; }
  bool RepaintsWindowOnClick() const { return (behaviour_ & kBehaviourRepaintsWindow) != 0; }
  bool ReportsPointerMoves() const { return (behaviour_ & kBehaviourReportsMoves) != 0; }
  bool TakesMouse() const { return shown_ && visible_ && interactive_; }
  bool Contains(int x, int y) const { return x >= rect_.left && x < rect_.right && y >= rect_.top && y < rect_.bottom; }
  int ImageWidth() const { return imageWidth_; }
  int ImageHeight() const { return imageHeight_; }

 protected:
  // Loads `path` (relative to the program folder) into `slot`; remembers its size on success.
  bool LoadInto(SkinImage& slot, const std::wstring& path);

  UINT id_;
  RECT rect_;
  bool shown_ = true;
  bool visible_ = true;
  bool disabled_ = false;
  bool interactive_ = true;
  std::wstring text_;
  CControlHost& host_;
  ScopedFont font_;
  UINT textFlags_;
  unsigned behaviour_ = 0;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  SkinImage normal_;
  SkinImage hover_;
  SkinImage pressed_;
};

// A control with the visual state 0 normal, 1 hover, 2 pressed and the standard mouse behaviour:
// a move sets hover by position (not while pressed), a press inside sets pressed and notifies 1,
// a release inside sets hover, runs the click action and notifies 2; outside it sets normal.
class CStateControl : public CControlBase {
 public:
  using CControlBase::CControlBase;

  int State() const { return state_; }

  bool OnMouseMove(UINT flags, int x, int y) override;
  bool OnLButtonDown(UINT flags, int x, int y) override;
  bool OnLButtonUp(UINT flags, int x, int y) override;

 protected:
  // What a click does before the event is queued (toggle, select...).
  virtual void OnClick() {}
  // Detail of the click event.
  virtual WPARAM ClickParam() const { return 0; }
  // Sets the state; true when it changed.
  bool SetState(int state);

  int state_ = 0;
};

// The text rectangle: the control's rectangle with its left edge moved right by `margin`.
inline RECT TextRect(const RECT& r, int margin) { return {r.left + margin, r.top, r.right, r.bottom}; }

}  // namespace gm::win
