#include "macro/macro_manager_dlg.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>

#include "assign/popup_placement.h"
#include "dialogs/attention_dlg.h"
#include "dialogs/confirm_dlg.h"
#include "macro/library_file.h"
#include "macro/macro_exchange.h"
#include "macro/manager_popups.h"
#include "settings/language_indexes.h"
#include "ui/buttons.h"
#include "ui/combo_button.h"
#include "ui/dialog_controls.h"
#include "ui/edit_box.h"
#include "ui/file_dialog.h"
#include "ui/macro_lists.h"
#include "ui/program_messages.h"
#include "ui/scroll_bar.h"
#include "ui/scroll_geometry.h"
#include "ui/selector_buttons.h"
#include "ui/wnd_popup.h"

namespace gm::win {
namespace {

using D = CMacroManagerDlg;

constexpr DialogFrame kFrame{528, 365, L"skins\\Frame_Macro_Manager.bmp"};

// The two panels behind the lists, in design units.
constexpr LayoutRect kTreePanel{24, 53, 169, 324};
constexpr LayoutRect kActionPanel{189, 53, 334, 324};
// The lists and their scroll bars inside the panels.
constexpr LayoutRect kTreeRect{26, 55, 152, 322};
constexpr LayoutRect kTreeScrollRect{153, 55, 167, 322};
constexpr LayoutRect kActionRect{191, 55, 317, 322};
constexpr LayoutRect kActionScrollRect{318, 55, 332, 322};
constexpr COLORREF kPanelFrame = 0x6E6E6E;

// Popup slots of the three menus.
constexpr int kInsertSlot = 0;
constexpr int kTreeMenuSlot = 1;
constexpr int kMoveSlot = 2;

constexpr ui::ControlSpec Check(int id, LayoutRect rect, std::array<const wchar_t*, 4> pictures, int text) {
  ui::ControlSpec s;
  s.id = id;
  s.kind = ui::ControlClass::kCaptionBar;
  s.rect = rect;
  s.pictures = pictures;
  s.textIndex = text;
  s.textMargin = 34;
  s.layer = 1;
  return s;
}

constexpr ui::ControlSpec Combo(int id, LayoutRect rect) {
  ui::ControlSpec s;
  s.id = id;
  s.kind = ui::ControlClass::kComboButton;
  s.rect = rect;
  s.pictures = {L"skins\\combo2_nr.png", L"skins\\combo2_ov.png"};
  s.layer = 1;
  return s;
}

// The labels beside the check box and the radio buttons reach to 10 units from the right edge.
constexpr int kLabelWidth = 148;

constexpr std::array<const wchar_t*, 4> kRecordPictures{L"skins\\record_nr.png", L"skins\\record_ov.png",
                                                        L"skins\\record_dn.png", nullptr};

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 505),
    ui::TextLine(D::kTitle, {21, 8, 380, 30}, ui::TextAlign::kLeft, kTextMacroManager),
    ui::TextLine(D::kTreeLabel, {24, 33, 169, 51}, ui::TextAlign::kLeft, kTextMacroListLabel),
    ui::TextLine(D::kActionLabel, {189, 33, 334, 51}, ui::TextAlign::kLeft, kTextActionListLabel),
    ui::CaptionButton(D::kNewMacro, {24, 332, 94, 352}, kTextNewButton),
    ui::CaptionButton(D::kDeleteItem, {99, 332, 169, 352}, kTextDeleteButton),
    Combo(D::kInsertAction, {350, 55, 510, 76}),
    ui::CaptionButton(D::kChangeAction, {350, 85, 425, 105}, kTextEditButton),
    ui::CaptionButton(D::kDeleteAction, {435, 85, 510, 105}, kTextDeleteButton),
    Check(D::kRecord, {350, 125, 510, 147}, kRecordPictures, kTextRecord),
    ui::CheckBox(D::kRecordDelays, 350, 158),
    ui::BoxLabel(D::kRecordDelaysLabel, 350, 158, kLabelWidth, nullptr, kTextRecordDelays),
    ui::TextLine(D::kReplayLabel, {350, 190, 510, 208}, ui::TextAlign::kLeft, kTextReplayModeLabel),
    ui::RadioButton(D::kReplayHeld, 350, 213),
    ui::BoxLabel(D::kReplayHeld + 100, 350, 213, kLabelWidth, nullptr, kTextReplayWhileHeld),
    ui::RadioButton(D::kReplayToggle, 350, 235),
    ui::BoxLabel(D::kReplayToggle + 100, 350, 235, kLabelWidth, nullptr, kTextReplayToggle),
    ui::RadioButton(D::kReplayCount, 350, 257),
    ui::BoxLabel(D::kReplayCount + 100, 350, 257, kLabelWidth, nullptr, kTextReplayCount),
    ui::EditLine(D::kLoopCount, {370, 280, 420, 300}, 9),
    ui::TextLine(D::kTimesLabel, {425, 280, 510, 300}, ui::TextAlign::kLeft, kTextTimesLabel),
    ui::CaptionButton(D::kOk, {350, 332, 425, 352}, kTextMacroManagerButton1),
    ui::CaptionButton(D::kCancel, {435, 332, 510, 352}, kTextMacroManagerButton2),
};

