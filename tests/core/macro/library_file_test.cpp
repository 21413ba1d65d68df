#include "macro/library_file.h"

#include <gtest/gtest.h>

#include "settings/environment.h"
#include "settings/temp_folder.h"

namespace gm {
namespace {

using Loc = MacroItemLocation;
using test::kBom;
using test::Le;

const std::string kEmptyActions(2000, '0');
const std::string kHead =
    "[MacroLibrary]\n"
    "MacroKeyIndex=1\n"
    "Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;\n";

// A macro block as the file holds it, with `tabs` in front of every line.
std::string MacroBlock(const std::string& tabs, const std::string& name, const std::string& location,
                       const std::string& numbers, const std::string& actions) {
  std::string block = tabs + "++++++++MacroItemName=" + name + "\n" + tabs + "MacroItemLocation:" +
                      location + "\n" + tabs + "MacroItemIsFolder=0\n" + tabs +
                      "MacroItemFolderIsOpen=0\n";
  for (size_t start = 0; start < numbers.size();) {
    const size_t end = numbers.find('|', start);
    block += tabs + numbers.substr(start, end - start) + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return block + tabs + "AllAction=" + actions + "\n";
}

std::string FolderBlock(const std::string& tabs, const std::string& name, const std::string& location,
                        int open) {
  return tabs + "++++++++MacroItemName=" + name + "\n" + tabs + "MacroItemLocation:" + location + "\n" +
         tabs + "MacroItemIsFolder=1\n" + tabs + "MacroItemFolderIsOpen=" + std::to_string(open) + "\n";
}

class LibraryFileTest : public ::testing::Test {
 protected:
  std::wstring Path(const std::wstring& name = L"lib.mlf") const { return dir.Program(name); }
  std::string Bytes() const { return dir.ReadBytes("lib.mlf"); }
  void WriteText(const std::string& ascii) const { dir.WriteBytes("lib.mlf", kBom + Le(ascii)); }

  test::TempFolder dir;
};

TEST_F(LibraryFileTest, EmptyLibraryIsThreeLines) {
  MacroLibrary lib;
  ASSERT_TRUE(WriteLibraryFile(Path(), lib, Loc::None()));
  EXPECT_EQ(Bytes(), kBom + Le(kHead));

  MacroLibrary back;
  back.NextMacroKeyIndex = 50;
  Loc selected = Loc::Level0(3);
  ASSERT_TRUE(ReadLibraryFile(Path(), back, &selected));
  EXPECT_EQ(selected, Loc::None());
  EXPECT_TRUE(back == lib);
}

TEST_F(LibraryFileTest, NestedItemsAreWrittenLevelByLevelWithTabPrefixes) {
  MacroLibrary lib;
  Loc sel = Loc::None();
  ASSERT_EQ(lib.CreateMacro(L"Top", sel), kMacroNameOk);  // level 0 slot 0, number 1
  MacroKey& top = *lib.ItemAt(sel)->Macro;
  top.InsertAction(0, MacroAction::Event(0x41, false));
  top.InsertAction(1, MacroAction::Delay(300));
  top.InsertAction(2, MacroAction::Event(0x41, true));
  top.MacroCommandActionNum = 2;
  top.MacroKeyLoopType = 4;
  top.MacroKeyLoopNum = 255;
  Loc folder = Loc::None();
  ASSERT_EQ(lib.CreateFolder(L"F", folder), kMacroNameOk);  // level 0 slot 1
  lib.ItemAt(folder)->MacroItemFolderIsOpen = 1;
  Loc sub = folder;
  ASSERT_EQ(lib.CreateFolder(L"G", sub), kMacroNameOk);  // level 1 (1, 0)
  Loc inner = folder;
  ASSERT_EQ(lib.CreateMacro(L"a=b", inner), kMacroNameOk);  // level 1 (1, 1), number 2
  lib.ItemAt(inner)->Macro->InsertAction(0, MacroAction::FromBytes(0xE5, 0x00, 0x00, 0xFB));
  Loc deep = sub;
  ASSERT_EQ(lib.CreateMacro(L"deep", deep), kMacroNameOk);  // level 2 (1, 0, 0), number 3

  ASSERT_TRUE(WriteLibraryFile(Path(), lib, Loc::Level1(1, 1)));
  const std::string expected =
      "[MacroLibrary]\n"
      "MacroKeyIndex=4\n"
      "Select Locaton:stage=1;stage0Index=1;stage1Index=1;stage2Index=0;\n" +
      MacroBlock("", "Top", "stage=0;stage0Index=0;stage1Index=0;stage2Index=0;",
                 "MacroKeyIndex=1|MacroKeyLoopType=4|MacroKeyLoopNum=255|MacroActionNum=3|"
                 "MacroCommandActionNum=2",
                 "41000000" "0300012C" "41800000" + std::string(247 * 8, '0')) +
      FolderBlock("", "F", "stage=0;stage0Index=1;stage1Index=0;stage2Index=0;", 1) +
      FolderBlock("\t", "G", "stage=1;stage0Index=1;stage1Index=0;stage2Index=0;", 0) +
      MacroBlock("\t", "a=b", "stage=1;stage0Index=1;stage1Index=1;stage2Index=0;",
                 "MacroKeyIndex=2|MacroKeyLoopType=2|MacroKeyLoopNum=1|MacroActionNum=1|"
                 "MacroCommandActionNum=0",
                 "E50000FB" + std::string(249 * 8, '0')) +
      MacroBlock("\t\t", "deep", "stage=2;stage0Index=1;stage1Index=0;stage2Index=0;",
                 "MacroKeyIndex=3|MacroKeyLoopType=2|MacroKeyLoopNum=1|MacroActionNum=0|"
                 "MacroCommandActionNum=0",
                 kEmptyActions);
  EXPECT_EQ(Bytes(), kBom + Le(expected));

  MacroLibrary back;
  Loc selected;
  ASSERT_TRUE(ReadLibraryFile(Path(), back, &selected));
  EXPECT_EQ(selected, Loc::Level1(1, 1));
  EXPECT_TRUE(back == lib);
  EXPECT_EQ(back.ItemAt(Loc::Level1(1, 1))->MacroItemName, L"a=b");
  EXPECT_EQ(back.ItemAt(Loc::Level1(1, 1))->Macro->Name, L"a=b");
}

TEST_F(LibraryFileTest, FreeSlotsProduceNothingWhereverTheyAre) {
  MacroLibrary lib;
  ASSERT_TRUE(lib.PlaceFolderAt(L"F", Loc::Level0(2), false));
  ASSERT_TRUE(lib.PlaceFolderAt(L"G", Loc::Level1(2, 59), false));
  // A name set by hand under a free slot is no item of the tree and is not written.
  lib.ItemAt(Loc::Level1(5, 0))->MacroItemName = L"orphan";
  ASSERT_TRUE(WriteLibraryFile(Path(), lib, Loc::None()));
  EXPECT_EQ(Bytes(), kBom + Le(kHead + FolderBlock("", "F", "stage=0;stage0Index=2;stage1Index=0;stage2Index=0;", 0) +
                               FolderBlock("\t", "G", "stage=1;stage0Index=2;stage1Index=59;stage2Index=0;", 0)));
}

TEST_F(LibraryFileTest, ReaderTakesValuesAfterFirstEqualsAndIgnoresKeysAndPrefixes) {
  // Keys renamed, prefixes changed, numbers with trailing text; only the values count.
  WriteText(
      "[MacroLibrary]\n"
      "Anything=7\n"
      "x=0;y=2;z=0;w=0;\n"
      "  name:=Key=Value\n"
      "loc=0;a=2;b=9;c=1\n"
      "f=0\n"
      "o=1\n"
      "i=4294967295\n"
      "t=1x\n"
      "n=zz\n"
      "a=1\n"
      "c=1\n"
      "all=" + std::string("4180ABCD") + std::string(249 * 8, 'f') + "\n");
  MacroLibrary lib;
  Loc selected;
  ASSERT_TRUE(ReadLibraryFile(Path(), lib, &selected));
  EXPECT_EQ(lib.NextMacroKeyIndex, 7);
  EXPECT_EQ(selected, Loc::Level0(2));
  const MacroItem* item = lib.ItemAt(Loc::Level0(2));
  ASSERT_TRUE(item->IsMacro());
  EXPECT_EQ(item->MacroItemName, L"Key=Value");
  EXPECT_EQ(item->MacroItemFolderIsOpen, 0);  // a macro is never open
  const MacroKey& m = *item->Macro;
  EXPECT_EQ(m.Name, L"Key=Value");
  EXPECT_EQ(m.MacroKeyIndex, 4294967295u);
  EXPECT_EQ(m.MacroKeyLoopType, 1);
  EXPECT_EQ(m.MacroKeyLoopNum, 0);  // unparsable reads as 0
  EXPECT_EQ(m.MacroActionNum, 1u);
  EXPECT_EQ(m.Actions[0], MacroAction::FromBytes(0x41, 0x80, 0xAB, 0xCD));
  EXPECT_EQ(m.Actions[249].word, 0xFFFFFFFFu);
}

// A middle-button press stored as E2 stays a middle-button press, and the "<>|" key stored under
// its private code F3 stays that key; both are written back byte for byte.
TEST_F(LibraryFileTest, MouseCodesAndThePrivateKeyCodeReadAndWriteAsStored) {
  const std::string actions = "E2000000" "03000032" "E2800000" "F3000000" "F3800000" + std::string(245 * 8, '0');
  const std::string text =
      kHead + MacroBlock("", "Old", "stage=0;stage0Index=0;stage1Index=0;stage2Index=0;",
                         "MacroKeyIndex=1|MacroKeyLoopType=2|MacroKeyLoopNum=1|MacroActionNum=5|MacroCommandActionNum=4",
                         actions);
  WriteText(text);
  MacroLibrary lib;
  ASSERT_TRUE(ReadLibraryFile(Path(), lib));
  const MacroKey& m = *lib.ItemAt(Loc::Level0(0))->Macro;
  EXPECT_EQ(m.GetAction(0), MacroAction::FromBytes(0xE2, 0x00, 0x00, 0x00));
  EXPECT_EQ(ActionText(m.GetAction(0)), L"M Key");
  EXPECT_EQ(m.GetAction(3), MacroAction::FromBytes(0xF3, 0x00, 0x00, 0x00));
  EXPECT_EQ(m.GetAction(4), MacroAction::FromBytes(0xF3, 0x80, 0x00, 0x00));
  ASSERT_TRUE(WriteLibraryFile(Path(L"back.mlf"), lib, Loc::None()));
  EXPECT_EQ(dir.ReadBytes("back.mlf"), kBom + Le(text));
}

// The library's text read back gives the same library, as the file would.
TEST_F(LibraryFileTest, TextReadsBackAsTheFileWould) {
  MacroLibrary lib;
  Loc folder = Loc::None();
  lib.CreateFolder(L"F", folder);
  Loc inner = folder;
  lib.CreateMacro(L"In", inner);
  lib.ItemAt(inner)->Macro->InsertAction(0, MacroAction::Event(0x41, false));
  lib.ItemAt(inner)->Macro->MacroCommandActionNum = 1;
  lib.RenameItem(inner, L"Renamed");
  MacroLibrary back;
  Loc selected;
  ASSERT_TRUE(ReadLibraryText(LibraryText(lib, Loc::Level1(0, 0)), back, &selected));
  EXPECT_EQ(selected, Loc::Level1(0, 0));
  EXPECT_EQ(back.NextMacroKeyIndex, 2);
  EXPECT_EQ(back.ItemAt(inner)->MacroItemName, L"Renamed");
  EXPECT_EQ(back.ItemAt(inner)->Macro->Name, L"Renamed");  // named after its item, as on reading
  EXPECT_EQ(back.ItemAt(inner)->Macro->GetAction(0), MacroAction::Event(0x41, false));
  EXPECT_TRUE(ReadLibraryText(LibraryText(MacroLibrary(), Loc::None()), back));
  EXPECT_EQ(back.VisibleRowCount(), 0);
  EXPECT_FALSE(ReadLibraryText(L"[MacroLibrary]\nMacroKeyIndex=3\n", back));
}

TEST_F(LibraryFileTest, MalformedLinesStopTheReadAndKeepEarlierItems) {
  const std::string first =
      MacroBlock("", "ok", "stage=0;stage0Index=0;stage1Index=0;stage2Index=0;",
                 "MacroKeyIndex=5|MacroKeyLoopType=2|MacroKeyLoopNum=1|MacroActionNum=0|"
                 "MacroCommandActionNum=0",
                 kEmptyActions);
  const std::string at1 = "stage=0;stage0Index=1;stage1Index=0;stage2Index=0;";
  const std::string nums =
      "MacroKeyIndex=6|MacroKeyLoopType=2|MacroKeyLoopNum=1|MacroActionNum=0|MacroCommandActionNum=0";
  struct Case {
    const char* what;
    std::string second;
  };
  const Case cases[] = {
      {"1,999 digits", MacroBlock("", "bad", at1, nums, std::string(1999, '0'))},
      {"2,001 digits", MacroBlock("", "bad", at1, nums, std::string(2001, '0'))},
      {"more than 250 actions",
       MacroBlock("", "bad", at1,
                  "MacroKeyIndex=6|MacroKeyLoopType=2|MacroKeyLoopNum=1|MacroActionNum=251|"
                  "MacroCommandActionNum=0",
                  kEmptyActions)},
      {"line without equals", MacroBlock("", "bad", at1, "MacroKeyIndex=6|MacroKeyLoopType 2|x=1|y=0|z=0", kEmptyActions)},
      {"equals sign last", "++++++++MacroItemName=\nMacroItemLocation:" + at1 + "\n"},
      {"location without equals", "++++++++MacroItemName=bad\nMacroItemLocation:stage=0;stage0Index=1;\n"},
      {"block cut short", "++++++++MacroItemName=bad\nMacroItemLocation:" + at1 + "\nMacroItemIsFolder=0\n"},
      {"empty line", "\n"},
      {"stage outside the tree", FolderBlock("", "bad", "stage=3;stage0Index=0;stage1Index=0;stage2Index=0;", 0)},
      {"index outside the tree", FolderBlock("", "bad", "stage=0;stage0Index=60;stage1Index=0;stage2Index=0;", 0)},
      {"negative index", MacroBlock("", "bad", "stage=2;stage0Index=0;stage1Index=-1;stage2Index=0;", nums, kEmptyActions)},
      {"child of a macro", FolderBlock("", "bad", "stage=1;stage0Index=0;stage1Index=0;stage2Index=0;", 0)},
      {"child of a free slot", FolderBlock("", "bad", "stage=1;stage0Index=9;stage1Index=0;stage2Index=0;", 0)},
  };
  for (const auto& c : cases) {
    WriteText(kHead + first + c.second);
    MacroLibrary lib;
    EXPECT_FALSE(ReadLibraryFile(Path(), lib)) << c.what;
    EXPECT_EQ(lib.ItemAt(Loc::Level0(0))->MacroItemName, L"ok") << c.what;
    EXPECT_EQ(lib.VisibleRowCount(), 1) << c.what;
    EXPECT_EQ(lib.AllocatedBlocks(), 0) << c.what;
  }
}

TEST_F(LibraryFileTest, BadHeaderOrMissingFile) {
  MacroLibrary lib;
  Loc created = Loc::None();
  lib.CreateMacro(L"kept", created);
  EXPECT_FALSE(ReadLibraryFile(Path(L"missing.mlf"), lib));
  EXPECT_EQ(lib.VisibleRowCount(), 1);  // an unopenable file leaves the library as it was

  for (const std::string text : {"[MacroLibrary] \nMacroKeyIndex=1\n", "[MacroLibrary]\nMacroKeyIndex=\n",
                                 "[MacroLibrary]\nMacroKeyIndex=1\nSelect Locaton:stage\n",
                                 "[MacroLibrary]\nMacroKeyIndex=1\n", ""}) {
    WriteText(text);
    EXPECT_FALSE(ReadLibraryFile(Path(), lib)) << text;
    EXPECT_EQ(lib.VisibleRowCount(), 0) << text;
  }
}

TEST_F(LibraryFileTest, LineFeedInANameCannotShiftTheFields) {
  MacroLibrary lib;
  Loc at = Loc::None();
  lib.CreateMacro(L"two\nlines", at);
  ASSERT_TRUE(WriteLibraryFile(Path(), lib, Loc::None()));
  MacroLibrary back;
  ASSERT_TRUE(ReadLibraryFile(Path(), back));
  EXPECT_EQ(back.ItemAt(at)->MacroItemName, L"two lines");
}

TEST_F(LibraryFileTest, FailedWriteKeepsTheOldFile) {
  MacroLibrary lib;
  ASSERT_TRUE(WriteLibraryFile(Path(), lib, Loc::None()));
  const std::string before = Bytes();
  EXPECT_FALSE(WriteLibraryFile(dir.Program(L"no such folder\\lib.mlf"), lib, Loc::None()));
  EXPECT_EQ(Bytes(), before);
}

TEST_F(LibraryFileTest, StartupLoadAndSaveUseTheDataFolder) {
  std::filesystem::create_directories(dir.Path() / "config");
  const std::wstring dataFolder = dir.Program();
  EXPECT_EQ(LibraryFilePath(dataFolder), dir.Program(L"config\\MacroLibraryFile.mlf"));

  MacroLibrary lib;
  Loc at = Loc::None();
  lib.CreateMacro(L"saved", at);
  ASSERT_TRUE(SaveLibraryFile(lib, dataFolder));
  lib.Clear();
  ASSERT_TRUE(LoadLibraryAtStartup(lib, dataFolder));
  EXPECT_EQ(lib.ItemAt(at)->MacroItemName, L"saved");
  EXPECT_EQ(lib.NextMacroKeyIndex, 2);
}

// Fills `lib` with `macros` macros of 250 actions spread over folders at every level.
void FillLarge(MacroLibrary& lib, int macros) {
  int made = 0;
  for (int f0 = 0; f0 < 10 && made < macros; ++f0) {
    Loc top = Loc::None();
    lib.CreateFolder(L"Folder " + std::to_wstring(f0), top);
    lib.ItemAt(top)->MacroItemFolderIsOpen = f0 % 2;
    for (int f1 = 0; f1 < 5 && made < macros; ++f1) {
      Loc mid = top;
      lib.CreateFolder(L"Sub " + std::to_wstring(f1), mid);
      // 4 macros beside the subfolder (level 1), 36 inside it (level 2).
      for (int m = 0; m < 40 && made < macros; ++m, ++made) {
        Loc at = (m < 4) ? top : mid;
        lib.CreateMacro(L"Macro \u00e9\u4e2d " + std::to_wstring(made), at);
        ASSERT_TRUE(lib.ItemAt(at)->IsMacro()) << made;
        MacroKey& key = *lib.ItemAt(at)->Macro;
        for (int a = 0; a < kMacroActionCapacity; ++a)
          key.InsertAction(a, MacroAction{static_cast<std::uint32_t>(made * 7919u + a * 104729u)});
        key.MacroCommandActionNum = 125;
        key.MacroKeyLoopNum = static_cast<std::uint8_t>(made);
      }
    }
  }
}

TEST_F(LibraryFileTest, LargeLibraryRoundTrip) {
  MacroLibrary lib;
  FillLarge(lib, 2000);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_EQ(lib.NextMacroKeyIndex, 2001);
  ASSERT_TRUE(WriteLibraryFile(Path(), lib, Loc::Level2(3, 4, 5)));
  MacroLibrary back;
  Loc selected;
  ASSERT_TRUE(ReadLibraryFile(Path(), back, &selected));
  EXPECT_EQ(selected, Loc::Level2(3, 4, 5));
  EXPECT_TRUE(back == lib);
  EXPECT_EQ(Bytes().size(), 2 + 2 * LibraryText(lib, Loc::Level2(3, 4, 5)).size());
}

}  // namespace
}  // namespace gm
