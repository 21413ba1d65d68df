#pragma once
// A skinned control described as data: what the control factory needs to make it (class, design
// rectangle, pictures, caption, colour, alignment, layer) and the behaviour a window asks of it
// (repaint the whole window on click, report pointer moves, take no mouse, version suffix).
// Every window of the program, the main window and each dialog, lists its controls this way.
// Portable: no windows.h.
#include <array>

namespace gm {

// A rectangle in design units (or pixels once scaled).
struct LayoutRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const LayoutRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// Every coordinate multiplied by `scale` and truncated toward zero.
LayoutRect ScaleRect(const LayoutRect& r, double scale);

namespace ui {

// The class of control the factory makes.
enum class ControlClass {
  kStaticImage,
  kStaticText,
  kBattery,
  kPowerManage,
  kImageButton,
  kComboButton,
  kCaptionBar,     // a check button used as a caption bar
  kSectionHeader,  // a check button that opens a section
  kLinkButton,
  kDpiValue,
  kDpiRadio,
  kDpiCheck,
  kColourSelect,
  kRatePicture,
  kRadio,
  kCheck,
  kEditBox,  // a single-line edit box (a real edit window); `variant` its font size in points
};

// How a caption sits in its rectangle.
enum class TextAlign {
  kLeft,           // one line, left
  kCentre,         // one line, centred
  kCentreWrapped,  // centred, wrapping onto several lines
};

// Behaviour flags.
enum ControlFlag : unsigned {
  kRepaintsWindowOnClick = 1u << 0,  // a click changes what else the window shows
  kReportsPointerMoves = 1u << 1,    // every pointer move over it is an event (kEventHover)
  kNotInteractive = 1u << 2,         // painted, but takes no mouse
  kVersionSuffix = 1u << 3,          // the caption gets the program version appended
};

// Text colours as 0xRRGGBB.
inline constexpr unsigned kColourWhite = 0xFFFFFF;
inline constexpr unsigned kColourYellow = 0xFFD200;
inline constexpr unsigned kColourGrey = 0xB4B4B4;

struct ControlSpec {
  int id = 0;
  ControlClass kind = ControlClass::kStaticImage;
  LayoutRect rect;
  std::array<const wchar_t*, 4> pictures{};  // normal, hover, pressed/checked, extra; null unused
  int textIndex = -1;                        // caption from the language texts, -1 none
  unsigned textColour = kColourWhite;
  TextAlign align = TextAlign::kLeft;
  int textMargin = 0;   // design units the caption keeps from the left edge
  int fontHeight = 0;   // design units; 0 keeps the user-interface font
  int variant = 0;      // class-specific choice (the rate dial's highest rate)
  const wchar_t* fixedText = nullptr;  // a caption that is not a language text
  int layer = 2;        // drawing layer of the dialog base
  unsigned flags = 0;   // ControlFlag bits
};

}  // namespace ui
}  // namespace gm
