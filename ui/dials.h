#pragma once
// The round report-rate dials (one class per highest rate) and the power-saving half-dial. Their
// sectors are polygon regions; clicking a sector chooses it.
#include <array>

#include "ui/control_base.h"
#include "ui/dial_geometry.h"
#include "ui/selection_state.h"

namespace gm::win {

class CPollingRateDial : public CStateControl {
 public:
  static constexpr int kNoSector = 100;

  CPollingRateDial(CControlHost& host, UINT id, ui::RateDial dial, const RECT& rect);

  // Loads the base picture and the highlight of every sector from their skin files.
  bool LoadSkin();
  bool SetBaseImage(const std::wstring& path) { return base_.Name(Context(), path); }
  bool SetSectorImage(int sector, const std::wstring& path);
  // Rebuilds the sector regions from the current rectangle (SetRect alone does not move them).
  void BuildRegions();
  // The report-rate code (0 = 125 Hz .. 6 = 8000 Hz) the window's dials share: drawn highlighted,
  // set by a click on a sector. Without one the dial highlights nothing.
  void SetRateChoice(ui::Choice* choice) { choice_ = choice; }

  int SectorCount() const { return ui::DialSectorCount(dial_); }
  int HoverSector() const { return hoverSector_; }
  // First sector whose region contains the point, or kNoSector.
  int SectorAt(int x, int y) const;

  void Draw(HDC dc, const RECT& update) override;
  bool OnMouseMove(UINT flags, int x, int y) override;
  bool OnLButtonUp(UINT flags, int x, int y) override;
  void ReleaseImages() override;

 private:
  ui::RateDial dial_;
  ui::Choice* choice_ = nullptr;
  int hoverSector_ = kNoSector;
  // Only the dial of the mouse's sensor is drawn: the others' pictures are never decoded.
  LazySkinImage base_;
  std::array<LazySkinImage, 7> highlights_;
  std::array<ScopedRegion, 7> regions_;
};

class CPollingRate250Button : public CPollingRateDial {
 public:
  CPollingRate250Button(CControlHost& host, UINT id, const RECT& rect) : CPollingRateDial(host, id, ui::RateDial::k250, rect) {}
};
class CPollingRate1000Button : public CPollingRateDial {
 public:
  CPollingRate1000Button(CControlHost& host, UINT id, const RECT& rect) : CPollingRateDial(host, id, ui::RateDial::k1000, rect) {}
};
class CPollingRate2000Button : public CPollingRateDial {
 public:
  CPollingRate2000Button(CControlHost& host, UINT id, const RECT& rect) : CPollingRateDial(host, id, ui::RateDial::k2000, rect) {}
};
class CPollingRate4000Button : public CPollingRateDial {
 public:
  CPollingRate4000Button(CControlHost& host, UINT id, const RECT& rect) : CPollingRateDial(host, id, ui::RateDial::k4000, rect) {}
};
class CPollingRate8000Button : public CPollingRateDial {
 public:
  CPollingRate8000Button(CControlHost& host, UINT id, const RECT& rect) : CPollingRateDial(host, id, ui::RateDial::k8000, rect) {}
};

// Power-saving delay: eight positions, Value 1..8 for 3..10 minutes.
class CPowerManageButton : public CStateControl {
 public:
  CPowerManageButton(CControlHost& host, UINT id, const RECT& rect);

  bool LoadSkin();
  bool SetSectorImage(int sector, const std::wstring& path);
  // Value = v; the drawn position follows only for v in 1..8.
  void SetValue(int v);
  int Value() const { return value_; }
  int Sector() const { return sector_; }

  void Draw(HDC dc, const RECT& update) override;
  bool OnLButtonUp(UINT flags, int x, int y) override;
  void ReleaseImages() override;

 private:
  int value_ = 6;
  int sector_ = 0;
  std::array<LazySkinImage, ui::kPowerSectorCount> pictures_;  // one is drawn at a time
  std::array<ScopedRegion, ui::kPowerSectorCount> regions_;
};

}  // namespace gm::win
