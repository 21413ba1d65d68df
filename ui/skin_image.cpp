#include "ui/skin_image.h"

// GDI+ is used through its flat API so that one owner per object is all the code needs.
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <vector>

#include "ui/module_resource.h"


namespace gm::win {
namespace gp = Gdiplus::DllExports;

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

namespace {

Gdiplus::GpImage* AsImage(void* p) { return static_cast<Gdiplus::GpImage*>(p); }

}  // namespace

DecodedPicture::DecodedPicture(void* image, IStream* stream) : image_(image), stream_(stream) {
  UINT w = 0, h = 0;
  gp::GdipGetImageWidth(AsImage(image), &w);
  gp::GdipGetImageHeight(AsImage(image), &h);
  width_ = static_cast<int>(w);
  height_ = static_cast<int>(h);
  if (stream_) stream_->AddRef();
}

DecodedPicture::~DecodedPicture() {
  gp::GdipDisposeImage(AsImage(image_));
  if (stream_) stream_->Release();
}

std::shared_ptr<const DecodedPicture> DecodedPicture::FromFile(const std::wstring& path) {
  Gdiplus::GpImage* loaded = nullptr;
  if (gp::GdipLoadImageFromFileICM(path.c_str(), &loaded) != Gdiplus::Ok || !loaded) return nullptr;
  // A loaded image keeps its decoder, the decoder's own copy of the pixels and the open file for
  // as long as it lives. A copy of the pixels in the same format draws exactly alike without them.
  Gdiplus::GpImage* image = loaded;
  UINT w = 0, h = 0;
  Gdiplus::PixelFormat format = 0;
  Gdiplus::GpBitmap* copy = nullptr;
  if (gp::GdipGetImageWidth(loaded, &w) == Gdiplus::Ok && gp::GdipGetImageHeight(loaded, &h) == Gdiplus::Ok &&
      gp::GdipGetImagePixelFormat(loaded, &format) == Gdiplus::Ok &&
      gp::GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), format,
                               static_cast<Gdiplus::GpBitmap*>(loaded), &copy) == Gdiplus::Ok &&
      copy) {
    gp::GdipDisposeImage(loaded);
    image = copy;
  }
  return std::shared_ptr<const DecodedPicture>(new DecodedPicture(image, nullptr));
}

std::shared_ptr<const DecodedPicture> DecodedPicture::FromStream(IStream* stream) {
  Gdiplus::GpImage* image = nullptr;
  if (!stream || gp::GdipLoadImageFromStream(stream, &image) != Gdiplus::Ok || !image) return nullptr;
  return std::shared_ptr<const DecodedPicture>(new DecodedPicture(image, stream));
}

bool SkinImage::Take(std::shared_ptr<const DecodedPicture> picture) {
  picture_ = std::move(picture);
  return picture_ != nullptr;
}

bool SkinImage::LoadShared(const ui::UiContext& context, const std::wstring& relative) {
  const std::wstring path = context.ProgramFile(relative);
  return Take(context.pictures.Get(ui::FileNameKey(path), [&] { return DecodedPicture::FromFile(path); }));
}

bool SkinImage::LoadStream(IStream* stream) { return Take(DecodedPicture::FromStream(stream)); }

