#include "app/main_sections.h"

#include "ui/buttons.h"
#include "ui/control_factory.h"
#include "ui/dials.h"
#include "ui/dlg_base.h"

namespace gm::win {
namespace {

// The section whose header decides a control's page visibility, -1 for a common control.
int SectionIndexOf(ControlGroup group) {
  switch (group) {
    case ControlGroup::kDpi: return static_cast<int>(Section::kDpi);
    case ControlGroup::kRate: return static_cast<int>(Section::kRate);
    case ControlGroup::kLift: return static_cast<int>(Section::kLift);
    case ControlGroup::kDesktop: return static_cast<int>(Section::kDesktop);
    case ControlGroup::kSensor: return static_cast<int>(Section::kSensor);
    default: return -1;
  }
}

constexpr auto kLift = static_cast<size_t>(Section::kLift);
constexpr auto kRate = static_cast<size_t>(Section::kRate);

}  // namespace

bool MainSections::Shows(ControlGroup group) const {
  const int section = SectionIndexOf(group);
  return section < 0 || open_[static_cast<size_t>(section)];
}

void MainSections::Attach(const CDlgBase& window, const std::array<CCheckButton*, kSectionCount>& headers,
                          double scale) {
  headers_ = headers;
  scale_ = scale;
  controls_.clear();
  for (const MainControlSpec& spec : MainWindowControls()) {
    if (SectionIndexOf(spec.group) < 0) continue;
    CControlBase* control = window.GetControl(static_cast<UINT>(spec.id));
    if (!control) continue;
    auto* dial = spec.kind == MainControlKind::kRatePicture ? dynamic_cast<CPollingRateDial*>(control) : nullptr;
    controls_.push_back({&spec, control, dial});
  }
}

RECT MainSections::Scaled(const LayoutRect& r) const { return ScaledRect(r, scale_); }

std::array<SectionPlacement, kSectionCount> MainSections::Placed(const SensorTables& sensor) const {
  return StackSections(open_, sensor.hasLiftSetting);
}

// Headers stack below the open sections; each section's controls follow its header and are on the
// page only while it is open. The DPI section's controls keep their fixed places.
void MainSections::Apply(const SensorTables& sensor) {
  if (!sensor.hasLiftSetting) open_[kLift] = false;
  const auto placed = Placed(sensor);
  for (size_t i = 0; i < headers_.size(); ++i) {
    CCheckButton* header = headers_[i];
    if (!header) continue;
    header->SetChecked(open_[i]);
    if (placed[i].present) header->SetRect(Scaled(placed[i].header));
    if (!sensor.hasLiftSetting && i == kLift) header->SetVisible(false);
  }
  for (const SectionControl& c : controls_) {
    const auto section = static_cast<size_t>(SectionIndexOf(c.spec->group));
    c.control->SetShown(open_[section]);
    if (c.spec->group == ControlGroup::kDpi || !placed[section].present) continue;
    const LayoutRect& h = placed[section].header;
    c.control->SetRect(Scaled(PlaceInSection(*c.spec, h.left, h.bottom, sensor.showsExtraOption)));
    // A dial's click sectors follow its new rectangle.
    if (c.dial) c.dial->BuildRegions();
  }
}

void MainSections::OnHeaderClicked(Section section, const SensorTables& sensor) {
  const CCheckButton* header = headers_[static_cast<size_t>(section)];
  if (!header) return;
  open_ = AfterHeaderClick(open_, section, header->Checked());
  Apply(sensor);
}

void MainSections::SetRateChoiceAvailable(bool available, const SensorTables& sensor) {
  if (CCheckButton* header = headers_[kRate]) header->SetDisabled(!available);
  if (!available && open_[kRate]) {
    open_[kRate] = false;
    Apply(sensor);
  }
}

}  // namespace gm::win
