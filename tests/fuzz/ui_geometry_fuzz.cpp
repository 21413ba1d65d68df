// Arbitrary numbers through the toolkit's geometry rules, as a damaged setting, a strange screen
// or a wrong caller could give them: no overflow or other undefined behaviour, and every result
// stays inside the track, the bar, the picture or the table it indexes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ui/dialog_table.h"
#include "ui/gauge_geometry.h"
#include "ui/hover_notices.h"
#include "ui/list_rows.h"
#include "ui/popup_notices.h"
#include "ui/scroll_geometry.h"
#include "ui/selection_state.h"

namespace {

class Numbers {
 public:
  explicit Numbers(std::span<const std::uint8_t> data) : data_(data) {}
  std::int32_t Any() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
    return static_cast<std::int32_t>(v);
  }
  // A window coordinate: within ±100000 pixels.
  int Coord() { return Any() % 100001; }
  int Small(int limit) { return static_cast<int>(static_cast<std::uint32_t>(Any()) % static_cast<std::uint32_t>(limit)); }
  double Scale() {
    static constexpr double kScales[] = {1.0, 1.5, 2.0};
    return kScales[Small(3)];
  }

 private:
  std::uint8_t Byte() { return data_.empty() ? 0 : data_[i_++ % data_.size()]; }
  std::span<const std::uint8_t> data_;
  std::size_t i_ = 0;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Numbers n({data, size});
  using namespace gm::ui;

  // Scroll bar.
  int a = n.Coord(), b = n.Coord();
  const Span track{std::min(a, b), std::max(a, b)};
  const Span thumb = ThumbSpan(track, n.Any(), n.Any(), n.Any());
  Check(thumb.top >= track.top && thumb.top <= track.bottom && thumb.bottom <= track.bottom);
  if (thumb.bottom >= thumb.top) {
    const Span moved = DragThumb(track, thumb, n.Small(200), n.Coord());
    Check(moved.top >= track.top && moved.bottom <= track.bottom);
    Check(moved.bottom - moved.top == thumb.bottom - thumb.top);
    const int range = n.Any();
    const int v = DraggedPosition(track, moved.top, range);
    Check(range >= 0 ? (v >= 0 && v <= range) : (v <= 0 && v >= range));
  }
  (void)ScrollStep(n.Small(12), n.Any(), n.Any(), n.Any());

  // Bars and gauges.
  const int top = std::min(a, b), bottom = std::max(a, b), picture = n.Small(2000);
  const double scale = n.Scale();
  const VerticalCut level = LevelBarCut(top, bottom, n.Any(), n.Any(), picture, scale);
  Check(level.sourceTop >= 0 && level.sourceTop <= picture && level.destTop >= top - 1 && level.destTop <= bottom);
  const VerticalCut battery = BatteryCut(top, bottom, n.Any(), picture, scale);
  Check(battery.sourceTop >= 0 && battery.sourceTop <= picture);
  const int levels = n.Any();
  const int lv = VerticalSliderLevel(top, bottom, n.Coord(), levels);
  Check(levels >= 0 ? (lv >= 0 && lv <= levels) : (lv <= 0 && lv >= levels));
  const int columns = ProgressColumns(n.Any(), n.Any(), picture);
  Check(columns >= 0 && columns <= picture);
  (void)SwatchInset({a, b, n.Coord(), n.Coord()}, scale);

  // Slider stops.
  const std::vector<int> stops = SliderStops(top, bottom, n.Small(300) - 5, n.Small(500), n.Small(500));
  const int stop = NearestStop(stops, n.Coord());
  Check(stops.empty() ? stop == 0 : (stop >= 0 && stop < static_cast<int>(stops.size())));

  // Lists.
  const int rows = n.Any(), first = n.Any();
  const int row = RowAt(top, n.Coord(), scale, first, rows);
  Check(row == -1 || row < rows);
  Check(EnsureVisibleFirstRow(first, n.Any(), rows, n.Any()) >= 0);
  Check(VisibleRowCount(n.Coord(), scale) >= 0);

  // Selection state, notices, the dialog table.
  const unsigned id = static_cast<unsigned>(n.Any());
  RadioGroup group{static_cast<unsigned>(n.Small(8)), static_cast<unsigned>(n.Small(8)), static_cast<unsigned>(n.Small(8))};
  const auto before = group.Selected();
  const unsigned pick = static_cast<unsigned>(n.Small(8));
  const bool chosen = group.Select(pick);
  Check(chosen ? group.IsSelected(pick) && group.Has(pick) : group.Selected() == before);
  StageSelection stages;
  stages.SelectUpTo(n.Any());
  (void)stages.IsSelected(n.Any());
  (void)PopupDeactivationNotice(n.Any(), static_cast<std::uintptr_t>(n.Any()));
  ComboHoverCounter combo;
  gm::DialogTable table;
  for (int i = 0; i < 32; ++i) {
    (void)combo.Move(n.Small(2) != 0, n.Small(2) != 0);
    void* handle = reinterpret_cast<void*>(static_cast<std::uintptr_t>(n.Small(16)));
    if (n.Small(2)) {
      table.Add(handle);
    } else {
      table.Remove(handle);
    }
    Check(table.Count() <= gm::DialogTable::kCapacity);
  }
  return 0;
}
