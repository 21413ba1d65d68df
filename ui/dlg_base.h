#pragma once
// The base of every skinned dialog: a borderless dialog (template 152) whose client area is painted
// through an off-screen bitmap, holding windowless controls in 10 drawing layers. It is the one
// root of its window's mouse state (hot, pressed, captured control) and routes the mouse messages
// to the controls; pressing on a free area drags the window. It owns its controls and the popups
// it opened. As the controls' host it queues their events and delivers them, after the mouse
// message that caused them, to its handler table.
#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "ui/control_base.h"
#include "ui/control_host.h"
#include "ui/control_table.h"
#include "ui/dialog_window.h"
#include "ui/gdi_handles.h"
#include "ui/resource_dib.h"

namespace gm::win {

class CWndPopup;


// A small dialog's frame: its design size and the picture stretched over the whole window.
struct DialogFrame {
  int width = 0;
  int height = 0;
  const wchar_t* picture = nullptr;  // relative to the program folder
};

// Keys a declared dialog does not act on (by default Enter confirms and Escape cancels).
enum DialogKeyRule : unsigned { kIgnoreEnter = 1u << 0, kIgnoreEscape = 1u << 1 };

// One row of a dialog's handler table: what runs when control `id` reports `event`.
struct EventHandler {
  UINT id = 0;
  LPARAM event = 0;
  std::function<void()> run;
};

class CDlgBase : public CDialogWindow, public CControlHost {
 public:
  static constexpr int kLayerCount = 10;
  static constexpr int kPopupSlots = 13;
  // The design area every background picture is stretched to.
  static constexpr int kDesignWidth = 1127;
  static constexpr int kDesignHeight = 740;

  // `context` must outlive the dialog.
  explicit CDlgBase(const ui::UiContext& context, HWND parent = nullptr);
  ~CDlgBase() override;

  // Runs the dialog modally on template 152 of the program; returns the EndDialog value.
  INT_PTR DoModal();
  // Creates it modeless (shown once initialised); returns the window or nullptr.
  HWND CreateModelessDialog();

  // Adds a control to a layer (0..9; others go to layer 9); the dialog owns it from now on.
  template <typename T>
  T* AddControl(int layer, std::unique_ptr<T> control) {
    T* raw = control.get();
    layers_[LayerIndex(layer)].push_back(std::move(control));
    return raw;
  }
  // The first control with that id, searched through the layers in order.
  CControlBase* GetControl(UINT id) const;
  // The control mouse events at (x, y) go to: the last one in layer order that takes the mouse.
  CControlBase* ControlAt(int x, int y) const;
  CControlBase* HotControl() const { return hot_; }
  CControlBase* PressedControl() const { return pressed_; }
  // Frees every control's images (before the dialog ends, while GDI+ runs).
  void ReleaseControlImages();

  // Window size in pixels (set before the dialog is created).
  void SetWindowSize(int width, int height) { windowSize_ = {width, height}; }
  SIZE WindowSize() const { return windowSize_; }

  // Loads bitmap resource `id` of the program, computes its average colour and shows it over the
  // 1127 × 740 design units: at its own size straight from the resource, otherwise stretched into
  // a memory context at the display scale.
  bool SetBackgroundBitmap(int id);
  COLORREF BackgroundColour() const { return backgroundColour_; }
  // A backdrop not copied from for this long is let go (a window-sized picture kept for a window
  // that sits unchanged); the next paint draws it again, which takes a few milliseconds.
  static constexpr std::chrono::milliseconds kBackdropKeep = std::chrono::seconds(2);
  // Whether the backdrop is held (from the first paint until it has gone unused for kBackdropKeep).
  bool HoldsBackdrop() const { return static_cast<bool>(backdrop_); }

