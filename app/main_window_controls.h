#pragma once
// Makes the skinned control of one entry of the main window's layout table: the right class with
// its pictures and its caption from the language table.
#include <windows.h>

#include <memory>

#include "app/app_state.h"
#include "app/main_layout.h"
#include "ui/control_base.h"

namespace gm::win {

// A rectangle of the layout in pixels at `displayScale`.
RECT ScaledRect(const LayoutRect& r, float displayScale);

// The control for `spec` at `rect` (pixels), owned by `owner`; null for an unknown kind. Captions
// come from the state's texts, sizes from its display scale, the DPI bar's length from its sensor.
std::unique_ptr<CControlBase> MakeMainControl(HWND owner, const MainControlSpec& spec, const RECT& rect,
                                              const AppState& state);

// The web address the link 3503 shows and opens.
inline constexpr const wchar_t* kMakerWebAddress = L"gaming-mouse.example";

}  // namespace gm::win
