#include "assign/assignment_rules.h"

#include <gtest/gtest.h>

#include "settings/language_indexes.h"

namespace gm {
namespace {

class AssignmentRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = L"t" + std::to_wstring(i);
    ResetProfile(record, 0, texts, 0);
  }
  // Stores a menu choice on `button` and runs the guard, as the main window does.
  GuardOutcome Choose(int button, FunctionMenuId menu, int entry) {
    const auto choice = MenuSelection(FunctionMenuOf(menu), entry, texts);
    EXPECT_TRUE(choice);
    StoreAssignment(record, button, choice->name, choice->value, nullptr, 0, {});
    return ApplyLeftButtonGuard(record, button, texts);
  }

  LanguageTable texts;
  ProfileRecord record;
};

TEST_F(AssignmentRulesTest, StoreWritesOneButtonAndIgnoresOthers) {
  MacroKey macro(L"burst");
  macro.MacroActionNum = 3;
  StoreAssignment(record, 2, L"M", {0x90, 0, 0}, &macro, 7, L"");
  const KeyAssignment& key = record.KeyAssignments[2];
  EXPECT_EQ(key.KeyName, L"M");
  EXPECT_EQ(key.KeyValue, (ThreeBytes{0x90, 0, 0}));
  EXPECT_EQ(key.MacroKeyIndex, 7u);
  EXPECT_EQ(key.Macro, macro);

  // A later store without a macro replaces name, code and URL and keeps the macro copy.
  StoreAssignment(record, 2, L"Calc", {0x60, 0x05, 0}, nullptr, 0, L"C:\\calc.exe");
  EXPECT_EQ(key.KeyURL, L"C:\\calc.exe");
  EXPECT_EQ(key.MacroKeyIndex, 7u);
  StoreAssignment(record, 2, L"Off", {0, 0, 0}, nullptr, 0, {});
  EXPECT_EQ(key.KeyURL, L"");

  const ProfileRecord before = record;
  for (int button : {-1, 6, 8}) StoreAssignment(record, button, L"x", {0x10, 2, 0}, nullptr, 0, L"u");
  EXPECT_EQ(record, before);
}

TEST_F(AssignmentRulesTest, RightClickOnTheOnlyLeftButtonRevertsToLeftClick) {
  ASSERT_EQ(LeftClickButtonCount(record), 1);
  EXPECT_EQ(Choose(0, FunctionMenuId::kMain, 2), GuardOutcome::kLeftClickRestored);
  EXPECT_EQ(record.KeyAssignments[0].KeyName, texts[kTextLeftClick]);
  EXPECT_EQ(record.KeyAssignments[0].KeyValue, (ThreeBytes{0x10, 0x01, 0x00}));
  EXPECT_EQ(LeftClickButtonCount(record), 1);
}

TEST_F(AssignmentRulesTest, DisablingButtonZeroIsAcceptedWhileAnotherButtonIsLeftClick) {
  EXPECT_EQ(Choose(1, FunctionMenuId::kMain, 1), GuardOutcome::kUpload);
  EXPECT_EQ(Choose(0, FunctionMenuId::kMain, 17), GuardOutcome::kUpload);
  EXPECT_EQ(record.KeyAssignments[0].KeyName, L"t34");
  EXPECT_EQ(record.KeyAssignments[0].KeyValue, (ThreeBytes{0, 0, 0}));
  // Only byte 0 and 1 count: 10 01 with any third byte is a left button.
  record.KeyAssignments[1].KeyValue = {0x10, 0x01, 0x07};
  EXPECT_EQ(LeftClickButtonCount(record), 1);
}

TEST_F(AssignmentRulesTest, MenuChoicesStoreTheirBytes) {
  EXPECT_EQ(Choose(3, FunctionMenuId::kDpiLock, 6), GuardOutcome::kUpload);
  EXPECT_EQ(record.KeyAssignments[3].KeyName, L"t36-700");
  EXPECT_EQ(record.KeyAssignments[3].KeyValue, (ThreeBytes{0x50, 0x06, 0x00}));
  Choose(4, FunctionMenuId::kMultimedia, 9);
  EXPECT_EQ(record.KeyAssignments[4].KeyValue, (ThreeBytes{0x80, 0x8A, 0x01}));
  Choose(5, FunctionMenuId::kOffice, 8);
  EXPECT_EQ(record.KeyAssignments[5].KeyValue, (ThreeBytes{0x70, 0x08, 0x08}));
}

