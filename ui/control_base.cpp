#include "ui/control_base.h"


namespace gm::win {
namespace {

HFONT MakeFont(int height, const std::wstring& face, int charset) {
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, static_cast<DWORD>(charset), OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face.c_str());
}

}  // namespace

CControlBase::CControlBase(CControlHost& host, UINT id, const RECT& rect, std::wstring text, UINT textFlags)
    : id_(id), rect_(rect), text_(std::move(text)), host_(host), textFlags_(textFlags) {
  const UiFont spec = host.Context().EffectiveFont();
  font_.Reset(MakeFont(spec.size, spec.name, spec.charset));
}

void CControlBase::SetText(const std::wstring& text) {
  if (text == text_) return;
  text_ = text;
  Invalidate(true);
}

void CControlBase::ReleaseImages() {
  normal_.Reset();
  hover_.Reset();
  pressed_.Reset();
}

void CControlBase::SetFont(int height, const std::wstring& face) {
  font_.Reset(MakeFont(height, face, Context().EffectiveFont().charset));
}

void CControlBase::Notify(LPARAM event, WPARAM param) const { host_.QueueEvent({id_, event, param}); }

void CControlBase::NotifyAt(LPARAM event, POINT at) const { host_.QueueEvent({id_, event, 0, at}); }

void CControlBase::Invalidate(bool erase) const {
  if (HWND window = host_.Window()) InvalidateRect(window, &rect_, erase);
}

bool CControlBase::LoadInto(SkinImage& slot, const std::wstring& path) {
  if (!slot.LoadShared(Context(), path)) return false;
  imageWidth_ = slot.Width();
  imageHeight_ = slot.Height();
  return true;
}

bool CStateControl::SetState(int state) {
  if (state_ == state) return false;
  state_ = state;
  return true;
}

bool CStateControl::OnMouseMove(UINT, int x, int y) {
  if (disabled_ || state_ == 2) return false;
  return SetState(Contains(x, y) ? 1 : 0);
}

bool CStateControl::OnLButtonDown(UINT, int x, int y) {
  if (disabled_ || !Contains(x, y)) return false;
  state_ = 2;
  Notify(kEventPressed);
  return true;
}

bool CStateControl::OnLButtonUp(UINT, int x, int y) {
  if (disabled_) return false;
  if (!Contains(x, y)) return SetState(0);
  state_ = 1;
  OnClick();
  Notify(kEventClicked, ClickParam());
  return true;
}

}  // namespace gm::win
