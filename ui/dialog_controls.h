#pragma once
// Spec makers for the pieces every small skinned dialog has: the close cross in the top right
// corner, caption buttons on the "button2" pictures, grey text lines, edit lines, check boxes and
// radio buttons with their labels. Portable.
#include "ui/control_table.h"

namespace gm::ui {

// The close cross ("exit" pictures): 15 units square, 4 units from the top, at `left`.
constexpr ControlSpec CloseCross(int id, int left) {
  ControlSpec s;
  s.id = id;
  s.kind = ControlClass::kImageButton;
  s.rect = {left, 4, left + 15, 19};
  s.pictures = {L"skins\\exit_nr.png", L"skins\\exit_ov.png"};
  s.layer = 1;
  return s;
}

// A button whose caption is language text `textIndex` (-1: set by the dialog).
constexpr ControlSpec CaptionButton(int id, LayoutRect rect, int textIndex) {
  ControlSpec s;
  s.id = id;
  s.kind = ControlClass::kImageButton;
  s.rect = rect;
  s.pictures = {L"skins\\button2_nr.png", L"skins\\button2_ov.png"};
  s.textIndex = textIndex;
  s.layer = 1;
  return s;
}

// A grey line of text (language text `textIndex`, or -1: set by the dialog).
constexpr ControlSpec TextLine(int id, LayoutRect rect, TextAlign align, int textIndex = -1) {
  ControlSpec s;
  s.id = id;
  s.kind = ControlClass::kStaticText;
  s.rect = rect;
  s.textIndex = textIndex;
  s.textColour = kColourGrey;
  s.align = align;
  s.layer = 0;
  return s;
}

// A single-line edit box with centred text in "Tahoma" at `points` (scaled by the display scale
// over the text scale).
constexpr ControlSpec EditLine(int id, LayoutRect rect, int points) {
  ControlSpec s;
  s.id = id;
  s.kind = ControlClass::kEditBox;
  s.rect = rect;
  s.align = TextAlign::kCentre;
  s.variant = points;
  s.layer = 1;
  return s;
}

// A check box (the "check" pictures, 15 units square) with its top left corner at (left, top).
constexpr ControlSpec CheckBox(int id, int left, int top) {
  ControlSpec s;
  s.id = id;
  s.kind = ControlClass::kCheck;
  s.rect = {left, top, left + 15, top + 15};
  s.pictures = {L"skins\\check_nr.png", L"skins\\check_ov.png", L"skins\\check_dn.png"};
  s.layer = 1;
  return s;
}

// A radio button (the "radio" pictures, 15 units square) with its top left corner at (left, top).
constexpr ControlSpec RadioButton(int id, int left, int top) {
  ControlSpec s = CheckBox(id, left, top);
  s.kind = ControlClass::kRadio;
  s.pictures = {L"skins\\radio_nr.png", L"skins\\radio_ov.png", L"skins\\radio_dn.png"};
  return s;
}

// The label right of a 15-unit box at (left, top), `width` units wide: a fixed text, or language
// text `textIndex` when `fixed` is null.
constexpr ControlSpec BoxLabel(int id, int left, int top, int width, const wchar_t* fixed, int textIndex = -1) {
  ControlSpec s = TextLine(id, {left + 20, top - 2, left + 20 + width, top + 17}, TextAlign::kLeft, textIndex);
  s.fixedText = fixed;
  return s;
}

}  // namespace gm::ui
