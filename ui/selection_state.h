#pragma once
// Selection state that the toolkit's selector controls share with the windows that read it, for
// the whole process: the radio-button word, the DPI stage mask, the chosen report-rate code and the
// two tab selections. Written on the user-interface thread only.
#include <cstdint>
#include <optional>

namespace gm {

// One bit per radio button, grouped so that selecting a button clears the rest of its group.
inline uint32_t RadioSelection = 0;
// Bit n set: DPI stage button n + 1 draws selected.
inline uint8_t DpiStageMask = 0;
// Report rate chosen on a dial: 0 = 125 Hz .. 6 = 8000 Hz.
inline int SelectedRateCode = 0;
// Selected profile tab (0..4, ids 2049..2053) and page tab (0..3 for ids 3001..3004, 7..9 for
// ids 3007..3009).
inline int ProfileTabSelection = 0;
inline int PageTabSelection = 0;

namespace ui {

struct RadioBit {
  uint32_t group = 0;
  uint32_t bit = 0;
};

// The group and bit of a radio id; nothing for an id without a bit.
std::optional<RadioBit> RadioBitOf(unsigned id);

// `selection` after radio `id` was clicked: its group cleared and its bit set (unchanged for an
// id without a bit).
uint32_t SelectRadio(uint32_t selection, unsigned id);

// First and last id of the DPI stage buttons (stage n = id − first + 1).
inline constexpr unsigned kFirstDpiStageId = 3290;
inline constexpr unsigned kLastDpiStageId = 3297;

// Mask of the lowest `stage` bits (stage 1 → 0x01 .. stage 8 → 0xFF; 0 outside 1..8).
uint8_t DpiMaskUpToStage(int stage);

// Which process-wide tab selection an id belongs to, and the value it stores there.
enum class TabKind { kNone, kProfile, kPage };
struct TabValue {
  TabKind kind = TabKind::kNone;
  int value = 0;
};
TabValue TabValueOf(unsigned id);

}  // namespace ui
}  // namespace gm
