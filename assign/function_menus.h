#pragma once
// The selection menus of the program as tables: the main function menu of a button, its five
// submenus (DPI functions, multimedia, office, Windows management, DPI lock), the profile list
// and the profile context menu. Each entry says what it is labelled with and what choosing it
// does; the reactions below turn a hover, press or release on an entry into the message the menu
// sends its owner. The popups (assign/assign_popups.h) draw these tables; the rules live here so
// they are tested natively. Portable: no windows.h.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "settings/language.h"
#include "settings/profile_record.h"

namespace gm {

// What a popup reports for a final choice: the name to show and store, and the function code.
struct SelectionRecord {
  std::wstring name;
  ThreeBytes value{};
  friend bool operator==(const SelectionRecord&, const SelectionRecord&) = default;
};

enum class EntryAction {
  kFinal,    // choosing it reports a selection record
  kSubmenu,  // resting on it asks the owner to open a submenu (its message); releasing does nothing
  kDialog,   // releasing on it asks the owner to run a dialog (its message)
};

struct MenuEntry {
  int text = -1;                  // language text of the label, or -1 for the fixed label
  const wchar_t* label = nullptr; // fixed label (the DPI lock values)
  EntryAction action = EntryAction::kFinal;
  ThreeBytes value{};             // result of a final entry
  unsigned message = 0;           // submenu-opening or dialog-asking message
};

enum class FunctionMenuId { kMain, kDpi, kMultimedia, kOffice, kWindows, kDpiLock, kProfileContext };

struct FunctionMenu {
  int kind = 0;                   // popup kind: picks the notice it sends when it loses activation
  std::span<const MenuEntry> entries;
  bool reportsHover = false;      // resting on an entry tells the owner (the main menu only)
  int pressEntries = 0;           // a press on entries 1..pressEntries asks the owner to raise its popups
  bool namePrefixed = false;      // the name is texts[36] + "-" + the label (DPI lock)
};

const FunctionMenu& FunctionMenuOf(FunctionMenuId id);

// Label of an entry: its language text or its fixed label.
std::wstring EntryLabel(const MenuEntry& entry, const LanguageTable& texts);

// The record a final entry (1-based) reports; nothing for another entry or one out of range.
std::optional<SelectionRecord> MenuSelection(const FunctionMenu& menu, int entry, const LanguageTable& texts);

// A message a menu sends its owner. `withRecord`: lParam is the address of the selection record
// (filled in by the popup, which sends synchronously so the record outlives the call).
struct MenuMessage {
  unsigned message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  bool withRecord = false;
  friend bool operator==(const MenuMessage&, const MenuMessage&) = default;
};

// Resting on entry `entry` (1-based): the main menu sends a submenu entry's message, else
// msg::kMenuEntryRested, both with wParam the tag and lParam the entry; the submenus send nothing.
std::optional<MenuMessage> HoverReaction(const FunctionMenu& menu, int entry, std::uintptr_t tag);
// Pressing on entry `entry`: the main menu's entries 1..4 send msg::kAssignmentChosen with 0, 0.
std::optional<MenuMessage> PressReaction(const FunctionMenu& menu, int entry);
// Releasing on entry `entry`: a submenu entry does nothing; a dialog entry sends its message with
// wParam the tag and lParam 0; a final entry sends `selectionMessage` with the tag and the record.
std::optional<MenuMessage> ReleaseReaction(const FunctionMenu& menu, int entry, unsigned selectionMessage,
                                           std::uintptr_t tag);

// The profile list: entry 1 is its caption, entries 2..6 the five profiles, entry 7 "new".
inline constexpr int kProfileListKind = 7;
inline constexpr int kProfileListEntries = 7;
inline constexpr int kProfileListCaptionText = 10;
inline constexpr int kProfileListAddText = 200;
inline constexpr std::uintptr_t kProfileEventChoose = 2;       // wParam of a left click
inline constexpr std::uintptr_t kProfileEventContextMenu = 11; // wParam of a right click
// The placeholder name of profile entry 2 + i before the owner names it.
std::wstring DefaultProfileEntryName(int i);
// A left (or right) release on profile list entry `entry` whose text is `text`: left on 2..7 with
// a text → (message, 2, entry); right on 2..6 → (message, 11, entry).
std::optional<MenuMessage> ProfileListReaction(int entry, bool right, const std::wstring& text, unsigned message);

}  // namespace gm