// Every control that recording disables (all but the record button).
constexpr UINT kEditingControls[] = {D::kClose,         D::kOk,        D::kCancel,       D::kNewMacro,     D::kDeleteItem,
                                     D::kTree,          D::kRecordDelays,  D::kActions,      D::kTreeScroll,   D::kActionScroll,
                                     D::kChangeAction,  D::kDeleteAction,  D::kReplayHeld,   D::kReplayToggle, D::kReplayCount,
                                     D::kInsertAction};

int ReplayMode(UINT radio) {
  switch (radio) {
    case D::kReplayHeld: return 1;
    case D::kReplayToggle: return 4;
    default: return 2;
  }
}

// Filters of the exchange files in the common dialogs' form.
constexpr wchar_t kMacroFilter[] = L"mkf file(*.mkf)\0*.mkf\0\0";
constexpr wchar_t kBundleFilter[] = L"mbf file(*.mbf)\0*.mbf\0\0";

}  // namespace

CMacroManagerDlg::CMacroManagerDlg(const ui::UiContext& context, HWND parent, MacroManagerModel model,
                                   std::unique_ptr<ManagerSubdialogs> dialogs)
    : CDlgBase(context, parent),
      model_(std::move(model)),
      dialogs_(dialogs ? std::move(dialogs) : MakeManagerDialogs(context, [this] { return Hwnd(); })),
      editor_(model_.library, model_.selection, *dialogs_),
      keyHook_(context.ProgramFile(L"KeyboardHook.dll")),
      cancelPoint_(LibraryText(model_.library, MacroItemLocation::None())) {
  Declare(kFrame, kControls, kIgnoreEnter | kIgnoreEscape);
  SetHandlers({
      {kClose, kEventClicked, [this] { OnCloseButton(); }},
      {kOk, kEventClicked, [this] { OnCloseButton(); }},
      {kCancel, kEventClicked, [this] { OnCancelButton(); }},
      {kNewMacro, kEventClicked, [this] { NewItem(false); }},
      {kDeleteItem, kEventClicked, [this] { DeleteItem(); }},
      {kTree, kEventClicked, [this] { OnTreeSelected(); }},
      {kTree, kEventDoubleClick, [this] { OnTreeActivated(); }},
      {kActions, kEventClicked, [this] { OnActionSelected(); }},
      {kActions, kEventDoubleClick, [this] { ChangeAction(); }},
      {kInsertAction, kEventClicked,
       [this] {
         const RECT r = GetControl(kInsertAction)->GetRect();
         OpenMenu(kInsertSlot, std::make_unique<CComboActionInsertPopup>(context_), {r.left, r.bottom},
                  msg::kInsertActionChosen);
       }},
      {kChangeAction, kEventClicked, [this] { ChangeAction(); }},
      {kDeleteAction, kEventClicked, [this] { DeleteAction(); }},
      {kRecord, kEventClicked, [this] { OnRecordClicked(); }},
      {kReplayHeld, kEventClicked, [this] { OnReplayMode(1); }},
      {kReplayToggle, kEventClicked, [this] { OnReplayMode(4); }},
      {kReplayCount, kEventClicked, [this] { OnReplayMode(2); }},
  });
}