  // Opens `popup` in `slot` (closing what the slot held) at `rect` (screen), reporting with
  // `message` and `tag`.
  bool OpenPopup(int slot, std::unique_ptr<CWndPopup> popup, const RECT& rect, UINT message, UINT_PTR tag);
  void ClosePopup(int slot);
  CWndPopup* Popup(int slot) const;
  // The popups have lost the activation: each open one reports it with its kind's notice and
  // closes. Returns the slots that held an open popup (bit n for slot n). The window calls it
  // itself when it loses the activation, when a mouse button is pressed in it, and when it is
  // hidden or minimised (see WatchPopupDismissal).
  unsigned DismissPopups();
  // Whether the last left-button press in the window closed the popup of `slot`: the click that
  // press begins, on the control that opens that popup, then only closes it.
  bool LastPressClosedPopup(int slot) const {
    return slot >= 0 && slot < kPopupSlots && (pressClosedPopups_ >> slot & 1u) != 0;
  }

  // Paints the whole client area into `dc` (what WM_PAINT copies to the screen).
  void Render(HDC dc);

  // CControlHost
  HWND Window() const override { return Hwnd(); }
  const ui::UiContext& Context() const override { return context_; }
  void QueueEvent(const ControlEventRecord& event) override;

  // Whether the dialog enters itself in the context's open-dialog table while open (secondary
  // dialogs do).
  void SetRegisterAsOpenDialog(bool on) { registerOpen_ = on; }
  // For a window that places, shows, minimises or hides itself in its own initialisation (the main
  // window): shown when the base's part begins rather than once the whole initialisation is done.
  void SetShownAtOnce() { showAtOnce_ = true; }
  // For a window that must never take the activation from the window the person works in (a
  // passing notice): shown without activating it, and a click in it leaves the activation where
  // it is. Set before the window is created.
  void SetNeverActivated() { neverActivated_ = true; }
  bool NeverActivated() const { return neverActivated_; }

  // Declares the dialog: its frame (which sets the window size), the table of its controls
  // (created on layer `spec.layer` when the window opens) and the keys it ignores.
  void Declare(const DialogFrame& frame, std::span<const ui::ControlSpec> controls, unsigned keyRules = 0);
  // The declared frame and control table (empty for a dialog that declares none).
  const DialogFrame& DeclaredFrame() const { return frame_; }
  std::span<const ui::ControlSpec> DeclaredControls() const { return controlSpecs_; }
  // The dialog's handler table; a control event without a row goes to OnControlEvent.
  void SetHandlers(std::vector<EventHandler> handlers) { handlers_ = std::move(handlers); }
  // Sets the label of a text control (or the caption of another control) made from the table.
  void SetControlText(UINT id, const std::wstring& text);
  // The window's own text follows the labels of these text controls, joined by two spaces. A
  // skinned dialog shows no title bar; screen readers (and tests in another process) read what
  // the dialog says from its window text.
  void SetWindowTextFrom(std::vector<UINT> ids) { windowTextIds_ = std::move(ids); }

 protected:
  BOOL OnInitDialog() override;
  // Shows the dialog once it is complete.
  void OnInitDone() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;

  // Paints the client area (the backdrop, then controls). Subclasses draw their frame and texts.
  virtual void DrawWindow(HDC dc, const RECT& client);
  // Paints what lies under the controls and changes only with the layout: the frame picture of a
  // declared dialog, or the background colour and picture. It is drawn once into a picture of the
  // client's size (the backdrop) that every paint copies from, so a paint of a small part does not
  // stretch whole pictures again. A subclass that adds to it calls ForgetBackdrop when what it
  // adds changes.
  virtual void DrawBackdrop(HDC dc, const RECT& client);
  // The backdrop is drawn again at the next paint.
  void ForgetBackdrop() { backdrop_.Reset(); }
  // Paints the painted controls of layers 0..9 that meet `update`.
  virtual void DrawControls(HDC dc, const RECT& update);
  // Creates the subclass's controls inside the client rectangle.
  virtual void CreateControls(const RECT& client);
  // Messages of the subclass; true when handled.
  virtual bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }
  // A control event no row of the handler table takes.
  virtual void OnControlEvent(const ControlEventRecord& event) {}
  // The rectangle of a design-unit rectangle at the context's display scale.
  RECT Scaled(const LayoutRect& r) const;
  // Enter (IDOK) and Escape (IDCANCEL): by default release the images and end the dialog.
  // WM_CLOSE always ends the dialog with IDCANCEL.
  virtual void OnOK();
  virtual void OnCancel();
  // Ends the dialog with `result` after releasing the control images.
  void Close(INT_PTR result);
  // Repaints one control, or the whole window for the ids that change the layout.
  void RepaintControl(const CControlBase* control, bool afterClick);

