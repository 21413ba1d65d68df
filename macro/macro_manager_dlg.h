#pragma once
// The macro manager: the library tree on the left, the selected macro's actions on the right, the
// tree's and the actions' commands, the replay mode with its repeat count, and recording. The
// editing rules are MacroEditor's and the recording rules MacroRecorder's; this window reads its
// controls, calls them and shows what they decide. The library is written to its file when the
// dialog is closed with its close button or OK and when a recording ends; a write that fails is
// told with a notice, and the edits stay in the library, which the owner keeps as the manager
// leaves it (the next close writes them). Cancel takes the library back to where it was at the
// last write that succeeded, or at the opening when there was none.
//
// Popup choices (insert action, tree menu, move action) are carried out after the popup has
// closed: the choice is kept as pending and run on a posted message.
#include <memory>
#include <optional>
#include <string>

#include "macro/hook/hook_library.h"
#include "macro/macro_editor.h"
#include "macro/manager_subdialogs.h"
#include "macro/record_mouse_hook.h"
#include "macro/recorder.h"
#include "settings/profile_record.h"
#include "ui/dlg_base.h"
#include "ui/selection_state.h"

namespace gm::win {

class CCheckButton;
class CEditBox;
class CEditShowList;
class CImageShowList;
class CMacroMenuPopup;
class CVScrollBar;

// What the manager edits; everything is the caller's and outlives the dialog.
struct MacroManagerModel {
  MacroLibrary& library;
  MacroItemLocation& selection;
  // The current profile: a macro one of its buttons uses cannot be deleted.
  const ProfileRecord& profile;
  // The data folder the library file lives in.
  std::wstring dataFolder;
};

class CMacroManagerDlg final : public CDlgBase, private RecorderHost {
 public:
  enum ControlId : UINT {
    kClose = 2004,
    kOk = 2010,
    kCancel = 2011,
    kNewMacro = 2012,
    kDeleteItem = 2013,
    kTree = 2015,
    kRecordDelays = 2017,
    kRecord = 2018,
    kActions = 2020,
    kTreeScroll = 2021,
    kActionScroll = 2022,
    kChangeAction = 2023,
    kDeleteAction = 2024,
    kTreeLabel = 2025,
    kActionLabel = 2026,
    kReplayLabel = 2027,
    kTimesLabel = 2028,
    kTitle = 2029,
    kRecordDelaysLabel = 2030,
    kReplayHeld = 2031,
    kReplayToggle = 2032,
    kReplayCount = 2033,
    kLoopCount = 2034,
    kInsertAction = 1166,
  };

  // `dialogs` null: the program's name and action dialogs.
  CMacroManagerDlg(const ui::UiContext& context, HWND parent, MacroManagerModel model,
                   std::unique_ptr<ManagerSubdialogs> dialogs = nullptr);
  ~CMacroManagerDlg() override;

  bool Recording() const { return recorder_.IsRecording(); }
  // The selected action (-1 none).
  int SelectedAction() const { return selectedAction_; }

 protected:
  BOOL OnInitDialog() override;
  void CreateControls(const RECT& client) override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnControlEvent(const ControlEventRecord& event) override;
  void DrawWindow(HDC dc, const RECT& client) override;
  // Enter and Escape never close the manager.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  // RecorderHost
  bool StartKeyHook() override;
  void StopKeyHook() override;
  bool InstallMouseHook() override;
  void RemoveMouseHook() override;
  void SetControlsEnabled(bool enabled) override;
  void ResetActionList() override;
  void ShowActionListEnd() override;
  bool RecordDelays() const override;
  void SaveLibrary() override;
  void RefuseStart() override;
  void LimitReached() override;
  void HookFailed() override;

  // Commands
  void OnCloseButton();
  void OnCancelButton();
  void OnTreeSelected();
  void OnTreeActivated();
  void OnTreeRightClick(POINT at);
  void OnActionSelected();
  void OnActionRightClick(POINT at);
  void OnRecordClicked();
  void OnReplayMode(int mode);
  void OnLoopCountChanged();
  void OnScroll(UINT bar, LPARAM event, WPARAM part);
  void OnWheel(int notches, POINT screen);
  void OpenMenu(int slot, std::unique_ptr<CMacroMenuPopup> popup, POINT clientAt, UINT message);
  void RunPending();
  void RunTreeCommand(int code);
  void NewItem(bool folder);
  void DeleteItem();
  void ImportMacro();
  void ImportBundle();
  void Export(bool macroFile);
  // Writes the library file; on success it becomes the point Cancel goes back to.
  bool WriteLibrary();
  void InsertAction(int code);
  void ChangeAction();
  void MoveAction(int code);
  void DeleteAction();

  // Views
  void Show(const EditorResult& result);
  void Notice(int text);
  void SelectionChanged();
  void RefreshTree();
  void RefreshActions(bool toEnd = false);
  void RefreshReplay();
  void Repaint();

  MacroManagerModel model_;
  std::unique_ptr<ManagerSubdialogs> dialogs_;
  MacroEditor editor_;
  MacroRecorder recorder_{*this};
  CKeyboardHookLibrary keyHook_;
  RecordMouseHook mouseHook_;
  ui::RadioGroup replay_{kReplayHeld, kReplayToggle, kReplayCount};
  int selectedAction_ = -1;
  std::wstring lastCountText_;
  // The library as Cancel restores it, in the library file's text.
  std::wstring cancelPoint_;
  bool settingCount_ = false;
  // Popup choices waiting to run once the popup has closed.
  std::optional<int> pendingInsert_, pendingTree_, pendingMove_;

  CEditShowList* tree_ = nullptr;
  CImageShowList* actions_ = nullptr;
  CVScrollBar* treeScroll_ = nullptr;
  CVScrollBar* actionScroll_ = nullptr;
  CCheckButton* record_ = nullptr;
  CCheckButton* recordDelays_ = nullptr;
  CEditBox* loopCount_ = nullptr;
};

}  // namespace gm::win
