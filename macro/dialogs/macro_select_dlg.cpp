#include "macro/dialogs/macro_select_dlg.h"

#include <algorithm>
#include <memory>

#include "dialogs/attention_dlg.h"
#include "settings/language_indexes.h"
#include "ui/dialog_controls.h"
#include "ui/macro_lists.h"
#include "ui/program_messages.h"
#include "ui/scroll_bar.h"

namespace gm::win {
namespace {

using D = CMacroSelectDlg;

constexpr DialogFrame kFrame{528, 365, L"skins\\Frame_Macro_Manager.bmp"};
constexpr LayoutRect kTreeRect{24, 40, 488, 320};
constexpr LayoutRect kScrollRect{488, 40, 504, 320};
// The scroll bar's parts (ui/scroll_bar.h) and the rows one wheel notch moves.
constexpr WPARAM kPartUp = 6, kPartDown = 7, kPartAbove = 8, kPartBelow = 9;
constexpr int kWheelRows = 3;

constexpr ui::ControlSpec kControls[] = {
    ui::CloseCross(D::kClose, 505),
    ui::TextLine(D::kTitle, {21, 8, 480, 30}, ui::TextAlign::kLeft, kTextSelectMacroTitle),
    ui::CaptionButton(D::kOk, {419, 333, 488, 353}, kTextOk),
};

}  // namespace

CMacroSelectDlg::CMacroSelectDlg(const ui::UiContext& context, HWND parent, const MacroLibrary& library,
                                 MacroItemLocation& selected)
    : CDlgBase(context, parent), library_(library), selected_(selected), chosen_(selected) {
  Declare(kFrame, kControls, kIgnoreEnter | kIgnoreEscape);
  SetHandlers({{kOk, kEventClicked, [this] { Confirm(); }},
               {kClose, kEventClicked, [this] { Close(IDCANCEL); }},
               {kTree, kEventClicked, [this] { TakeTreeSelection(); }},
               {kTree, kEventDoubleClick, [this] { TakeTreeSelection(); }}});
}

CMacroSelectDlg::~CMacroSelectDlg() = default;

CEditShowList* CMacroSelectDlg::Tree() const { return dynamic_cast<CEditShowList*>(GetControl(kTree)); }
CVScrollBar* CMacroSelectDlg::ScrollBar() const { return dynamic_cast<CVScrollBar*>(GetControl(kScroll)); }

void CMacroSelectDlg::CreateControls(const RECT& client) {
  CDlgBase::CreateControls(client);
  auto tree = std::make_unique<CEditShowList>(*this, kTree, Scaled(kTreeRect), library_);
  tree->LoadSkin();
  AddControl(1, std::move(tree));
  auto bar = std::make_unique<CVScrollBar>(*this, kScroll, Scaled(kScrollRect));
  bar->LoadArrows();
  AddControl(1, std::move(bar));
}

BOOL CMacroSelectDlg::OnInitDialog() {
  CDlgBase::OnInitDialog();
  if (CEditShowList* tree = Tree()) {
    tree->SetSelectedRow(tree->RowOf(chosen_));
    tree->EnsureVisible();
  }
  UpdateScrollBar();
  return TRUE;
}

bool CMacroSelectDlg::OnDialogMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_MOUSEWHEEL) return false;
  const CEditShowList* tree = Tree();
  if (tree) ScrollTo(tree->FirstRow() - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelRows);
  result = 0;
  return true;
}

void CMacroSelectDlg::OnControlEvent(const ControlEventRecord& event) {
  const CEditShowList* tree = Tree();
  const CVScrollBar* bar = ScrollBar();
  if (event.id != kScroll || !tree || !bar) return;
  if (event.event == kEventValueChanged) {
    ScrollTo(bar->Position());
  } else if (event.event == kEventPressed) {
    const int page = tree->VisibleRows();
    switch (event.param) {
      case kPartUp: ScrollTo(tree->FirstRow() - 1); break;
      case kPartDown: ScrollTo(tree->FirstRow() + 1); break;
      case kPartAbove: ScrollTo(tree->FirstRow() - page); break;
      case kPartBelow: ScrollTo(tree->FirstRow() + page); break;
      default: break;
    }
  }
}

void CMacroSelectDlg::ScrollTo(int row) {
  CEditShowList* tree = Tree();
  if (!tree) return;
  const int last = std::max(0, tree->RowCount() - tree->VisibleRows());
  tree->SetFirstRow(std::clamp(row, 0, last));
  tree->Invalidate();
  UpdateScrollBar();
}

void CMacroSelectDlg::UpdateScrollBar() {
  const CEditShowList* tree = Tree();
  CVScrollBar* bar = ScrollBar();
  if (!tree || !bar) return;
  if (!bar->Dragging()) bar->SetScroll(tree->FirstRow(), tree->VisibleRows(), std::max(1, tree->RowCount()));
  bar->Invalidate();
}

void CMacroSelectDlg::TakeTreeSelection() {
  if (CEditShowList* tree = Tree()) {
    chosen_ = tree->Selected();
    tree->Invalidate();
  }
  UpdateScrollBar();
}

void CMacroSelectDlg::Confirm() {
  const MacroItem* item = library_.ItemAt(chosen_);
  if (!item || !item->IsMacro()) {
    CAttentionDlg notice(context_, context_.Text(kTextAttention), context_.Text(kTextSelectMacroFirst), Hwnd());
    notice.DoModal();
    return;
  }
  selected_ = chosen_;
  if (parent_) SendMessageW(parent_, msg::kMacroSelected, 0, 0);
  Close(IDOK);
}

}  // namespace gm::win