TEST_F(AssignmentRulesTest, MacroSlotLimit) {
  record.KeyAssignments[1].KeyValue = {0x90, 0x21, 0x01};
  struct Case {
    int button;
    int slotNext;
    bool allowed;
  };
  const Case cases[] = {
      {2, 1, true},    // no macro in use
      {2, 15, true},   // the fifteenth slot is still free
      {2, 16, false},  // 15 distinct macros in use
      {1, 16, true},   // the button already holds a macro: its slot is reused
      {6, 16, true},   // a control whose choice is not stored is not checked
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MacroAssignmentAllowed(record, c.button, c.slotNext), c.allowed) << c.button << " " << c.slotNext;
  }
  EXPECT_EQ(kMacroLimitTitle, L"Attention!");
  EXPECT_EQ(kMacroLimitText, L"The number of macro keys set is already the maximum value!");
}

TEST_F(AssignmentRulesTest, MacroSelectionResult) {
  MacroItem item;
  item.MacroItemName = L"Burst";
  item.Macro = std::make_unique<MacroKey>(L"Burst");
  item.Macro->MacroKeyIndex = 12;
  item.Macro->MacroActionNum = 2;
  const AssignmentChoice chosen = MacroSelectionChoice(&item, texts);
  EXPECT_EQ(chosen.record, (SelectionRecord{L"t190Burst", {0x90, 0, 0}}));
  EXPECT_EQ(chosen.macro, item.Macro.get());
  EXPECT_EQ(chosen.macroIndex, 12u);
  StoreChoice(record, 3, chosen);
  EXPECT_EQ(record.KeyAssignments[3].Macro, *item.Macro);
  EXPECT_EQ(record.KeyAssignments[3].MacroKeyIndex, 12u);

  MacroItem folder;
  folder.MacroItemName = L"Games";
  folder.MacroItemIsFolder = 1;
  for (const MacroItem* none : {static_cast<const MacroItem*>(nullptr), static_cast<const MacroItem*>(&folder)}) {
    const AssignmentChoice off = MacroSelectionChoice(none, texts);
    EXPECT_EQ(off.record, (SelectionRecord{L"t34", {0, 0, 0}}));
    EXPECT_EQ(off.macro, nullptr);
  }
}

TEST_F(AssignmentRulesTest, ProgramLaunchResult) {
  const AssignmentChoice c = ProgramLaunchChoice(L"C:\\Tools\\calc.exe");
  EXPECT_EQ(c.record, (SelectionRecord{L"calc.exe", {0x60, 0x05, 0x00}}));
  EXPECT_EQ(c.url, L"C:\\Tools\\calc.exe");
  EXPECT_EQ(ProgramLaunchChoice(L"https://example.com/a").record.name, L"a");
  EXPECT_EQ(ProgramLaunchChoice(L"notepad").record.name, L"notepad");
  StoreChoice(record, 5, c);
  EXPECT_EQ(record.KeyAssignments[5].KeyURL, L"C:\\Tools\\calc.exe");
  EXPECT_EQ(record.KeyAssignments[5].KeyName, L"calc.exe");
}

// The launch dialog's report keeps the name it sent and stores the path beside it; on the only left
// button the guard takes the launch target away again with the function.
TEST_F(AssignmentRulesTest, LaunchReportStoresItsPathAsTheTarget) {
  StoreChoice(record, 4, LaunchReportChoice({L"game.exe", {0x60, 0x05, 0x00}}, L"D:\\Games\\game.exe"));
  EXPECT_EQ(ApplyLeftButtonGuard(record, 4, texts), GuardOutcome::kUpload);
  EXPECT_EQ(record.KeyAssignments[4].KeyName, L"game.exe");
  EXPECT_EQ(record.KeyAssignments[4].KeyValue, (ThreeBytes{0x60, 0x05, 0x00}));
  EXPECT_EQ(record.KeyAssignments[4].KeyURL, L"D:\\Games\\game.exe");

  // Confirmed without browsing: an empty name and an empty target, never the previous target.
  StoreChoice(record, 4, LaunchReportChoice({L"", {0x60, 0x05, 0x00}}, L""));
  EXPECT_EQ(record.KeyAssignments[4].KeyURL, L"");
  EXPECT_EQ(record.KeyAssignments[4].KeyName, L"");

  StoreChoice(record, 0, LaunchReportChoice({L"a.exe", {0x60, 0x05, 0x00}}, L"C:\\a.exe"));
  EXPECT_EQ(ApplyLeftButtonGuard(record, 0, texts), GuardOutcome::kLeftClickRestored);
  EXPECT_EQ(record.KeyAssignments[0].KeyValue, (ThreeBytes{0x10, 0x01, 0x00}));
  EXPECT_EQ(record.KeyAssignments[0].KeyURL, L"");
}

}  // namespace
}  // namespace gm
