// The control base and the image utilities: text invalidation, the font, picture loading from
// files (shared between controls through the context) and resources, the average colour.
#include <gtest/gtest.h>

#include <memory>

#include "ui/buttons.h"
#include "ui/skin_image.h"
#include "ui/ui_resource_ids.h"
#include "ui_test_support.h"

namespace {

class ControlBaseTest : public ::testing::Test {
 protected:
  uitest::SkinFolder skins_;
  uitest::RecorderWindow owner_{skins_};
};

bool HasUpdate(HWND h) {
  RECT r{};
  return GetUpdateRect(h, &r, FALSE) != FALSE;
}

}  // namespace

TEST_F(ControlBaseTest, SetTextRepaintsOnlyWhenTheTextChanges) {
  gm::win::CImageButton button(owner_, 2010, {10, 10, 60, 30}, L"OK");
  ShowWindow(owner_.Hwnd(), SW_SHOWNOACTIVATE);  // a hidden window collects no update region
  ValidateRect(owner_.Hwnd(), nullptr);
  button.SetText(L"OK");
  EXPECT_FALSE(HasUpdate(owner_.Hwnd()));
  button.SetText(L"Cancel");
  RECT r{};
  ASSERT_TRUE(GetUpdateRect(owner_.Hwnd(), &r, FALSE));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.bottom, 30);
  EXPECT_EQ(button.GetText(), L"Cancel");
}

TEST_F(ControlBaseTest, FlagsDecidePaintingAndMouse) {
  gm::win::CImageButton button(owner_, 2010, {10, 10, 60, 30});
  EXPECT_TRUE(button.IsPainted());
  EXPECT_TRUE(button.TakesMouse());
  button.SetInteractive(false);
  EXPECT_TRUE(button.IsPainted());
  EXPECT_FALSE(button.TakesMouse());
  button.SetInteractive(true);
  button.SetShown(false);
  EXPECT_FALSE(button.IsPainted());
  EXPECT_FALSE(button.TakesMouse());
}

TEST_F(ControlBaseTest, ControlFontFollowsTheLanguageFont) {
  gm::win::CImageButton button(owner_, 2010, {10, 10, 60, 30});
  LOGFONTW lf{};
  ASSERT_TRUE(GetObjectW(button.Font(), sizeof(lf), &lf));
  EXPECT_STREQ(lf.lfFaceName, L"Tahoma");  // no language loaded
  EXPECT_EQ(lf.lfHeight, 16);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(lf.lfPitchAndFamily & 0xF0, FF_SWISS);
  button.SetFont(-18, L"Arial");
  ASSERT_TRUE(GetObjectW(button.Font(), sizeof(lf), &lf));
  EXPECT_STREQ(lf.lfFaceName, L"Arial");
  EXPECT_EQ(lf.lfHeight, -18);
}

TEST_F(ControlBaseTest, MissingPicturesFailAndRememberNothing) {
  skins_.Solid(L"skins\\a.png", 12, 7, RGB(1, 2, 3));
  gm::win::CImageButton button(owner_, 2010, {10, 10, 60, 30});
  EXPECT_TRUE(button.SetNormalImage(L"skins\\a.png"));
  EXPECT_EQ(button.ImageWidth(), 12);
  EXPECT_EQ(button.ImageHeight(), 7);
  EXPECT_FALSE(button.SetHoverImage(L"skins\\missing.png"));
  EXPECT_EQ(button.ImageWidth(), 12);
  // A file that is not a picture.
  HANDLE f = CreateFileW((skins_.Root() + L"skins\\junk.png").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, "not a png", 9, &written, nullptr);
  CloseHandle(f);
  EXPECT_FALSE(button.SetPressedImage(L"skins\\junk.png"));
}

