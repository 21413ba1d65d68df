#pragma once
// The edit of one record by a dialog: the dialog changes a copy, and the record takes the copy
// only when the dialog is confirmed. Cancelling (or closing) leaves the record as it was, however
// much the dialog changed meanwhile. Portable.
#include <concepts>

namespace gm::ui {

template <typename T>
  requires std::copyable<T>
class RecordEdit {
 public:
  // `record` must outlive the edit.
  explicit RecordEdit(T& record) : record_(record), copy_(record) {}
  RecordEdit(const RecordEdit&) = delete;
  RecordEdit& operator=(const RecordEdit&) = delete;

  // What the dialog shows and changes.
  T& Edited() { return copy_; }
  const T& Edited() const { return copy_; }
  const T& Original() const { return record_; }

  // The dialog was confirmed: the record becomes the edited copy.
  void Confirm() { record_ = copy_; }
  // The dialog was cancelled: the edits are dropped and the copy starts again from the record.
  void Cancel() { copy_ = record_; }
  // Confirm or Cancel by the dialog's result.
  void Finish(bool confirmed) { confirmed ? Confirm() : Cancel(); }

  // Whether the copy differs from the record.
  bool Changed() const
    requires std::equality_comparable<T>
  {
    return !(copy_ == record_);
  }

 private:
  T& record_;
  T copy_;
};

}  // namespace gm::ui
