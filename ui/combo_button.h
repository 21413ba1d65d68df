#pragma once
// The drop-down buttons of the pickers: press, click, enter and leave events (1, 2, 4, 5). Enters
// are reported on the first five moves inside only; no leave is reported while the popup is open.
#include "ui/control_base.h"
#include "ui/hover_notices.h"

namespace gm::win {

class CComboButton : public CStateControl {
 public:
  CComboButton(CControlHost& host, UINT id, const RECT& rect, std::wstring caption, UINT textFlags = 0);

  // Stores the caption and invalidates the control.
  void SetCaption(const std::wstring& caption);
  const std::wstring& Caption() const { return caption_; }
  void SetOpen(bool open) { open_ = open; }
  void SetInert(bool inert) { inert_ = inert; }
  void SetShowDisabled(bool show) { showDisabled_ = show; }
  bool Open() const { return open_; }

  void Draw(HDC dc, const RECT& update) override;
  std::optional<TextPlacement> CaptionPlacement() const override;
  bool OnMouseMove(UINT flags, int x, int y) override;
  bool OnLButtonDown(UINT flags, int x, int y) override;
  bool OnLButtonUp(UINT flags, int x, int y) override;

 private:
  std::wstring caption_;
  bool open_ = false;
  bool inert_ = false;
  bool showDisabled_ = false;
  ui::ComboHoverCounter hover_counter_;
};

}  // namespace gm::win
