#pragma once
// Which of the main window's controls look different when the window goes from showing one view
// to showing the next. The window paints those again and leaves the rest of its picture as it is:
// a refresh after an upload, whose view is most often the one already shown, paints nothing, and
// a profile switch paints the controls whose values differ instead of all 1127 × 740 pixels.
// Portable.
#include <vector>

#include "app/main_view.h"

namespace gm {

struct ViewRepaint {
  // The report-rate section opens or closes, which moves the sections below it: everything.
  bool wholeWindow = false;
  // Otherwise the ids of the controls to paint again, each once, in ascending order.
  std::vector<int> controls;
};

// `shown` is the view the controls show now; null before the first refresh (everything is painted).
ViewRepaint RepaintForView(const MainView* shown, const MainView& next);

}  // namespace gm
