#include "macro/macro_library.h"

#include <gtest/gtest.h>

namespace gm {
namespace {

using Loc = MacroItemLocation;

// Creates a macro or folder relative to `selection`; returns where it went (stage -1 if nowhere).
Loc Make(MacroLibrary& lib, const wchar_t* name, Loc selection, bool folder = false) {
  Loc at = selection;
  const int result = folder ? lib.CreateFolder(name, at) : lib.CreateMacro(name, at);
  EXPECT_EQ(result, kMacroNameOk) << name;
  return at == selection ? Loc::None() : at;
}

std::wstring NameAt(const MacroLibrary& lib, Loc at) {
  const MacroItem* item = lib.ItemAt(at);
  return item ? item->MacroItemName : L"<none>";
}

TEST(MacroItemLocation, Validity) {
  EXPECT_FALSE(Loc::None().IsValid());
  EXPECT_TRUE(Loc::Level0(59).IsValid());
  EXPECT_FALSE(Loc::Level0(60).IsValid());
  EXPECT_FALSE(Loc::Level1(0, -1).IsValid());
  EXPECT_TRUE(Loc::Level2(59, 59, 59).IsValid());
  EXPECT_FALSE((Loc{3, 0, 0, 0}.IsValid()));
  EXPECT_TRUE((Loc{0, 5, 99, -7}.IsValid()));  // indices the stage does not use are ignored
}

TEST(MacroLibrary, EmptyLibraryAllocatesNoChildBlocksButAnswersEverySlot) {
  const MacroLibrary lib;
  EXPECT_EQ(lib.NextMacroKeyIndex, 1);
  EXPECT_EQ(lib.AllocatedBlocks(), 0);
  for (Loc at : {Loc::Level0(0), Loc::Level1(59, 59), Loc::Level2(30, 7, 59)}) {
    ASSERT_NE(lib.ItemAt(at), nullptr);
    EXPECT_FALSE(lib.ItemAt(at)->IsUsed());
  }
  EXPECT_EQ(lib.ItemAt(Loc::None()), nullptr);
  EXPECT_EQ(lib.ItemAt(Loc{5, 0, 0, 0}), nullptr);
  EXPECT_EQ(lib.AllocatedBlocks(), 0);
}

TEST(MacroLibrary, CreationPlaceDependsOnSelection) {
  MacroLibrary lib;
  const Loc f0 = Make(lib, L"F0", Loc::None(), true);
  const Loc f1 = Make(lib, L"F1", f0, true);
  const Loc m2 = Make(lib, L"M2", f1);
  EXPECT_EQ(f0, Loc::Level0(0));
  EXPECT_EQ(f1, Loc::Level1(0, 0));
  EXPECT_EQ(m2, Loc::Level2(0, 0, 0));
  // A macro selected inside a folder makes a level-0 item, not a sibling.
  EXPECT_EQ(Make(lib, L"A", m2), Loc::Level0(1));
  EXPECT_EQ(Make(lib, L"FolderFromMacro", m2, true), Loc::Level0(2));
  // No folder inside a level-1 folder.
  EXPECT_EQ(Make(lib, L"Deep", f1, true), Loc::None());
  // A level-2 folder (possible only through a file) takes nothing.
  ASSERT_TRUE(lib.PlaceFolderAt(L"F2", Loc::Level2(0, 0, 1), false));
  EXPECT_EQ(Make(lib, L"X", Loc::Level2(0, 0, 1)), Loc::None());
  // A stale selection (free slot) counts as none.
  EXPECT_EQ(Make(lib, L"B", Loc::Level1(40, 3)), Loc::Level0(3));
  EXPECT_TRUE(lib.ItemAt(f0)->IsFolder());
  EXPECT_EQ(lib.ItemAt(f0)->MacroItemFolderIsOpen, 0);
  EXPECT_EQ(lib.ItemAt(f0)->Macro, nullptr);
}

TEST(MacroLibrary, NewMacrosGetIncreasingNumbersNeverReused) {
  MacroLibrary lib;
  const Loc a = Make(lib, L"a", Loc::None());
  const Loc b = Make(lib, L"b", Loc::None());
  const MacroKey& mb = *lib.ItemAt(b)->Macro;
  EXPECT_EQ(lib.ItemAt(a)->Macro->MacroKeyIndex, 1u);
  EXPECT_EQ(mb.MacroKeyIndex, 2u);
  EXPECT_EQ(mb.Name, L"b");
  EXPECT_EQ(mb.MacroKeyLoopType, 2);
  EXPECT_TRUE(lib.DeleteItem(b));
  EXPECT_TRUE(lib.DeleteItem(a));
  EXPECT_EQ(lib.NextMacroKeyIndex, 3);
  EXPECT_EQ(lib.ItemAt(Make(lib, L"c", Loc::None()))->Macro->MacroKeyIndex, 3u);
  Make(lib, L"folder", Loc::None(), true);
  EXPECT_EQ(lib.NextMacroKeyIndex, 4);  // folders take no number
}

TEST(MacroLibrary, NamesAreUniquePerParentAcrossFoldersAndMacros) {
  MacroLibrary lib;
  const Loc folder = Make(lib, L"Same", Loc::None(), true);
  Loc at = Loc::None();
  EXPECT_EQ(lib.CreateMacro(L"Same", at), kMacroNameExists);
  EXPECT_EQ(at, Loc::None());
  EXPECT_EQ(lib.NextMacroKeyIndex, 1);
  EXPECT_EQ(lib.CreateFolder(L"Same", at), kMacroNameExists);
  // The same name one level down is fine.
  EXPECT_EQ(Make(lib, L"Same", folder), Loc::Level1(0, 0));
  at = folder;
  EXPECT_EQ(lib.CreateMacro(L"Same", at), kMacroNameExists);
  EXPECT_EQ(at, folder);
}

TEST(MacroLibrary, FullParentCreatesNothingAndReportsSuccess) {
  MacroLibrary lib;
  for (int i = 0; i < 60; ++i) Make(lib, std::to_wstring(i).c_str(), Loc::None());
  const auto next = lib.NextMacroKeyIndex;
  Loc at = Loc::None();
  EXPECT_EQ(lib.CreateMacro(L"one more", at), kMacroNameOk);
  EXPECT_EQ(at, Loc::None());
  EXPECT_EQ(lib.CreateFolder(L"one more", at), kMacroNameOk);
  EXPECT_EQ(at, Loc::None());
  EXPECT_EQ(lib.NextMacroKeyIndex, next);
  EXPECT_EQ(lib.VisibleRowCount(), 60);
}

TEST(MacroLibrary, EmptyNameCreatesNothing) {
  MacroLibrary lib;
  Loc at = Loc::None();
  EXPECT_EQ(lib.CreateMacro(L"", at), kMacroNameOk);
  EXPECT_EQ(at, Loc::None());
  EXPECT_EQ(lib.NextMacroKeyIndex, 1);
}

TEST(MacroLibrary, DeleteMovesLaterSiblingsWithTheirSubtrees) {
  MacroLibrary lib;
  Loc level0[5];
  for (int i = 0; i < 5; ++i) level0[i] = Make(lib, (L"F" + std::to_wstring(i)).c_str(), Loc::None(), true);
  Make(lib, L"under2", level0[2]);
  const Loc f3child = Make(lib, L"F3sub", level0[3], true);
  Make(lib, L"deep", f3child);
  Make(lib, L"under4", level0[4]);

  ASSERT_TRUE(lib.DeleteItem(Loc::Level0(2)));
  EXPECT_EQ(NameAt(lib, Loc::Level0(2)), L"F3");
  EXPECT_EQ(NameAt(lib, Loc::Level1(2, 0)), L"F3sub");
  EXPECT_EQ(NameAt(lib, Loc::Level2(2, 0, 0)), L"deep");
  EXPECT_EQ(NameAt(lib, Loc::Level0(3)), L"F4");
  EXPECT_EQ(NameAt(lib, Loc::Level1(3, 0)), L"under4");
  // Slot 4 and its old subtree are free.
  EXPECT_FALSE(lib.ItemAt(Loc::Level0(4))->IsUsed());
  EXPECT_FALSE(lib.ItemAt(Loc::Level1(4, 0))->IsUsed());
  EXPECT_FALSE(lib.DeleteItem(Loc::Level0(4)));
  EXPECT_FALSE(lib.DeleteItem(Loc::None()));
  // A new level-0 item takes the freed slot 4 with no children.
  EXPECT_EQ(Make(lib, L"new", Loc::None()), Loc::Level0(4));
  EXPECT_FALSE(lib.ItemAt(Loc::Level1(4, 0))->IsUsed());
}

TEST(MacroLibrary, RenameChecksSiblingsIncludingItself) {
  MacroLibrary lib;
  const Loc a = Make(lib, L"a", Loc::None());
  Make(lib, L"b", Loc::None());
  EXPECT_EQ(lib.RenameItem(a, L"b"), kMacroNameExists);
  EXPECT_EQ(lib.RenameItem(a, L"a"), kMacroNameExists);
  EXPECT_EQ(lib.RenameItem(a, L"c"), kMacroNameOk);
  EXPECT_EQ(NameAt(lib, a), L"c");
  EXPECT_EQ(lib.ItemAt(a)->Macro->Name, L"a");  // the macro's own name follows at the next reload
  EXPECT_EQ(lib.RenameItem(Loc::Level0(7), L"x"), kMacroNoItem);
  EXPECT_EQ(lib.RenameItem(a, L""), kMacroNoItem);
}

TEST(MacroLibrary, FindMacroSearchesLevelByLevelUpToFirstFreeSlot) {
  MacroLibrary lib;
  const Loc folder = Make(lib, L"F", Loc::None(), true);
  MacroKey m(L"x");
  m.MacroKeyIndex = 77;
  ASSERT_TRUE(lib.PlaceMacroAt(L"deep", Loc::Level1(0, 0), m));
  ASSERT_TRUE(lib.PlaceMacroAt(L"top", Loc::Level0(1), m));
  EXPECT_EQ(lib.FindMacro(77), Loc::Level0(1));
  ASSERT_TRUE(lib.DeleteItem(Loc::Level0(1)));
  EXPECT_EQ(lib.FindMacro(77), Loc::Level1(0, 0));
  EXPECT_EQ(lib.FindMacroKey(77)->Name, L"x");
  // Behind a free slot of its parent a macro is not found.
  ASSERT_TRUE(lib.PlaceMacroAt(L"hidden", Loc::Level0(5), MacroKey{}));
  lib.ItemAt(Loc::Level0(5))->Macro->MacroKeyIndex = 90;
  EXPECT_EQ(lib.FindMacro(90), std::nullopt);
  EXPECT_EQ(lib.FindMacro(0), std::nullopt);
  EXPECT_EQ(lib.FindMacroKey(12345), nullptr);
  // Level 2 is searched last, in the folders of level 1.
  ASSERT_TRUE(lib.PlaceFolderAt(L"G", Loc::Level1(0, 1), false));
  MacroKey d(L"d");
  d.MacroKeyIndex = 55;
  ASSERT_TRUE(lib.PlaceMacroAt(L"d", Loc::Level2(0, 1, 0), d));
  EXPECT_EQ(lib.FindMacro(55), Loc::Level2(0, 1, 0));

  EXPECT_TRUE(lib.ContainsMacro(folder, 77));
  EXPECT_FALSE(lib.ContainsMacro(folder, 78));
  EXPECT_TRUE(lib.ContainsMacro(Loc::Level1(0, 0), 77));
  EXPECT_FALSE(lib.ContainsMacro(Loc::None(), 77));
}

TEST(MacroLibrary, VisibleRowsFollowOpenFolders) {
  MacroLibrary lib;
  const Loc f = Make(lib, L"F", Loc::None(), true);           // row 0
  const Loc g = Make(lib, L"G", f, true);                      // under F
  Make(lib, L"g1", g);                                         // under G
  Make(lib, L"f1", f);                                         // under F
  Make(lib, L"top", Loc::None());                              // level 0
  EXPECT_EQ(lib.VisibleRowCount(), 2);
  lib.ItemAt(f)->MacroItemFolderIsOpen = 1;
  EXPECT_EQ(lib.VisibleRowCount(), 4);  // F, G, f1, top
  lib.ItemAt(g)->MacroItemFolderIsOpen = 1;
  const Loc order[] = {f, g, Loc::Level2(0, 0, 0), Loc::Level1(0, 1), Loc::Level0(1)};
  EXPECT_EQ(lib.VisibleRowCount(), 5);
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(lib.LocationOfRow(row), order[row]) << row;
    EXPECT_EQ(lib.RowOfLocation(order[row]), row);
  }
  EXPECT_EQ(lib.LocationOfRow(5), Loc::None());
  EXPECT_EQ(lib.LocationOfRow(-1), Loc::None());
  lib.ItemAt(f)->MacroItemFolderIsOpen = 0;
  EXPECT_EQ(lib.RowOfLocation(Loc::Level2(0, 0, 0)), -1);  // hidden inside a closed folder
  EXPECT_EQ(lib.RowOfLocation(Loc::Level0(1)), 1);
}

// A view's own rule opens folders whatever their flags say, and a closed one hides its subtree.
TEST(MacroLibrary, VisibleRowsFollowAViewsOwnFolderRule) {
  MacroLibrary lib;
  const Loc f = Make(lib, L"F", Loc::None(), true);
  const Loc g = Make(lib, L"G", f, true);
  Make(lib, L"g1", g);
  Make(lib, L"top", Loc::None());
  lib.ItemAt(g)->MacroItemFolderIsOpen = 1;  // stored open, but the view keeps it shut
  const MacroLibrary::FolderOpenRule onlyF = [&](const Loc& at, const MacroItem&) { return at == f; };
  EXPECT_EQ(lib.VisibleRowCount(onlyF), 3);  // F, G, top
  EXPECT_EQ(lib.LocationOfRow(1, onlyF), g);
  EXPECT_EQ(lib.RowOfLocation(Loc::Level0(1), onlyF), 2);
  EXPECT_EQ(lib.RowOfLocation(Loc::Level2(0, 0, 0), onlyF), -1);
  EXPECT_EQ(lib.VisibleRowCount(), 2);  // the stored flags: F closed
}

TEST(MacroLibrary, PlaceRejectsLocationsOutsideTheTreeOrUnderNonFolders) {
  MacroLibrary lib;
  const MacroKey m(L"m");
  EXPECT_FALSE(lib.PlaceMacroAt(L"x", Loc::Level0(60), m));
  EXPECT_FALSE(lib.PlaceMacroAt(L"x", Loc{3, 0, 0, 0}, m));
  EXPECT_FALSE(lib.PlaceMacroAt(L"x", Loc::None(), m));
  EXPECT_FALSE(lib.PlaceMacroAt(L"", Loc::Level0(0), m));
  EXPECT_FALSE(lib.PlaceMacroAt(L"x", Loc::Level1(0, 0), m));  // parent slot free
  ASSERT_TRUE(lib.PlaceMacroAt(L"macro", Loc::Level0(0), m));
  EXPECT_FALSE(lib.PlaceFolderAt(L"x", Loc::Level1(0, 0), false));  // parent is a macro
  ASSERT_TRUE(lib.PlaceFolderAt(L"folder", Loc::Level0(1), true));
  EXPECT_TRUE(lib.PlaceMacroAt(L"child", Loc::Level1(1, 59), m));
  EXPECT_EQ(lib.VisibleRowCount(), 3);
  // Replacing a folder drops its subtree.
  ASSERT_TRUE(lib.PlaceMacroAt(L"now a macro", Loc::Level0(1), m));
  EXPECT_FALSE(lib.ItemAt(Loc::Level1(1, 59))->IsUsed());
}

TEST(MacroLibrary, ClearKeepsNextNumberAndEqualityIgnoresFreeBlocks) {
  MacroLibrary a, b;
  const Loc f = Make(a, L"F", Loc::None(), true);
  Make(a, L"m", f);
  EXPECT_FALSE(a == b);
  a.Clear();
  EXPECT_EQ(a.NextMacroKeyIndex, 2);
  EXPECT_EQ(a.VisibleRowCount(), 0);
  b.NextMacroKeyIndex = 2;
  b.ItemAt(Loc::Level2(3, 3, 3));  // allocates empty blocks
  EXPECT_TRUE(a == b);
}

TEST(ActionText, DelaysMovesWheelAndKeys) {
  struct Case {
    MacroAction action;
    const wchar_t* text;
  };
  const Case cases[] = {
      {MacroAction::FromBytes(0x03, 0x00, 0x01, 0xF4), L"500ms"},
      {MacroAction::FromBytes(0x00, 0xFF, 0xFF, 0xFF), L"16777215ms"},
      {MacroAction::FromBytes(0xE5, 0x00, 0x00, 0xFB), L"Move Left 5"},
      {MacroAction::FromBytes(0xE5, 0x00, 0x00, 0x7F), L"Move Right 127"},
      {MacroAction::FromBytes(0xE5, 0x00, 0x00, 0x80), L"Move Left 128"},
      {MacroAction::FromBytes(0xE6, 0x00, 0x00, 0x03), L"Move Down 3"},
      {MacroAction::FromBytes(0xE6, 0x00, 0x00, 0xFF), L"Move Up 1"},
      {MacroAction::FromBytes(0xE7, 0x80, 0x00, 0x00), L"Wheel Up 0"},
      {MacroAction::FromBytes(0xE7, 0x00, 0x00, 0xFE), L"Wheel Down 2"},
      {MacroAction::FromBytes(0x41, 0x80, 0x00, 0x00), L"A"},
      {MacroAction::FromBytes(0xE0, 0x00, 0x00, 0x00), L"L Key"},
      {MacroAction::FromBytes(0xFC, 0x00, 0x00, 0x00), L"Undefined"},
  };
  for (const auto& c : cases) EXPECT_EQ(ActionText(c.action), c.text) << std::hex << c.action.word;
}

}  // namespace
}  // namespace gm