CMacroManagerDlg::~CMacroManagerDlg() {
  // The hooks report to this window: they end with it.
  mouseHook_.Remove();
  keyHook_.Stop();
}

void CMacroManagerDlg::CreateControls(const RECT& client) {
  CDlgBase::CreateControls(client);
  tree_ = AddControl(1, std::make_unique<CEditShowList>(*this, kTree, Scaled(kTreeRect), model_.library));
  tree_->LoadSkin();
  treeScroll_ = AddControl(1, std::make_unique<CVScrollBar>(*this, kTreeScroll, Scaled(kTreeScrollRect)));
  treeScroll_->LoadArrows();
  actions_ = AddControl(1, std::make_unique<CImageShowList>(*this, kActions, Scaled(kActionRect)));
  actions_->LoadSkin();
  actionScroll_ = AddControl(1, std::make_unique<CVScrollBar>(*this, kActionScroll, Scaled(kActionScrollRect)));
  actionScroll_->LoadArrows();
  record_ = dynamic_cast<CCheckButton*>(GetControl(kRecord));
  recordDelays_ = dynamic_cast<CCheckButton*>(GetControl(kRecordDelays));
  loopCount_ = dynamic_cast<CEditBox*>(GetControl(kLoopCount));
  for (UINT id : {kReplayHeld, kReplayToggle, kReplayCount}) {
    if (auto* radio = dynamic_cast<CRadioButton*>(GetControl(id))) radio->SetGroup(&replay_);
  }
  if (auto* combo = dynamic_cast<CComboButton*>(GetControl(kInsertAction))) combo->SetCaption(context_.Text(kTextLeftClick));
}

BOOL CMacroManagerDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  // A selection left over from the selection dialog may point anywhere: keep it only if it shows.
  if (!model_.library.ItemAt(model_.selection) || !model_.library.ItemAt(model_.selection)->IsUsed())
    model_.selection = MacroItemLocation::None();
  SelectionChanged();
  return TRUE;
}

void CMacroManagerDlg::DrawWindow(HDC dc, const RECT& client) {
  CDlgBase::DrawWindow(dc, client);
  for (const LayoutRect& panel : {kTreePanel, kActionPanel}) {
    const RECT r = Scaled(panel);
    ScopedBrush brush(CreateSolidBrush(kPanelFrame));
    FrameRect(dc, &r, brush.Get());
  }
}

bool CMacroManagerDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case msg::kKeyReport:
      recorder_.RecordKey(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
      return true;
    case msg::kInsertActionChosen:
      pendingInsert_ = static_cast<int>(lParam);
      PostMessageW(Hwnd(), msg::kRunMacroManagerChoice, 0, 0);
      return true;
    case msg::kTreeMenuChosen:
      pendingTree_ = static_cast<int>(lParam);
      PostMessageW(Hwnd(), msg::kRunMacroManagerChoice, 0, 0);
      return true;
    case msg::kActionMoveChosen:
      pendingMove_ = static_cast<int>(lParam);
      PostMessageW(Hwnd(), msg::kRunMacroManagerChoice, 0, 0);
      return true;
    case msg::kInsertActionMenuClosed:
    case msg::kTreeMenuClosed:
    case msg::kActionMoveMenuClosed:
      // The menu lost activation: close it once its own message has returned.
      PostMessageW(Hwnd(), msg::kRunMacroManagerChoice, 0, 0);
      return true;
    case msg::kRunMacroManagerChoice:
      RunPending();
      return true;
    case msg::kRecordLimitNotice:
      // The notices of a recording's end (the limit, a failed write), wParam the text.
      Notice(static_cast<int>(wParam));
      return true;
    case WM_MOUSEWHEEL: {
      const POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      OnWheel(GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, screen);
      result = 0;
      return true;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kLoopCount && HIWORD(wParam) == EN_CHANGE) {
        OnLoopCountChanged();
        return true;
      }
      return false;
    default:
      return false;
  }
}

