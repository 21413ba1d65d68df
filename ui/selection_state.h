#pragma once
// Selection state shared by a window's selector controls: a group of radio buttons, the row of
// DPI stage buttons and a single chosen value (a tab row, the report-rate dials). The window owns
// these objects and hands each control the one it belongs to; the controls read and change it.
// Portable.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

namespace gm::ui {

// Radio buttons (by id) of which at most one is selected.
class RadioGroup {
 public:
  RadioGroup() = default;
  RadioGroup(std::initializer_list<unsigned> members) : members_(members) {}

  bool Has(unsigned id) const;
  bool IsSelected(unsigned id) const { return selected_ && *selected_ == id; }
  std::optional<unsigned> Selected() const { return selected_; }
  // Selects `id` and clears the rest of the group; an id outside the group changes nothing and
  // returns false.
  bool Select(unsigned id);
  const std::vector<unsigned>& Members() const { return members_; }

 private:
  std::vector<unsigned> members_;
  std::optional<unsigned> selected_;
};

// Mask of the lowest `stage` bits (stage 1 → 0x01 .. stage 8 → 0xFF; 0 outside 1..8).
uint8_t DpiMaskUpToStage(int stage);

// The DPI stage buttons 1..8: choosing stage n selects it and every lower stage.
class StageSelection {
 public:
  bool IsSelected(int stage) const { return stage >= 1 && stage <= 8 && ((mask_ >> (stage - 1)) & 1) != 0; }
  // Stages 1..`stage` selected; a stage outside 1..8 clears the row.
  void SelectUpTo(int stage) { mask_ = DpiMaskUpToStage(stage); }
  uint8_t Mask() const { return mask_; }
  void SetMask(uint8_t mask) { mask_ = mask; }

 private:
  uint8_t mask_ = 0;
};

// One value chosen among several controls (the selected tab of a row, the report-rate code).
struct Choice {
  int value = 0;
};

}  // namespace gm::ui
