// The library tree and the action list over a real macro library.
#include <gtest/gtest.h>

#include "macro/macro_library.h"
#include "ui/macro_lists.h"
#include "ui_test_support.h"

using uitest::Notice;

namespace {

class MacroListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    skins_.Solid(L"skins\\foldr_open.png", 16, 16, RGB(255, 255, 0));
    skins_.Solid(L"skins\\foldr_close.png", 16, 16, RGB(0, 255, 255));
    // Rows: folder "F" (open) with macro "inner", then macro "top".
    gm::MacroItemLocation at = gm::MacroItemLocation::None();
    ASSERT_EQ(library_.CreateFolder(L"F", at), gm::kMacroNameOk);
    folder_ = at;
    ASSERT_EQ(library_.CreateMacro(L"inner", at), gm::kMacroNameOk);
    library_.ItemAt(folder_)->MacroItemFolderIsOpen = 1;
    at = gm::MacroItemLocation::None();
    ASSERT_EQ(library_.CreateMacro(L"top", at), gm::kMacroNameOk);
    ASSERT_EQ(library_.VisibleRowCount(), 3);
  }
  uitest::SkinFolder skins_;
  uitest::RecorderWindow owner_{skins_};
  gm::MacroLibrary library_;
  gm::MacroItemLocation folder_;
};

}  // namespace

TEST_F(MacroListTest, PressSelectsRowsAndTheFolderIconToggles) {
  gm::win::CEditShowList tree(owner_, 2015, {0, 0, 200, 200}, library_);
  ASSERT_TRUE(tree.LoadSkin());
  EXPECT_EQ(tree.VisibleRows(), 10);
  tree.OnLButtonDown(0, 100, 25);  // row 1, the macro inside the folder
  EXPECT_EQ(tree.SelectedRow(), 1);
  EXPECT_EQ(tree.Selected(), folder_.Child(0));
  tree.OnLButtonDown(0, 100, 5);  // folder row, right of its icon: stays open
  EXPECT_EQ(library_.ItemAt(folder_)->MacroItemFolderIsOpen, 1);
  tree.OnLButtonDown(0, 8, 5);  // on the icon: closes
  EXPECT_EQ(library_.ItemAt(folder_)->MacroItemFolderIsOpen, 0);
  EXPECT_EQ(tree.RowCount(), 2);
  tree.OnLButtonDown(0, 100, 150);  // below the last row
  EXPECT_EQ(tree.SelectedRow(), -1);
  EXPECT_EQ(tree.Selected().stage, -1);
  EXPECT_TRUE(owner_.notices.empty());  // presses tell nothing
}

TEST_F(MacroListTest, DoubleClickFlipsTheOpenFlagOfAnyRowAndNotifies) {
  gm::win::CEditShowList tree(owner_, 2015, {0, 0, 200, 200}, library_);
  tree.OnLButtonDblClk(0, 100, 45);  // row 2: the level-0 macro
  EXPECT_EQ(tree.SelectedRow(), 2);
  EXPECT_EQ(library_.ItemAt(gm::MacroItemLocation::Level0(1))->MacroItemFolderIsOpen, 1);
  EXPECT_EQ(owner_.notices, (std::vector<Notice>{{2015, 0, 10}}));
}

TEST_F(MacroListTest, RightClickSelectsAndPassesThePoint) {
  gm::win::CEditShowList tree(owner_, 2015, {0, 0, 200, 200}, library_);
  tree.OnRButtonUp(0, 30, 45);
  EXPECT_EQ(tree.SelectedRow(), 2);
  ASSERT_EQ(owner_.events.size(), 1u);
  EXPECT_EQ(owner_.events[0].event, gm::win::kEventRightClick);
  EXPECT_EQ(owner_.events[0].at.x, 30);
  EXPECT_EQ(owner_.events[0].at.y, 45);
  EXPECT_EQ(tree.Selected(), gm::MacroItemLocation::Level0(1));
}

TEST_F(MacroListTest, TreeDrawsSelectionIconsAndIndent) {
  gm::win::CEditShowList tree(owner_, 2015, {0, 0, 200, 200}, library_);
  ASSERT_TRUE(tree.LoadSkin());
  tree.SetSelectedRow(2);
  uitest::Surface s(200, 200);
  tree.Draw(s.Dc(), s.Bounds());
  EXPECT_EQ(s.Pixel(8, 8), RGB(255, 255, 0));     // open folder icon on row 0
  EXPECT_EQ(s.Pixel(150, 45), 0xDEA035u);         // selection bar of row 2
  EXPECT_EQ(s.Pixel(150, 25), 0x4B4B4Bu);         // unselected row
  EXPECT_EQ(s.Pixel(1, 45), 0x4B4B4Bu);           // bar starts 2 units in
}

TEST_F(MacroListTest, ActionListRowsAndIcons) {
  skins_.Solid(L"skins\\macro_up.png", 10, 10, RGB(255, 0, 0));
  skins_.Solid(L"skins\\macro_down.png", 10, 10, RGB(0, 255, 0));
  skins_.Solid(L"skins\\macro_time.png", 10, 10, RGB(0, 0, 255));
  gm::MacroKey macro;
  macro.Actions[0] = gm::MacroAction::Event(0x10, false);
  macro.Actions[1] = gm::MacroAction::Delay(50);
  macro.Actions[2] = gm::MacroAction::Event(0x10, true);
  macro.MacroActionNum = 3;
  gm::win::CImageShowList list(owner_, 2020, {0, 0, 200, 100});
  ASSERT_TRUE(list.LoadSkin());
  list.SetMacro(&macro);
  uitest::Surface s(200, 100);
  list.Draw(s.Dc(), s.Bounds());
  EXPECT_EQ(s.Pixel(5, 7), RGB(0, 255, 0));   // press
  EXPECT_EQ(s.Pixel(5, 27), RGB(0, 0, 255));  // delay
  EXPECT_EQ(s.Pixel(5, 47), RGB(255, 0, 0));  // release
  list.OnRButtonUp(0, 50, 90);  // below the last row: no notice
  EXPECT_TRUE(owner_.notices.empty());
  list.OnLButtonDown(0, 50, 45);
  EXPECT_EQ(list.SelectedRow(), 2);
  // A count past the capacity never reads past the actions.
  macro.MacroActionNum = 100000;
  EXPECT_EQ(list.RowCount(), 250);
}
