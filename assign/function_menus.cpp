#include "assign/function_menus.h"

#include <array>

#include "settings/language_indexes.h"
#include "ui/program_messages.h"

namespace gm {
namespace {

using enum EntryAction;

constexpr MenuEntry Final(int text, ThreeBytes value) { return {text, nullptr, kFinal, value, 0}; }
constexpr MenuEntry Submenu(int text, unsigned message) { return {text, nullptr, kSubmenu, {}, message}; }
constexpr MenuEntry Dialog(int text, unsigned message) { return {text, nullptr, kDialog, {}, message}; }

// The function menu of a button, in display order.
constexpr std::array<MenuEntry, 17> kMainEntries{{
    Final(kTextLeftClick, {0x10, 0x01, 0x00}),
    Final(kTextRightClick, {0x10, 0x02, 0x00}),
    Final(kTextMiddleClick, {0x10, 0x04, 0x00}),
    Final(kTextForward, {0x10, 0x10, 0x00}),
    Final(kTextBack, {0x10, 0x08, 0x00}),
    Submenu(kTextDpiFunctions, msg::kOpenDpiMenu),
    Dialog(kTextRapidFire, msg::kAskFireKeyDialog),
    Final(kTextTripleClick, {0x30, 0x32, 0x03}),  // rapid fire with the values 50 and 3
    Dialog(kTextMacro, msg::kAskMacroSelectDialog),
    Dialog(kTextKeyCombination, msg::kAskShortcutDialog),
    Submenu(kTextMultimedia, msg::kOpenMultimediaMenu),
    Submenu(kTextOffice, msg::kOpenOfficeMenu),
    Submenu(kTextWindowsFunctions, msg::kOpenWindowsMenu),
    Final(kTextSoftwareFunction, {0x60, 0x04, 0x00}),
    Submenu(kTextDpiLock, msg::kOpenDpiLockMenu),
    Dialog(kTextLaunchProgram, msg::kAskQuickLaunchDialog),
    Final(kTextDisabled, {0x00, 0x00, 0x00}),
}};

constexpr std::array<MenuEntry, 3> kDpiEntries{{
    Final(kTextDpiUp, {0x40, 0x02, 0x00}),
    Final(kTextDpiDown, {0x40, 0x03, 0x00}),
    Final(kTextDpiCycle, {0x40, 0x01, 0x00}),
}};

// Consumer-page usages (0x0C), low byte first.
constexpr std::array<MenuEntry, 10> kMultimediaEntries{{
    Final(kTextMediaPlayer, {0x80, 0x83, 0x01}),
    Final(kTextPreviousTrack, {0x80, 0xB6, 0x00}),
    Final(kTextNextTrack, {0x80, 0xB5, 0x00}),
    Final(kTextStop, {0x80, 0xB7, 0x00}),
    Final(kTextPlayPause, {0x80, 0xCD, 0x00}),
    Final(kTextMute, {0x80, 0xE2, 0x00}),
    Final(kTextVolumeUp, {0x80, 0xE9, 0x00}),
    Final(kTextVolumeDown, {0x80, 0xEA, 0x00}),
    Final(kTextEmail, {0x80, 0x8A, 0x01}),
    Final(kTextCalculator, {0x80, 0x92, 0x01}),
}};

// Key combinations: modifier byte, keyboard usage.
constexpr std::array<MenuEntry, 9> kOfficeEntries{{
    Final(kTextCopy, {0x70, 0x01, 0x06}),
    Final(kTextPaste, {0x70, 0x01, 0x19}),
    Final(kTextCut, {0x70, 0x01, 0x1B}),
    Final(kTextSelectAll, {0x70, 0x01, 0x04}),
    Final(kTextNew, {0x70, 0x01, 0x11}),
    Final(kTextSave, {0x70, 0x01, 0x16}),
    Final(kTextPrint, {0x70, 0x01, 0x13}),
    Final(kTextFileExplorer, {0x70, 0x08, 0x08}),
    Final(kTextUndo, {0x70, 0x01, 0x1D}),
}};

constexpr std::array<MenuEntry, 6> kWindowsEntries{{
    Final(kTextThisPc, {0x80, 0x94, 0x01}),
    Final(kTextCloseWindow, {0x70, 0x04, 0x3D}),
    Final(kTextShowDesktop, {0x70, 0x08, 0x07}),
    Final(kTextRun, {0x70, 0x08, 0x15}),
    Final(kTextMinimizeWindow, {0x70, 0x08, 0x51}),
    Final(kTextMaximizeWindow, {0x70, 0x08, 0x52}),
}};

// Entry n locks the DPI at 100 × (n + 1): the same code for every sensor.
constexpr MenuEntry Lock(const wchar_t* label, std::uint8_t n) { return {-1, label, kFinal, {0x50, n, 0x00}, 0}; }
constexpr std::array<MenuEntry, 11> kDpiLockEntries{{
    Lock(L"200", 1), Lock(L"300", 2), Lock(L"400", 3), Lock(L"500", 4), Lock(L"600", 5), Lock(L"700", 6),
    Lock(L"800", 7), Lock(L"900", 8), Lock(L"1000", 9), Lock(L"1100", 10), Lock(L"1200", 11),
}};

// Byte 0 is the profile operation: 0 import, 1 export, 2 rename, 3 delete.
constexpr std::array<MenuEntry, 4> kProfileContextEntries{{
    Final(kTextProfileImport, {0, 0, 0}),
    Final(kTextProfileExport, {1, 0, 0}),
    Final(kTextProfileRename, {2, 0, 0}),
    Final(kTextProfileDelete, {3, 0, 0}),
}};

constexpr FunctionMenu kMain{0, kMainEntries, true, 4, false};
constexpr FunctionMenu kDpi{2, kDpiEntries};
constexpr FunctionMenu kMultimedia{3, kMultimediaEntries};
constexpr FunctionMenu kOffice{12, kOfficeEntries};
constexpr FunctionMenu kWindows{11, kWindowsEntries};
constexpr FunctionMenu kDpiLock{10, kDpiLockEntries, false, 0, true};
constexpr FunctionMenu kProfileContext{13, kProfileContextEntries};

const MenuEntry* EntryAt(const FunctionMenu& menu, int entry) {
  if (entry < 1 || entry > static_cast<int>(menu.entries.size())) return nullptr;
  return &menu.entries[static_cast<std::size_t>(entry - 1)];
}

}  // namespace

const FunctionMenu& FunctionMenuOf(FunctionMenuId id) {
  switch (id) {
    case FunctionMenuId::kMain: return kMain;
    case FunctionMenuId::kDpi: return kDpi;
    case FunctionMenuId::kMultimedia: return kMultimedia;
    case FunctionMenuId::kOffice: return kOffice;
    case FunctionMenuId::kWindows: return kWindows;
    case FunctionMenuId::kDpiLock: return kDpiLock;
    case FunctionMenuId::kProfileContext: break;
  }
  return kProfileContext;
}

std::wstring EntryLabel(const MenuEntry& entry, const LanguageTable& texts) {
  if (entry.text >= 0 && static_cast<std::size_t>(entry.text) < texts.size()) return texts[entry.text];
  return entry.label ? std::wstring(entry.label) : std::wstring();
}

std::optional<SelectionRecord> MenuSelection(const FunctionMenu& menu, int entry, const LanguageTable& texts) {
  const MenuEntry* e = EntryAt(menu, entry);
  if (!e || e->action != EntryAction::kFinal) return std::nullopt;
  std::wstring name = EntryLabel(*e, texts);
  if (menu.namePrefixed) name = texts[kTextDpiLock] + L"-" + name;
  return SelectionRecord{std::move(name), e->value};
}

std::optional<MenuMessage> HoverReaction(const FunctionMenu& menu, int entry, std::uintptr_t tag) {
  const MenuEntry* e = EntryAt(menu, entry);
  if (!e || !menu.reportsHover) return std::nullopt;
  const unsigned message = e->action == EntryAction::kSubmenu ? e->message : msg::kMenuEntryRested;
  return MenuMessage{message, tag, entry, false};
}

std::optional<MenuMessage> PressReaction(const FunctionMenu& menu, int entry) {
  if (!EntryAt(menu, entry) || entry > menu.pressEntries) return std::nullopt;
  return MenuMessage{msg::kAssignmentChosen, 0, 0, false};
}

std::optional<MenuMessage> ReleaseReaction(const FunctionMenu& menu, int entry, unsigned selectionMessage,
                                           std::uintptr_t tag) {
  const MenuEntry* e = EntryAt(menu, entry);
  if (!e) return std::nullopt;
  switch (e->action) {
    case EntryAction::kSubmenu: return std::nullopt;
    case EntryAction::kDialog: return MenuMessage{e->message, tag, 0, false};
    case EntryAction::kFinal: break;
  }
  return MenuMessage{selectionMessage, tag, 0, true};
}

std::wstring DefaultProfileEntryName(int i) { return L"defaultProfile" + std::to_wstring(i + 1); }

std::optional<MenuMessage> ProfileListReaction(int entry, bool right, const std::wstring& text, unsigned message) {
  if (right) {
    if (entry < 2 || entry > 6) return std::nullopt;
    return MenuMessage{message, kProfileEventContextMenu, entry, false};
  }
  if (entry < 2 || entry > kProfileListEntries || text.empty()) return std::nullopt;
  return MenuMessage{message, kProfileEventChoose, entry, false};
}

}  // namespace gm
