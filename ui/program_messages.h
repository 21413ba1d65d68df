#pragma once
// The window messages this program sends itself, by name. Every number a window of the program
// handles or posts outside the system's own range is declared here once; the windows, the popups,
// the keyboard hook and the device workers use these names. Control events do not travel as
// numbered messages (see ui/control_host.h). Portable: no windows.h.

namespace gm::msg {

// ---- the keyboard hook and the popups (WM_USER + 1) ----
// A key report of the keyboard hook: wParam the virtual-key code, lParam the stamp.
inline constexpr unsigned kKeyReport = 1025;
// A popup has closed (wParam 0, lParam 0), sent to its owner.
inline constexpr unsigned kPopupClosed = 1025;

// ---- button assignment (the main window) ----
inline constexpr unsigned kAssignmentChosen = 1027;     // the main function menu's choice
inline constexpr unsigned kAssignmentClicked = 1028;    // an assignment control was clicked
inline constexpr unsigned kMenuEntryRested = 1033;      // the pointer rests on an entry without a sub-menu
inline constexpr unsigned kRunShortcutDialog = 1034;
inline constexpr unsigned kAskShortcutDialog = 1035;
inline constexpr unsigned kShortcutChosen = 1036;
inline constexpr unsigned kAskQuickLaunchDialog = 1037;
inline constexpr unsigned kRunQuickLaunchDialog = 1038;
inline constexpr unsigned kQuickLaunchChosen = 1039;
inline constexpr unsigned kOpenDpiMenu = 1040;
inline constexpr unsigned kDpiFunctionChosen = 1041;
inline constexpr unsigned kOpenMultimediaMenu = 1043;
inline constexpr unsigned kMultimediaChosen = 1044;
inline constexpr unsigned kRunFireKeyDialog = 1061;
inline constexpr unsigned kAskFireKeyDialog = 1062;
inline constexpr unsigned kFireKeyChosen = 1063;
inline constexpr unsigned kRunMacroSelectDialog = 1064;
inline constexpr unsigned kAskMacroSelectDialog = 1065;
inline constexpr unsigned kMacroSelected = 1066;
inline constexpr unsigned kOpenDpiLockMenu = 1154;
inline constexpr unsigned kDpiLockChosen = 1155;
inline constexpr unsigned kOpenWindowsMenu = 1157;
inline constexpr unsigned kWindowsFunctionChosen = 1158;
inline constexpr unsigned kOpenOfficeMenu = 1160;
inline constexpr unsigned kOfficeFunctionChosen = 1161;

// ---- profiles ----
inline constexpr unsigned kProfileListEvent = 1125;   // the profile list popup
inline constexpr unsigned kProfileMenuChosen = 1164;  // the profile context menu

// ---- the firmware update and pairing dialogs, sent to the main window ----
// The pairing dialog asks for the pairing report (wParam 0, lParam 0). The answer is a
// PairingRequestAnswer value.
inline constexpr unsigned kPairingRequested = 1174;
// The update dialog's update succeeded: the mouse runs the new firmware (wParam 0, lParam 0).
inline constexpr unsigned kFirmwareUpdated = 1175;
enum PairingRequestAnswer : long { kPairingReportNotSent = 0, kPairingReportSent = 1, kPairingLinkBusy = 2 };

// ---- the device thread ----
// The device thread has finished a job: lParam a heap block with the job's finish, which the main
// window carries out and frees (WM_APP + 0x22).
inline constexpr unsigned kDeviceJobDone = 0x8022;

// ---- the device workers ----
// One input report from a worker thread to the main window: wParam the link, lParam a heap block
// the receiver frees (WM_APP + 1).
inline constexpr unsigned kInputReport = 0x8001;

// ---- the main window's own follow-ups ----
// The keyboard filter saw the hidden support code typed: the window shows the support-contact
// notice, outside the hook (wParam 0, lParam 0; WM_APP + 3).
inline constexpr unsigned kShowSupport = 0x8003;
// Posted after each pointer move so the mark follows the control under the pointer (WM_APP + 2).
inline constexpr unsigned kCheckMouseMark = 0x8002;
// Posted when the system has shown the main window, so that a window not meant to be shown is
// hidden again once the change that showed it is complete (WM_APP + 4).
inline constexpr unsigned kCheckVisibility = 0x8004;
// Posted once start-up is done: the main thread hands back the stack pages its start-up went
// through (wParam 0, lParam 0; WM_APP + 5).
inline constexpr unsigned kStartupSettled = 0x8005;

// ---- every skinned dialog, to itself ----
// Delivers the queued control events; posted once for all events queued before it runs
// (WM_APP + 0x3F1).
inline constexpr unsigned kDeliverEvents = 0x83F1;
// Destroys a modeless dialog once the handler that closed it has returned: a self-owned dialog
// object must outlive the handler (and the rest of the event delivery) that is running on it
// (WM_APP + 0x3F0).
inline constexpr unsigned kDestroyModeless = 0x83F0;
// The timer a skinned dialog sets on itself while it keeps its backdrop (see CDlgBase); the
// dialogs' own timer ids stay below it.
inline constexpr unsigned kBackdropTimer = 0x7F00;

// ---- the software update's download dialog, to itself ----
// The transfer thread has ended and left its result (WM_APP + 81).
inline constexpr unsigned kTransferDone = 0x8051;

// ---- the demo's simulated-mouse panel ----
// A command button of the panel, posted to the main window: wParam the control id whose click the
// window runs (WM_APP + 0x20).
inline constexpr unsigned kDemoPanelCommand = 0x8020;
// Posted to the panel when the simulated mouse or its bootloader changed (a report taken, a link
// plugged or unplugged, a restart): the panel announces the links' changes (a restart's departure
// at once, while they are gone) and shows the new state (WM_APP + 0x21).
inline constexpr unsigned kDemoMouseChanged = 0x8021;

// ---- notification icon and on-screen display ----
inline constexpr unsigned kTrayIcon = 1056;      // wParam the icon id, lParam the mouse message
inline constexpr unsigned kStageDisplay = 1067;  // wParam 1: show the on-screen display

// ---- macro manager ----
inline constexpr unsigned kOpenInsertActionMenu = 1166;
inline constexpr unsigned kInsertActionChosen = 1167;
inline constexpr unsigned kTreeMenuChosen = 1169;
inline constexpr unsigned kActionMoveChosen = 1171;
// Posted by the manager to itself: carry out a menu choice once the menu has closed.
inline constexpr unsigned kRunMacroManagerChoice = 1173;
// Posted by the manager to itself: show the recording-limit notice outside the mouse hook.
inline constexpr unsigned kRecordLimitNotice = 1176;

// ---- popups losing activation: one closing notice per popup kind (wParam the tag, lParam the kind) ----
inline constexpr unsigned kMainMenuClosed = 1029;          // kind 0
inline constexpr unsigned kKind1Closed = 1032;             // kind 1
inline constexpr unsigned kDpiMenuClosed = 1042;           // kind 2
inline constexpr unsigned kMultimediaMenuClosed = 1045;    // kind 3
inline constexpr unsigned kKind6Closed = 1057;             // kind 6
inline constexpr unsigned kProfileListClosed = 1126;       // kind 7
inline constexpr unsigned kKind8Closed = 1136;             // kind 8
inline constexpr unsigned kKind9Closed = 1146;             // kind 9
inline constexpr unsigned kDpiLockMenuClosed = 1156;       // kind 10
inline constexpr unsigned kWindowsMenuClosed = 1159;       // kind 11
inline constexpr unsigned kOfficeMenuClosed = 1162;        // kind 12
inline constexpr unsigned kProfileMenuClosed = 1165;       // kind 13
inline constexpr unsigned kInsertActionMenuClosed = 1168;  // kind 14
inline constexpr unsigned kTreeMenuClosed = 1170;          // kind 15
inline constexpr unsigned kActionMoveMenuClosed = 1172;    // kind 16

}  // namespace gm::msg
