#pragma once
// CFireKeyDlg: takes the two rapid-fire values of a button, the interval (5..255, starting at 50)
// and the count (0..255, starting at 0), in two edit boxes. Every 100 ms a box above 255 is cut
// to "255" with its range notice; a typed character other than a digit or Backspace draws the
// digits-only notice (and still reaches the box). OK with an interval of 4 or less shows the
// interval notice and keeps the dialog open; otherwise it sends msg::kFireKeyChosen (wParam 0,
// lParam the selection record texts[26] with 30 <interval> <count>) to the owner and ends with
// IDOK. Cancel and the close cross send nothing; Enter and Escape do nothing.
#include "ui/dlg_base.h"
#include "ui/edit_subclass.h"

namespace gm::win {

class CEditBox;

class CFireKeyDlg final : public CDlgBase {
 public:
  enum ControlId : UINT {
    kClose = 2004,
    kOk = 2010,
    kCancel = 2011,
    kTitle = 2012,
    kIntervalBox = 2013,
    kCountBox = 2014,
    kIntervalLabel = 2015,
    kCountLabel = 2016,
    kCountHint = 2017,
  };

  CFireKeyDlg(const ui::UiContext& context, HWND parent);

  CEditBox* IntervalBox() const;
  CEditBox* CountBox() const;

 protected:
  BOOL OnInitDialog() override;
  bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // The regular check: boxes above 255 are cut, with their notices.
  void CheckBoxes();
  void Typed(wchar_t typed);
  // A notice of this dialog, shown modally.
  void Tell(int textIndex);
  void Confirm();

  CEditCharWatch intervalWatch_;
  CEditCharWatch countWatch_;
  bool noticeOpen_ = false;  // the regular check waits while a notice of this dialog is open
};

}  // namespace gm::win
