#pragma once
// Every control id of the main window, named once. The layout table (app/main_layout.cpp), the
// window, its controller and its commands use these names; the numbers are the ids the controls
// report their events with, so they never change.
//
// Ranges are named by their first id: control n of a row is `first + n`.

namespace gm {

enum MainControl : int {
  // Title-bar buttons.
  kControlExit = 2001,
  kControlMinimise = 2002,

  // Key assignment rows: combo 2013 + n belongs to button n (0..5). The window has three more
  // rows of the same kind (2019..2021) that it never builds.
  kControlKeyComboFirst = 2013,
  kControlKeyComboLast = 2018,
  kControlExtraKeyComboFirst = 2019,
  kControlExtraKeyComboLast = 2021,

  // Bottom row and the left column's button.
  kControlFactoryReset = 2045,
  kControlMacroManager = 2062,
  kControlProfileButton = 3502,
  kControlWebLink = 3503,
  kControlVersionText = 3021,

  // Hidden controls the window keeps (never shown): a profile selector and its five tabs, the
  // pairing, firmware-update and software-update buttons.
  kControlProfileCombo = 2040,
  kControlProfileTabFirst = 2049,
  kControlProfileTabLast = 2053,
  kControlPairing = 2054,
  kControlFirmwareUpdate = 2055,
  kControlSoftwareUpdate = 2056,

  // The right column's section headers (check buttons; checked = open). 3001..3004 and the caption
  // bars 3007..3009 are the ids whose click repaints the whole window.
  kControlDpiHeader = 3001,
  kControlDesktopHeader = 3003,
  kControlRateHeader = 3004,  // report-rate section header
  kControlLiftHeader = 3011,
  kControlSensorHeader = 3014,

  // The left column's caption bars (titles only, no command).
  kControlBatteryCaption = 3007,
  kControlKeysCaption = 3008,
  kControlLastCaptionTab = 3009,  // not built; ends the range of caption ids that repaint the window
  kControlPowerCaption = 3010,

  // "mouse offline" line under the mouse picture.
  kControlOfflineHint = 3024,

  // Report-rate section: one picture dial per rate capability and the centre texts (3142 for
  // rate code 0, 3143 for 1, 3144 for 2, 3145 for 3 and above).
  kControlRateDial250 = 3041,
  kControlRateDial1000 = 3042,
  kControlRateDial2000 = 3043,
  kControlRateDial4000 = 3044,
  kControlRateDial8000 = 3045,
  kControlRateTextFirst = 3142,
  kControlRateTextLast = 3145,

  // DPI section, one per stage i (0..5): the check that enables the stage, its colour button, its
  // stage button (value text, current stage) and its value bar.
  kControlStageCheckFirst = 3260,
  kControlStageColourFirst = 3270,
  kControlStageButtonFirst = 3290,
  kControlStageBarFirst = 3300,

  // Desktop-mouse section.
  kControlDesktopButton = 3330,

  // The mouse picture; the six button-number pictures of the key rows share its id.
  kControlMousePicture = 3400,
  // The battery legend: its three coloured marks share one id, its three texts another.
  kControlBatteryLegendMark = 3401,
  kControlBatteryLegendText = 3402,
  kControlBattery = 3406,  // battery gauge
  kControlPowerLabel = 3407,
  kControlStatusBle = 3408,       // "skins\Status_BLE.png"
  kControlStatusWired = 3409,     // "skins\Status_Wired.png"; the three pictures share its rectangle
  kControlStatusWireless = 3410,  // "skins\Status_Wireless.png"
  kControlPowerSaving = 3500,     // power-saving delay half-dial

  // Lift-off distance section: the radios and their texts. The "extra" pair shows only while the
  // sensor has the extra option.
  kControlLiftRadioExtra = 3509,
  kControlLiftRadio1 = 3510,
  kControlLiftRadio2 = 3511,
  kControlLiftTextExtra = 3519,
  kControlLiftText1 = 3520,
  kControlLiftText2 = 3521,

  // Sensor options section: three checks and their texts.
  kControlAngleSnapCheck = 3540,
  kControlMotionSyncCheck = 3541,
  kControlRippleControlCheck = 3542,
  kControlAngleSnapText = 3543,
  kControlMotionSyncText = 3544,
  kControlRippleControlText = 3545,

  // Radios of controls the window never builds; each row is one radio group, so their ids keep
  // their places in the shared radio selection. The first row are the report-rate radios
  // (125 Hz .. 8000 Hz); the others have no behaviour the user can reach.
  kControlRateRadioFirst = 3034,
  kControlRateRadioLast = 3040,
  kControlHiddenRadioB1 = 2009,
  kControlHiddenRadioB2 = 2010,
  kControlHiddenRadioC1 = 3501,  // grouped with the profile button
  kControlHiddenRadioD1 = 3240,
  kControlHiddenRadioD2 = 3250,
  kControlHiddenRadioE1 = 2031,
  kControlHiddenRadioE2 = 2032,
  kControlHiddenRadioE3 = 2033,
  kControlHiddenRadioF1 = 3030,
  kControlHiddenRadioF2 = 3031,
  kControlHiddenRadioF3 = 3032,
  kControlHiddenRadioF4 = 3033,
};

// The notification icon's menu: its items arrive at the main window as WM_COMMAND with these ids.
enum TrayMenuCommand : int {
  kTrayCommandShow = 2075,
  kTrayCommandExit = 2076,
};

}  // namespace gm
