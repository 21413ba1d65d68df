#pragma once
// The macro library: a tree of named items (macros and folders) in three levels of 60 slots each.
// Level 0 has 60 slots, every level-0 slot 60 children, every level-1 slot 60 more: 219,660
// addressable items. The tree behaves as fully allocated, but a block of 60 children is only
// made when something is stored in it, so an empty library costs a few kilobytes.
//
// Invariants kept by the operations (the file reader's Place* calls trust the file instead):
// used slots of one parent are contiguous from index 0; names are unique among the used slots
// of one parent; only folders have children; every macro item owns one MacroKey.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "macro/macro_model.h"

namespace gm {

inline constexpr int kMacroSlotsPerLevel = 60;
inline constexpr int kMacroLevels = 3;

// Addresses one slot. stage -1 none, 0, 1 or 2; a level-n slot uses the indices 0..n (a level-1
// slot is child stage1Index of level-0 folder stage0Index); unused indices are 0.
struct MacroItemLocation {
  std::int32_t stage = -1;
  std::int32_t stage0Index = 0;
  std::int32_t stage1Index = 0;
  std::int32_t stage2Index = 0;

  static MacroItemLocation None() { return {}; }
  static MacroItemLocation Level0(int i0) { return {0, i0, 0, 0}; }
  static MacroItemLocation Level1(int i0, int i1) { return {1, i0, i1, 0}; }
  static MacroItemLocation Level2(int i0, int i1, int i2) { return {2, i0, i1, i2}; }

  // Stage 0..2 with every index the stage uses in 0..59.
  bool IsValid() const;
  // The index of the slot within its parent (the index of its own stage).
  int Index() const;
  // The parent folder's location (stage -1 for a level-0 item).
  MacroItemLocation Parent() const;
  // Child `index` of this location (stage -1 gives a level-0 location).
  MacroItemLocation Child(int index) const;

  friend bool operator==(const MacroItemLocation&, const MacroItemLocation&) = default;
};

// One slot of the tree. An empty name means the slot is free.
struct MacroItem {
  std::wstring MacroItemName;
  std::unique_ptr<MacroKey> Macro;  // present only for a macro item
  std::uint8_t MacroItemIsFolder = 0;
  std::uint8_t MacroItemFolderIsOpen = 0;

  bool IsUsed() const { return !MacroItemName.empty(); }
  bool IsFolder() const { return IsUsed() && MacroItemIsFolder != 0; }
  bool IsMacro() const { return IsUsed() && MacroItemIsFolder == 0; }
};

// Results of the naming operations.
inline constexpr int kMacroNameOk = 0;      // created or renamed (creation may also be refused
                                            // silently when the parent is full)
inline constexpr int kMacroNameExists = 1;  // a sibling already has the name
inline constexpr int kMacroNoItem = 2;      // rename of a location that holds no item

class MacroLibrary {
 public:
  MacroLibrary();
  ~MacroLibrary();
  MacroLibrary(const MacroLibrary&) = delete;
  MacroLibrary& operator=(const MacroLibrary&) = delete;

  // The number the next created macro receives; 1 in a new library.
  std::int32_t NextMacroKeyIndex = 1;

  // The slot addressed by `location`, nullptr for stage -1 or an invalid location. The mutable
  // form makes the slot's block when it does not exist yet; the const form returns a shared empty
  // slot for such a location.
  MacroItem* ItemAt(const MacroItemLocation& location);
  const MacroItem* ItemAt(const MacroItemLocation& location) const;

  // Creates a macro (or folder) named `name` relative to the selection in `location`; on success
  // `location` addresses the new item. Returns kMacroNameExists for a duplicate among the new
  // item's siblings, otherwise kMacroNameOk, also when nothing could be created (full parent,
  // a place where such an item cannot go, an empty name).
  int CreateMacro(std::wstring_view name, MacroItemLocation& location);
  int CreateFolder(std::wstring_view name, MacroItemLocation& location);

  // Where CreateMacro/CreateFolder put a new item for this selection: the parent's location
  // (stage -1 for level 0), or nothing when no item of that kind can be created there.
  std::optional<MacroItemLocation> CreationParent(const MacroItemLocation& selection,
                                                  bool folder) const;
  // Whether a used child of `parent` (stage -1: level 0) has the name.
  bool NameExistsUnder(const MacroItemLocation& parent, std::wstring_view name) const;

  // Sets the item's name (the macro's own Name is left as it is). kMacroNameExists when a used
  // slot of the same parent, the item itself included, has the name; kMacroNoItem when the
  // location holds no item or the name is empty.
  int RenameItem(const MacroItemLocation& location, std::wstring_view name);

  // Removes the item with its macro and subtree; later siblings move one slot earlier with their
  // subtrees. False when the location holds no item.
  bool DeleteItem(const MacroItemLocation& location);

