// The program-launch dialog with the system's open-file dialog driven as a person would: the file
// name typed into its name box and Open pressed. The open-file dialog runs its own modal loop, so
// the steps are carried out by a timer of the test's thread as soon as each can be.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "assign/dialog_owner_support.h"
#include "assign/quick_launch_dlg.h"
#include "settings/language_indexes.h"
#include "ui/program_messages.h"
#include "ui/ui_test_support.h"
#include "win_test_support.h"

namespace {

using gm::win::CQuickLaunchDlg;

class QuickLaunchDlgTest : public ::testing::Test {
 protected:
  HWND Dialog() const { return uitest::NewestDialog(ui_.dialogs); }
  bool FileDialogShown() const { return assigntest::FindFileDialog() != nullptr; }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  assigntest::DialogOwner owner_;
};

TEST_F(QuickLaunchDlgTest, ChosenFileIsShownAndSentWithItsPath) {
  const std::wstring program = gmtest::BinFolder() + L"GamingMouseDemo.exe";
  CQuickLaunchDlg dlg(ui_.context, owner_.Hwnd());
  std::wstring shown;
  assigntest::ConditionScript script(
      {{"dialog open", [&] { return Dialog() != nullptr; }, [&] { uitest::ClickControl(Dialog(), CQuickLaunchDlg::kBrowse); }},
       {"open-file dialog", [&] { return FileDialogShown(); },
        [&] { assigntest::ChooseInFileDialog(assigntest::FindFileDialog(), program); }},
       {"file name shown", [&] { return !FileDialogShown() && !uitest::LabelOf(Dialog(), CQuickLaunchDlg::kFileName).empty(); },
        [&] {
          shown = uitest::LabelOf(Dialog(), CQuickLaunchDlg::kFileName);
          uitest::ClickControl(Dialog(), CQuickLaunchDlg::kOk);
        }}},
      std::chrono::seconds(30));
  const INT_PTR result = dlg.DoModal();
  EXPECT_EQ(script.failed, "");
  EXPECT_EQ(shown, L"GamingMouseDemo.exe");
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(owner_.reports.size(), 1u);
  EXPECT_EQ(owner_.reports[0].message, gm::msg::kQuickLaunchChosen);
  EXPECT_EQ(owner_.reports[0].record, (gm::SelectionRecord{L"GamingMouseDemo.exe", {0x60, 0x05, 0x00}}));
  EXPECT_EQ(_wcsicmp(owner_.reports[0].path.c_str(), program.c_str()), 0)
      << "path sent: " << testing::PrintToString(owner_.reports[0].path);
}

// Cancelling the open-file dialog chooses nothing; confirming then sends an empty launch target.
TEST_F(QuickLaunchDlgTest, ConfirmWithoutAChoiceSendsAnEmptyTarget) {
  CQuickLaunchDlg dlg(ui_.context, owner_.Hwnd());
  assigntest::ConditionScript script(
      {{"dialog open", [&] { return Dialog() != nullptr; }, [&] { uitest::ClickControl(Dialog(), CQuickLaunchDlg::kBrowse); }},
       {"open-file dialog", [&] { return FileDialogShown(); },
        [&] { PostMessageW(assigntest::FindFileDialog(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }},
       {"open-file dialog gone", [&] { return !FileDialogShown(); },
        [&] { uitest::ClickControl(Dialog(), CQuickLaunchDlg::kOk); }}},
      std::chrono::seconds(30));
  const INT_PTR result = dlg.DoModal();
  EXPECT_EQ(script.failed, "");
  EXPECT_EQ(result, IDOK);
  ASSERT_EQ(owner_.reports.size(), 1u);
  EXPECT_EQ(owner_.reports[0].record, (gm::SelectionRecord{L"", {0x60, 0x05, 0x00}}));
  EXPECT_EQ(owner_.reports[0].path, L"");
}

TEST_F(QuickLaunchDlgTest, CancelAndCloseSendNothing) {
  for (UINT exit : {CQuickLaunchDlg::kCancel, CQuickLaunchDlg::kClose}) {
    CQuickLaunchDlg dlg(ui_.context, owner_.Hwnd());
    bool registered = false;
    const INT_PTR result = uitest::RunScripted(dlg, {[&](HWND h) {
      registered = ui_.dialogs.Count() == 1;
      uitest::ClickControl(h, exit);
    }});
    EXPECT_TRUE(registered);
    EXPECT_EQ(result, IDCANCEL) << exit;
    EXPECT_TRUE(owner_.reports.empty()) << exit;
    EXPECT_EQ(ui_.dialogs.Count(), 0u);
  }
}

}  // namespace