// Control events that carry a detail (a right click's position, a scroll bar's part) arrive here.
void CMacroManagerDlg::OnControlEvent(const ControlEventRecord& event) {
  if (event.id == kTree && event.event == kEventRightClick) {
    OnTreeRightClick(event.at);
  } else if (event.id == kActions && event.event == kEventRightClick) {
    OnActionRightClick(event.at);
  } else if (event.id == kTreeScroll || event.id == kActionScroll) {
    OnScroll(event.id, event.event, event.param);
  }
}

// ---- recorder host ----

bool CMacroManagerDlg::StartKeyHook() { return keyHook_.Start(Hwnd()) == CKeyboardHookLibrary::Status::kReady; }
void CMacroManagerDlg::StopKeyHook() { keyHook_.Stop(); }

bool CMacroManagerDlg::InstallMouseHook() {
  return mouseHook_.Install([this](std::uint32_t code, std::uint32_t stamp) { recorder_.RecordMouse(code, stamp); },
                            [this] { return record_ && record_->State() != 0; });
}

void CMacroManagerDlg::RemoveMouseHook() { mouseHook_.Remove(); }

void CMacroManagerDlg::SetControlsEnabled(bool enabled) {
  for (UINT id : kEditingControls) {
    if (CControlBase* c = GetControl(id)) c->SetDisabled(!enabled);
  }
  if (loopCount_) {
    if (!enabled) SendMessageW(loopCount_->EditWindow(), WM_KILLFOCUS, 0, 0);
    EnableWindow(loopCount_->EditWindow(), enabled);
  }
  Repaint();
}

void CMacroManagerDlg::ResetActionList() {
  selectedAction_ = -1;
  RefreshActions();
}

void CMacroManagerDlg::ShowActionListEnd() { RefreshActions(true); }

bool CMacroManagerDlg::RecordDelays() const { return recordDelays_ && recordDelays_->Checked(); }

// The end of a recording, reached inside the mouse hook too: a failure's notice, a modal loop,
// waits for a posted message.
void CMacroManagerDlg::SaveLibrary() {
  if (!WriteLibrary()) PostMessageW(Hwnd(), msg::kRecordLimitNotice, kTextLibrarySaveFailed, 0);
}

void CMacroManagerDlg::RefuseStart() {
  if (record_) record_->SetChecked(false);
  Repaint();
  Notice(kTextSelectMacroFirst);
}

// Reached inside the mouse hook as well as from a key report: the notice, a modal loop, waits for
// a posted message.
void CMacroManagerDlg::LimitReached() {
  if (record_) record_->SetChecked(false);
  RefreshActions(true);
  Repaint();
  PostMessageW(Hwnd(), msg::kRecordLimitNotice, kTextRecordingLimit, 0);
}

void CMacroManagerDlg::HookFailed() {
  if (record_) record_->SetChecked(false);
  Repaint();
  Notice(kTextRecordHookFailed);
}

// ---- commands ----

// OK and the close cross keep the edits: the library file is written. A write that fails (the
// file held by another program beyond the write's retries, a full disk) loses nothing: the user
// is told, the edits stay in the library the main window keeps, and the next close writes them.
void CMacroManagerDlg::OnCloseButton() {
  recorder_.Stop();
  if (!WriteLibrary()) Notice(kTextLibrarySaveFailed);
  model_.selection = MacroItemLocation::None();
  Close(IDOK);
}

