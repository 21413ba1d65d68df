// The macro manager window run in this process with a scripted stand-in for its name and action
// dialogs: commands reached through its buttons and its menus' messages, refusals shown as
// notices, and the library file it writes when its close button is clicked.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <memory>

#include "assign/dialog_owner_support.h"
#include "macro/held_file_support.h"
#include "macro/key_report.h"
#include "macro/library_file.h"
#include "macro/macro_exchange.h"
#include "macro/macro_manager_dlg.h"
#include "settings/language_indexes.h"
#include "ui/program_messages.h"
#include "ui/ui_test_support.h"
#include "win_test_support.h"

namespace {

using D = gm::win::CMacroManagerDlg;
using gm::MacroAction;
using gm::MacroItemLocation;
using uitest::ClickControl;
using uitest::LabelOf;
using uitest::RunScripted;
using uitest::WhenReady;
using macrotest::HeldFile;

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
    for (int text : {gm::kTextActionLimit, gm::kTextMacroInUse, gm::kTextConfirmDelete, gm::kTextNameExists,
                     gm::kTextLibrarySaveFailed, gm::kTextImportUnreadable, gm::kTextImportNoItem,
                     gm::kTextImportNoRoom, gm::kTextImportPartly})
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
  // The same, waiting for the notice first (a save that fails tries again for a while before);
  // `shown`, when given, tells whether a notice came.
  std::function<void(HWND)> AwaitNotice(int text, bool* shown = nullptr) {
    return WhenReady([](HWND h) { return LabelOf(h, kNoticeText) != L"<none>"; },
                     [shown, expect = ExpectNotice(text)](HWND h) {
                       if (shown) *shown = LabelOf(h, kNoticeText) != L"<none>";
                       expect(h);
                     });
  }
  // A step that chooses `path` in the open-file dialog once it shows.
  static std::function<void(HWND)> ChooseFile(const std::wstring& path) {
    return WhenReady([](HWND) { return assigntest::FindFileDialog() != nullptr; },
                     [path](HWND) { assigntest::ChooseInFileDialog(assigntest::FindFileDialog(), path); });
  }
  std::wstring LibraryFile() const { return gm::LibraryFilePath(skins_.Root()); }
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
      // The library goes back to where it was when the manager opened.
      EXPECT_FALSE(library_.ItemAt(MacroItemLocation::Level0(3))->IsUsed());
      EXPECT_EQ(library_.VisibleRowCount(), 3);
    }
    EXPECT_EQ(selection_, MacroItemLocation::None());
  }
}

// The library file held by another program for longer than a save tries: the close tells the
// user and keeps the edits in the library the main window keeps; Cancel in a later session does
// not lose them either; the next close once the file is free writes them.
TEST_F(MacroManagerDlgTest, AFailedSaveIsToldAndTheEditsAreKeptUntilTheNextClose) {
  ASSERT_TRUE(gm::SaveLibraryFile(library_, skins_.Root()));
  HeldFile held(LibraryFile(), true);
  ASSERT_TRUE(held.Held()) << "the file was not taken: " << held.State();
  {
    ScriptedDialogs* scripted = nullptr;
    auto manager = Make(scripted);
    scripted->names = {L"Kept"};
    bool told = false;
    const INT_PTR result = RunScripted(
        *manager, {[](HWND m) { PostMessageW(m, gm::msg::kTreeMenuChosen, 0, gm::kTreeNewMacro); },
                   [](HWND m) { ClickControl(m, D::kClose); },
                   AwaitNotice(gm::kTextLibrarySaveFailed, &told)});
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(told) << "the manager closed without a notice";
  }
  ASSERT_TRUE(library_.ItemAt(MacroItemLocation::Level0(2))->IsMacro());
  EXPECT_EQ(library_.ItemAt(MacroItemLocation::Level0(2))->MacroItemName, L"Kept");
  EXPECT_FALSE(ReadSaved()->ItemAt(MacroItemLocation::Level0(2))->IsUsed()) << "the held file was replaced";

  // Cancel goes back to the library as the manager found it, with the edits not yet written.
  {
    ScriptedDialogs* scripted = nullptr;
    auto manager = Make(scripted);
    scripted->names = {L"Dropped"};
    RunScripted(*manager, {[](HWND m) { PostMessageW(m, gm::msg::kTreeMenuChosen, 0, gm::kTreeNewMacro); },
                           [](HWND m) { ClickControl(m, D::kCancel); }});
  }
  EXPECT_EQ(library_.ItemAt(MacroItemLocation::Level0(2))->MacroItemName, L"Kept");
  EXPECT_FALSE(library_.ItemAt(MacroItemLocation::Level0(3))->IsUsed());

  held.Release();
  {
    ScriptedDialogs* scripted = nullptr;
    auto manager = Make(scripted);
    EXPECT_EQ(RunScripted(*manager, {[](HWND m) { ClickControl(m, D::kClose); }}), IDOK);
  }
  const auto saved = ReadSaved();
  EXPECT_EQ(saved->ItemAt(MacroItemLocation::Level0(2))->MacroItemName, L"Kept");
  EXPECT_TRUE(*saved == library_);
}

