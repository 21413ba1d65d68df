#include "macro/macro_exchange.h"

#include <gtest/gtest.h>

#include "macro/library_file.h"
#include "settings/language_indexes.h"
#include "settings/temp_folder.h"

namespace gm {
namespace {

using Loc = MacroItemLocation;
using Status = MacroImportStatus;

Loc Create(MacroLibrary& lib, const std::wstring& name, Loc selection, bool folder = false) {
  Loc at = selection;
  EXPECT_EQ(folder ? lib.CreateFolder(name, at) : lib.CreateMacro(name, at), kMacroNameOk) << name;
  EXPECT_NE(at, selection) << name;
  return at;
}

// Source library of the exchange files:
//   0 "A" macro (3 actions, loop 4 x 9)     1 "F" folder: "f1" macro, "Sub" folder ("s1")
//   2 "B" macro                             3 "C" macro
class ExchangeTest : public ::testing::Test {
 protected:
  ExchangeTest() {
    const Loc a = Create(source, L"A", Loc::None());
    MacroKey& m = *source.ItemAt(a)->Macro;
    m.InsertAction(0, MacroAction::Event(0x41, false));
    m.InsertAction(1, MacroAction::Delay(20));
    m.InsertAction(2, MacroAction::Event(0x41, true));
    m.MacroCommandActionNum = 2;
    m.MacroKeyLoopType = 4;
    m.MacroKeyLoopNum = 9;
    const Loc f = Create(source, L"F", Loc::None(), true);
    Create(source, L"f1", f);
    const Loc sub = Create(source, L"Sub", f, true);
    Create(source, L"s1", sub);
    Create(source, L"B", Loc::None());
    Create(source, L"C", Loc::None());
    target.NextMacroKeyIndex = 100;
  }

  std::wstring Export(const Loc& selection) {
    const std::wstring path = dir.Program(L"x.mbf");
    EXPECT_TRUE(ExportMacroFile(path, source, selection));
    return path;
  }
  std::wstring NameAt(const Loc& at) const { return target.ItemAt(at)->MacroItemName; }

