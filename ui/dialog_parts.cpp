#include "ui/dialog_parts.h"

#include <memory>

#include "ui/buttons.h"
#include "ui/dlg_base.h"
#include "ui/static_controls.h"

namespace gm::win {

void AddCloseButton(CDlgBase& dlg, UINT id, const RECT& r) {
  auto close = std::make_unique<CImageButton>(dlg.Hwnd(), id, r);
  close->SetNormalImage(L"skins\\exit_nr.png");
  close->SetHoverImage(L"skins\\exit_ov.png");
  dlg.AddControl(1, std::move(close));
}

void AddCaptionButton(CDlgBase& dlg, UINT id, const RECT& r, const std::wstring& caption) {
  auto button = std::make_unique<CImageButton>(dlg.Hwnd(), id, r, caption, DT_CENTER);
  button->SetNormalImage(L"skins\\button2_nr.png");
  button->SetHoverImage(L"skins\\button2_ov.png");
  dlg.AddControl(1, std::move(button));
}

void AddText(CDlgBase& dlg, UINT id, const RECT& r, COLORREF colour, UINT flags, const std::wstring& label) {
  auto text = std::make_unique<CStaticText>(dlg.Hwnd(), id, r, colour, flags);
  text->SetLabel(label);
  dlg.AddControl(0, std::move(text));
}

}  // namespace gm::win
