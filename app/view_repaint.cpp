#include "app/view_repaint.h"

#include <algorithm>

#include "app/main_layout.h"

namespace gm {

ViewRepaint RepaintForView(const MainView* shown, const MainView& next) {
  ViewRepaint repaint;
  if (!shown || shown->ratePicture.has_value() != next.ratePicture.has_value()) {
    repaint.wholeWindow = true;
    return repaint;
  }
  std::vector<int>& ids = repaint.controls;
  for (int i = 0; i < kKeyComboCount; ++i) {
    const auto n = static_cast<std::size_t>(i);
    if (shown->comboCaptions[n] != next.comboCaptions[n]) ids.push_back(kControlKeyComboFirst + i);
  }

  // The current stage and the enabled stages decide how the stage row looks as a whole.
  const bool wholeRow = shown->currentStage != next.currentStage || shown->stageChecks != next.stageChecks;
  for (int i = 0; i < kShownDpiStages; ++i) {
    const StageView& before = shown->stages[static_cast<std::size_t>(i)];
    const StageView& after = next.stages[static_cast<std::size_t>(i)];
    if (wholeRow) ids.push_back(kControlStageCheckFirst + i);
    if (wholeRow || before.dpi != after.dpi || before.disabled != after.disabled || before.textColour != after.textColour)
      ids.push_back(kControlStageButtonFirst + i);
    if (before.colour != after.colour) ids.push_back(kControlStageColourFirst + i);
    if (before.x != after.x) ids.push_back(kControlStageBarFirst + i);
  }

  // The dial that goes and the one that comes (one and the same when only the code changed).
  if (shown->ratePicture != next.ratePicture || shown->rateCode != next.rateCode) {
    if (shown->ratePicture) ids.push_back(*shown->ratePicture);
    if (next.ratePicture) ids.push_back(*next.ratePicture);
  }
  if (shown->rateCentreText != next.rateCentreText) {
    ids.push_back(shown->rateCentreText);
    ids.push_back(next.rateCentreText);
  }

  if (shown->lift != next.lift) ids.insert(ids.end(), {kControlLiftRadioExtra, kControlLiftRadio1, kControlLiftRadio2});
  if (shown->liftExtraShown != next.liftExtraShown) ids.insert(ids.end(), {kControlLiftRadioExtra, kControlLiftTextExtra});

  for (int i = 0; i < kSensorCheckCount; ++i) {
    const auto n = static_cast<std::size_t>(i);
    if (shown->sensorChecks[n] != next.sensorChecks[n]) ids.push_back(kSensorCheckFirstId + i);
  }
  if (shown->powerValue != next.powerValue) ids.push_back(kControlPowerSaving);
  if (shown->powerLabel != next.powerLabel) ids.push_back(kControlPowerLabel);

  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  return repaint;
}

}  // namespace gm