// Cancel drops the edits made since the file was last written (a finished recording writes it),
// or since the manager opened: the library goes back to that point and the file stays as it is.
void CMacroManagerDlg::OnCancelButton() {
  ReadLibraryText(cancelPoint_, model_.library);
  model_.selection = MacroItemLocation::None();
  Close(IDCANCEL);
}

bool CMacroManagerDlg::WriteLibrary() {
  if (!SaveLibraryFile(model_.library, model_.dataFolder)) return false;
  cancelPoint_ = LibraryText(model_.library, MacroItemLocation::None());
  return true;
}

void CMacroManagerDlg::OnTreeSelected() {
  model_.selection = tree_->Selected();
  SelectionChanged();
}

void CMacroManagerDlg::OnTreeActivated() { RefreshTree(); }

void CMacroManagerDlg::OnTreeRightClick(POINT at) {
  model_.selection = tree_->Selected();
  SelectionChanged();
  OpenMenu(kTreeMenuSlot, std::make_unique<CMacroListPopup>(context_, TreeMenuEntries(model_.library, model_.selection)), at,
           msg::kTreeMenuChosen);
}

void CMacroManagerDlg::OnActionSelected() {
  selectedAction_ = actions_->SelectedRow();
  Repaint();
}

void CMacroManagerDlg::OnActionRightClick(POINT at) {
  selectedAction_ = actions_->SelectedRow();
  OpenMenu(kMoveSlot, std::make_unique<CActionListPopup>(context_), at, msg::kActionMoveChosen);
}

void CMacroManagerDlg::OpenMenu(int slot, std::unique_ptr<CMacroMenuPopup> popup, POINT clientAt, UINT message) {
  POINT screen = clientAt;
  ClientToScreen(Hwnd(), &screen);
  const RECT rect{screen.x, screen.y, screen.x + context_.Px(kMenuWidth),
                  screen.y + context_.Px(kMenuRowHeight * popup->EntryCount())};
  OpenPopup(slot, std::move(popup), rect, message, 0);
}

void CMacroManagerDlg::RunPending() {
  for (int slot : {kInsertSlot, kTreeMenuSlot, kMoveSlot}) ClosePopup(slot);
  // Each pending flag is cleared before its command runs.
  if (const auto code = std::exchange(pendingInsert_, std::nullopt)) InsertAction(*code);
  if (const auto code = std::exchange(pendingTree_, std::nullopt)) RunTreeCommand(*code);
  if (const auto code = std::exchange(pendingMove_, std::nullopt)) MoveAction(*code);
}

void CMacroManagerDlg::RunTreeCommand(int code) {
  switch (code) {
    case kTreeNewMacro: NewItem(false); break;
    case kTreeNewFolder: NewItem(true); break;
    case kTreeExportMacro: Export(true); break;
    case kTreeImportMacro: ImportMacro(); break;
    case kTreeRename: Show(editor_.Rename()); break;
    case kTreeDelete: DeleteItem(); break;
    case kTreeImportSet: ImportBundle(); break;
    case kTreeExportSet: Export(false); break;
    default: break;
  }
}

void CMacroManagerDlg::NewItem(bool folder) {
  const EditorResult result = folder ? editor_.NewFolder() : editor_.NewMacro();
  if (result.changed) SelectionChanged();
  Show(result);
}

void CMacroManagerDlg::DeleteItem() {
  if (const int refusal = editor_.DeleteRefusal()) {
    Notice(refusal);
    return;
  }
  CConfirmDlg confirm(context_, Hwnd(), context_.Text(kTextConfirmDelete));
  if (confirm.DoModal() != IDOK) return;
  const EditorResult result = editor_.DeleteSelected(model_.profile);
  if (result.changed) SelectionChanged();
  Show(result);
}

void CMacroManagerDlg::ImportMacro() {
  const auto path = ShowFileDialog({Hwnd(), false, context_.Text(kTextImportMacroTitle), kMacroFilter, L"mkf", L".mkf",
                                    OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST});
  if (!path) return;
  MacroLibrary scratch;
  const MacroImportResult result = ImportMacroFile(*path, model_.library, model_.selection, scratch);
  SelectionChanged();
  if (const int notice = ImportNotice(result)) Notice(notice);
}

