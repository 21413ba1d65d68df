#include "app/main_window_controls.h"

#include "ui/buttons.h"
#include "ui/colour_buttons.h"
#include "ui/combo_button.h"
#include "ui/dials.h"
#include "ui/gauges.h"
#include "ui/selector_buttons.h"
#include "ui/static_controls.h"
#include "ui/ui_font.h"

namespace gm::win {
namespace {

constexpr const wchar_t* kProgramVersion = L":2.1.6";

COLORREF ToColorref(unsigned rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::wstring CaptionOf(const MainControlSpec& spec, const LanguageTable& texts) {
  if (spec.textIndex < 0) return {};
  std::wstring text = texts[static_cast<std::size_t>(spec.textIndex)];
  if (spec.id == 3021) text += kProgramVersion;
  return text;
}

void LoadPictures(CControlBase& c, const MainControlSpec& spec) {
  if (spec.pictures[0]) c.SetNormalImage(spec.pictures[0]);
  if (spec.pictures[1]) c.SetHoverImage(spec.pictures[1]);
  if (spec.pictures[2]) c.SetPressedImage(spec.pictures[2]);
}

std::unique_ptr<CPollingRateDial> MakeRateDial(HWND owner, int id, const RECT& rect) {
  switch (id) {
    case 3041: return std::make_unique<CPollingRate250Button>(owner, rect);
    case 3042: return std::make_unique<CPollingRate1000Button>(owner, rect);
    case 3043: return std::make_unique<CPollingRate2000Button>(owner, rect);
    case 3044: return std::make_unique<CPollingRate4000Button>(owner, rect);
    default: return std::make_unique<CPollingRate8000Button>(owner, rect);
  }
}

}  // namespace

RECT ScaledRect(const LayoutRect& r, float displayScale) {
  const LayoutRect s = ScaleRect(r, displayScale);
  return {s.left, s.top, s.right, s.bottom};
}

std::unique_ptr<CControlBase> MakeMainControl(HWND owner, const MainControlSpec& spec, const RECT& rect,
                                              const AppState& state) {
  using K = MainControlKind;
  const UINT id = static_cast<UINT>(spec.id);
  const std::wstring caption = CaptionOf(spec, state.texts);
  const float scale = state.env.displayScale;
  const int margin = static_cast<int>(12 * scale);
  switch (spec.kind) {
    case K::kStaticImage: {
      auto c = std::make_unique<CStaticImage>(owner, id, rect);
      LoadPictures(*c, spec);
      return c;
    }
    case K::kStaticText: {
      const UINT flags = spec.id == 3024 || spec.id == 3407 || (spec.id >= 3142 && spec.id <= 3145) || (spec.id >= 3519 && spec.id <= 3521)
                             ? DT_CENTER | DT_SINGLELINE
                             : DT_LEFT | DT_SINGLELINE;
      auto c = std::make_unique<CStaticText>(owner, id, rect, ToColorref(spec.textColour), flags);
      c->SetLabel(caption);
      return c;
    }
    case K::kBattery: {
      auto c = std::make_unique<CBattery>(owner, rect);
      c->LoadSkin();
      return c;
    }
    case K::kPowerManage: {
      auto c = std::make_unique<CPowerManageButton>(owner, rect);
      c->LoadSkin();
      return c;
    }
    case K::kImageButton: {
      auto c = std::make_unique<CImageButton>(owner, id, rect, caption, DT_CENTER);
      LoadPictures(*c, spec);
      // The desktop-mouse picture carries a pointer icon at its left: the caption centres beside it.
      if (spec.id == 3330) c->SetTextMargin(static_cast<int>(28 * scale));
      return c;
    }
    case K::kComboButton: {
      auto c = std::make_unique<CComboButton>(owner, id, rect, std::wstring{}, id, DT_LEFT);
      LoadPictures(*c, spec);
      return c;
    }
    case K::kCaptionBar:
    case K::kSectionHeader: {
      auto c = std::make_unique<CCheckButton>(owner, id, rect, caption, DT_LEFT);
      LoadPictures(*c, spec);
      c->SetTextMargin(margin);
      // The left column's caption bars only carry a title.
      if (spec.kind == K::kCaptionBar) c->SetInteractive(false);
      return c;
    }
    case K::kLinkButton:
      return std::make_unique<CLinkButton>(owner, id, rect, kMakerWebAddress, DT_CENTER);
    case K::kDpiValue: {
      auto c = std::make_unique<CDPIValueShowControl>(owner, id, rect, static_cast<int>(state.sensor.count));
      c->SetBackgroundImage(L"skins\\dpi_bar_bg.png");
      c->SetFillImage(L"skins\\dpi_bar_fill.png");
      return c;
    }
    case K::kDpiRadio: {
      auto c = std::make_unique<CDPIRadioButton>(owner, id, rect);
      LoadPictures(*c, spec);
      // The value is written inside the 11-unit picture: a font that fits it.
      c->SetFont(static_cast<int>(11 * scale), ui::CurrentUiFont().name);
      return c;
    }
    case K::kDpiCheck:
    case K::kCheck: {
      auto c = std::make_unique<CCheckButton>(owner, id, rect);
      LoadPictures(*c, spec);
      return c;
    }
    case K::kColourSelect:
      return std::make_unique<CColorSelectButton>(owner, id, rect, rect);
    case K::kRatePicture: {
      auto c = MakeRateDial(owner, spec.id, rect);
      c->LoadSkin();
      c->BuildRegions();
      return c;
    }
    case K::kRadio: {
      auto c = std::make_unique<CRadioButton>(owner, id, rect);
      LoadPictures(*c, spec);
      return c;
    }
  }
  return nullptr;
}

}  // namespace gm::win
