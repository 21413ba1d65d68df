// The gallery: every control class and the notice dialogs drawn with the shipped skins into one
// picture, ui_gallery.png in the build folder, for people to look at. It also checks that each
// control drew something where it stands.
#include <gtest/gtest.h>

#include "macro/macro_library.h"
#include "settings/language_indexes.h"
#include "settings/language.h"
#include "ui/buttons.h"
#include "ui/colour_buttons.h"
#include "ui/combo_button.h"
#include "ui/dials.h"
#include "ui/dlg_base.h"
#include "ui/gauges.h"
#include "ui/macro_lists.h"
#include "dialogs/attention_dlg.h"
#include "dialogs/firmware_reset_dlg.h"
#include "dialogs/progress_bar_dlg.h"
#include "ui/scroll_bar.h"
#include "ui/selection_state.h"
#include "ui/selector_buttons.h"
#include "ui/static_controls.h"
#include "ui_test_support.h"
#include "win_test_support.h"

namespace {

using namespace gm::win;

class GalleryDlg : public CDlgBase {
 public:
  explicit GalleryDlg(const gm::ui::UiContext& context) : CDlgBase(context) {
    SetWindowSize(1127, 560);
    SetRegisterAsOpenDialog(false);
    gm::MacroItemLocation at = gm::MacroItemLocation::None();
    library_.CreateFolder(L"Shooter", at);
    const gm::MacroItemLocation folder = at;
    library_.CreateMacro(L"Burst fire", at);
    library_.ItemAt(folder)->MacroItemFolderIsOpen = 1;
    at = gm::MacroItemLocation::None();
    library_.CreateFolder(L"Office", at);
    at = gm::MacroItemLocation::None();
    library_.CreateMacro(L"Copy & paste", at);
    macro_.Actions[0] = gm::MacroAction::Event(0xE0, false);
    macro_.Actions[1] = gm::MacroAction::Delay(35);
    macro_.Actions[2] = gm::MacroAction::Event(0xE0, true);
    macro_.Actions[3] = gm::MacroAction::Event(0x1D, false);
    macro_.MacroActionNum = 4;
  }

 protected:
  template <typename T>
  T* Put(int layer, std::unique_ptr<T> c) {
    return AddControl(layer, std::move(c));
  }
  void Images(CControlBase* c, const wchar_t* nr, const wchar_t* ov, const wchar_t* dn = nullptr) {
    c->SetNormalImage(nr);
    if (ov) c->SetHoverImage(ov);
    if (dn) c->SetPressedImage(dn);
  }