  const ui::UiContext& context_;
  HWND parent_;
  HFONT TitleFont() const { return titleFont_.Get(); }

 private:
  static size_t LayerIndex(int layer) { return layer < 0 || layer >= kLayerCount ? kLayerCount - 1 : static_cast<size_t>(layer); }
  bool RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
  // Closes the popups on the messages that mean they have lost the activation.
  void WatchPopupDismissal(UINT message, WPARAM wParam, LPARAM lParam);
  bool IsOwnPopup(HWND hwnd) const;
  void OnMouseMove(UINT flags, int x, int y);
  void FindHot(UINT flags, int x, int y);
  void OnLButtonDown(UINT flags, int x, int y);
  void OnLButtonUp(UINT flags, int x, int y);
  void OnMouseLeave();
  void OnPaint();
  void CancelPressed();
  template <typename F>
  void ForEachControl(F f) const {
    for (const auto& layer : layers_)
      for (const auto& c : layer) f(c.get());
  }

  std::array<std::vector<std::unique_ptr<CControlBase>>, kLayerCount> layers_;
  SIZE windowSize_{2 * kDesignWidth, 2 * kDesignHeight};
  ScopedFont titleFont_;
  CControlBase* hot_ = nullptr;
  CControlBase* pressed_ = nullptr;
  RECT pressedRect_{-1, -1, -1, -1};
  bool tracking_ = false;
  bool buttonDown_ = false;
  bool captured_ = false;
  POINT lastPoint_{-1, -1};
  // Lets the background picture go (its copy and memory context, or its resource number).
  void ReleaseBackground();
  // The backdrop timer: lets the backdrop go once it has not been used for kBackdropKeep.
  void OnBackdropTimer();
  // Sets the backdrop timer to fire after `delay`.
  void ArmBackdropTimer(std::chrono::milliseconds delay);
  // The background picture: when shown at its own size, the number of the bitmap resource, read in
  // place from a view of the program file whenever the backdrop is drawn (nothing of it stays in
  // memory); else a copy at the display scale selected into backgroundDC_.
  int backgroundResource_ = 0;
  ScopedBitmap background_;
  HDC backgroundDC_ = nullptr;
  HGDIOBJ backgroundOld_ = nullptr;
  COLORREF backgroundColour_ = 0;
  ScopedBitmap backdrop_;  // DrawBackdrop's picture, at backdropSize_
  SIZE backdropSize_{};
  std::chrono::steady_clock::time_point backdropUsedAt_{};  // the last paint that copied from the backdrop
  std::array<std::unique_ptr<CWndPopup>, kPopupSlots> popups_;
  unsigned pressClosedPopups_ = 0;  // the slots the last left-button press closed
  bool registerOpen_ = true;
  bool showAtOnce_ = false;
  bool neverActivated_ = false;
  // The declared dialog: frame, controls, key rules and handler table.
  DialogFrame frame_{};
  SkinImage framePicture_;
  std::span<const ui::ControlSpec> controlSpecs_;
  std::vector<std::pair<UINT, std::wstring>> pendingTexts_;
  unsigned keyRules_ = 0;
  std::vector<EventHandler> handlers_;
  std::vector<UINT> windowTextIds_;
  void FollowWindowText();
  // Control events waiting for delivery, and whether the message that delivers them is posted.
  std::deque<ControlEventRecord> events_;
  bool eventsPosted_ = false;
  void DeliverEvents();
};

}  // namespace gm::win
