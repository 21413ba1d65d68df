#pragma once
// CMacroSelectDlg: chooses the macro for a button. It shows the library tree with its scroll bar
// (the wheel scrolls too), a confirm button and the close cross; a row click selects an item.
// Confirm with a macro selected sends msg::kMacroSelected (wParam 0, lParam 0) to the owner, hands
// the selection back in `selected` and ends with IDOK; with a folder or nothing selected it shows
// the select-a-macro notice and stays open. The close cross ends with IDCANCEL and leaves
// `selected` as it was. Enter and Escape do nothing.
#include "macro/macro_library.h"
#include "ui/dlg_base.h"

namespace gm::win {

class CEditShowList;
class CVScrollBar;

class CMacroSelectDlg final : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kTitle = 2012, kTree = 2015, kScroll = 2021 };

  // `library` and `selected` must outlive the dialog; the tree starts on `selected`.
  CMacroSelectDlg(const ui::UiContext& context, HWND parent, const MacroLibrary& library,
                  MacroItemLocation& selected);
  ~CMacroSelectDlg() override;

  CEditShowList* Tree() const;
  CVScrollBar* ScrollBar() const;

 protected:
  void CreateControls(const RECT& client) override;
  BOOL OnInitDialog() override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // The scroll bar's events (they carry the pressed part).
  void OnControlEvent(const ControlEventRecord& event) override;

 private:
  void Confirm();
  // A row click: the tree's selection becomes the dialog's choice.
  void TakeTreeSelection();
  // Scrolls the tree to first row `row` and lets the bar follow.
  void ScrollTo(int row);
  void UpdateScrollBar();

  const MacroLibrary& library_;
  MacroItemLocation& selected_;
  MacroItemLocation chosen_;  // what a confirm would hand back
};

}  // namespace gm::win
