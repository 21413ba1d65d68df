// The macro manager window run in this process with a scripted stand-in for its name and action
// dialogs: commands reached through its buttons and its menus' messages, refusals shown as
// notices, and the library file it writes when its close button is clicked.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <memory>

#include "macro/library_file.h"
#include "macro/macro_manager_dlg.h"
#include "settings/language_indexes.h"
#include "ui/program_messages.h"
#include "ui/ui_test_support.h"

namespace {

using D = gm::win::CMacroManagerDlg;
using gm::MacroAction;
using gm::MacroItemLocation;
using uitest::ClickControl;
using uitest::LabelOf;
using uitest::RunScripted;

constexpr UINT kNoticeText = 2013;  // the notice's message line
constexpr UINT kDialogOk = 2010;    // the notice's and the question's confirm button

// Confirms every amount with 5 and every name with the next scripted name.
class ScriptedDialogs : public gm::ManagerSubdialogs {
 public:
  bool AskName(int, std::wstring& name) override { return Next(name); }
  bool AskRename(const std::wstring&, std::wstring& name) override { return Next(name); }
  bool EditKey(MacroAction&) override { return false; }
  bool EditDelay(MacroAction&) override { return false; }
  bool EditAmount(int code, MacroAction& action) override {
    amounts.push_back(code);
    action = MacroAction::FromBytes(0xE5, 0, 0, 0x05);
    return true;
  }
  std::deque<std::wstring> names;
  std::vector<int> amounts;

 private:
  bool Next(std::wstring& name) {
    if (names.empty()) return false;
    name = names.front();
    names.pop_front();
    return true;
  }
};

class MacroManagerDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::EnsureGdiplus();
    CreateDirectoryW((skins_.Root() + L"config").c_str(), nullptr);
    for (int text : {gm::kTextActionLimit, gm::kTextMacroInUse, gm::kTextConfirmDelete, gm::kTextNameExists})
      ui_.texts[text] = L"text " + std::to_wstring(text);
    MacroItemLocation at;
    library_.CreateFolder(L"Folder", at);
    folder_ = at;
    library_.CreateMacro(L"Used", at);
    used_ = at;
    at = MacroItemLocation::None();
    library_.CreateMacro(L"Full", at);
    full_ = at;
  }
  std::unique_ptr<D> Make(ScriptedDialogs*& scripted) {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    scripted = dialogs.get();
    return std::make_unique<D>(ui_.context, nullptr, gm::win::MacroManagerModel{library_, selection_, profile_, skins_.Root()},
                               std::move(dialogs));
  }
  gm::MacroKey& MacroAt(const MacroItemLocation& at) { return *library_.ItemAt(at)->Macro; }
  // A step that expects the newest dialog to be a notice with `text`, and closes it.
  std::function<void(HWND)> ExpectNotice(int text) {
    return [this, text](HWND notice) {
      EXPECT_EQ(LabelOf(notice, kNoticeText), ui_.texts[text]);
      ClickControl(notice, kDialogOk);
    };
  }
  std::unique_ptr<gm::MacroLibrary> ReadSaved() {
    auto saved = std::make_unique<gm::MacroLibrary>();
    EXPECT_TRUE(gm::ReadLibraryFile(gm::LibraryFilePath(skins_.Root()), *saved));
    return saved;
  }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  gm::MacroLibrary library_;
  MacroItemLocation selection_;
  gm::ProfileRecord profile_;
  MacroItemLocation folder_, used_, full_;
};

// At 124 commands a click (two more commands) is refused with the limit notice; a move (one more)
// is taken, completed by the amount dialog, and the closed manager's file holds 125 commands.
TEST_F(MacroManagerDlgTest, ClickAt124CommandsIsRefusedAndAMoveIsTaken) {
  gm::MacroKey& macro = MacroAt(full_);
  for (int i = 0; i < 124; ++i) macro.InsertAction(i, MacroAction::Event(0x41, i % 2 == 1));
  macro.MacroCommandActionNum = 124;
  selection_ = full_;
  ScriptedDialogs* scripted = nullptr;
  auto manager = Make(scripted);
  const INT_PTR result = RunScripted(
      *manager, {
                    [](HWND m) { PostMessageW(m, gm::msg::kInsertActionChosen, 0, gm::kInsertLeftClick); },
                    ExpectNotice(gm::kTextActionLimit),
                    [](HWND m) { PostMessageW(m, gm::msg::kInsertActionChosen, 0, gm::kInsertMoveLeft); },
                    [](HWND m) { ClickControl(m, D::kClose); },
                });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(scripted->amounts, std::vector<int>{gm::kInsertMoveLeft});
  EXPECT_EQ(selection_, MacroItemLocation::None());  // the close button clears the selection
  const auto saved = ReadSaved();
  const gm::MacroKey& kept = *saved->ItemAt(full_)->Macro;
  EXPECT_EQ(kept.MacroCommandActionNum, 125);
  EXPECT_EQ(kept.MacroActionNum, 125u);
  EXPECT_EQ(kept.GetAction(124), MacroAction::FromBytes(0xE5, 0, 0, 0x05));
}

