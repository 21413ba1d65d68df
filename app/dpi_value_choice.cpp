#include "app/dpi_value_choice.h"

#include <algorithm>
#include <climits>

namespace gm {

DpiValueChoice::DpiValueChoice(const SensorTables& tables, int position)
    : tables_(tables), count_(static_cast<int>(std::min<std::uint32_t>(tables.count, kSensorDpiRoom))) {
  SetPosition(position);
}

int DpiValueChoice::Dpi() const { return DpiOfPosition(tables_, position_); }
int DpiValueChoice::MinDpi() const { return DpiOfPosition(tables_, 0); }
int DpiValueChoice::MaxDpi() const { return DpiOfPosition(tables_, count_ - 1); }

void DpiValueChoice::Type(const std::wstring& text) {
  if (!Usable()) return;
  SetPosition(PositionOfDpi(tables_, LeadingNumber(text)));
}

void DpiValueChoice::StepLeft() {
  if (position_ > 0) --position_;
}

void DpiValueChoice::StepRight() {
  if (position_ < count_ - 1) ++position_;
}

void DpiValueChoice::SetPosition(int position) {
  position_ = count_ > 0 ? std::clamp(position, 0, count_ - 1) : 0;
}

int LeadingNumber(const std::wstring& text) {
  long long value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') break;
    value = std::min<long long>(value * 10 + (c - L'0'), INT_MAX);
  }
  return static_cast<int>(value);
}

void SyncAxes(DpiValueChoice& changed, DpiValueChoice& other) { other.SetPosition(changed.Position()); }

}  // namespace gm
