#pragma once
// The vertical scroll bar's arithmetic: where the thumb sits for a position, page and range, how a
// dragged thumb follows the pointer, and which position a dragged thumb stands for. Also the
// owner's answer to the bar's arrow and track presses.
#include <optional>

namespace gm::ui {

// Top and bottom rows of a vertical span (both inside the span).
struct Span {
  int top = 0;
  int bottom = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

// Thumb for `position`, `page` and `range` on a track whose first and last rows are
// track.top and track.bottom. Range 0 (or less) gives the whole track.
Span ThumbSpan(Span track, int position, int page, int range);

// One drag step: the thumb `drag` grabbed `grabOffset` rows below its top follows the pointer row
// `y`, stopping flush at either end of the track. Returns the moved thumb.
Span DragThumb(Span track, Span drag, int grabOffset, int y);

// Position a dragged thumb stands for: (drag top − track top) × range / track length, rounded
// down; 0 for a track without length.
int DraggedPosition(Span track, int dragTop, int range);

// Notification codes (wParam of a press) of the scroll bar's parts.
enum ScrollPart : int { kScrollThumb = 0, kScrollUpArrow = 6, kScrollDownArrow = 7, kScrollPageUp = 8, kScrollPageDown = 9 };

// The owner's answer to a press on `part`: the new position, or nothing when it does not move.
std::optional<int> ScrollStep(int part, int position, int page, int range);

}  // namespace gm::ui
