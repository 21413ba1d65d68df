#include "ui/dials.h"

#include <vector>

#include "ui/selection_state.h"

namespace gm::win {
namespace {

HRGN PolygonRegion(const std::vector<ui::IntPoint>& points) {
  if (points.size() < 3) return nullptr;
  std::vector<POINT> p;
  p.reserve(points.size());
  for (const auto& q : points) p.push_back({q.x, q.y});
  return CreatePolygonRgn(p.data(), static_cast<int>(p.size()), ALTERNATE);
}

bool InRegion(const ScopedRegion& r, int x, int y) { return r && PtInRegion(r.Get(), x, y); }

}  // namespace

CPollingRateDial::CPollingRateDial(CControlHost& host, UINT id, ui::RateDial dial, const RECT& rect)
    : CStateControl(host, id, rect), dial_(dial) {
  BuildRegions();
}

bool CPollingRateDial::LoadSkin() {
  bool ok = SetBaseImage(ui::DialPictureFile(dial_, -1));
  for (int k = 0; k < SectorCount(); ++k) ok = SetSectorImage(k, ui::DialPictureFile(dial_, k)) && ok;
  return ok;
}

bool CPollingRateDial::SetSectorImage(int sector, const std::wstring& path) {
  if (sector < 0 || sector >= SectorCount()) return false;
  return highlights_[sector].Name(Context(), path);
}

void CPollingRateDial::BuildRegions() {
  for (int k = 0; k < 7; ++k) {
    regions_[k].Reset(PolygonRegion(ui::DialSectorPolygon(dial_, k, {rect_.left, rect_.top}, Context().displayScale)));
  }
}

int CPollingRateDial::SectorAt(int x, int y) const {
  for (int k = 0; k < SectorCount(); ++k) {
    if (InRegion(regions_[k], x, y)) return k;
  }
  return kNoSector;
}

bool CPollingRateDial::OnMouseMove(UINT, int x, int y) {
  if (disabled_ || state_ == 2) return false;
  const int oldState = state_, oldSector = hoverSector_;
  if (Contains(x, y)) {
    state_ = 1;
  } else {
    state_ = 0;
    hoverSector_ = kNoSector;
  }
  const int sector = SectorAt(x, y);
  if (sector != kNoSector) {
    hoverSector_ = sector;
    state_ = 1;
  }
  return state_ != oldState || hoverSector_ != oldSector;
}

bool CPollingRateDial::OnLButtonUp(UINT, int x, int y) {
  if (disabled_) return false;
  if (!Contains(x, y)) return SetState(0);
  state_ = 1;
  if (hoverSector_ < 7 && choice_) choice_->value = hoverSector_;
  Notify(kEventClicked);
  return true;
}

void CPollingRateDial::Draw(HDC dc, const RECT&) {
  SkinGraphics g(dc);
  g.Draw(base_.Get(), rect_);
  const int chosen = choice_ ? choice_->value : -1;
  if (chosen >= 0 && chosen < SectorCount()) g.Draw(highlights_[chosen].Get(), rect_);
  if (hoverSector_ >= 0 && hoverSector_ < SectorCount()) g.Draw(highlights_[hoverSector_].Get(), rect_);
}

void CPollingRateDial::ReleaseImages() {
  CStateControl::ReleaseImages();
  base_.Reset();
  for (auto& h : highlights_) h.Reset();
}

CPowerManageButton::CPowerManageButton(CControlHost& host, UINT id, const RECT& rect) : CStateControl(host, id, rect) {
  for (int k = 0; k < ui::kPowerSectorCount; ++k) {
    regions_[k].Reset(PolygonRegion(ui::PowerSectorPolygon(k, {rect.left, rect.top}, Context().displayScale)));
  }
}

bool CPowerManageButton::LoadSkin() {
  bool ok = true;
  for (int k = 0; k < ui::kPowerSectorCount; ++k) ok = SetSectorImage(k, ui::PowerPictureFile(k)) && ok;
  return ok;
}

bool CPowerManageButton::SetSectorImage(int sector, const std::wstring& path) {
  if (sector < 0 || sector >= ui::kPowerSectorCount) return false;
  return pictures_[sector].Name(Context(), path);
}

void CPowerManageButton::SetValue(int v) {
  value_ = v;
  if (v >= 1 && v <= ui::kPowerSectorCount) sector_ = v - 1;
}

bool CPowerManageButton::OnLButtonUp(UINT, int x, int y) {
  if (disabled_) return false;
  if (!Contains(x, y)) return SetState(0);
  for (int k = 0; k < ui::kPowerSectorCount; ++k) {
    if (InRegion(regions_[k], x, y)) {
      sector_ = k;
      value_ = k + 1;
      state_ = 1;
      Notify(kEventClicked);
      return true;
    }
  }
  return false;
}

void CPowerManageButton::Draw(HDC dc, const RECT&) {
  SkinGraphics g(dc);
  g.Draw(pictures_[sector_].Get(), rect_);
}

void CPowerManageButton::ReleaseImages() {
  CStateControl::ReleaseImages();
  for (auto& p : pictures_) p.Reset();
}

}  // namespace gm::win
