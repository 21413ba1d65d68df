#include "macro/macro_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "settings/language_indexes.h"

namespace gm {
namespace {

// Answers the manager's questions from a script: each call takes the next answer (confirmed or
// not, with the value a confirmed dialog writes).
class ScriptedDialogs : public ManagerSubdialogs {
 public:
  struct Answer {
    bool confirm = false;
    std::wstring text;
    std::uint8_t key = 0;
    MacroAction action{};
  };
  bool AskName(int mode, std::wstring& name) override {
    asked.push_back(mode == kNameForFolder ? "folder-name" : "macro-name");
    return Take([&](const Answer& a) { name = a.text; });
  }
  bool AskRename(const std::wstring& current, std::wstring& name) override {
    asked.push_back("rename " + std::string(current.begin(), current.end()));
    return Take([&](const Answer& a) { name = a.text; });
  }
  bool EditKey(MacroAction& action) override {
    asked.push_back("key");
    return Take([&](const Answer& a) {
      action = MacroAction::FromBytes(a.key, action.Byte(1), action.Byte(2), action.Byte(3));
    });
  }
  bool EditDelay(MacroAction& action) override {
    asked.push_back("delay " + std::to_string(action.DelayMs()));
    return Take([&](const Answer& a) { action = a.action; });
  }
  bool EditAmount(int code, MacroAction& action) override {
    asked.push_back("amount " + std::to_string(code));
    return Take([&](const Answer& a) { action = a.action; });
  }

  std::deque<Answer> answers;
  std::vector<std::string> asked;

 private:
  template <typename F>
  bool Take(F write) {
    if (answers.empty()) return false;
    const Answer a = answers.front();
    answers.pop_front();
    if (a.confirm) write(a);
    return a.confirm;
  }
};

ScriptedDialogs::Answer Confirm(std::wstring text) { return {true, std::move(text)}; }
ScriptedDialogs::Answer ConfirmKey(std::uint8_t key) { return {true, {}, key}; }
ScriptedDialogs::Answer ConfirmAction(MacroAction a) { return {true, {}, 0, a}; }
const ScriptedDialogs::Answer kCancel{};

MacroAction Ev(std::uint8_t code, bool release) { return MacroAction::Event(code, release); }

class MacroEditorTest : public ::testing::Test {
 protected:
  // A library: level 0 "Folder" (open) holding "Inner"; level 0 "Solo".
  void SetUp() override {
    MacroItemLocation at;
    library.CreateFolder(L"Folder", at);
    folder = at;
    library.CreateMacro(L"Inner", at);
    inner = at;
    at = MacroItemLocation::None();
    library.CreateMacro(L"Solo", at);
    solo = at;
  }
  MacroKey& MacroAt(const MacroItemLocation& at) { return *library.ItemAt(at)->Macro; }
  // Gives the selected macro `commands` key presses (and no delays).
  void FillCommands(int commands) {
    MacroKey& m = *editor.SelectedMacro();
    for (int i = 0; i < commands; ++i) m.InsertAction(kMacroActionCapacity, Ev(0x41, i % 2 == 1));
    m.MacroCommandActionNum = static_cast<std::uint8_t>(commands);
  }

