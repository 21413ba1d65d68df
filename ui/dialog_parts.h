#pragma once
// The pieces every small skinned dialog is built from: the close cross, caption buttons with the
// "button2" pictures and text lines, placed on the dialog's layers (buttons above texts).
#include <windows.h>

#include <string>

namespace gm::win {

class CDlgBase;

// Text flags of a centred message that wraps onto several lines.
inline constexpr UINT kCentredWrapped = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL;

// The close cross ("exit" pictures) in the top right corner.
void AddCloseButton(CDlgBase& dlg, UINT id, const RECT& r);

// A button with a caption drawn on the "button2" pictures.
void AddCaptionButton(CDlgBase& dlg, UINT id, const RECT& r, const std::wstring& caption);

// A line of text in the language font.
void AddText(CDlgBase& dlg, UINT id, const RECT& r, COLORREF colour, UINT flags, const std::wstring& label);

}  // namespace gm::win
