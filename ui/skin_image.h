#pragma once
// Skin pictures through GDI+: an owned GDI+ image with its size, the drawing surface every control
// paints with (high-quality interpolation, half-pixel offset), the text helper, and the image
// utilities of the toolkit (bitmap files, PNG resources, average colour, alpha blending).
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "ui/gdi_handles.h"

namespace gm::win {

// Starts GDI+ for the scope's lifetime (the application and each test program hold one).
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Ok() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

// Owner of one GDI+ image. An empty image draws nothing.
class SkinImage {
 public:
  SkinImage() = default;
  ~SkinImage() { Reset(); }
  SkinImage(const SkinImage&) = delete;
  SkinImage& operator=(const SkinImage&) = delete;

  // Loads a picture file (PNG or BMP) with colour management; false leaves the image empty.
  bool LoadFile(const std::wstring& path);
  // Loads from a stream, which the image keeps a reference to while it lives; false leaves the
  // image empty.
  bool LoadStream(IStream* stream);
  void Reset();

  explicit operator bool() const { return image_ != nullptr; }
  void* Native() const { return image_; }  // GpImage*
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  void* image_ = nullptr;
  IStream* stream_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};


// A GDI+ drawing surface on a device context, set up as every control paints.
class SkinGraphics {
 public:
  explicit SkinGraphics(HDC dc);
  ~SkinGraphics();
  SkinGraphics(const SkinGraphics&) = delete;
  SkinGraphics& operator=(const SkinGraphics&) = delete;

  // The whole image stretched to `dest`.
  void Draw(const SkinImage& image, const RECT& dest);
  // The source rectangle (x, y, w, h) of the image stretched to `dest`.
  void DrawPart(const SkinImage& image, int srcX, int srcY, int srcW, int srcH, const RECT& dest);

 private:
  void* graphics_ = nullptr;  // GpGraphics*
};

// Text in `font` and `colour`, transparent background, inside `rect` with `flags`; the previous
// font, colour and background mode of the context are restored.
void DrawControlText(HDC dc, HFONT font, COLORREF colour, const std::wstring& text, RECT rect, UINT flags);

// Fills `rect` with a solid colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Loads a picture file into a GDI bitmap (opaque black behind transparent pixels); on success the
// bitmap replaces what `out` held and its size is returned in `size`.
bool LoadBitmapFile(const std::wstring& path, ScopedBitmap& out, SIZE& size);

// Loads a PNG picture from a resource of `module` (type name, e.g. L"PNG", and number).
bool LoadPngResource(HMODULE module, const wchar_t* type, int id, SkinImage& out);

// Average colour of a bitmap as red | green << 8 | blue << 16; nothing when the pixels cannot
// be read.
std::optional<uint32_t> AverageColour(HDC dc, HBITMAP bitmap, SIZE size);

// AlphaBlend with the given arguments.
bool AlphaBlendTo(HDC dest, const RECT& destRect, HDC source, const RECT& sourceRect, BLENDFUNCTION blend);

}  // namespace gm::win
