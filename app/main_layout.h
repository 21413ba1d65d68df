#pragma once
// The main window's layout as data: every control it creates (id, kind, group, rectangle,
// pictures, caption), the stacking of the collapsible sections of the right-hand column, the
// placement of each section's controls, the frames it paints and the mouse-picture marks.
// Everything is in design units (1127 x 740); ScaleRect applies the window scale.
#include <array>
#include <optional>
#include <vector>

#include "app/main_ids.h"
#include "ui/control_table.h"
#include "ui/selection_state.h"

namespace gm {

inline constexpr int kMainDesignWidth = 1127;
inline constexpr int kMainDesignHeight = 740;

// What a control is drawn with.
using MainControlKind = ui::ControlClass;

// The collapsible sections, in the order the window examines and stacks them.
enum class Section { kDpi = 0, kRate, kLift, kDesktop, kSensor };
inline constexpr int kSectionCount = 5;
inline constexpr std::array<int, kSectionCount> kSectionHeaderIds = {
    kControlDpiHeader, kControlRateHeader, kControlLiftHeader, kControlDesktopHeader, kControlSensorHeader};
inline constexpr std::array<int, kSectionCount> kSectionHeights = {196, 180, 85, 110, 85};
inline constexpr int kSectionWidth = 262;
inline constexpr int kHeaderHeight = 25;
inline constexpr int kHeaderLeft = 846;

// The group that decides a control's page visibility: always shown, or one section's.
enum class ControlGroup { kCommon, kDpi, kRate, kLift, kDesktop, kSensor };
ControlGroup GroupOf(Section s);

// The web address the web link shows and opens.
inline constexpr const wchar_t* kMakerWebAddress = L"gaming-mouse.example";

// Text colours used by the layout.
inline constexpr unsigned kTextColourDefault = ui::kColourWhite;  // RGB as 0xRRGGBB
inline constexpr unsigned kTextColourYellow = ui::kColourYellow;
inline constexpr unsigned kTextColourGrey = ui::kColourGrey;

// A control of the main window: the general spec plus where it belongs on the page. A control of
// the rate, lift-off, desktop or sensor section has its rectangle relative to the section's
// origin (the header's left and bottom edge), see PlaceInSection.
struct MainControlSpec : ui::ControlSpec {
  ControlGroup group = ControlGroup::kCommon;
  bool shiftedByExtraOption = false;  // lift-off controls moved right while the extra option shows
  bool onlyWithExtraOption = false;   // the lift-off extra radio and its text
};

// The main window's radio groups: selecting a radio clears the others of its group.
std::vector<ui::RadioGroup> MainRadioGroups();

// Every control of the main window, in creation order.
const std::vector<MainControlSpec>& MainWindowControls();
// The entry of `id` (the first, for the id shared by the mouse picture and button numbers).
const MainControlSpec* FindMainControl(int id);

// Where each section header sits and which frames are painted, for the given open headers.
struct SectionPlacement {
  bool present = false;  // the header has a slot (lift-off only while the sensor has the setting)
  bool open = false;
  LayoutRect header;     // header rectangle
  LayoutRect frame;      // frame below the header (meaningful while open)
  friend bool operator==(const SectionPlacement&, const SectionPlacement&) = default;
};
using SectionOpenState = std::array<bool, kSectionCount>;
std::array<SectionPlacement, kSectionCount> StackSections(const SectionOpenState& open, bool liftSlot);

// The headers' states after a click on `clicked` that checked it: the first other checked
// header (in section order) stays, every later one is closed. Unchecking closes only itself.
SectionOpenState AfterHeaderClick(SectionOpenState open, Section clicked, bool nowChecked);

// The rectangle of a section control given its section's origin (header left, header bottom).
LayoutRect PlaceInSection(const MainControlSpec& spec, int originX, int originY, bool extraOption);

// The report-rate picture button shown for a rate capability, or nullopt (BLE without choice).
std::optional<int> RatePictureFor(int rateCapability);
// The highest rate code (0..6) the picture button of `id` offers.
int TopRateCodeOf(int ratePictureId);
// The centre text shown for a selected rate code.
int RateCentreTextFor(int rateCode);

// The left column's four frame boxes.
const std::array<LayoutRect, 4>& LeftFrameBoxes();

// Top-left corner of the mouse-picture mark of key combo n (1..6), nullopt otherwise.
struct LayoutPoint {
  int x = 0, y = 0;
};
std::optional<LayoutPoint> MouseMarkOrigin(int comboNumber);
// The DPI stages the window shows (stage i: controls kControlStage...First + i).
inline constexpr int kShownDpiStages = 6;
// The report-rate dials and their centre texts.
inline constexpr int kRateDialCount = kControlRateDial8000 - kControlRateDial250 + 1;
inline constexpr int kRateTextCount = kControlRateTextLast - kControlRateTextFirst + 1;
// The key combos of buttons 1..6 (the first six key rows).
inline constexpr int kKeyComboCount = kControlKeyComboLast - kControlKeyComboFirst + 1;
// The combo number (1..6) of a key combo id, 0 for another id.
int ComboNumberOf(int id);

}  // namespace gm
