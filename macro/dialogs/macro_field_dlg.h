#pragma once
// CMacroFieldDlg: the shape the small macro dialogs share (319 × 102): a title line, one field,
// the confirm and cancel buttons and the close cross. The field is an edit box (names and
// numbers) or, for the key dialog, a line of text. With an edit box, Enter does what the confirm
// button does; Escape does nothing. A number box shows the digits-only notice for every typed
// character other than 0..9 and Backspace, and the box still takes the character. Cancel and the
// close cross end the dialog with IDCANCEL.
#include <string>

#include "ui/dlg_base.h"
#include "ui/edit_subclass.h"

namespace gm::win {

class CEditBox;

class CMacroFieldDlg : public CDlgBase {
 public:
  enum ControlId : UINT { kClose = 2004, kOk = 2010, kCancel = 2011, kField = 2012, kTitle = 2013, kBox = 2017 };

  // The edit box (null before the window opens and in the key dialog).
  CEditBox* Box() const;

 protected:
  enum class Field { kText, kName, kNumber };

  CMacroFieldDlg(const ui::UiContext& context, HWND parent, Field field, const std::wstring& title,
                 const std::wstring& start);

  BOOL OnInitDialog() override;
  void OnOK() override;  // Enter (ignored without an edit box)
  // The confirm button or Enter: the dialog writes its result and ends itself.
  virtual void Confirm() = 0;
  // The cancel button and the close cross.
  virtual void Cancel() { Close(IDCANCEL); }
  // What the edit box holds now (empty without one).
  std::wstring Typed() const;

 private:
  void CheckDigit(wchar_t c);

  Field field_;
  CEditCharWatch digits_;
};

}  // namespace gm::win
