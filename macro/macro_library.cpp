#include "macro/macro_library.h"

#include <algorithm>
#include <utility>

#include "assign/key_tables.h"

namespace gm {

// ---- MacroItemLocation ----------------------------------------------------------------------

bool MacroItemLocation::IsValid() const {
  // A negative index converts to a large unsigned one, so one comparison checks both ends.
  auto inRange = [](std::int32_t index) {
    return static_cast<std::uint32_t>(index) < static_cast<std::uint32_t>(kMacroSlotsPerLevel);
  };
  switch (stage) {
    case 0: return inRange(stage0Index);
    case 1: return inRange(stage0Index) && inRange(stage1Index);
    case 2: return inRange(stage0Index) && inRange(stage1Index) && inRange(stage2Index);
    default: return false;
  }
}

int MacroItemLocation::Index() const {
  switch (stage) {
    case 0: return stage0Index;
    case 1: return stage1Index;
    case 2: return stage2Index;
    default: return -1;
  }
}

MacroItemLocation MacroItemLocation::Parent() const {
  switch (stage) {
    case 1: return Level0(stage0Index);
    case 2: return Level1(stage0Index, stage1Index);
    default: return None();
  }
}

MacroItemLocation MacroItemLocation::Child(int index) const {
  switch (stage) {
    case -1: return Level0(index);
    case 0: return Level1(stage0Index, index);
    case 1: return Level2(stage0Index, stage1Index, index);
    default: return None();
  }
}

// ---- MacroLibrary ---------------------------------------------------------------------------

namespace {
const MacroItem kFreeItem{};
}

MacroLibrary::MacroLibrary() : roots_(std::make_unique<Block>()) {}
MacroLibrary::~MacroLibrary() = default;

MacroLibrary::Block* MacroLibrary::ChildrenOf(const MacroItemLocation& parent, bool make) {
  if (parent.stage == -1) return roots_.get();
  if (!parent.IsValid() || parent.stage >= kMacroLevels - 1) return nullptr;
  Block* block = roots_.get();
  const int path[] = {parent.stage0Index, parent.stage1Index};
  for (int level = 0; level <= parent.stage; ++level) {
    Slot& slot = (*block)[path[level]];
    if (!slot.children) {
      if (!make) return nullptr;
      slot.children = std::make_unique<Block>();
    }
    block = slot.children.get();
  }
  return block;
}

const MacroLibrary::Block* MacroLibrary::ChildrenOf(const MacroItemLocation& parent) const {
  return const_cast<MacroLibrary*>(this)->ChildrenOf(parent, false);
}

MacroItem* MacroLibrary::ItemAt(const MacroItemLocation& location) {
  if (!location.IsValid()) return nullptr;
  Block* block = ChildrenOf(location.Parent(), true);
  return &(*block)[location.Index()].item;
}

const MacroItem* MacroLibrary::ItemAt(const MacroItemLocation& location) const {
  if (!location.IsValid()) return nullptr;
  // The location is valid, so its path needs no second check on the way down (tree walks call
  // this for every slot they pass).
  const Block* block = roots_.get();
  const int path[] = {location.stage0Index, location.stage1Index};
  for (int level = 0; level < location.stage; ++level) {
    block = (*block)[path[level]].children.get();
    if (!block) return &kFreeItem;
  }
  return &(*block)[location.Index()].item;
}

std::optional<MacroItemLocation> MacroLibrary::CreationParent(const MacroItemLocation& selection,
                                                              bool folder) const {
  const MacroItem* selected = ItemAt(selection);
  // No selection, a stale one or a selected macro: the new item goes to level 0.
  if (!selected || !selected->IsFolder()) return MacroItemLocation::None();
  if (selection.stage == 0) return selection;
  if (selection.stage == 1 && !folder) return selection;
  return std::nullopt;  // folders hold at most two levels below them
}

bool MacroLibrary::NameExistsUnder(const MacroItemLocation& parent, std::wstring_view name) const {
  const Block* block = ChildrenOf(parent);
  if (!block) return false;
  return std::any_of(block->begin(), block->end(), [&](const Slot& s) {
    return s.item.IsUsed() && s.item.MacroItemName == name;
  });
}

int MacroLibrary::CreateItem(std::wstring_view name, MacroItemLocation& location, bool folder) {
  const auto parent = CreationParent(location, folder);
  if (!parent) return kMacroNameOk;
  if (NameExistsUnder(*parent, name)) return kMacroNameExists;
  if (name.empty()) return kMacroNameOk;
  Block* block = ChildrenOf(*parent, true);
  auto free = std::find_if(block->begin(), block->end(), [](const Slot& s) { return !s.item.IsUsed(); });
  if (free == block->end()) return kMacroNameOk;  // parent full: nothing created

  *free = Slot{};
  free->item.MacroItemName = std::wstring(name);
  if (folder) {
    free->item.MacroItemIsFolder = 1;
  } else {
    free->item.Macro = std::make_unique<MacroKey>(std::wstring(name));
    free->item.Macro->MacroKeyIndex = static_cast<std::uint32_t>(NextMacroKeyIndex);
    // Numbers are never reused; a file may hold the largest value, so step without overflow.
    NextMacroKeyIndex = static_cast<std::int32_t>(static_cast<std::uint32_t>(NextMacroKeyIndex) + 1u);
  }
  location = parent->Child(static_cast<int>(free - block->begin()));
  return kMacroNameOk;
}

int MacroLibrary::CreateMacro(std::wstring_view name, MacroItemLocation& location) {
  return CreateItem(name, location, false);
}

int MacroLibrary::CreateFolder(std::wstring_view name, MacroItemLocation& location) {
  return CreateItem(name, location, true);
}

int MacroLibrary::RenameItem(const MacroItemLocation& location, std::wstring_view name) {
  const MacroItem* current = std::as_const(*this).ItemAt(location);
  if (!current || !current->IsUsed() || name.empty()) return kMacroNoItem;
  if (NameExistsUnder(location.Parent(), name)) return kMacroNameExists;
  ItemAt(location)->MacroItemName = std::wstring(name);
  return kMacroNameOk;
}

bool MacroLibrary::DeleteItem(const MacroItemLocation& location) {
  const int index = location.Index();
  if (!location.IsValid() || index < 0 || index >= kMacroSlotsPerLevel) return false;
  Block* block = ChildrenOf(location.Parent(), false);
  if (!block || !(*block)[index].item.IsUsed()) return false;
  auto at = block->begin() + index;
  std::move(at + 1, block->end(), at);  // later siblings move up with their subtrees
  block->back() = Slot{};
  return true;
}

bool MacroLibrary::ContainsMacro(const MacroItemLocation& location, std::uint32_t macroKeyIndex) const {
  const MacroItem* item = ItemAt(location);
  if (!item || !item->IsUsed()) return false;
  if (item->IsMacro()) return item->Macro && item->Macro->MacroKeyIndex == macroKeyIndex;
  if (location.stage >= kMacroLevels - 1) return false;
  for (int i = 0; i < kMacroSlotsPerLevel; ++i)
    if (ContainsMacro(location.Child(i), macroKeyIndex)) return true;
  return false;
}

std::optional<MacroItemLocation> MacroLibrary::FindMacro(std::uint32_t macroKeyIndex) const {
  if (macroKeyIndex == 0) return std::nullopt;
  // The slot index of the macro among the children in `block` up to their first free slot, or -1.
  auto search = [&](const Block& block) {
    for (int i = 0; i < kMacroSlotsPerLevel; ++i) {
      const MacroItem& item = block[i].item;
      if (!item.IsUsed()) break;
      if (item.IsMacro() && item.Macro && item.Macro->MacroKeyIndex == macroKeyIndex) return i;
    }
    return -1;
  };
  // Only blocks that exist are visited: a parent without a block has no children to search.
  const Block& roots = *roots_;
  if (const int i = search(roots); i >= 0) return MacroItemLocation::Level0(i);
  for (int i0 = 0; i0 < kMacroSlotsPerLevel; ++i0)
    if (const Block* level1 = roots[i0].children.get())
      if (const int i = search(*level1); i >= 0) return MacroItemLocation::Level1(i0, i);
  for (int i0 = 0; i0 < kMacroSlotsPerLevel; ++i0) {
    const Block* level1 = roots[i0].children.get();
    if (!level1) continue;
    for (int i1 = 0; i1 < kMacroSlotsPerLevel; ++i1)
      if (const Block* level2 = (*level1)[i1].children.get())
        if (const int i = search(*level2); i >= 0) return MacroItemLocation::Level2(i0, i1, i);
  }
  return std::nullopt;
}

const MacroKey* MacroLibrary::FindMacroKey(std::uint32_t macroKeyIndex) const {
  const auto location = FindMacro(macroKeyIndex);
  return location ? ItemAt(*location)->Macro.get() : nullptr;
}

void MacroLibrary::Clear() { roots_ = std::make_unique<Block>(); }

namespace {

// Walks the visible rows in order; `visit(location)` returns true to stop. Returns the number of
// rows visited (including the one that stopped the walk). Without a rule a folder is open as
// its flag says.
template <typename Visit>
int WalkVisibleRows(const MacroLibrary& library, const MacroLibrary::FolderOpenRule& isOpen, Visit&& visit) {
  int rows = 0;
  bool stopped = false;
  auto walk = [&](auto&& self, const MacroItemLocation& parent) -> void {
    for (int i = 0; i < kMacroSlotsPerLevel && !stopped; ++i) {
      const MacroItemLocation at = parent.Child(i);
      const MacroItem* item = library.ItemAt(at);
      if (!item->IsUsed()) continue;
      ++rows;
      if (visit(at)) {
        stopped = true;
        return;
      }
      if (!item->IsFolder() || at.stage >= kMacroLevels - 1) continue;
      if (isOpen ? isOpen(at, *item) : item->MacroItemFolderIsOpen != 0) self(self, at);
    }
  };
  walk(walk, MacroItemLocation::None());
  return rows;
}

}  // namespace

int MacroLibrary::VisibleRowCount() const { return VisibleRowCount(nullptr); }

int MacroLibrary::RowOfLocation(const MacroItemLocation& location) const { return RowOfLocation(location, nullptr); }

MacroItemLocation MacroLibrary::LocationOfRow(int row) const { return LocationOfRow(row, nullptr); }

int MacroLibrary::VisibleRowCount(const FolderOpenRule& isOpen) const {
  return WalkVisibleRows(*this, isOpen, [](const MacroItemLocation&) { return false; });
}

int MacroLibrary::RowOfLocation(const MacroItemLocation& location, const FolderOpenRule& isOpen) const {
  bool found = false;
  const int rows =
      WalkVisibleRows(*this, isOpen, [&](const MacroItemLocation& at) { return found = (at == location); });
  return found ? rows - 1 : -1;
}

MacroItemLocation MacroLibrary::LocationOfRow(int row, const FolderOpenRule& isOpen) const {
  MacroItemLocation result;
  if (row < 0) return result;
  int seen = 0;
  WalkVisibleRows(*this, isOpen, [&](const MacroItemLocation& at) {
    if (seen++ != row) return false;
    result = at;
    return true;
  });
  return result;
}

bool MacroLibrary::PlaceItem(std::wstring_view name, const MacroItemLocation& location,
                             std::unique_ptr<MacroKey> macro, bool folder, bool isOpen) {
  if (!location.IsValid() || name.empty()) return false;
  if (location.stage > 0) {
    const MacroItem* parent = std::as_const(*this).ItemAt(location.Parent());
    if (!parent->IsFolder()) return false;
  }
  Block* block = ChildrenOf(location.Parent(), true);
  Slot& slot = (*block)[location.Index()];
  slot = Slot{};
  slot.item.MacroItemName = std::wstring(name);
  slot.item.MacroItemIsFolder = folder ? 1 : 0;
  slot.item.MacroItemFolderIsOpen = isOpen ? 1 : 0;
  slot.item.Macro = std::move(macro);
  return true;
}

bool MacroLibrary::PlaceMacroAt(std::wstring_view name, const MacroItemLocation& location,
                                const MacroKey& macro) {
  return PlaceItem(name, location, std::make_unique<MacroKey>(macro), false, false);
}

bool MacroLibrary::PlaceFolderAt(std::wstring_view name, const MacroItemLocation& location, bool isOpen) {
  return PlaceItem(name, location, nullptr, true, isOpen);
}

namespace {

template <typename Block>
int CountBlocks(const Block& block) {
  int n = 0;
  for (const auto& slot : block)
    if (slot.children) n += 1 + CountBlocks(*slot.children);
  return n;
}

bool SameItem(const MacroItem& a, const MacroItem& b) {
  if (a.IsUsed() != b.IsUsed()) return false;
  if (!a.IsUsed()) return true;
  if (a.MacroItemName != b.MacroItemName || a.MacroItemIsFolder != b.MacroItemIsFolder ||
      a.MacroItemFolderIsOpen != b.MacroItemFolderIsOpen || bool(a.Macro) != bool(b.Macro))
    return false;
  return !a.Macro || *a.Macro == *b.Macro;
}

// A missing block equals a block without used slots.
template <typename Block>
bool SameBlock(const Block* a, const Block* b) {
  for (int i = 0; i < kMacroSlotsPerLevel; ++i) {
    const MacroItem& ia = a ? (*a)[i].item : kFreeItem;
    const MacroItem& ib = b ? (*b)[i].item : kFreeItem;
    if (!SameItem(ia, ib)) return false;
    const Block* ca = a ? (*a)[i].children.get() : nullptr;
    const Block* cb = b ? (*b)[i].children.get() : nullptr;
    if ((ca || cb) && !SameBlock(ca, cb)) return false;
  }
  return true;
}

}  // namespace

int MacroLibrary::AllocatedBlocks() const { return CountBlocks(*roots_); }

bool operator==(const MacroLibrary& a, const MacroLibrary& b) {
  return a.NextMacroKeyIndex == b.NextMacroKeyIndex && SameBlock(a.roots_.get(), b.roots_.get());
}

// ---- Action display text ----------------------------------------------------------------------

std::wstring ActionText(MacroAction action) {
  const std::uint8_t code = action.Code();
  if (action.IsDelay()) return std::to_wstring(action.DelayMs()) + L"ms";
  const std::uint8_t amount = action.Byte(3);
  const bool positive = amount <= 127;
  const std::wstring magnitude = std::to_wstring(positive ? amount : 256 - amount);
  switch (code) {
    case MacroAction::kMoveX: return (positive ? L"Move Right " : L"Move Left ") + magnitude;
    case MacroAction::kMoveY: return (positive ? L"Move Down " : L"Move Up ") + magnitude;
    case MacroAction::kWheel: return (positive ? L"Wheel Up " : L"Wheel Down ") + magnitude;
    default: return std::wstring(VirtualKeyName(code));
  }
}

}  // namespace gm
