#pragma once
// Makes the skinned control of one entry of the main window's layout table through the toolkit's
// control factory, plus what only the main window's controls need (the sensor's DPI level count).
#include <windows.h>

#include <memory>

#include "app/main_layout.h"
#include "ui/control_base.h"
#include "ui/control_factory.h"

namespace gm::win {

// The control for `spec` at `rect` (pixels), owned by `owner`; null for an unknown kind.
std::unique_ptr<CControlBase> MakeMainControl(HWND owner, const MainControlSpec& spec, const RECT& rect);

// The web address the link 3503 shows and opens.
inline constexpr const wchar_t* kMakerWebAddress = gm::kMakerWebAddress;

}  // namespace gm::win