void CMacroManagerDlg::ImportBundle() {
  const auto path = ShowFileDialog({Hwnd(), false, context_.Text(kTextImportSetTitle), kBundleFilter, L"mbf", L".mbf",
                                    OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST});
  if (!path) return;
  MacroLibrary scratch;
  const MacroImportResult result = ImportBundleFile(*path, model_.library, model_.selection, scratch);
  SelectionChanged();
  if (const int notice = ImportNotice(result)) Notice(notice);
}

void CMacroManagerDlg::Export(bool macroFile) {
  if (macroFile && !editor_.SelectedMacro()) return;
  const std::wstring name = macroFile ? DefaultMacroExportName(model_.library, model_.selection)
                                      : DefaultBundleExportName(model_.library, model_.selection);
  const auto path = ShowFileDialog({Hwnd(), true, context_.Text(macroFile ? kTextExportMacroTitle : kTextExportSetTitle),
                                    macroFile ? kMacroFilter : kBundleFilter, macroFile ? L"mkf" : L"mbf", name,
                                    OFN_OVERWRITEPROMPT});
  if (path) ExportMacroFile(*path, model_.library, model_.selection);
}

void CMacroManagerDlg::InsertAction(int code) {
  // Keys typed into the insert dialogs are not recorded.
  recorder_.SuspendKeys();
  const EditorResult result = editor_.InsertAction(code, selectedAction_);
  recorder_.ResumeKeys();
  if (result.changed) RefreshActions();
  Show(result);
}

void CMacroManagerDlg::ChangeAction() {
  Show(editor_.ChangeAction(selectedAction_));
  RefreshActions();
}

void CMacroManagerDlg::MoveAction(int code) {
  Show(editor_.MoveAction(code, selectedAction_));
  RefreshActions();
}

void CMacroManagerDlg::DeleteAction() {
  Show(editor_.DeleteAction(selectedAction_));
  RefreshActions();
}

void CMacroManagerDlg::OnRecordClicked() {
  if (!record_) return;
  if (record_->Checked()) {
    recorder_.SetMacro(editor_.SelectedMacro());
    recorder_.Start();
  } else {
    recorder_.Stop();
  }
  Repaint();
}

void CMacroManagerDlg::OnReplayMode(int mode) {
  editor_.SetReplayMode(mode);
  RefreshReplay();
}

void CMacroManagerDlg::OnLoopCountChanged() {
  if (settingCount_ || !loopCount_) return;
  const MacroKey* macro = editor_.SelectedMacro();
  if (!macro || macro->MacroKeyLoopType != 2) return;
  const std::wstring text = loopCount_->CurrentText();
  const auto nonDigits = [](const std::wstring& t) {
    return std::count_if(t.begin(), t.end(), [](wchar_t c) { return c < L'0' || c > L'9'; });
  };
  const bool typedNonDigit = nonDigits(text) > nonDigits(lastCountText_);
  lastCountText_ = text;
  const std::wstring shown = editor_.SetLoopCountText(text);
  if (!shown.empty()) {
    settingCount_ = true;
    loopCount_->SetText(shown);
    lastCountText_ = shown;
    settingCount_ = false;
  }
  if (typedNonDigit) Notice(kTextDigitsOnly);
}

void CMacroManagerDlg::OnScroll(UINT bar, LPARAM event, WPARAM part) {
  CVScrollBar* scroll = bar == kTreeScroll ? treeScroll_ : actionScroll_;
  CMacroListBase* list = bar == kTreeScroll ? static_cast<CMacroListBase*>(tree_) : actions_;
  if (!scroll || !list) return;
  int position = scroll->Position();
  if (event == kEventPressed) {
    if (const auto step = ui::ScrollStep(static_cast<int>(part), position, scroll->Page(), scroll->Range())) position = *step;
  } else if (event != kEventValueChanged && event != kEventClicked) {
    return;
  }
  list->SetFirstRow(position);
  scroll->SetScroll(list->FirstRow(), list->VisibleRows(), list->RowCount());
  Repaint();
}

