#pragma once
// Makes the skinned control a control description gives: the right class with its pictures, its caption from
// the language texts, its colour, alignment, margin, font and behaviour flags. The main window
// and every dialog create their controls through it.
#include <windows.h>

#include <memory>

#include "ui/control_base.h"
#include "ui/control_table.h"

namespace gm::win {

// A rectangle of design units in pixels at display scale `scale`.
RECT ScaledRect(const LayoutRect& r, double scale);

// The control for `spec` at `rect` (pixels) in `host`; null for an unknown class.
std::unique_ptr<CControlBase> MakeControl(CControlHost& host, const ui::ControlSpec& spec, const RECT& rect);

// Windows text flags of an alignment.
UINT TextFlagsOf(ui::TextAlign align);

}  // namespace gm::win
