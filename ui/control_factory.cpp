#include "ui/control_factory.h"

#include "ui/buttons.h"
#include "ui/colour_buttons.h"
#include "ui/combo_button.h"
#include "ui/dials.h"
#include "ui/edit_box.h"
#include "ui/gauges.h"
#include "ui/selector_buttons.h"
#include "ui/static_controls.h"

namespace gm::win {
namespace {

// The program version shown after the caption of a control with the version-suffix flag.
constexpr const wchar_t* kProgramVersionSuffix = L":2.1.6";
// Level count of a DPI bar until its window sets the sensor's.
constexpr int kDefaultLevelCount = 1;
// Font size of an edit box whose spec names none.
constexpr int kDefaultEditPoints = 10;

COLORREF ToColorref(unsigned rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::wstring CaptionOf(const ui::UiContext& context, const ui::ControlSpec& spec) {
  if (spec.fixedText) return spec.fixedText;
  if (spec.textIndex < 0) return {};
  std::wstring text = context.Text(spec.textIndex);
  if (spec.flags & ui::kVersionSuffix) text += kProgramVersionSuffix;
  return text;
}

void LoadPictures(CControlBase& c, const ui::ControlSpec& spec) {
  if (spec.pictures[0]) c.SetNormalImage(spec.pictures[0]);
  if (spec.pictures[1]) c.SetHoverImage(spec.pictures[1]);
  if (spec.pictures[2]) c.SetPressedImage(spec.pictures[2]);
}

ui::RateDial RateDialOf(int variant) {
  switch (variant) {
    case 0: return ui::RateDial::k250;
    case 1: return ui::RateDial::k1000;
    case 2: return ui::RateDial::k2000;
    case 3: return ui::RateDial::k4000;
    default: return ui::RateDial::k8000;
  }
}

std::unique_ptr<CControlBase> MakeOfClass(CControlHost& host, const ui::ControlSpec& spec, const RECT& rect) {
  using K = ui::ControlClass;
  const UINT id = static_cast<UINT>(spec.id);
  const std::wstring caption = CaptionOf(host.Context(), spec);
  const UINT flags = TextFlagsOf(spec.align);
  switch (spec.kind) {
    case K::kStaticImage: {
      auto c = std::make_unique<CStaticImage>(host, id, rect);
      LoadPictures(*c, spec);
      return c;
    }
    case K::kStaticText: {
      auto c = std::make_unique<CStaticText>(host, id, rect, ToColorref(spec.textColour), flags);
      c->SetLabel(caption);
      return c;
    }
    case K::kBattery: {
      auto c = std::make_unique<CBattery>(host, id, rect);
      c->LoadSkin();
      return c;
    }
    case K::kPowerManage: {
      auto c = std::make_unique<CPowerManageButton>(host, id, rect);
      c->LoadSkin();
      return c;
    }
    case K::kImageButton: {
      auto c = std::make_unique<CImageButton>(host, id, rect, caption, DT_CENTER);
      LoadPictures(*c, spec);
      if (spec.textMargin) c->SetTextMargin(host.Context().Px(spec.textMargin));
      return c;
    }
    case K::kComboButton: {
      auto c = std::make_unique<CComboButton>(host, id, rect, std::wstring{}, DT_LEFT);
      LoadPictures(*c, spec);
      return c;
    }
    case K::kCaptionBar:
    case K::kSectionHeader: {
      auto c = std::make_unique<CCheckButton>(host, id, rect, caption, DT_LEFT);
      LoadPictures(*c, spec);
      c->SetTextMargin(host.Context().Px(spec.textMargin));
      return c;
    }
    case K::kLinkButton:
      return std::make_unique<CLinkButton>(host, id, rect, caption, flags & DT_CENTER);
    case K::kDpiValue: {
      auto c = std::make_unique<CDPIValueShowControl>(host, id, rect, kDefaultLevelCount);
      c->SetBackgroundImage(L"skins\\dpi_bar_bg.png");
      c->SetFillImage(L"skins\\dpi_bar_fill.png");
      return c;
    }
    case K::kDpiRadio: {
      auto c = std::make_unique<CDPIRadioButton>(host, id, rect);
      LoadPictures(*c, spec);
      return c;
    }
    case K::kDpiCheck:
    case K::kCheck: {
      auto c = std::make_unique<CCheckButton>(host, id, rect);
      LoadPictures(*c, spec);
      return c;
    }
    case K::kColourSelect:
      return std::make_unique<CColorSelectButton>(host, id, rect, rect);
    case K::kRatePicture: {
      auto c = std::make_unique<CPollingRateDial>(host, id, RateDialOf(spec.variant), rect);
      c->LoadSkin();
      c->BuildRegions();
      return c;
    }
    case K::kRadio: {
      auto c = std::make_unique<CRadioButton>(host, id, rect);
      LoadPictures(*c, spec);
      return c;
    }
    case K::kEditBox: {
      auto c = std::make_unique<CEditBox>(host, id, rect, spec.align != ui::TextAlign::kLeft,
                                          spec.variant > 0 ? spec.variant : kDefaultEditPoints);
      if (!caption.empty()) c->SetText(caption);
      return c;
    }
  }
  return nullptr;
}

}  // namespace

UINT TextFlagsOf(ui::TextAlign align) {
  switch (align) {
    case ui::TextAlign::kCentre: return DT_CENTER | DT_SINGLELINE;
    case ui::TextAlign::kCentreWrapped: return DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL;
    case ui::TextAlign::kLeft: break;
  }
  return DT_LEFT | DT_SINGLELINE;
}

RECT ScaledRect(const LayoutRect& r, double scale) {
  const LayoutRect s = ScaleRect(r, scale);
  return {s.left, s.top, s.right, s.bottom};
}

std::unique_ptr<CControlBase> MakeControl(CControlHost& host, const ui::ControlSpec& spec, const RECT& rect) {
  std::unique_ptr<CControlBase> c = MakeOfClass(host, spec, rect);
  if (!c) return nullptr;
  if (spec.fontHeight > 0) c->SetFont(host.Context().Px(spec.fontHeight), host.Context().EffectiveFont().name);
  if (spec.flags & ui::kNotInteractive) c->SetInteractive(false);
  c->SetBehaviour(spec.flags);
  return c;
}

}  // namespace gm::win

static_assert(gm::win::kBehaviourRepaintsWindow == gm::ui::kRepaintsWindowOnClick);
static_assert(gm::win::kBehaviourReportsMoves == gm::ui::kReportsPointerMoves);