void CMacroManagerDlg::OnWheel(int notches, POINT screen) {
  POINT client = screen;
  ScreenToClient(Hwnd(), &client);
  for (auto [list, scroll] : {std::pair<CMacroListBase*, CVScrollBar*>{tree_, treeScroll_}, {actions_, actionScroll_}}) {
    if (!list || !list->Contains(client.x, client.y)) continue;
    const int last = std::max(0, list->RowCount() - list->VisibleRows());
    list->SetFirstRow(std::clamp(list->FirstRow() - notches, 0, last));
    scroll->SetScroll(list->FirstRow(), list->VisibleRows(), list->RowCount());
    Repaint();
  }
}

// ---- views ----

void CMacroManagerDlg::Show(const EditorResult& result) {
  if (result.changed) {
    RefreshTree();
    RefreshActions();
    RefreshReplay();
  }
  if (result.notice) Notice(result.notice);
}

void CMacroManagerDlg::Notice(int text) {
  CAttentionDlg notice(context_, context_.Text(kTextAttention), context_.Text(text), Hwnd());
  notice.DoModal();
}

// A new selection: the tree shows it, the action list shows its macro from the top with no action
// selected, and the replay controls follow the macro.
void CMacroManagerDlg::SelectionChanged() {
  selectedAction_ = -1;
  if (actions_) actions_->SetFirstRow(0);
  RefreshTree();
  RefreshActions();
  RefreshReplay();
}

void CMacroManagerDlg::RefreshTree() {
  if (!tree_) return;
  tree_->SetSelectedRow(model_.library.RowOfLocation(model_.selection));
  const int last = std::max(0, tree_->RowCount() - tree_->VisibleRows());
  tree_->SetFirstRow(std::min(tree_->FirstRow(), last));
  tree_->EnsureVisible();
  treeScroll_->SetScroll(tree_->FirstRow(), tree_->VisibleRows(), tree_->RowCount());
  Repaint();
}

void CMacroManagerDlg::RefreshActions(bool toEnd) {
  if (!actions_) return;
  actions_->SetMacro(editor_.SelectedMacro());
  const int count = actions_->RowCount();
  if (selectedAction_ >= count) selectedAction_ = -1;
  actions_->SetSelectedRow(toEnd ? -1 : selectedAction_);
  const int last = std::max(0, count - actions_->VisibleRows());
  actions_->SetFirstRow(toEnd ? last : std::min(actions_->FirstRow(), last));
  actions_->EnsureVisible();
  actions_->SetSelectedRow(selectedAction_);
  actionScroll_->SetScroll(actions_->FirstRow(), actions_->VisibleRows(), count);
  Repaint();
}

void CMacroManagerDlg::RefreshReplay() {
  const MacroKey* macro = editor_.SelectedMacro();
  replay_ = ui::RadioGroup{kReplayHeld, kReplayToggle, kReplayCount};
  if (macro) {
    const UINT radio = macro->MacroKeyLoopType == 1 ? kReplayHeld : macro->MacroKeyLoopType == 4 ? kReplayToggle : kReplayCount;
    replay_.Select(radio);
  }
  const bool countShown = macro && ReplayMode(*replay_.Selected()) == 2;
  if (loopCount_) {
    loopCount_->SetShown(countShown);
    if (countShown) {
      settingCount_ = true;
      lastCountText_ = std::to_wstring(macro->MacroKeyLoopNum);
      loopCount_->SetText(lastCountText_);
      SendMessageW(loopCount_->EditWindow(), EM_SETSEL, 0, -1);
      settingCount_ = false;
    }
  }
  if (CControlBase* times = GetControl(kTimesLabel)) times->SetShown(countShown);
  Repaint();
}

void CMacroManagerDlg::Repaint() {
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

}  // namespace gm::win