// The folder holding a macro a button uses is kept (notice) until the button is given another
// function; then the same command deletes it.
TEST_F(MacroManagerDlgTest, FolderWithAnAssignedMacroIsDeletedOnlyAfterTheButtonIsReassigned) {
  gm::KeyAssignment& button = profile_.KeyAssignments[1];
  button.KeyValue = {0x90, 0x20, 0x01};
  button.MacroKeyIndex = MacroAt(used_).MacroKeyIndex;
  selection_ = folder_;
  ScriptedDialogs* scripted = nullptr;
  auto manager = Make(scripted);
  RunScripted(*manager, {
                            [](HWND m) { ClickControl(m, D::kDeleteItem); },
                            [this](HWND question) {
                              EXPECT_EQ(LabelOf(question, 3001), ui_.texts[gm::kTextConfirmDelete]);
                              ClickControl(question, kDialogOk);
                            },
                            ExpectNotice(gm::kTextMacroInUse),
                            [&](HWND m) {
                              EXPECT_TRUE(library_.ItemAt(folder_)->IsFolder());
                              button.KeyValue = {0x10, 0x01, 0x00};
                              ClickControl(m, D::kDeleteItem);
                            },
                            [](HWND question) { ClickControl(question, kDialogOk); },
                            [](HWND m) { ClickControl(m, D::kClose); },
                        });
  const auto saved = ReadSaved();
  EXPECT_EQ(saved->VisibleRowCount(), 1);
  EXPECT_EQ(saved->ItemAt(MacroItemLocation::Level0(0))->MacroItemName, L"Full");
}

// A new macro from the tree menu goes into the selected folder; a second with the same name is
// refused with the name-exists notice.
TEST_F(MacroManagerDlgTest, NewMacroFromTheTreeMenuAndATakenName) {
  selection_ = folder_;
  ScriptedDialogs* scripted = nullptr;
  auto manager = Make(scripted);
  scripted->names = {L"Fresh", L"Fresh"};
  RunScripted(*manager, {
                            [](HWND m) { PostMessageW(m, gm::msg::kTreeMenuChosen, 0, gm::kTreeNewMacro); },
                            [this](HWND m) {
                              EXPECT_EQ(selection_, MacroItemLocation::Level1(0, 1));
                              selection_ = folder_;
                              PostMessageW(m, gm::msg::kTreeMenuChosen, 0, gm::kTreeNewMacro);
                            },
                            ExpectNotice(gm::kTextNameExists),
                            [](HWND m) { ClickControl(m, D::kClose); },
                        });
  const auto saved = ReadSaved();
  ASSERT_TRUE(saved->ItemAt(MacroItemLocation::Level1(0, 1))->IsMacro());
  EXPECT_EQ(saved->ItemAt(MacroItemLocation::Level1(0, 1))->MacroItemName, L"Fresh");
  EXPECT_FALSE(saved->ItemAt(MacroItemLocation::Level1(0, 2))->IsUsed());
}

// OK keeps the new macro in the file like the close cross; Cancel leaves the file as it was.
TEST_F(MacroManagerDlgTest, OkWritesTheEditsAndCancelLeavesTheFileAsItWas) {
  for (const UINT button : {D::kOk, D::kCancel}) {
    DeleteFileW(gm::LibraryFilePath(skins_.Root()).c_str());
    selection_ = MacroItemLocation::None();
    ScriptedDialogs* scripted = nullptr;
    auto manager = Make(scripted);
    scripted->names = {L"Kept " + std::to_wstring(button)};
    const INT_PTR result =
        RunScripted(*manager, {[](HWND m) { PostMessageW(m, gm::msg::kTreeMenuChosen, 0, gm::kTreeNewMacro); },
                               [button](HWND m) { ClickControl(m, button); }});
    const bool written = GetFileAttributesW(gm::LibraryFilePath(skins_.Root()).c_str()) != INVALID_FILE_ATTRIBUTES;
    if (button == D::kOk) {
      EXPECT_EQ(result, IDOK);
      ASSERT_TRUE(written);
      EXPECT_TRUE(ReadSaved()->ItemAt(MacroItemLocation::Level0(2))->IsMacro());
    } else {
      EXPECT_EQ(result, IDCANCEL);
      EXPECT_FALSE(written) << "Cancel wrote the library";
    }
    EXPECT_EQ(selection_, MacroItemLocation::None());
  }
}

}  // namespace