  // Whether the item, or a macro anywhere under it, has that number.
  bool ContainsMacro(const MacroItemLocation& location, std::uint32_t macroKeyIndex) const;

  // First macro with that number: level 0, then 1, then 2, each in slot order and, within a
  // parent, up to its first free slot. Number 0 finds nothing.
  std::optional<MacroItemLocation> FindMacro(std::uint32_t macroKeyIndex) const;
  // The macro record FindMacro locates, or nullptr.
  const MacroKey* FindMacroKey(std::uint32_t macroKeyIndex) const;

  // Deletes every item; NextMacroKeyIndex stays.
  void Clear();

  // The editor's tree list: used level-0 slots in order, each open folder followed by its used
  // children, likewise one level further.
  int VisibleRowCount() const;
  int RowOfLocation(const MacroItemLocation& location) const;  // -1 when not shown
  MacroItemLocation LocationOfRow(int row) const;              // stage -1 when out of range
  // The same for a view that opens and closes folders without changing the library: `isOpen`
  // tells whether a used folder shows its children (the forms above use MacroItemFolderIsOpen).
  using FolderOpenRule = std::function<bool(const MacroItemLocation& folder, const MacroItem& item)>;
  int VisibleRowCount(const FolderOpenRule& isOpen) const;
  int RowOfLocation(const MacroItemLocation& location, const FolderOpenRule& isOpen) const;
  MacroItemLocation LocationOfRow(int row, const FolderOpenRule& isOpen) const;

  // Store an item exactly at a location (the file reader). Refused (false) for an invalid
  // location, an empty name, or a location whose parent is not a used folder; a used slot there
  // is replaced together with its subtree.
  bool PlaceMacroAt(std::wstring_view name, const MacroItemLocation& location, const MacroKey& macro);
  bool PlaceFolderAt(std::wstring_view name, const MacroItemLocation& location, bool isOpen);

  // Calls fn(location, item) for every used slot of level `stage` (0..2), parent by parent in
  // slot order, free slots skipped wherever they are. Only the children of used folders are
  // visited, so what is written can always be read back.
  template <typename Fn>
  void ForEachUsed(int stage, Fn&& fn) const;

  // Number of allocated 60-slot blocks below level 0 (memory measure for tests and benchmarks).
  int AllocatedBlocks() const;

  // Same NextMacroKeyIndex and the same used items (names, flags, macros) at the same places.
  friend bool operator==(const MacroLibrary& a, const MacroLibrary& b);

 private:
  struct Slot;
  using Block = std::array<Slot, kMacroSlotsPerLevel>;

  Block* ChildrenOf(const MacroItemLocation& parent, bool make);
  const Block* ChildrenOf(const MacroItemLocation& parent) const;
  int CreateItem(std::wstring_view name, MacroItemLocation& location, bool folder);
  bool PlaceItem(std::wstring_view name, const MacroItemLocation& location,
                 std::unique_ptr<MacroKey> macro, bool folder, bool isOpen);

  std::unique_ptr<Block> roots_;
};

// Display text of an action in the action lists: "%ums" for a delay, "Move Right %d",
// "Move Left %d", "Move Down %d", "Move Up %d", "Wheel Up %d", "Wheel Down %d" for moves and
// the wheel, otherwise the virtual-key name of byte 0.
std::wstring ActionText(MacroAction action);

// ---------------------------------------------------------------------------------------------

struct MacroLibrary::Slot {
  MacroItem item;
  std::unique_ptr<Block> children;
};

template <typename Fn>
void MacroLibrary::ForEachUsed(int stage, Fn&& fn) const {
  const Block& roots = *roots_;
  for (int i0 = 0; i0 < kMacroSlotsPerLevel; ++i0) {
    const Slot& s0 = roots[i0];
    if (stage == 0) {
      if (s0.item.IsUsed()) fn(MacroItemLocation::Level0(i0), s0.item);
      continue;
    }
    if (!s0.children || !s0.item.IsFolder()) continue;  // children only count under folders
    for (int i1 = 0; i1 < kMacroSlotsPerLevel; ++i1) {
      const Slot& s1 = (*s0.children)[i1];
      if (stage == 1) {
        if (s1.item.IsUsed()) fn(MacroItemLocation::Level1(i0, i1), s1.item);
        continue;
      }
      if (!s1.children || !s1.item.IsFolder()) continue;
      for (int i2 = 0; i2 < kMacroSlotsPerLevel; ++i2) {
        const Slot& s2 = (*s1.children)[i2];
        if (s2.item.IsUsed()) fn(MacroItemLocation::Level2(i0, i1, i2), s2.item);
      }
    }
  }
}

}  // namespace gm
