#include "app/main_layout.h"

#include <cmath>

namespace gm {
namespace {

using K = MainControlKind;
using G = ControlGroup;

constexpr int kComboTops[6] = {81, 111, 140, 169, 198, 227};
constexpr int kNumberTops[6] = {82, 112, 141, 170, 199, 228};
constexpr const wchar_t* kNumberPictures[6] = {
    L"skins\\mouse\\serial_number1.png", L"skins\\mouse\\serial_number2.png", L"skins\\mouse\\serial_number3.png",
    L"skins\\mouse\\serial_number4.png", L"skins\\mouse\\serial_number5.png", L"skins\\mouse\\serial_number6.png"};
constexpr LayoutPoint kMarkOrigins[6] = {{495, 231}, {608, 231}, {553, 251}, {467, 311}, {471, 360}, {613, 381}};

constexpr int kHeaderTextMargin = 12;
// Design units of the font the DPI stages' values are written in.
constexpr int kStageValueFontHeight = 9;

// Ids whose click changes what else the window shows (profile tabs, page tabs, section headers):
// the whole window is repainted.
bool RepaintsWholeWindow(int id) {
  return id == kControlProfileCombo || (id >= kControlProfileTabFirst && id <= kControlProfileTabLast) ||
         (id >= kControlDpiHeader && id <= kControlRateHeader) ||
         (id >= kControlBatteryCaption && id <= kControlLastCaptionTab);
}

MainControlSpec Entry(int id, K kind, G group, LayoutRect rect, std::array<const wchar_t*, 4> pictures = {},
                     int text = -1) {
  MainControlSpec s;
  s.id = id;
  s.kind = kind;
  s.group = group;
  s.rect = rect;
  s.pictures = pictures;
  s.textIndex = text;
  return s;
}

std::vector<MainControlSpec> BuildControls() {
  std::vector<MainControlSpec> c;
  // Always shown.
  auto mouse = Entry(kControlMousePicture, K::kStaticImage, G::kCommon, {457, 171, 672, 569}, {L"skins\\mouse\\mouse_nr.png"});
  mouse.layer = 0;
  c.push_back(mouse);
  const LayoutRect status{454, 10, 684, 60};
  c.push_back(Entry(kControlStatusWired, K::kStaticImage, G::kCommon, status, {L"skins\\Status_Wired.png"}));
  c.push_back(Entry(kControlStatusWireless, K::kStaticImage, G::kCommon, status, {L"skins\\Status_Wireless.png"}));
  c.push_back(Entry(kControlStatusBle, K::kStaticImage, G::kCommon, status, {L"skins\\Status_BLE.png"}));
  auto hint = Entry(kControlOfflineHint, K::kStaticText, G::kCommon, {470, 600, 670, 618}, {}, 284);
  hint.textColour = kTextColourYellow;
  hint.align = ui::TextAlign::kCentre;
  c.push_back(hint);
  c.push_back(Entry(kControlBattery, K::kBattery, G::kCommon, {80, 433, 110, 494},
                   {L"skins\\battery_full.png", L"skins\\battery_empty.png", L"skins\\battery_charging.png",
                    L"skins\\battery_lighting.png"}));
  const wchar_t* legend[3] = {L"skins\\battery_green.png", L"skins\\battery_orange.png", L"skins\\battery_red.png"};
  const int legendTops[3] = {441, 462, 484};
  const int legendTextTops[3] = {439, 460, 482};
  for (int i = 0; i < 3; ++i) {
    c.push_back(Entry(kControlBatteryLegendMark, K::kStaticImage, G::kCommon, {165, legendTops[i], 173, legendTops[i] + 14}, {legend[i]}));
    c.push_back(Entry(kControlBatteryLegendText, K::kStaticText, G::kCommon, {180, legendTextTops[i], 320, legendTextTops[i] + 18}, {},
                     16 + i));
  }
  c.push_back(Entry(kControlPowerSaving, K::kPowerManage, G::kCommon, {81, 550, 221, 634}));
  auto powerText = Entry(kControlPowerLabel, K::kStaticText, G::kCommon, {36, 640, 266, 658});
  powerText.align = ui::TextAlign::kCentre;
  c.push_back(powerText);
  c.push_back(Entry(kControlExit, K::kImageButton, G::kCommon, {1092, 12, 1107, 27}, {L"skins\\exit_nr.png", L"skins\\exit_ov.png"}));
  c.push_back(Entry(kControlMinimise, K::kImageButton, G::kCommon, {1072, 12, 1087, 27}, {L"skins\\min_nr.png", L"skins\\min_ov.png"}));
  for (int i = 0; i < 6; ++i) {
    c.push_back(Entry(kControlMousePicture, K::kStaticImage, G::kCommon, {52, kNumberTops[i], 73, kNumberTops[i] + 19},
                     {kNumberPictures[i]}));
    c.push_back(Entry(kControlKeyComboFirst + i, K::kComboButton, G::kCommon, {82, kComboTops[i], 244, kComboTops[i] + 21},
                     {L"skins\\combo2_nr.png", L"skins\\combo2_ov.png"}));
  }
  c.push_back(Entry(kControlMacroManager, K::kImageButton, G::kCommon, {36, 320, 266, 345}, {L"skins\\button1_nr.png", L"skins\\button1_ov.png"}, 8));
  const int captionIds[3] = {kControlKeysCaption, kControlBatteryCaption, kControlPowerCaption};
  const int captionTops[3] = {37, 398, 525};
  const int captionTexts[3] = {9, 15, 265};
  // The left column's caption bars only carry a title.
  for (int i = 0; i < 3; ++i) {
    auto bar = Entry(captionIds[i], K::kCaptionBar, G::kCommon, {36, captionTops[i], 266, captionTops[i] + 25},
                     {L"skins\\header2_nr.png", L"skins\\header2_ov.png"}, captionTexts[i]);
    bar.textMargin = kHeaderTextMargin;
    bar.flags |= ui::kNotInteractive;
    c.push_back(bar);
  }
  // Section headers: rectangles are placed by StackSections; the DPI one is fixed.
  const int headerTexts[kSectionCount] = {11, 13, 19, 14, 285};
  for (int i = 0; i < kSectionCount; ++i) {
    auto header = Entry(kSectionHeaderIds[i], K::kSectionHeader, G::kCommon,
                        {kHeaderLeft, 37, kHeaderLeft + kSectionWidth, 37 + kHeaderHeight},
                        {L"skins\\header_nr.png", L"skins\\header_ov.png", L"skins\\header_dn.png"}, headerTexts[i]);
    header.textMargin = kHeaderTextMargin;
    c.push_back(header);
  }
  // The profile button tells the window where the pointer is over it.
  auto profile = Entry(kControlProfileButton, K::kImageButton, G::kCommon, {36, 700, 105, 720}, {L"skins\\button2_nr.png", L"skins\\button2_ov.png"}, 1);
  profile.flags |= ui::kReportsPointerMoves;
  c.push_back(profile);
  c.push_back(Entry(kControlFactoryReset, K::kImageButton, G::kCommon, {1040, 700, 1109, 720}, {L"skins\\button2_nr.png", L"skins\\button2_ov.png"}, 7));
  auto version = Entry(kControlVersionText, K::kStaticText, G::kCommon, {150, 702, 360, 720}, {}, 3);
  version.flags |= ui::kVersionSuffix;
  c.push_back(version);
  auto link = Entry(kControlWebLink, K::kLinkButton, G::kCommon, {463, 660, 663, 678});
  link.fixedText = kMakerWebAddress;
  link.align = ui::TextAlign::kCentre;
  c.push_back(link);

  // DPI section: fixed positions.
  for (int i = 0; i < kShownDpiStages; ++i) {
    const int dx = 36 * i;
    c.push_back(Entry(kControlStageBarFirst + i, K::kDpiValue, G::kDpi, {883 + dx, 75, 890 + dx, 207}));
    // The value is written inside the 26 x 11-unit picture: a font in which the widest value a
    // sensor offers (30000) fits it.
    auto stage = Entry(kControlStageButtonFirst + i, K::kDpiRadio, G::kDpi, {874 + dx, 212, 900 + dx, 223},
                       {L"skins\\dpi_value.png", L"skins\\dpi_value_ov.png", L"skins\\dpi_value_dn.png"});
    stage.fontHeight = kStageValueFontHeight;
    stage.variant = i;
    c.push_back(stage);
    c.push_back(Entry(kControlStageCheckFirst + i, K::kDpiCheck, G::kDpi, {881 + dx, 226, 892 + dx, 237},
                     {L"skins\\check_button_dpi_nr.png", L"skins\\check_button_dpi_ov.png",
                      L"skins\\check_button_dpi_dn.png"}));
    c.push_back(Entry(kControlStageColourFirst + i, K::kColourSelect, G::kDpi, {874 + dx, 240, 900 + dx, 252}));
  }

  // Report-rate section, relative to the header's left and bottom edge.
  for (int id = kControlRateDial250; id <= kControlRateDial8000; ++id) {
    auto dial = Entry(id, K::kRatePicture, G::kRate, {55, 20, 205, 170});
    dial.variant = id - kControlRateDial250;  // the dials from 250 Hz up to 8000 Hz, in id order
    c.push_back(dial);
  }
  for (int i = 0; i < kRateTextCount; ++i) {
    auto t = Entry(kControlRateTextFirst + i, K::kStaticText, G::kRate, {88, 89, 173, 107}, {}, 261 + i);
    t.layer = 3;
    t.align = ui::TextAlign::kCentre;
    c.push_back(t);
  }

  // Lift-off distance section.
  const std::array<const wchar_t*, 4> radio = {L"skins\\radio_nr.png", L"skins\\radio_ov.png", L"skins\\radio_dn.png"};
  const LayoutRect radioRects[3] = {{40, 27, 55, 42}, {80, 27, 95, 42}, {160, 27, 175, 42}};
  // Each text centred under its radio, 60 units wide ("0,7mm" needs more than the radios' spacing
  // of 40 would give without the extra option's shift).
  const LayoutRect textRects[3] = {{18, 47, 78, 65}, {58, 47, 118, 65}, {138, 47, 198, 65}};
  for (int i = 0; i < 3; ++i) {
    auto r = Entry(kControlLiftRadioExtra + i, K::kRadio, G::kLift, radioRects[i], radio);
    auto t = Entry(kControlLiftTextExtra + i, K::kStaticText, G::kLift, textRects[i], {}, 269 + i);
    t.textColour = kTextColourGrey;
    t.align = ui::TextAlign::kCentre;
    r.onlyWithExtraOption = t.onlyWithExtraOption = (i == 0);
    r.shiftedByExtraOption = t.shiftedByExtraOption = (i != 0);
    c.push_back(r);
    c.push_back(t);
  }

  // Desktop-mouse section.
  auto desktop = Entry(kControlDesktopButton, K::kImageButton, G::kDesktop, {20, 30, 235, 75}, {L"skins\\button4_nr.png", L"skins\\button4_ov.png"}, 260);
  // The desktop-mouse picture carries a pointer icon at its left: the caption centres beside it.
  desktop.textMargin = 28;
  c.push_back(desktop);

  // Sensor options section.
  for (int i = 0; i < 3; ++i) {
    c.push_back(Entry(kControlAngleSnapCheck + i, K::kCheck, G::kSensor, {20, 10 + 25 * i, 35, 25 + 25 * i},
                     {L"skins\\check_nr.png", L"skins\\check_ov.png", L"skins\\check_dn.png"}));
    c.push_back(Entry(kControlAngleSnapText + i, K::kStaticText, G::kSensor, {40, 12 + 25 * i, 240, 30 + 25 * i}, {}, 286 + i));
  }
  for (MainControlSpec& spec : c)
    if (RepaintsWholeWindow(spec.id)) spec.flags |= ui::kRepaintsWindowOnClick;
  return c;
}

}  // namespace

ControlGroup GroupOf(Section s) {
  switch (s) {
    case Section::kDpi: return ControlGroup::kDpi;
    case Section::kRate: return ControlGroup::kRate;
    case Section::kLift: return ControlGroup::kLift;
    case Section::kDesktop: return ControlGroup::kDesktop;
    case Section::kSensor: return ControlGroup::kSensor;
  }
  return ControlGroup::kCommon;
}

const std::vector<MainControlSpec>& MainWindowControls() {
  static const std::vector<MainControlSpec> controls = BuildControls();
  return controls;
}

const MainControlSpec* FindMainControl(int id) {
  for (const auto& c : MainWindowControls())
    if (c.id == id) return &c;
  return nullptr;
}

std::array<SectionPlacement, kSectionCount> StackSections(const SectionOpenState& open, bool liftSlot) {
  std::array<SectionPlacement, kSectionCount> out{};
  // The DPI header is fixed; the others take 30-unit slots from 67 downwards, each pushed down by
  // every open section above it.
  int pushed = 0;
  int slotTop = 67;
  for (int i = 0; i < kSectionCount; ++i) {
    SectionPlacement& p = out[i];
    p.present = i != static_cast<int>(Section::kLift) || liftSlot;
    int top = 37;
    if (i != static_cast<int>(Section::kDpi)) {
      if (!p.present) continue;
      top = slotTop + pushed;
      slotTop += 30;
    }
    p.open = open[i];
    p.header = {kHeaderLeft, top, kHeaderLeft + kSectionWidth, top + kHeaderHeight};
    p.frame = {kHeaderLeft, p.header.bottom, kHeaderLeft + kSectionWidth, p.header.bottom + kSectionHeights[i]};
    if (p.open) pushed += kSectionHeights[i];
  }
  return out;
}

SectionOpenState AfterHeaderClick(SectionOpenState open, Section clicked, bool nowChecked) {
  const int k = static_cast<int>(clicked);
  open[k] = nowChecked;
  if (!nowChecked) return open;
  bool keptOne = false;
  for (int i = 0; i < kSectionCount; ++i) {
    if (i == k) continue;
    if (keptOne) {
      open[i] = false;
    } else if (open[i]) {
      keptOne = true;
    }
  }
  return open;
}

LayoutRect PlaceInSection(const MainControlSpec& spec, int originX, int originY, bool extraOption) {
  const int shift = spec.shiftedByExtraOption && extraOption ? 40 : 0;
  return {originX + spec.rect.left + shift, originY + spec.rect.top, originX + spec.rect.right + shift,
          originY + spec.rect.bottom};
}

std::optional<int> RatePictureFor(int rateCapability) {
  switch (rateCapability) {
    case 0x30: return std::nullopt;
    case 0x31: return kControlRateDial250;
    case 2: return kControlRateDial2000;
    case 4: return kControlRateDial4000;
    case 8: return kControlRateDial8000;
    default: return kControlRateDial1000;
  }
}

int TopRateCodeOf(int ratePictureId) {
  switch (ratePictureId) {
    case kControlRateDial250: return 1;
    case kControlRateDial2000: return 4;
    case kControlRateDial4000: return 5;
    case kControlRateDial8000: return 6;
    default: return 3;
  }
}

int RateCentreTextFor(int rateCode) {
  if (rateCode <= 0) return kControlRateTextFirst;
  if (rateCode >= 3) return kControlRateTextLast;
  return kControlRateTextFirst + rateCode;
}

const std::array<LayoutRect, 4>& LeftFrameBoxes() {
  static const std::array<LayoutRect, 4> boxes = {
      LayoutRect{36, 62, 266, 267}, LayoutRect{36, 311, 266, 354}, LayoutRect{36, 423, 266, 505},
      LayoutRect{36, 550, 266, 696}};
  return boxes;
}

std::optional<LayoutPoint> MouseMarkOrigin(int comboNumber) {
  if (comboNumber < 1 || comboNumber > 6) return std::nullopt;
  return kMarkOrigins[comboNumber - 1];
}

int ComboNumberOf(int id) {
  return id >= kControlKeyComboFirst && id <= kControlKeyComboLast ? id - kControlKeyComboFirst + 1 : 0;
}

std::vector<ui::RadioGroup> MainRadioGroups() {
  constexpr unsigned r = kControlRateRadioFirst;
  static_assert(kControlRateRadioLast == kControlRateRadioFirst + 6);
  return {{r, r + 1, r + 2, r + 3, r + 4, r + 5, r + 6},
          {kControlHiddenRadioB1, kControlHiddenRadioB2},
          {kControlHiddenRadioC1, kControlProfileButton},
          {kControlHiddenRadioD1, kControlHiddenRadioD2},
          {kControlHiddenRadioE1, kControlHiddenRadioE2, kControlHiddenRadioE3},
          {kControlHiddenRadioF1, kControlHiddenRadioF2, kControlHiddenRadioF3, kControlHiddenRadioF4},
          {kControlLiftRadio1, kControlLiftRadio2, kControlLiftRadioExtra}};
}

}  // namespace gm