// Key reports under the codes a macro uses for mouse events record as keys or not at all: the
// "<>|" key (0xE2) as the key it is (0xF3), the others (0xE0, 0xE1, 0xE3..0xE7) not; none as a mouse
// button, move or wheel step. The recording's end cannot write the held file: the user is told,
// and the recording is written at the close once the file is free.
TEST_F(MacroManagerDlgTest, KeysUnderTheMouseCodesRecordAsKeysAndAFailedSaveIsTold) {
  // The recording needs the keyboard hook library in the program folder.
  ASSERT_TRUE(CopyFileW((gmtest::BinFolder() + L"KeyboardHook.dll").c_str(),
                        (skins_.Root() + L"KeyboardHook.dll").c_str(), FALSE));
  ASSERT_TRUE(gm::SaveLibraryFile(library_, skins_.Root()));
  HeldFile held(LibraryFile(), true);
  ASSERT_TRUE(held.Held()) << "the file was not taken: " << held.State();
  selection_ = full_;
  ScriptedDialogs* scripted = nullptr;
  auto manager = Make(scripted);
  RunScripted(*manager, {[](HWND m) { ClickControl(m, D::kRecord); },
                         WhenReady([&](HWND) { return manager->Recording(); },
                                   [](HWND m) {
                                     DWORD tick = 1000;
                                     for (WPARAM code = 0xE0; code <= 0xE7; ++code) {
                                       PostMessageW(m, gm::msg::kKeyReport, code, gm::KeyReportStamp(tick += 10, false));
                                       PostMessageW(m, gm::msg::kKeyReport, code, gm::KeyReportStamp(tick += 10, true));
                                     }
                                   }),
                         [](HWND m) { ClickControl(m, D::kRecord); }, AwaitNotice(gm::kTextLibrarySaveFailed),
                         [&](HWND m) {
                           held.Release();
                           ClickControl(m, D::kClose);
                         }});
  const auto saved = ReadSaved();
  const gm::MacroKey& recorded = *saved->ItemAt(full_)->Macro;
  ASSERT_EQ(recorded.MacroActionNum, 2u);
  EXPECT_EQ(recorded.GetAction(0), MacroAction::FromBytes(0xF3, 0x00, 0x00, 0x00));
  EXPECT_EQ(recorded.GetAction(1), MacroAction::FromBytes(0xF3, 0x80, 0x00, 0x00));
  EXPECT_EQ(recorded.MacroCommandActionNum, 2);
}

// Every import that fails says why, through the real open-file dialog: a file another program
// holds shut, a file naming no item, no room where the item would go, and a set whose folder
// found no place (the rest imported).
TEST_F(MacroManagerDlgTest, FailedImportsAreTold) {
  // The files: "x.mkf" names macro "Used"; "none.mkf" names nothing; "set.mbf" is the whole
  // library (folder "Folder" with "Used", macro "Full").
  const std::wstring folder = skins_.Root();
  ASSERT_TRUE(gm::ExportMacroFile(folder + L"x.mkf", library_, used_));
  ASSERT_TRUE(gm::ExportMacroFile(folder + L"none.mkf", library_, MacroItemLocation::None()));
  ASSERT_TRUE(gm::ExportMacroFile(folder + L"held.mkf", library_, used_));
  ASSERT_TRUE(gm::ExportMacroFile(folder + L"set.mbf", library_, MacroItemLocation::None()));
  HeldFile held(folder + L"held.mkf", false);
  ASSERT_TRUE(held.Held()) << "the file was not taken: " << held.State();
  // A level-1 folder takes macros but no folder; level 0 filled up takes nothing.
  MacroItemLocation mid = folder_;
  ASSERT_EQ(library_.CreateFolder(L"Mid", mid), gm::kMacroNameOk);
  for (int i = 0; i < 58; ++i) {
    MacroItemLocation at = MacroItemLocation::None();
    library_.CreateMacro(L"Filler " + std::to_wstring(i), at);
  }
  ASSERT_TRUE(library_.ItemAt(MacroItemLocation::Level0(59))->IsMacro());
  struct Case {
    const char* what;
    int command;
    const wchar_t* file;
    MacroItemLocation selection;
    int notice;
  };
  const Case cases[] = {
      {"held shut", gm::kTreeImportMacro, L"held.mkf", folder_, gm::kTextImportUnreadable},
      {"no item", gm::kTreeImportMacro, L"none.mkf", folder_, gm::kTextImportNoItem},
      {"no room", gm::kTreeImportMacro, L"x.mkf", MacroItemLocation::None(), gm::kTextImportNoRoom},
      {"folder skipped", gm::kTreeImportSet, L"set.mbf", mid, gm::kTextImportPartly},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    selection_ = c.selection;
    ScriptedDialogs* scripted = nullptr;
    auto manager = Make(scripted);
    const int command = c.command;
    RunScripted(*manager, {[command](HWND m) { PostMessageW(m, gm::msg::kTreeMenuChosen, 0, command); },
                           ChooseFile(folder + c.file), AwaitNotice(c.notice),
                           [](HWND m) { ClickControl(m, D::kCancel); }});
  }
}

}  // namespace