  MacroLibrary library;
  MacroItemLocation selection;
  ScriptedDialogs dialogs;
  MacroEditor editor{library, selection, dialogs};
  MacroItemLocation folder, inner, solo;
};

// ---- the tree ----

TEST_F(MacroEditorTest, NewMacroGoesIntoTheSelectedFolderWhichOpensAndTheNewMacroIsSelected) {
  library.ItemAt(folder)->MacroItemFolderIsOpen = 0;
  selection = folder;
  dialogs.answers = {Confirm(L"Fresh")};
  const EditorResult r = editor.NewMacro();
  EXPECT_EQ(r.notice, 0);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(selection, MacroItemLocation::Level1(0, 1));
  EXPECT_EQ(library.ItemAt(folder)->MacroItemFolderIsOpen, 1);
  ASSERT_NE(editor.SelectedMacro(), nullptr);
  EXPECT_EQ(editor.SelectedMacro()->Name, L"Fresh");
  EXPECT_EQ(dialogs.asked, (std::vector<std::string>{"macro-name"}));
}

TEST_F(MacroEditorTest, CreationRefusalsLeaveTheLibraryAndSelectionAlone) {
  struct Case {
    const char* what;
    bool folder;
    MacroItemLocation select;
    ScriptedDialogs::Answer answer;
    int notice;
  };
  const Case cases[] = {
      {"cancelled", false, MacroItemLocation::None(), kCancel, 0},
      {"empty macro name", false, MacroItemLocation::None(), Confirm(L""), kTextEmptyName},
      {"empty folder name", true, MacroItemLocation::None(), Confirm(L""), kTextEmptyName},
      // Folders and macros share one name space per parent.
      {"macro named as a level-0 folder", false, MacroItemLocation::None(), Confirm(L"Folder"), kTextNameExists},
      {"folder named as a macro in it", true, MacroItemLocation::Level0(0), Confirm(L"Inner"), kTextNameExists},
  };
  for (const Case& c : cases) {
    selection = c.select;
    dialogs.answers = {c.answer};
    const int before = library.VisibleRowCount();
    const EditorResult r = c.folder ? editor.NewFolder() : editor.NewMacro();
    EXPECT_EQ(r.notice, c.notice) << c.what;
    EXPECT_FALSE(r.changed) << c.what;
    EXPECT_EQ(selection, c.select) << c.what;
    EXPECT_EQ(library.VisibleRowCount(), before) << c.what;
  }
}

TEST_F(MacroEditorTest, AFullLevelTakesNoNewMacroAndSaysNothing) {
  MacroItemLocation at;
  for (int i = 2; i < kMacroSlotsPerLevel; ++i) {
    at = MacroItemLocation::None();
    library.CreateMacro(L"m" + std::to_wstring(i), at);
  }
  const auto next = library.NextMacroKeyIndex;
  selection = solo;
  dialogs.answers = {Confirm(L"one too many")};
  const EditorResult r = editor.NewMacro();
  EXPECT_EQ(r.notice, 0);
  EXPECT_FALSE(r.changed);
  EXPECT_EQ(selection, solo);
  EXPECT_EQ(library.NextMacroKeyIndex, next);
}

TEST_F(MacroEditorTest, RenameTakesANewNameAndRefusesEmptyOrTakenOnes) {
  selection = solo;
  struct Case {
    ScriptedDialogs::Answer answer;
    int notice;
    bool changed;
    const wchar_t* name;
  };
  const Case cases[] = {
      {kCancel, 0, false, L"Solo"},
      {Confirm(L"Solo"), 0, false, L"Solo"},  // unchanged counts as cancelled
      {Confirm(L""), kTextEmptyName, false, L"Solo"},
      {Confirm(L"Folder"), kTextNameExists, false, L"Solo"},
      {Confirm(L"Inner"), 0, true, L"Inner"},  // only siblings count: "Inner" lives in the folder
  };
  for (const Case& c : cases) {
    dialogs.answers = {c.answer};
    const EditorResult r = editor.Rename();
    EXPECT_EQ(r.notice, c.notice) << c.name;
    EXPECT_EQ(r.changed, c.changed) << c.name;
    EXPECT_EQ(library.ItemAt(solo)->MacroItemName, c.name);
    // The macro carries its item's name, as the library file's reader gives it.
    EXPECT_EQ(MacroAt(solo).Name, c.name);
  }
  EXPECT_EQ(dialogs.asked.front(), "rename Solo");
  selection = MacroItemLocation::None();
  dialogs.asked.clear();
  editor.Rename();
  EXPECT_TRUE(dialogs.asked.empty());  // nothing selected: no dialog
}

// A folder whose macro a button of the profile uses cannot go until the button is given another
// function.
TEST_F(MacroEditorTest, DeletingAFolderWithAnAssignedMacroIsRefusedUntilTheButtonIsReassigned) {
  ProfileRecord record;
  KeyAssignment& button = record.KeyAssignments[3];
  button.KeyValue = {0x90, 0x20, 0x01};
  button.MacroKeyIndex = MacroAt(inner).MacroKeyIndex;

  selection = MacroItemLocation::None();
  EXPECT_EQ(editor.DeleteRefusal(), kTextNothingSelected);
  selection = folder;
  EXPECT_EQ(editor.DeleteRefusal(), 0);
  EXPECT_EQ(editor.DeleteSelected(record).notice, kTextMacroInUse);
  EXPECT_TRUE(library.ItemAt(folder)->IsFolder());

  // The button keeps the number but no longer holds a macro function: the number alone does not
  // protect the folder.
  button.KeyValue = {0x10, 0x01, 0x00};
  const EditorResult r = editor.DeleteSelected(record);
  EXPECT_EQ(r.notice, 0);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(selection, MacroItemLocation::None());
  // "Solo" moved up into the freed slot.
  EXPECT_EQ(library.ItemAt(MacroItemLocation::Level0(0))->MacroItemName, L"Solo");
  EXPECT_EQ(library.VisibleRowCount(), 1);
}

TEST_F(MacroEditorTest, ADifferentAssignedMacroDoesNotProtectTheItem) {
  ProfileRecord record;
  record.KeyAssignments[0].KeyValue = {0x90, 0x20, 0x01};
  record.KeyAssignments[0].MacroKeyIndex = MacroAt(solo).MacroKeyIndex;
  EXPECT_FALSE(MacroInUseByButton(library, folder, record));
  EXPECT_TRUE(MacroInUseByButton(library, solo, record));
  EXPECT_TRUE(AnyButtonHoldsMacro(record));
  EXPECT_FALSE(AnyButtonHoldsMacro(ProfileRecord{}));
}

TEST_F(MacroEditorTest, TreeMenuOffersEntriesByWhatIsSelected) {
  EXPECT_EQ(TreeMenuEntries(library, MacroItemLocation::None()), (std::vector<int>{1, 2, 4, 7, 8}));
  EXPECT_EQ(TreeMenuEntries(library, MacroItemLocation::Level0(9)), (std::vector<int>{1, 2, 4, 7, 8}));  // free slot
  EXPECT_EQ(TreeMenuEntries(library, folder), (std::vector<int>{1, 2, 4, 5, 6, 7, 8}));
  EXPECT_EQ(TreeMenuEntries(library, inner), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

// ---- inserting actions ----

TEST_F(MacroEditorTest, ClicksGoAfterTheSelectedActionOrAtTheEnd) {
  selection = solo;
  FillCommands(4);
  int selected = -1;
  EXPECT_TRUE(editor.InsertAction(kInsertLeftClick, selected).changed);
  MacroKey& m = MacroAt(solo);
  ASSERT_EQ(m.MacroActionNum, 7u);
  EXPECT_EQ(m.GetAction(4), Ev(0xE0, false));
  EXPECT_EQ(m.GetAction(5), MacroAction::FromBytes(0x03, 0, 0, 0x32));
  EXPECT_EQ(m.GetAction(6), Ev(0xE0, true));
  EXPECT_EQ(selected, 6);
  EXPECT_EQ(m.MacroCommandActionNum, 6);

  selected = 0;
  EXPECT_TRUE(editor.InsertAction(kInsertMiddleClick, selected).changed);
  EXPECT_EQ(m.GetAction(1), Ev(0xE2, false));
  EXPECT_EQ(m.GetAction(3), Ev(0xE2, true));
  EXPECT_EQ(m.GetAction(4), Ev(0x41, true));  // the old second action moved on
  EXPECT_EQ(selected, 3);
}

TEST_F(MacroEditorTest, CommandLimitRefusesPairsAt124ButTakesASingleMove) {
  selection = solo;
  FillCommands(124);
  MacroKey& m = MacroAt(solo);
  int selected = -1;
  for (int code : {kInsertLeftClick, kInsertRightClick, kInsertKeyStroke}) {
    EXPECT_EQ(editor.InsertAction(code, selected).notice, kTextActionLimit) << code;
  }
  EXPECT_EQ(m.MacroActionNum, 124u);
  EXPECT_TRUE(dialogs.asked.empty());

  dialogs.answers = {ConfirmAction(MacroAction::FromBytes(0xE6, 0, 0, 0x05))};
  const EditorResult r = editor.InsertAction(kInsertMoveDown, selected);
  EXPECT_EQ(r.notice, 0);
  EXPECT_EQ(m.MacroCommandActionNum, 125);
  EXPECT_EQ(m.GetAction(124), MacroAction::FromBytes(0xE6, 0, 0, 0x05));
  EXPECT_EQ(selected, 124);
  EXPECT_EQ(editor.InsertAction(kInsertMoveUp, selected).notice, kTextActionLimit);
}

TEST_F(MacroEditorTest, At123CommandsAClickStillFits) {
  selection = solo;
  FillCommands(123);
  int selected = -1;
  EXPECT_EQ(editor.InsertAction(kInsertLeftClick, selected).notice, 0);
  EXPECT_EQ(MacroAt(solo).MacroCommandActionNum, 125);
}

// Hand-inserted delays can fill the 250 slots before the command limit: an insertion that does
// not fit is refused whole instead of leaving a press without its release.
TEST_F(MacroEditorTest, AnInsertionThatDoesNotFitIsRefusedWhole) {
  selection = solo;
  MacroKey& m = MacroAt(solo);
  for (int i = 0; i < 248; ++i) m.InsertAction(kMacroActionCapacity, MacroAction::Delay(10));
  int selected = -1;
  EXPECT_EQ(editor.InsertAction(kInsertRightClick, selected).notice, kTextActionLimit);
  EXPECT_EQ(m.MacroActionNum, 248u);
  EXPECT_EQ(m.MacroCommandActionNum, 0);
}

TEST_F(MacroEditorTest, InsertWithoutAMacroIsRefused) {
  int selected = -1;
  for (MacroItemLocation at : {MacroItemLocation::None(), folder}) {
    selection = at;
    EXPECT_EQ(editor.InsertAction(kInsertLeftClick, selected).notice, kTextNoMacroForInsert);
  }
}

TEST_F(MacroEditorTest, DialogInsertionsAreKeptOnConfirmAndTakenBackOnCancel) {
  selection = solo;
  MacroKey& m = MacroAt(solo);
  m.InsertAction(0, Ev(0x42, false));
  m.MacroCommandActionNum = 1;
  const MacroKey before = m;
  int selected = -1;

  dialogs.answers = {kCancel, kCancel, kCancel};
  for (int code : {kInsertKeyStroke, kInsertMoveLeft, kInsertWheelDown}) {
    EXPECT_FALSE(editor.InsertAction(code, selected).changed) << code;
    EXPECT_EQ(m, before) << code;
    EXPECT_EQ(selected, -1);
  }

  dialogs.answers = {ConfirmKey(0x5A)};
  EXPECT_TRUE(editor.InsertAction(kInsertKeyStroke, selected).changed);
  EXPECT_EQ(m.GetAction(1), Ev(0x5A, false));
  EXPECT_EQ(m.GetAction(2), MacroAction::Delay(50));
  EXPECT_EQ(m.GetAction(3), Ev(0x5A, true));
  EXPECT_EQ(m.MacroCommandActionNum, 3);
  EXPECT_EQ(selected, 3);
  EXPECT_EQ(dialogs.asked, (std::vector<std::string>{"key", "amount 5", "amount 10", "key"}));
}

TEST_F(MacroEditorTest, AmountDialogsStartFromTheMenuDirection) {
  selection = solo;
  struct Case {
    int code;
    MacroAction start;
  };
  const Case cases[] = {
      {kInsertMoveLeft, MacroAction::FromBytes(0xE5, 0, 0, 0xFF)},  {kInsertMoveRight, MacroAction::FromBytes(0xE5, 0, 0, 0x01)},
      {kInsertMoveUp, MacroAction::FromBytes(0xE6, 0, 0, 0xFF)},    {kInsertMoveDown, MacroAction::FromBytes(0xE6, 0, 0, 0x01)},
      {kInsertWheelUp, MacroAction::FromBytes(0xE7, 0, 0, 0x01)},   {kInsertWheelDown, MacroAction::FromBytes(0xE7, 0, 0, 0xFF)},
  };
  // A confirming dialog that keeps what it was given shows the starting action.
  class Keep : public ScriptedDialogs {
   public:
    bool EditAmount(int, MacroAction&) override { return true; }
  } keep;
  MacroEditor e(library, selection, keep);
  for (const Case& c : cases) {
    int selected = -1;
    ASSERT_TRUE(e.InsertAction(c.code, selected).changed);
    EXPECT_EQ(MacroAt(solo).GetAction(selected), c.start) << c.code;
  }
}

TEST_F(MacroEditorTest, DelayIsInsertedAfterACommandButEditedInPlaceAfterADelay) {
  selection = solo;
  MacroKey& m = MacroAt(solo);
  int selected = -1;

  // Empty macro: a 100 ms delay at 0, edited, cancelled → gone.
  dialogs.answers = {kCancel};
  EXPECT_FALSE(editor.InsertAction(kInsertDelay, selected).changed);
  EXPECT_EQ(m.MacroActionNum, 0u);
  dialogs.answers = {ConfirmAction(MacroAction::Delay(700))};
  EXPECT_TRUE(editor.InsertAction(kInsertDelay, selected).changed);
  EXPECT_EQ(m.MacroActionNum, 1u);
  EXPECT_EQ(m.GetAction(0), MacroAction::Delay(700));
  EXPECT_EQ(selected, 0);

  // The action before the insertion point is that delay: it is edited, nothing is added.
  dialogs.answers = {ConfirmAction(MacroAction::Delay(900))};
  EXPECT_TRUE(editor.InsertAction(kInsertDelay, selected).changed);
  EXPECT_EQ(m.MacroActionNum, 1u);
  EXPECT_EQ(m.GetAction(0), MacroAction::Delay(900));

  // After a command: inserted after it, the delay counts no command.
  m.InsertAction(1, Ev(0x41, false));
  m.MacroCommandActionNum = 1;
  selected = 1;
  dialogs.answers = {ConfirmAction(MacroAction::Delay(20))};
  EXPECT_TRUE(editor.InsertAction(kInsertDelay, selected).changed);
  EXPECT_EQ(m.MacroActionNum, 3u);
  EXPECT_EQ(m.GetAction(2), MacroAction::Delay(20));
  EXPECT_EQ(selected, 2);
  EXPECT_EQ(m.MacroCommandActionNum, 1);
  EXPECT_EQ(dialogs.asked, (std::vector<std::string>{"delay 100", "delay 100", "delay 700", "delay 100"}));
}

// ---- changing, moving and deleting actions ----

TEST_F(MacroEditorTest, ChangeKeepsPressOrReleaseAndLeavesMouseActionsAlone) {
  selection = solo;
  MacroKey& m = MacroAt(solo);
  m.InsertAction(0, Ev(0x41, true));
  m.InsertAction(1, Ev(0xE1, false));
  m.InsertAction(2, MacroAction::Delay(5));

  dialogs.answers = {ConfirmKey(0x70)};
  EXPECT_TRUE(editor.ChangeAction(0).changed);
  EXPECT_EQ(m.GetAction(0), Ev(0x70, true));
  EXPECT_FALSE(editor.ChangeAction(1).changed);  // no dialog for a mouse button
  dialogs.answers = {ConfirmAction(MacroAction::Delay(15300000))};
  EXPECT_TRUE(editor.ChangeAction(2).changed);
  EXPECT_EQ(m.GetAction(2), MacroAction::Delay(15300000));
  EXPECT_FALSE(editor.ChangeAction(-1).changed);
  EXPECT_FALSE(editor.ChangeAction(3).changed);
  EXPECT_EQ(dialogs.asked, (std::vector<std::string>{"key", "delay 5"}));
}

// Whatever key the key dialog hands back, a key action stays a key action: "<>|" (0xE2) is kept
// as the key it is (0xF3), any other code of the macro's mouse codes counts as no key chosen.
TEST_F(MacroEditorTest, KeysChosenUnderTheMouseCodesStayKeys) {
  selection = solo;
  MacroKey& m = MacroAt(solo);
  m.InsertAction(0, Ev(0x41, true));
  m.MacroCommandActionNum = 1;
  int selected = 0;

  dialogs.answers = {ConfirmKey(0xE2)};
  EXPECT_TRUE(editor.InsertAction(kInsertKeyStroke, selected).changed);
  ASSERT_EQ(m.MacroActionNum, 4u);
  EXPECT_EQ(m.GetAction(1), Ev(0xF3, false));
  EXPECT_EQ(m.GetAction(3), Ev(0xF3, true));
  dialogs.answers = {ConfirmKey(0xE2)};
  EXPECT_TRUE(editor.ChangeAction(0).changed);
  EXPECT_EQ(m.GetAction(0), Ev(0xF3, true));

  const MacroKey before = m;
  for (std::uint8_t code : {0xE0, 0xE1, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7}) {
    selected = 3;
    dialogs.answers = {ConfirmKey(code)};
    EXPECT_FALSE(editor.InsertAction(kInsertKeyStroke, selected).changed) << std::hex << int{code};
    EXPECT_EQ(selected, 3);
    dialogs.answers = {ConfirmKey(code)};
    EXPECT_FALSE(editor.ChangeAction(1).changed) << std::hex << int{code};
    EXPECT_EQ(m, before) << std::hex << int{code};
  }
}

TEST_F(MacroEditorTest, MovesFollowTheSelectionAndStopAtTheEnds) {
  selection = solo;
  MacroKey& m = MacroAt(solo);
  for (std::uint8_t c : {0x41, 0x42, 0x43, 0x44}) m.InsertAction(kMacroActionCapacity, Ev(c, false));
  auto codes = [&] {
    std::string s;
    for (unsigned i = 0; i < m.MacroActionNum; ++i) s += static_cast<char>(m.GetAction(static_cast<int>(i)).Code());
    return s;
  };
  struct Case {
    int code, from;
    const char* after;
    int selected;
    bool changed;
  };
  const Case cases[] = {
      {kMoveToBottom, 1, "ACDB", 3, true}, {kMoveDown, 3, "ACDB", 3, false}, {kMoveUp, 3, "ACBD", 2, true},
      {kMoveToTop, 2, "BACD", 0, true},    {kMoveUp, 0, "BACD", 0, false},   {kMoveToTop, -1, "BACD", -1, false},
  };
  for (const Case& c : cases) {
    int selected = c.from;
    EXPECT_EQ(editor.MoveAction(c.code, selected).changed, c.changed) << c.after;
    EXPECT_EQ(codes(), c.after);
    EXPECT_EQ(selected, c.selected) << c.after;
  }
}

TEST_F(MacroEditorTest, DeleteKeepsCountsAndTheSelectionInRange) {
  selection = solo;
  MacroKey& m = MacroAt(solo);
  m.InsertAction(0, Ev(0x41, false));
  m.InsertAction(1, MacroAction::Delay(30));
  m.InsertAction(2, Ev(0x41, true));
  m.MacroCommandActionNum = 2;

  int selected = 1;  // the delay: no command less
  EXPECT_TRUE(editor.DeleteAction(selected).changed);
  EXPECT_EQ(m.MacroCommandActionNum, 2);
  EXPECT_EQ(selected, 1);
  EXPECT_TRUE(editor.DeleteAction(selected).changed);  // the last one: selection moves back
  EXPECT_EQ(m.MacroCommandActionNum, 1);
  EXPECT_EQ(selected, 0);
  EXPECT_TRUE(editor.DeleteAction(selected).changed);
  EXPECT_EQ(m.MacroActionNum, 0u);
  EXPECT_EQ(selected, -1);
  EXPECT_FALSE(editor.DeleteAction(selected).changed);
}

// ---- replay ----

TEST(LoopCountFromText, LimitsTheCountToOneToTwoHundredFiftyFive) {
  const std::pair<const wchar_t*, int> cases[] = {
      {L"0", 1}, {L"", 1}, {L"1", 1}, {L"42", 42}, {L"255", 255}, {L"256", 255}, {L"300", 255},
      {L"99999999999999999999", 255}, {L"12x", 12}, {L"x", 1},
  };
  for (const auto& [text, count] : cases) EXPECT_EQ(LoopCountFromText(text), count) << text;
}

TEST_F(MacroEditorTest, CountBoxStoresTheLimitedValueAndSaysWhatToShow) {
  selection = solo;
  MacroKey& m = MacroAt(solo);
  EXPECT_EQ(editor.SetLoopCountText(L"0"), L"1");
  EXPECT_EQ(m.MacroKeyLoopNum, 1);
  EXPECT_EQ(editor.SetLoopCountText(L"300"), L"255");
  EXPECT_EQ(m.MacroKeyLoopNum, 255);
  EXPECT_EQ(editor.SetLoopCountText(L"17"), L"");  // the box keeps its text
  EXPECT_EQ(m.MacroKeyLoopNum, 17);
  EXPECT_EQ(editor.SetLoopCountText(L"12x"), L"");  // a typed letter stays; the number counts
  EXPECT_EQ(m.MacroKeyLoopNum, 12);
  EXPECT_EQ(editor.SetLoopCountText(L"17"), L"");

  editor.SetReplayMode(4);
  EXPECT_EQ(m.MacroKeyLoopType, 4);
  EXPECT_EQ(editor.SetLoopCountText(L"99"), L"");  // the count belongs to mode 2 only
  EXPECT_EQ(m.MacroKeyLoopNum, 17);
  editor.SetReplayMode(3);
  EXPECT_EQ(m.MacroKeyLoopType, 4);
}

}  // namespace
}  // namespace gm
