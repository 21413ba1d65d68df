#include "ui/scroll_geometry.h"

#include <algorithm>
#include <cmath>

namespace gm::ui {

Span ThumbSpan(Span track, int position, int page, int range) {
  if (range <= 0) return track;
  const int length = track.bottom - track.top + 1;
  if (length <= 0) return track;
  // A position or page outside the range still gives a thumb inside the track.
  const double offset = std::clamp(std::floor(static_cast<double>(position) / range * length + 0.5), 0.0,
                                   static_cast<double>(length - 1));
  const double height = std::clamp(std::floor(static_cast<double>(page) / range * length + 0.5), 0.0,
                                   static_cast<double>(length));
  const int top = track.top + static_cast<int>(offset);
  return {top, std::min(track.bottom, top + static_cast<int>(height) - 1)};
}

Span DragThumb(Span track, Span drag, int grabOffset, int y) {
  const int delta = y - (drag.top + grabOffset);
  int move = 0;
  if (delta > 0 && drag.bottom < track.bottom) {
    move = std::min(delta, track.bottom - drag.bottom);
  } else if (delta < 0 && drag.top > track.top) {
    move = std::max(delta, track.top - drag.top);
  }
  return {drag.top + move, drag.bottom + move};
}

int DraggedPosition(Span track, int dragTop, int range) {
  const int length = track.bottom - track.top + 1;
  if (length <= 0) return 0;
  return static_cast<int>(static_cast<long long>(dragTop - track.top) * range / length);
}

std::optional<int> ScrollStep(int part, int position, int page, int range) {
  // Wide arithmetic: no sum or difference of the three can overflow.
  const long long pos = position, last = static_cast<long long>(range) - page;
  switch (part) {
    case kScrollUpArrow:
      if (pos >= 1) return static_cast<int>(pos - 1);
      break;
    case kScrollDownArrow:
      if (pos < last) return static_cast<int>(pos + 1);
      break;
    case kScrollPageUp:
      if (pos >= 1) return static_cast<int>(std::max(0LL, pos - page + 1));
      break;
    case kScrollPageDown:
      if (pos < last) return static_cast<int>(std::clamp(pos + page - 1, pos, last));
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace gm::ui
