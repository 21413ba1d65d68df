// The colour palette as a person uses it: clicks in the picture where it is drawn (design
// coordinates × the display scale), OK, Enter, Escape and the close cross. The colours expected
// are those of the program's palette picture at the clicked points.
#include <gtest/gtest.h>

#include "dialogs/colour_palette_dlg.h"
#include "settings/colour.h"
#include "settings/language_indexes.h"
#include "ui/ui_test_support.h"

namespace {

using D = gm::win::CColorPaletteDlg;
using uitest::RunScripted;

constexpr POINT kOkCentre{434, 260};
constexpr POINT kCloseCentre{483, 11};
constexpr POINT kGreenField{100, 100};       // (93, 255, 158) in the picture
constexpr POINT kBlueField{400, 60};         // (166, 212, 255)
constexpr POINT kBackgroundInField{300, 100};  // the picture's background (15, 15, 15)

class ColourPaletteDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { ui_.texts[gm::kTextOk] = L"OK"; }
  void ClickDesign(HWND dialog, POINT design) const {
    const LPARAM at = MAKELPARAM(ui_.context.Px(design.x), ui_.context.Px(design.y));
    SendMessageW(dialog, WM_MOUSEMOVE, 0, at);
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(dialog, WM_LBUTTONUP, 0, at);
  }
  static std::wstring Values(HWND h) {
    return uitest::LabelOf(h, D::kRed) + L"," + uitest::LabelOf(h, D::kGreen) + L"," + uitest::LabelOf(h, D::kBlue);
  }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
};

TEST_F(ColourPaletteDlgTest, AClickInAFieldTakesThePictureColourAtEveryScale) {
  for (double scale : {1.0, 1.5}) {
    ui_.context.displayScale = scale;
    gm::Colour colour = gm::MakeColour(1, 2, 3);
    D dlg(ui_.context, nullptr, colour);
    RECT client{};
    std::wstring start, afterGreen, afterIgnored;
    const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                               GetClientRect(h, &client);
                                               start = Values(h);
                                               ClickDesign(h, kGreenField);
                                               afterGreen = Values(h);
                                               ClickDesign(h, kBackgroundInField);
                                               afterIgnored = Values(h);
                                             },
                                             [&](HWND h) { ClickDesign(h, kOkCentre); }});
    EXPECT_EQ(client.right, static_cast<LONG>(500 * scale));
    EXPECT_EQ(client.bottom, static_cast<LONG>(291 * scale));
    EXPECT_EQ(start, L"1,2,3");
    EXPECT_EQ(afterGreen, L"93,255,158");
    EXPECT_EQ(afterIgnored, L"93,255,158");  // the background: no change
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(colour, gm::MakeColour(93, 255, 158));
  }
}

TEST_F(ColourPaletteDlgTest, EnterAtOnceStoresTheUnchangedColour) {
  gm::Colour colour = gm::MakeColour(10, 20, 30);
  D dlg(ui_.context, nullptr, colour);
  const INT_PTR result = RunScripted(dlg, {[](HWND h) { PostMessageW(h, WM_KEYDOWN, VK_RETURN, 1); }});
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(colour, gm::MakeColour(10, 20, 30));
}

TEST_F(ColourPaletteDlgTest, EscapeDoesNotCloseAndTheCloseCrossStoresNothing) {
  gm::Colour colour = gm::MakeColour(10, 20, 30);
  D dlg(ui_.context, nullptr, colour);
  bool openAfterEscape = false;
  std::wstring picked;
  const INT_PTR result = RunScripted(dlg, {[&](HWND h) {
                                             ClickDesign(h, kBlueField);
                                             picked = Values(h);
                                             PostMessageW(h, WM_KEYDOWN, VK_ESCAPE, 1);
                                           },
                                           [&](HWND h) {
                                             openAfterEscape = IsWindow(h) != FALSE;
                                             ClickDesign(h, kCloseCentre);
                                           }});
  EXPECT_EQ(picked, L"166,212,255");
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(colour, gm::MakeColour(10, 20, 30));
  EXPECT_EQ(ui_.dialogs.Count(), 0u);
}

}  // namespace
