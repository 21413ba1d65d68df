#pragma once
// The collapsible sections of the main window's right-hand column: which are open, the rule a
// header click follows, and where the headers and each section's controls go. The placement rules
// are the layout's (StackSections, PlaceInSection, AfterHeaderClick); this class applies them to
// the window's controls.
#include <windows.h>

#include <array>
#include <vector>

#include "app/main_layout.h"
#include "settings/sensor_table.h"

namespace gm::win {

class CCheckButton;
class CControlBase;
class CDlgBase;
class CPollingRateDial;

class MainSections {
 public:
  MainSections() = default;
  MainSections(const MainSections&) = delete;
  MainSections& operator=(const MainSections&) = delete;

  // Whether a control of `group` is on the page now (common controls always are).
  bool Shows(ControlGroup group) const;
  // Takes the window's headers and the controls of every section entry of the layout table; the
  // display scale turns design units into pixels.
  void Attach(const CDlgBase& window, const std::array<CCheckButton*, kSectionCount>& headers, double scale);

  // Places the headers and the open sections' controls for `sensor` and gives each section's
  // controls page visibility exactly while it is open. Without the lift-off setting its section is
  // closed and its header hidden.
  void Apply(const SensorTables& sensor);
  // The header of `section` was clicked (and toggled itself): the other sections follow the
  // header rule, then everything is placed again.
  void OnHeaderClicked(Section section, const SensorTables& sensor);
  // Enables the report-rate header while the link offers a rate choice; without one its section
  // closes.
  void SetRateChoiceAvailable(bool available, const SensorTables& sensor);

  // Where the headers and frames are now.
  std::array<SectionPlacement, kSectionCount> Placed(const SensorTables& sensor) const;

 private:
  struct SectionControl {
    const MainControlSpec* spec;
    CControlBase* control;
    CPollingRateDial* dial;  // the same control when it is a report-rate dial, else null
  };
  RECT Scaled(const LayoutRect& r) const;

  // DPI and report rate are open at start.
  SectionOpenState open_{true, true, false, false, false};
  std::array<CCheckButton*, kSectionCount> headers_{};
  std::vector<SectionControl> controls_;
  double scale_ = 1.0;
};

}  // namespace gm::win