bool LazySkinImage::Name(const ui::UiContext& context, const std::wstring& relative) {
  Reset();
  const DWORD attributes = GetFileAttributesW(context.ProgramFile(relative).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  context_ = &context;
  relative_ = relative;
  return true;
}

const SkinImage& LazySkinImage::Get() const {
  if (!decoded_ && context_) {
    decoded_ = true;
    image_.LoadShared(*context_, relative_);
  }
  return image_;
}

void LazySkinImage::Reset() {
  image_.Reset();
  context_ = nullptr;
  relative_.clear();
  decoded_ = false;
}


SkinGraphics::SkinGraphics(HDC dc) {
  Gdiplus::GpGraphics* g = nullptr;
  if (gp::GdipCreateFromHDC(dc, &g) == Gdiplus::Ok && g) {
    gp::GdipSetInterpolationMode(g, Gdiplus::InterpolationModeHighQuality);  // 2
    gp::GdipSetPixelOffsetMode(g, Gdiplus::PixelOffsetModeHalf);             // 4
    graphics_ = g;
  }
}

SkinGraphics::~SkinGraphics() {
  if (graphics_) gp::GdipDeleteGraphics(static_cast<Gdiplus::GpGraphics*>(graphics_));
}

void SkinGraphics::Draw(const SkinImage& image, const RECT& dest) {
  DrawPart(image, 0, 0, image.Width(), image.Height(), dest);
}

void SkinGraphics::DrawPart(const SkinImage& image, int srcX, int srcY, int srcW, int srcH, const RECT& dest) {
  if (!graphics_ || !image || srcW <= 0 || srcH <= 0) return;
  const int w = dest.right - dest.left;
  const int h = dest.bottom - dest.top;
  if (w <= 0 || h <= 0) return;
  gp::GdipDrawImageRectRectI(static_cast<Gdiplus::GpGraphics*>(graphics_), AsImage(image.Native()), dest.left,
                             dest.top, w, h, srcX, srcY, srcW, srcH, Gdiplus::UnitPixel, nullptr, nullptr,
                             nullptr);
}

void DrawControlText(HDC dc, HFONT font, COLORREF colour, const std::wstring& text, RECT rect, UINT flags) {
  if (text.empty()) return;
  SelectScope selectFont(dc, font);
  const COLORREF oldColour = SetTextColor(dc, colour);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldColour);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  ScopedBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}

bool LoadBitmapFile(const std::wstring& path, ScopedBitmap& out, SIZE& size) {
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromFile(path.c_str(), &bitmap) != Gdiplus::Ok || !bitmap) return false;
  HBITMAP h = nullptr;
  const bool ok = gp::GdipCreateHBITMAPFromBitmap(bitmap, &h, 0xFF000000) == Gdiplus::Ok && h;
  UINT w = 0, ht = 0;
  gp::GdipGetImageWidth(bitmap, &w);
  gp::GdipGetImageHeight(bitmap, &ht);
  gp::GdipDisposeImage(bitmap);
  if (!ok) return false;
  out.Reset(h);
  size = {static_cast<LONG>(w), static_cast<LONG>(ht)};
  return true;
}

bool LoadPngResource(HMODULE module, const wchar_t* type, int id, SkinImage& out) {
  out.Reset();
  const auto resource = ui::ModuleResourceBytes(module, type, id);
  if (resource.empty()) return false;
  const void* bytes = resource.data();
  const SIZE_T size = resource.size();
  // The bytes get a block of their own, owned by the stream.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return false;
  void* dest = GlobalLock(block);
  if (!dest) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(dest, bytes, size);
  GlobalUnlock(block);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
    GlobalFree(block);
    return false;
  }
  // The image keeps its own reference to the stream (GDI+ may read it while the image lives);
  // the block goes with the last reference.
  const bool ok = out.LoadStream(stream);
  stream->Release();
  return ok;
}

std::optional<uint32_t> AverageColour(HDC dc, HBITMAP bitmap, SIZE size) {
  if (!bitmap || size.cx <= 0 || size.cy <= 0) return std::nullopt;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const size_t count = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy);
  std::vector<uint32_t> pixels(count);
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS) == 0) {
    return std::nullopt;
  }
  uint64_t red = 0, green = 0, blue = 0;
  for (uint32_t p : pixels) {  // 0x00RRGGBB in memory order B, G, R, X
    blue += p & 0xFF;
    green += (p >> 8) & 0xFF;
    red += (p >> 16) & 0xFF;
  }
  return static_cast<uint32_t>(red / count) | static_cast<uint32_t>(green / count) << 8 |
         static_cast<uint32_t>(blue / count) << 16;
}

bool AlphaBlendTo(HDC dest, const RECT& d, HDC source, const RECT& s, BLENDFUNCTION blend) {
  return AlphaBlend(dest, d.left, d.top, d.right - d.left, d.bottom - d.top, source, s.left, s.top,
                    s.right - s.left, s.bottom - s.top, blend) != FALSE;
}

}  // namespace gm::win
