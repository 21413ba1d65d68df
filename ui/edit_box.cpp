#include "ui/edit_box.h"

namespace gm::win {
namespace {

constexpr const wchar_t* kEditFace = L"Tahoma";

}  // namespace

CEditBox::CEditBox(CControlHost& host, UINT id, const RECT& rect, bool centred, int points)
    : CControlBase(host, id, rect) {
  interactive_ = false;  // the edit window takes its own mouse input
  HWND owner = host.Window();
  // The owner paints its whole client area from an off-screen bitmap: it must leave the box out.
  SetWindowLongPtrW(owner, GWL_STYLE, GetWindowLongPtrW(owner, GWL_STYLE) | WS_CLIPCHILDREN);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | (centred ? ES_CENTER : ES_LEFT);
  edit_.Reset(CreateWindowExW(0, L"EDIT", L"", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, owner, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr));
  const ui::UiContext& context = host.Context();
  const double textScale = context.textScale > 0 ? context.textScale : 1.0;
  ScopedWindowDC dc(owner);
  const double pointSize = points * context.displayScale / textScale;
  const int height = -static_cast<int>(pointSize * GetDeviceCaps(dc.Get(), LOGPIXELSY) / 72);
  editFont_.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, kEditFace));
  if (edit_) SendMessageW(edit_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(editFont_.Get()), FALSE);
}

void CEditBox::SetRect(const RECT& rect) {
  CControlBase::SetRect(rect);
  if (edit_) {
    MoveWindow(edit_.Get(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  }
}

void CEditBox::SetShown(bool shown) {
  CControlBase::SetShown(shown);
  UpdateShown();
}

void CEditBox::SetVisible(bool visible) {
  CControlBase::SetVisible(visible);
  UpdateShown();
}

void CEditBox::UpdateShown() {
  if (edit_) ShowWindow(edit_.Get(), IsPainted() ? SW_SHOWNA : SW_HIDE);
}

void CEditBox::SetText(const std::wstring& text) {
  text_ = text;
  if (!edit_) return;
  SetWindowTextW(edit_.Get(), text.c_str());
  PlaceCaretAtEnd();
}

std::wstring CEditBox::CurrentText() const {
  if (!edit_) return text_;
  const int length = GetWindowTextLengthW(edit_.Get());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(edit_.Get(), text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void CEditBox::TakeFocus() {
  if (!edit_) return;
  SetFocus(edit_.Get());
  PlaceCaretAtEnd();
}

void CEditBox::PlaceCaretAtEnd() {
  const int length = GetWindowTextLengthW(edit_.Get());
  SendMessageW(edit_.Get(), EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
}

}  // namespace gm::win