  test::TempFolder dir;
  MacroLibrary source, target, scratch;
};

TEST_F(ExchangeTest, DefaultExportNames) {
  EXPECT_EQ(DefaultMacroExportName(source, Loc::Level0(0)), L"A.mkf");
  EXPECT_EQ(DefaultBundleExportName(source, Loc::Level0(1)), L"F.mbf");
  EXPECT_EQ(DefaultBundleExportName(source, Loc::None()), L"AllMacroKey.mbf");
  EXPECT_EQ(DefaultBundleExportName(source, Loc::Level0(30)), L"AllMacroKey.mbf");
}

TEST_F(ExchangeTest, ExportWritesTheWholeLibraryWithTheSelectionInLineThree) {
  MacroLibrary one;
  Loc at = Loc::None();
  one.CreateMacro(L"Fire", at);
  one.ItemAt(at)->Macro->InsertAction(0, MacroAction::FromBytes(0xE0, 0x00, 0x00, 0x00));
  one.ItemAt(at)->Macro->MacroCommandActionNum = 1;
  ASSERT_TRUE(ExportMacroFile(dir.Program(L"Fire.mkf"), one, at));
  const std::string text =
      "[MacroLibrary]\n"
      "MacroKeyIndex=2\n"
      "Select Locaton:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;\n"
      "++++++++MacroItemName=Fire\n"
      "MacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;\n"
      "MacroItemIsFolder=0\n"
      "MacroItemFolderIsOpen=0\n"
      "MacroKeyIndex=1\n"
      "MacroKeyLoopType=2\n"
      "MacroKeyLoopNum=1\n"
      "MacroActionNum=1\n"
      "MacroCommandActionNum=1\n"
      "AllAction=E0000000" + std::string(249 * 8, '0') + "\n";
  EXPECT_EQ(dir.ReadBytes("Fire.mkf"), test::kBom + test::Le(text));
}

TEST_F(ExchangeTest, MacroImportCopiesContentUnderANewNumber) {
  const std::wstring path = Export(Loc::Level0(0));
  Create(target, L"existing", Loc::None());
  Loc selection = Loc::None();
  const auto result = ImportMacroFile(path, target, selection, scratch);
  EXPECT_EQ(result.status, Status::kImported);
  EXPECT_EQ(selection, Loc::Level0(1));
  const MacroKey& m = *target.ItemAt(selection)->Macro;
  EXPECT_EQ(m.Name, L"A");
  EXPECT_EQ(m.MacroKeyIndex, 101u);
  EXPECT_EQ(m.MacroActionNum, 3u);
  EXPECT_EQ(m.GetAction(1), MacroAction::Delay(20));
  EXPECT_EQ(m.MacroKeyLoopType, 4);
  EXPECT_EQ(m.MacroKeyLoopNum, 9);
  EXPECT_EQ(m.MacroCommandActionNum, 2);
  EXPECT_EQ(scratch.VisibleRowCount(), 0);  // the temporary library is emptied
}

TEST_F(ExchangeTest, MacroImportIntoSelectedFolderOpensIt) {
  const std::wstring path = Export(Loc::Level1(1, 0));  // "f1" inside "F"
  const Loc folder = Create(target, L"T", Loc::None(), true);
  Loc selection = folder;
  EXPECT_EQ(ImportMacroFile(path, target, selection, scratch).status, Status::kImported);
  EXPECT_EQ(selection, Loc::Level1(0, 0));
  EXPECT_EQ(NameAt(selection), L"f1");
  EXPECT_EQ(target.ItemAt(folder)->MacroItemFolderIsOpen, 1);
}

TEST_F(ExchangeTest, MacroImportRefusals) {
  // A folder at the file's location gives an empty macro of its name.
  Loc selection = Loc::None();
  EXPECT_EQ(ImportMacroFile(Export(Loc::Level1(1, 1)), target, selection, scratch).status, Status::kImported);
  EXPECT_EQ(NameAt(selection), L"Sub");
  EXPECT_TRUE(target.ItemAt(selection)->IsMacro());
  EXPECT_EQ(target.ItemAt(selection)->Macro->MacroActionNum, 0u);

  // The same name again.
  const auto before = target.NextMacroKeyIndex;
  selection = Loc::None();
  EXPECT_EQ(ImportMacroFile(Export(Loc::Level1(1, 1)), target, selection, scratch).status, Status::kNameExists);
  EXPECT_EQ(selection, Loc::None());
  EXPECT_EQ(target.NextMacroKeyIndex, before);

  // Line 3 addresses nothing, or the file is missing: nothing is created.
  EXPECT_EQ(ImportMacroFile(Export(Loc::None()), target, selection, scratch).status, Status::kNoItem);
  EXPECT_EQ(ImportMacroFile(Export(Loc::Level0(40)), target, selection, scratch).status, Status::kNoItem);
  EXPECT_EQ(ImportMacroFile(dir.Program(L"none.mkf"), target, selection, scratch).status, Status::kNotRead);
  EXPECT_EQ(target.VisibleRowCount(), 1);

  // No room at the place the selection gives.
  MacroLibrary full;
  for (int i = 0; i < 60; ++i) Create(full, std::to_wstring(i), Loc::None());
  selection = Loc::None();
  EXPECT_EQ(ImportMacroFile(Export(Loc::Level0(0)), full, selection, scratch).status, Status::kNoRoom);
  EXPECT_EQ(scratch.VisibleRowCount(), 0);
}

// With the selection on the first free level-0 slot the new item lands exactly on the selected
// slot; that is a creation like any other, not a refusal.
TEST_F(ExchangeTest, ImportsOntoTheSelectedFreeSlotAreCreated) {
  Create(target, L"x", Loc::None());
  Create(target, L"y", Loc::None());
  const auto next = target.NextMacroKeyIndex;
  Loc selection = Loc::Level0(2);
  const auto macro = ImportMacroFile(Export(Loc::Level0(0)), target, selection, scratch);  // "A"
  EXPECT_EQ(macro.status, Status::kImported);
  EXPECT_EQ(macro.created, 1);
  EXPECT_EQ(selection, Loc::Level0(2));
  EXPECT_EQ(target.ItemAt(selection)->Macro->MacroActionNum, 3u);  // filled, not an empty "A"
  EXPECT_EQ(target.NextMacroKeyIndex, next + 1);

  MacroLibrary second;
  Create(second, L"x", Loc::None());
  Create(second, L"y", Loc::None());
  const auto bundle = ImportBundleFile(Export(Loc::Level0(1)), second, Loc::Level0(2), scratch);  // "F"
  EXPECT_EQ(bundle.status, Status::kImported);
  EXPECT_EQ(bundle.created, 2);
  EXPECT_TRUE(second.ItemAt(Loc::Level0(2))->IsFolder());
  ASSERT_TRUE(second.ItemAt(Loc::Level1(2, 0))->IsMacro());  // the folder's macro came along
  EXPECT_EQ(second.ItemAt(Loc::Level1(2, 0))->MacroItemName, L"f1");
}

TEST_F(ExchangeTest, MacroImportFromTruncatedFileUsesWhatWasRead) {
  const std::wstring path = Export(Loc::Level0(0));
  std::string bytes = dir.ReadBytes("x.mbf");
  bytes.resize(bytes.size() - 200);  // cut into the last item's actions
  dir.WriteBytes("x.mbf", bytes);
  Loc selection = Loc::None();
  EXPECT_EQ(ImportMacroFile(path, target, selection, scratch).status, Status::kImported);
  EXPECT_EQ(target.ItemAt(selection)->Macro->MacroActionNum, 3u);
}

TEST_F(ExchangeTest, BundleFromSelectedMacroTakesItAndLaterSiblings) {
  const auto result = ImportBundleFile(Export(Loc::Level0(2)), target, Loc::None(), scratch);  // "B"
  EXPECT_EQ(result.status, Status::kImported);
  EXPECT_EQ(result.created, 2);
  EXPECT_EQ(NameAt(Loc::Level0(0)), L"B");
  EXPECT_EQ(NameAt(Loc::Level0(1)), L"C");
  EXPECT_EQ(target.VisibleRowCount(), 2);

  MacroLibrary second;
  const auto all = ImportBundleFile(Export(Loc::Level0(0)), second, Loc::None(), scratch);  // "A"
  EXPECT_EQ(all.created, 5);  // A, F with f1 (not Sub), B, C
  EXPECT_EQ(second.ItemAt(Loc::Level0(0))->Macro->MacroActionNum, 3u);
  EXPECT_TRUE(second.ItemAt(Loc::Level0(1))->IsFolder());
  EXPECT_EQ(second.ItemAt(Loc::Level1(1, 0))->MacroItemName, L"f1");
  EXPECT_FALSE(second.ItemAt(Loc::Level1(1, 1))->IsUsed());  // folders inside a folder stay behind
  EXPECT_EQ(second.ItemAt(Loc::Level0(3))->MacroItemName, L"C");
}

TEST_F(ExchangeTest, BundleOfWholeLibraryOrOneFolder) {
  const auto all = ImportBundleFile(Export(Loc::None()), target, Loc::None(), scratch);
  EXPECT_EQ(all.status, Status::kImported);
  EXPECT_EQ(all.created, 5);
  EXPECT_EQ(target.VisibleRowCount(), 4);

  MacroLibrary second;
  const Loc into = Create(second, L"Into", Loc::None(), true);
  const auto folder = ImportBundleFile(Export(Loc::Level0(1)), second, into, scratch);
  EXPECT_EQ(folder.created, 2);
  EXPECT_EQ(second.ItemAt(Loc::Level1(0, 0))->MacroItemName, L"F");
  EXPECT_EQ(second.ItemAt(Loc::Level2(0, 0, 0))->MacroItemName, L"f1");
  EXPECT_EQ(second.ItemAt(into)->MacroItemFolderIsOpen, 1);
  EXPECT_EQ(scratch.VisibleRowCount(), 0);
}

TEST_F(ExchangeTest, BundleIntoLevelOneFolderSkipsFolders) {
  const Loc top = Create(target, L"T", Loc::None(), true);
  const Loc mid = Create(target, L"M", top, true);
  const auto result = ImportBundleFile(Export(Loc::None()), target, mid, scratch);
  EXPECT_EQ(result.status, Status::kImported);
  EXPECT_EQ(result.created, 3);  // A, B, C; F has no place
  EXPECT_EQ(result.skipped, 2);  // F with its macro f1
  EXPECT_EQ(ImportNotice(result), kTextImportPartly);
  EXPECT_EQ(target.ItemAt(Loc::Level2(0, 0, 0))->MacroItemName, L"A");
  EXPECT_EQ(target.ItemAt(Loc::Level2(0, 0, 1))->MacroItemName, L"B");
  EXPECT_EQ(target.ItemAt(Loc::Level2(0, 0, 2))->MacroItemName, L"C");
}

// A bundle none of whose items finds a place is a failure and changes nothing: the selected
// folder stays closed, no number is given out.
TEST_F(ExchangeTest, BundleWithNoRoomForAnyItemChangesNothing) {
  const Loc folder = Create(target, L"T", Loc::None(), true);
  for (int i = 0; i < 60; ++i) Create(target, std::to_wstring(i), folder);
  target.ItemAt(folder)->MacroItemFolderIsOpen = 0;
  const auto next = target.NextMacroKeyIndex;
  const auto result = ImportBundleFile(Export(Loc::None()), target, folder, scratch);
  EXPECT_EQ(result.status, Status::kNoRoom);
  EXPECT_EQ(result.created, 0);
  EXPECT_EQ(result.skipped, 5);  // A, F with f1, B, C
  EXPECT_EQ(target.ItemAt(folder)->MacroItemFolderIsOpen, 0);
  EXPECT_EQ(target.NextMacroKeyIndex, next);
  EXPECT_EQ(target.VisibleRowCount(), 1);
}

// Every import that does not go through whole says why; a whole one says nothing.
TEST(ImportNotice, EveryFailureHasItsNotice) {
  struct Case {
    MacroImportResult result;
    int notice;
  };
  const Case cases[] = {
      {{Status::kImported, 3, 0}, 0},
      {{Status::kImported, 3, 2}, kTextImportPartly},
      {{Status::kNotRead, 0, 0}, kTextImportUnreadable},
      {{Status::kNoItem, 0, 0}, kTextImportNoItem},
      {{Status::kNameExists, 0, 0}, kTextNameExists},
      {{Status::kNoRoom, 0, 0}, kTextImportNoRoom},
      {{Status::kNoRoom, 0, 4}, kTextImportNoRoom},
  };
  for (const Case& c : cases) EXPECT_EQ(ImportNotice(c.result), c.notice) << static_cast<int>(c.result.status);
}

TEST_F(ExchangeTest, BundleWithAnyTakenNameImportsNothing) {
  Create(target, L"C", Loc::None(), true);  // a folder named like a source macro
  const auto result = ImportBundleFile(Export(Loc::None()), target, Loc::None(), scratch);
  EXPECT_EQ(result.status, Status::kNameExists);
  EXPECT_EQ(target.VisibleRowCount(), 1);
  EXPECT_EQ(target.NextMacroKeyIndex, 100);
  EXPECT_EQ(ImportBundleFile(Export(Loc::Level0(50)), target, Loc::None(), scratch).status, Status::kNoItem);
  EXPECT_EQ(ImportBundleFile(dir.Program(L"none.mbf"), target, Loc::None(), scratch).status, Status::kNotRead);
}

}  // namespace
}  // namespace gm