  void CreateControls(const RECT&) override {
    CControlHost& h = *this;
    // Buttons.
    auto* ok = Put(1, std::make_unique<CImageButton>(h, 2010, RECT{20, 20, 89, 40}, L"OK", DT_CENTER));
    Images(ok, L"skins\\button2_nr.png", L"skins\\button2_ov.png");
    auto* hovered = Put(1, std::make_unique<CImageButton>(h, 2011, RECT{100, 20, 169, 40}, L"Hover", DT_CENTER));
    Images(hovered, L"skins\\button2_nr.png", L"skins\\button2_ov.png");
    hovered->OnMouseMove(0, 110, 30);
    for (int i = 0; i < 2; ++i) {
      auto* box = Put(1, std::make_unique<CCheckButton>(h, 3540 + i, RECT{190 + 25 * i, 22, 205 + 25 * i, 37}));
      Images(box, L"skins\\check_nr.png", L"skins\\check_ov.png", L"skins\\check_dn.png");
      box->SetChecked(i == 1);
    }
    auto* header = Put(1, std::make_unique<CCheckButton>(h, 3001, RECT{250, 20, 512, 45}, L"DPI", DT_LEFT));
    Images(header, L"skins\\header_nr.png", L"skins\\header_ov.png", L"skins\\header_dn.png");
    header->SetTextMargin(10);
    header->SetChecked(true);
    const UINT radios[] = {3509, 3510, 3511};
    for (int i = 0; i < 3; ++i) {
      auto* r = Put(1, std::make_unique<CRadioButton>(h, radios[i], RECT{530 + 22 * i, 22, 545 + 22 * i, 37}));
      Images(r, L"skins\\radio_nr.png", L"skins\\radio_ov.png", L"skins\\radio_dn.png");
      r->SetGroup(&lift_);
    }
    lift_.Select(3510);
    auto* combo = Put(1, std::make_unique<CComboButton>(h, 2013, RECT{610, 20, 772, 41}, L"Left button", DT_CENTER));
    Images(combo, L"skins\\combo2_nr.png", L"skins\\combo2_ov.png");
    auto* combo2 = Put(1, std::make_unique<CComboButton>(h, 2014, RECT{790, 20, 952, 41}, L"unused", DT_CENTER));
    Images(combo2, L"skins\\combo2_nr.png", L"skins\\combo2_ov.png");
    combo2->SetShowDisabled(true);
    combo2->SetOpen(true);
    Put(1, std::make_unique<CLinkButton>(h, 3503, RECT{970, 20, 1120, 40}, L"www.example.com", DT_CENTER));

    // DPI stages.
    stages_.SelectUpTo(3);
    for (int i = 0; i < 6; ++i) {
      auto* bar = Put(1, std::make_unique<CDPIValueShowControl>(h, 3300 + i, RECT{29 + 36 * i, 60, 36 + 36 * i, 192}, 10));
      bar->SetBackgroundImage(L"skins\\dpi_bar_bg.png");
      bar->SetFillImage(L"skins\\dpi_bar_fill.png");
      bar->SetLevel(1 + i * 2);
      auto* stage = Put(1, std::make_unique<CDPIRadioButton>(h, 3290 + i, RECT{20 + 36 * i, 197, 46 + 36 * i, 208}));
      Images(stage, L"skins\\dpi_value.png", L"skins\\dpi_value_ov.png", L"skins\\dpi_value_dn.png");
      stage->SetDpiStep(8 << i);
      stage->SetStage(&stages_, i + 1);
      const RECT swatch{20 + 36 * i, 214, 46 + 36 * i, 226};
      Put(1, std::make_unique<CColorSelectButton>(h, 3270 + i, swatch, swatch))
          ->SetColour(RGB(255 - 40 * i, 40 * i, 120));
    }
    for (int i = 0; i < 2; ++i) {
      auto* c = Put(1, std::make_unique<CColorSelectCheckButton>(h, 3600 + i, RECT{20 + 30 * i, 232, 44 + 30 * i, 256}));
      Images(c, L"skins\\color_select_nr.png", nullptr, L"skins\\color_select_check.png");
      c->SetColour(i ? RGB(0, 160, 255) : RGB(255, 128, 0));
      c->SetChecked(i == 0);
    }

    // Report-rate dials.
    rate_.value = 2;
    std::unique_ptr<CPollingRateDial> dials[] = {
        std::make_unique<CPollingRate250Button>(h, 3041, RECT{250, 60, 400, 210}),
        std::make_unique<CPollingRate1000Button>(h, 3042, RECT{405, 60, 555, 210}),
        std::make_unique<CPollingRate2000Button>(h, 3043, RECT{560, 60, 710, 210}),
        std::make_unique<CPollingRate4000Button>(h, 3044, RECT{715, 60, 865, 210}),
        std::make_unique<CPollingRate8000Button>(h, 3045, RECT{870, 60, 1020, 210})};
    for (auto& d : dials) {
      d->LoadSkin();
      d->SetRateChoice(&rate_);
      CPollingRateDial* raw = Put(1, std::move(d));
      if (raw->Id() == 3045) raw->OnMouseMove(0, 870 + 96, 60 + 32);  // hovering 8000 Hz
    }

    // Power, battery, lists, sliders.
    auto* power = Put(1, std::make_unique<CPowerManageButton>(h, 3500, RECT{20, 270, 160, 354}));
    power->LoadSkin();
    power->SetValue(5);
    const int charge[] = {CBattery::kNotCharging, CBattery::kCharging, CBattery::kFull};
    for (int i = 0; i < 3; ++i) {
      auto* b = Put(1, std::make_unique<CBattery>(h, 3406, RECT{180 + 40 * i, 270, 210 + 40 * i, 331}));
      b->LoadSkin();
      b->SetPercent(40);
      b->SetAnimationLevel(75);
      b->SetChargeState(charge[i]);
    }
    auto* scroll = Put(1, std::make_unique<CVScrollBar>(h, 2021, RECT{520, 270, 535, 470}));
    scroll->LoadArrows();
    scroll->SetScroll(3, 10, 40);
    auto* tree = Put(1, std::make_unique<CEditShowList>(h, 2015, RECT{320, 270, 515, 470}, library_));
    tree->LoadSkin();
    tree->SetSelectedRow(1);
    auto* actions = Put(1, std::make_unique<CImageShowList>(h, 2020, RECT{545, 270, 745, 470}));
    actions->LoadSkin();
    actions->SetMacro(&macro_);
    actions->SetSelectedRow(1);
    auto* vslider = Put(1, std::make_unique<CVerticalSliderControl>(h, 3310, RECT{770, 270, 777, 402}, 10));
    vslider->SetBackgroundImage(L"skins\\dpi_bar_bg.png");
    vslider->SetFillImage(L"skins\\dpi_bar_fill.png");
    vslider->SetLevel(5);
    Put(0, std::make_unique<CStaticImage>(h, 3320, RECT{790, 270, 1100, 288}))->SetNormalImage(L"skins\\Slider_bar.png");
    auto* slider = Put(1, std::make_unique<CSliderControl>(h, 3321, RECT{790, 270, 1100, 288}, 5, 9, 9));
    slider->SetNormalImage(L"skins\\Slider_Circle.png");
    slider->SetValueIndex(2);

    // Statics and the tab.
    auto* text = Put(0, std::make_unique<CStaticText>(h, 3402, RECT{790, 300, 1100, 318}, kTextGrey, DT_LEFT));
    text->SetLabel(L"Static text in the user-interface font");
    auto* progress = Put(1, std::make_unique<CStaticProgressBar>(h, 3002, RECT{790, 330, 1100, 348}));
    progress->SetNormalImage(L"skins\\Slider_bar.png");
    progress->SetBarImage(L"skins\\header_dn.png");
    progress->SetBarValue(60);
    profileTab_.value = 0;
    for (int i = 0; i < 2; ++i) {
      auto* tab = Put(1, std::make_unique<CTabControl>(h, 2049 + i, RECT{790 + 165 * i, 360, 952 + 165 * i, 382}, i ? L"Profile 2" : L"Profile 1", DT_LEFT));
      Images(tab, L"skins\\menu_nr.png", L"skins\\menu_ov.png", L"skins\\menusub_nr.png");
      tab->SetSelectedHoverImage(L"skins\\menusub_ov.png");
      tab->SetTab(&profileTab_, i, CTabControl::Style::kProfile);
    }
    Put(0, std::make_unique<CStaticImage>(h, 3400, RECT{180, 345, 287, 544}))->SetNormalImage(L"skins\\mouse\\mouse_nr.png");
  }

