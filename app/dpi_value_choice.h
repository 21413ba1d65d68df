#pragma once
// The value a DPI stage dialog edits: a position in the current sensor's DPI list, changed by a
// typed DPI number, by one step left or right, or by a slider stop. The position always stays
// inside the list; with an empty list (sensor not yet known) nothing can be chosen and the stage
// keeps its position. Also the "XY Sync" rule of the dialog with separate X and Y values.
// Portable (no windows.h).
#include <string>

#include "settings/sensor_table.h"

namespace gm {

class DpiValueChoice {
 public:
  // `tables` must outlive the choice; `position` is the stage's position (kept within the list).
  DpiValueChoice(const SensorTables& tables, int position);

  // Whether the list has any entry (a dialog opens only then).
  bool Usable() const { return count_ > 0; }
  int Count() const { return count_; }
  int Position() const { return position_; }
  int Dpi() const;     // the DPI of the position
  int MinDpi() const;  // the first entry's DPI
  int MaxDpi() const;  // the last entry's DPI

  // The typed text read as a decimal number (its leading digits; none reads as 0) becomes the
  // first position whose DPI is at least that number, or the last position.
  void Type(const std::wstring& text);
  // One step down or up; nothing at the ends.
  void StepLeft();
  void StepRight();
  // A slider stop (kept within the list).
  void SetPosition(int position);

 private:
  const SensorTables& tables_;
  int count_;
  int position_ = 0;
};

// The leading decimal digits of `text` as a number (0 when it starts with no digit; very long
// numbers saturate instead of overflowing).
int LeadingNumber(const std::wstring& text);

// "XY Sync": after one axis changed, the other takes its position.
void SyncAxes(DpiValueChoice& changed, DpiValueChoice& other);

}  // namespace gm
