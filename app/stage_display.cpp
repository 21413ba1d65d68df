#include "app/stage_display.h"

#include <array>

namespace gm {

namespace {

// The interface font of the Chinese language (see settings/language.h): its digits are wider.
constexpr std::wstring_view kSongtiFace = L"\u5B8B\u4F53";

}  // namespace

StageDisplayTexts StageDisplayTextsOf(const ProfileRecord& record, const SensorTables& sensor) {
  const int stage = record.CurrentDPILevelValue;
  const int valueStage = stage < kDpiStageCount ? stage : 0;
  const int position = record.XYSettingValueX[static_cast<std::size_t>(valueStage)];
  return {L"DPI-" + std::to_wstring(stage + 1), std::to_wstring(DpiOfPosition(sensor, position)),
          RateLineOfCode(record.PollingRateValue[0])};
}

std::wstring RateLineOfCode(unsigned code) {
  static constexpr std::array<const wchar_t*, 6> kRates{L"125Hz", L"250Hz", L"500Hz", L"1000Hz", L"2000Hz", L"4000Hz"};
  return code < kRates.size() ? kRates[code] : L"8000Hz";
}

StageDisplayLayout StageDisplayLayoutOf(const StageDisplayTexts& texts, std::wstring_view fontFace) {
  const bool songti = fontFace == kSongtiFace;
  int valueX = 50;
  if (texts.value.size() == 5) valueX = songti ? 34 : 16;
  if (texts.value.size() == 4) valueX = songti ? 44 : 34;
  const int rateX = texts.rate.size() == 6 ? 50 : 57;
  return {{58, 20}, {valueX, 44}, {rateX, 92}};
}

ui::IntRect StageDisplayRect(const ui::IntRect& workArea, double scale) {
  const int width = static_cast<int>(kStageDisplayWidth * scale);
  const int height = static_cast<int>(kStageDisplayHeight * scale);
  return {workArea.right - width, workArea.bottom - height, workArea.right, workArea.bottom};
}

StageDisplayCountdown::Change StageDisplayCountdown::OnChange() {
  left_ = kTicks;
  if (open_) return Change::kRefresh;
  open_ = true;
  return Change::kOpen;
}

bool StageDisplayCountdown::OnTick() {
  if (open_ && left_ > 0) {
    --left_;
    return false;
  }
  open_ = false;  // a tick with nothing open only stops the timer
  return true;
}

}  // namespace gm
