#pragma once
// Skin pictures through GDI+: a decoded GDI+ image with its size, the images controls hold (shared
// between controls that show the same file), the drawing surface every control
// paints with (high-quality interpolation, half-pixel offset), the text helper, and the image
// utilities of the toolkit (bitmap files, PNG resources, average colour, alpha blending).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/gdi_handles.h"
#include "ui/ui_context.h"

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

// The one owner of a decoded GDI+ image (and of the stream GDI+ may read it from). Never copied:
// windows share it through std::shared_ptr (ui::UiContext::pictures).
class DecodedPicture {
 public:
  // A picture file (PNG or BMP) decoded into memory of its own: GDI+'s decoder, its copy of the
  // pixels and the open file are let go at once. Null when the file cannot be decoded.
  static std::shared_ptr<const DecodedPicture> FromFile(const std::wstring& path);
  // A picture read from `stream`, which it keeps a reference to while it lives; null on failure.
  static std::shared_ptr<const DecodedPicture> FromStream(IStream* stream);

  ~DecodedPicture();
  DecodedPicture(const DecodedPicture&) = delete;
  DecodedPicture& operator=(const DecodedPicture&) = delete;

  void* Native() const { return image_; }  // GpImage*
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  DecodedPicture(void* image, IStream* stream);

  void* image_;
  IStream* stream_;
  int width_ = 0;
  int height_ = 0;
};

// A control's picture: a reference to a decoded picture, private or shared with the other
// controls of the program that show the same file. An empty image draws nothing.
class SkinImage {
 public:
  SkinImage() = default;
  SkinImage(const SkinImage&) = delete;
  SkinImage& operator=(const SkinImage&) = delete;

  // The picture file `relative` to the program folder from `context`'s pictures: decoded once
  // and shared with every image that shows the same file; false (the file is missing or
  // unreadable) leaves the image empty.
  bool LoadShared(const ui::UiContext& context, const std::wstring& relative);
  // Loads from a stream, which the picture keeps a reference to while it lives; false leaves the
  // image empty.
  bool LoadStream(IStream* stream);
  void Reset() { picture_.reset(); }

  explicit operator bool() const { return picture_ != nullptr; }
  void* Native() const { return picture_ ? picture_->Native() : nullptr; }  // GpImage*
  int Width() const { return picture_ ? picture_->Width() : 0; }
  int Height() const { return picture_ ? picture_->Height() : 0; }
  // The decoded picture itself (null when empty): the same object for images that share a file.
  const DecodedPicture* Picture() const { return picture_.get(); }

 private:
  bool Take(std::shared_ptr<const DecodedPicture> picture);

  std::shared_ptr<const DecodedPicture> picture_;
};

// A picture decoded the first time it is drawn, for controls with many pictures of which a window
// shows few: the report-rate dials of the sensors the mouse does not have, the power-saving
// positions not chosen. Pictures never drawn take no memory.
class LazySkinImage {
 public:
  // Names the picture file `relative` to the program folder of `context` (which must outlive this
  // object); false, and nothing to draw, when there is no such file.
  bool Name(const ui::UiContext& context, const std::wstring& relative);
  // The picture, decoded (and shared through the context) on the first call; empty when it is not
  // named or cannot be decoded.
  const SkinImage& Get() const;
  // Lets the picture go and forgets its name: it draws nothing from now on.
  void Reset();

 private:
  const ui::UiContext* context_ = nullptr;
  std::wstring relative_;
  mutable SkinImage image_;
  mutable bool decoded_ = false;
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