TEST_F(ControlBaseTest, ControlsNamingOneFileShareOneDecodedPicture) {
  skins_.Solid(L"skins\\a.png", 20, 10, RGB(1, 2, 3));
  skins_.Solid(L"skins\\b.png", 20, 10, RGB(4, 5, 6));
  const gm::ui::UiContext& context = owner_.ui.context;
  {
    gm::win::SkinImage first, second, other;
    ASSERT_TRUE(first.LoadShared(context, L"skins\\a.png"));
    ASSERT_TRUE(second.LoadShared(context, L"Skins/A.PNG"));  // the same file, named otherwise
    ASSERT_TRUE(other.LoadShared(context, L"skins\\b.png"));
    EXPECT_EQ(first.Picture(), second.Picture());
    EXPECT_NE(first.Picture(), other.Picture());
    EXPECT_EQ(context.pictures.HeldCount(), 2u);
  }
  EXPECT_EQ(context.pictures.HeldCount(), 0u);  // the last holder freed each picture

  // Two buttons on one picture: one releasing its images leaves the other drawing it.
  auto one = std::make_unique<gm::win::CImageButton>(owner_, 2010, RECT{0, 0, 20, 10});
  gm::win::CImageButton two(owner_, 2011, {30, 0, 50, 10});
  ASSERT_TRUE(one->SetNormalImage(L"skins\\a.png"));
  ASSERT_TRUE(two.SetNormalImage(L"skins\\a.png"));
  EXPECT_EQ(context.pictures.HeldCount(), 1u);
  one->ReleaseImages();
  one.reset();
  uitest::Surface s(60, 20, RGB(9, 9, 9));
  two.Draw(s.Dc(), s.Bounds());
  EXPECT_EQ(s.Pixel(40, 5), RGB(1, 2, 3));
  EXPECT_EQ(context.pictures.HeldCount(), 1u);
}

TEST_F(ControlBaseTest, AControlWhosePictureIsMissingDrawsNothing) {
  skins_.Solid(L"skins\\a.png", 20, 10, RGB(1, 2, 3));
  gm::win::CImageButton shown(owner_, 2010, {0, 0, 20, 10});
  gm::win::CImageButton missing(owner_, 2011, {30, 0, 50, 10});
  ASSERT_TRUE(shown.SetNormalImage(L"skins\\a.png"));
  EXPECT_FALSE(missing.SetNormalImage(L"skins\\gone.png"));
  EXPECT_FALSE(missing.SetNormalImage(L"skins\\gone.png"));  // a failure is not remembered as a picture
  EXPECT_EQ(owner_.ui.context.pictures.HeldCount(), 1u);
  uitest::Surface s(60, 20, RGB(9, 9, 9));
  missing.Draw(s.Dc(), s.Bounds());
  EXPECT_EQ(s.Pixel(40, 5), RGB(9, 9, 9));
  // The file appears later: the next load finds it.
  skins_.Solid(L"skins\\gone.png", 20, 10, RGB(4, 5, 6));
  ASSERT_TRUE(missing.SetNormalImage(L"skins\\gone.png"));
  missing.Draw(s.Dc(), s.Bounds());
  EXPECT_EQ(s.Pixel(40, 5), RGB(4, 5, 6));
}

TEST_F(ControlBaseTest, AverageColourOfTwoPixels) {
  // (255, 0, 0) and (0, 0, 255): the channel sums halved with integer division.
  skins_.Pixels(L"skins\\two.png", 2, 1, {0xFFFF0000u, 0xFF0000FFu});
  gm::win::ScopedBitmap bitmap;
  SIZE size{};
  ASSERT_TRUE(gm::win::LoadBitmapFile(skins_.Root() + L"skins\\two.png", bitmap, size));
  EXPECT_EQ(size.cx, 2);
  EXPECT_EQ(size.cy, 1);
  HDC screen = GetDC(nullptr);
  const auto colour = gm::win::AverageColour(screen, bitmap.Get(), size);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(colour);
  EXPECT_EQ(*colour, 127u | 0u << 8 | 127u << 16);
  EXPECT_FALSE(gm::win::AverageColour(nullptr, nullptr, size));
  EXPECT_FALSE(gm::win::LoadBitmapFile(skins_.Root() + L"skins\\none.png", bitmap, size));
  EXPECT_TRUE(bitmap);  // a failed load keeps what the owner held
}

TEST_F(ControlBaseTest, PngResourcesLoadAndMissingOnesFail) {
  gm::win::SkinImage image;
  ASSERT_TRUE(gm::win::LoadPngResource(GetModuleHandleW(nullptr), L"PNG", IDR_SCROLL_UP_ARROW_PNG, image));
  EXPECT_EQ(image.Width(), 45);
  EXPECT_EQ(image.Height(), 15);
  EXPECT_FALSE(gm::win::LoadPngResource(GetModuleHandleW(nullptr), L"PNG", 4321, image));
  EXPECT_FALSE(image);
}
