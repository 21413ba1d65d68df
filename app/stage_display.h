#pragma once
// What the on-screen display shows and where, decided from the model alone (portable, no
// windows.h): the three lines for the current profile, their positions in design units, the
// window's place in the work area, and the countdown that keeps one display open while changes
// keep coming. app/osd_dialog.* paints and places the window from these.
#include <cstddef>
#include <string>

#include "settings/profile_record.h"
#include "settings/sensor_table.h"
#include "ui/geometry_types.h"

namespace gm {

// The display's design size (pixels at display scale 1).
inline constexpr int kStageDisplayWidth = 180;
inline constexpr int kStageDisplayHeight = 140;

struct StageDisplayTexts {
  std::wstring stage;  // "DPI-2"
  std::wstring value;  // "1600"
  std::wstring rate;   // "1000Hz"
  friend bool operator==(const StageDisplayTexts&, const StageDisplayTexts&) = default;
};

// The lines for `record`: the stage line counts from 1 (a stage above 7 is still shown as it is,
// but takes the DPI of stage 0, since only stages 0..7 have a value); the value is the DPI of the
// stage's X position in the sensor's list.
StageDisplayTexts StageDisplayTextsOf(const ProfileRecord& record, const SensorTables& sensor);

// "125Hz" .. "4000Hz" for rate codes 0..5, "8000Hz" for every other code.
std::wstring RateLineOfCode(unsigned code);

// Where a line's text starts, in design units.
struct StageDisplayLayout {
  ui::IntPoint stage;
  ui::IntPoint value;
  ui::IntPoint rate;
  friend bool operator==(const StageDisplayLayout&, const StageDisplayLayout&) = default;
};

// The positions for `texts`: the value line moves left as it gets longer, by an amount that
// depends on whether the interface font is the wide Chinese face "宋体" (`fontFace`); the rate line
// moves left for six characters.
StageDisplayLayout StageDisplayLayoutOf(const StageDisplayTexts& texts, std::wstring_view fontFace);

// The display's window rectangle: 180 × 140 × scale in the lower right corner of `workArea`.
ui::IntRect StageDisplayRect(const ui::IntRect& workArea, double scale);

// The display's life: a change either opens it or refreshes the one open; every tick of its timer
// counts down, and the tick after the count has reached 0 closes it. With a 300 ms tick a display
// without new changes closes on the sixth tick, about 1.8 s after the last change.
class StageDisplayCountdown {
 public:
  static constexpr int kTicks = 5;
  enum class Change { kOpen, kRefresh };

  // A new change: open a display when none is, else refresh the open one. Restarts the count.
  Change OnChange();
  // One timer tick: true when the display is to close and the timer to stop (also for a tick
  // that finds no display open).
  bool OnTick();
  bool Open() const { return open_; }
  // The display went away by other means (its window was destroyed).
  void Closed() { open_ = false; }

 private:
  bool open_ = false;
  int left_ = 0;
};

}  // namespace gm
