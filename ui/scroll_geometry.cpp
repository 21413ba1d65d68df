#include "ui/scroll_geometry.h"

#include <algorithm>
#include <cmath>

namespace gm::ui {

Span ThumbSpan(Span track, int position, int page, int range) {
  if (range <= 0) return track;
  const int length = track.bottom - track.top + 1;
  const int top = track.top + static_cast<int>(std::floor(static_cast<double>(position) / range * length + 0.5));
  const int height = static_cast<int>(std::floor(static_cast<double>(page) / range * length + 0.5));
  return {top, std::min(track.bottom, top + std::min(length, height) - 1)};
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
  const int last = range - page;
  switch (part) {
    case kScrollUpArrow:
      if (position >= 1) return position - 1;
      break;
    case kScrollDownArrow:
      if (position < last) return position + 1;
      break;
    case kScrollPageUp:
      if (position >= 1) return std::max(0, position - page + 1);
      break;
    case kScrollPageDown:
      if (position < last) return std::min(last, position + page - 1);
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace gm::ui