 private:
  gm::ui::RadioGroup lift_{3509, 3510, 3511};
  gm::ui::StageSelection stages_;
  gm::ui::Choice rate_;
  gm::ui::Choice profileTab_;
  gm::MacroLibrary library_;
  gm::MacroKey macro_;
};

}  // namespace

TEST(Gallery, EveryControlWithTheShippedSkins) {
  uitest::EnsureGdiplus();
  uitest::TestUi ui;
  ui.context.programFolder = gmtest::BinFolder();  // the build copies skins\ beside the programs
  ASSERT_NE(GetFileAttributesW(ui.context.ProgramFile(L"skins\\button2_nr.png").c_str()), INVALID_FILE_ATTRIBUTES)
      << "no skins beside the test program (build the skins_copy target)";
  ui.texts[gm::kTextOk] = L"OK";
  ui.texts[gm::kTextCancel] = L"Cancel";
  ui.texts[gm::kTextFactoryResetQuestion] = L"Restore the factory settings of the mouse?";

  uitest::Surface canvas(1127, 740, RGB(24, 24, 24));
  {
    GalleryDlg gallery(ui.context);
    HWND h = gallery.CreateModelessDialog();
    ASSERT_NE(h, nullptr);
    gallery.Render(canvas.Dc());
    gallery.ReleaseControlImages();
    DestroyWindow(h);
  }
  // The notice and the confirmation below the controls.
  {
    CAttentionDlg notice(ui.context, L"", L"The mouse is not connected.", nullptr);
    notice.SetRegisterAsOpenDialog(false);
    HWND h = notice.CreateModelessDialog();
    SetViewportOrgEx(canvas.Dc(), 20, 570, nullptr);
    notice.Render(canvas.Dc());
    DestroyWindow(h);
  }
  {
    CFirmwareResetDlg confirm(ui.context);
    confirm.SetRegisterAsOpenDialog(false);
    HWND h = confirm.CreateModelessDialog();
    SetViewportOrgEx(canvas.Dc(), 360, 570, nullptr);
    confirm.Render(canvas.Dc());
    DestroyWindow(h);
  }
  SetViewportOrgEx(canvas.Dc(), 0, 0, nullptr);
  const std::wstring out = gmtest::BinFolder() + L"..\\ui_gallery.png";
  EXPECT_TRUE(canvas.SavePng(out));

  // A picture was drawn where each picture-carrying control stands (the dialog's own background
  // is black).
  const POINT spots[] = {{30, 25}, {197, 29}, {300, 40}, {537, 29}, {620, 25}, {32, 185}, {25, 203},
                         {325, 135}, {945, 135}, {90, 340}, {195, 320}, {527, 300}, {773, 390},
                         {800, 279}, {800, 339}, {800, 371}, {230, 450}, {25, 575}, {365, 575}};
  for (POINT p : spots) EXPECT_NE(canvas.Pixel(p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
}
