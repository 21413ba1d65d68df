// Bitmap resources read in place: every pixel drawn from the resource is the pixel the system's
// own decoder gives, whatever the depth and colour table.
#include <gtest/gtest.h>

#include "ui/resource_dib.h"
#include "ui/ui_resource_ids.h"
#include "app/res/skin_resource_ids.h"
#include "ui_test_support.h"

namespace {

TEST(ResourceDib, DrawsEveryPixelAsTheSystemDecodesIt) {
  const struct {
    int id;
    int width, height;
    const char* what;
  } cases[] = {
      {9364, 2, 1, "24 bits"},
      {9365, 5, 3, "8 bits, three colours listed"},
      {9366, 11, 2, "1 bit"},
      {IDB_MAIN_BACKGROUND, 1127, 740, "the main window's background"},
  };
  // Read from the loaded program, and from a view of the program file as stored.
  const gm::win::ProgramFileView file;
  ASSERT_FALSE(file.Bytes().empty());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& dib : {gm::win::FindResourceDib(GetModuleHandleW(nullptr), c.id), gm::win::FindResourceDib(file, c.id)}) {
      ASSERT_TRUE(dib.has_value());
      EXPECT_EQ(dib->width, c.width);
      EXPECT_EQ(dib->height, c.height);
      uitest::Surface inPlace(c.width, c.height, RGB(1, 2, 3)), decoded(c.width, c.height, RGB(4, 5, 6));
      ASSERT_TRUE(gm::win::DrawResourceDib(inPlace.Dc(), 0, 0, *dib));
      ASSERT_TRUE(decoded.DrawBitmapResource(c.id));
      EXPECT_EQ(inPlace.DifferingPixels(decoded), 0);
    }
  }
}

TEST(ResourceDib, MissingTopDownOrNonBitmapResourcesAreNone) {
  EXPECT_FALSE(gm::win::FindResourceDib(GetModuleHandleW(nullptr), 4321).has_value());
  // Rows stored top-down are left to the system's decoder.
  EXPECT_FALSE(gm::win::FindResourceDib(GetModuleHandleW(nullptr), 9367).has_value());
  // A PNG picture of the same program is not a bitmap resource.
  EXPECT_FALSE(gm::win::FindResourceDib(GetModuleHandleW(nullptr), IDR_SCROLL_UP_ARROW_PNG).has_value());
  const gm::win::ProgramFileView file;
  EXPECT_FALSE(gm::win::FindResourceDib(file, 4321).has_value());
  EXPECT_FALSE(gm::win::FindResourceDib(file, 9367).has_value());
  EXPECT_FALSE(gm::win::FindResourceDib(file, IDR_SCROLL_UP_ARROW_PNG).has_value());
  EXPECT_FALSE(gm::win::DrawResourceDib(uitest::Surface(2, 2).Dc(), 0, 0, gm::win::ResourceDib{}));
}

}  // namespace
