#pragma once
// Owners of GDI handles (gm::UniqueHandle with the traits below): one owner per handle, copying
// deleted, so a handle is never freed twice. Also the scopes that borrow a window's device context
// and that put an object into a device context and restore the old one.
#include <windows.h>

#include "settings/unique_handle.h"

namespace gm::win {

// A GDI object deleted with DeleteObject (fonts, bitmaps, regions, brushes, pens).
template <typename T>
struct GdiObjectTraits {
  using Handle = T;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { DeleteObject(h); }
};
template <typename T>
using ScopedGdiObject = UniqueHandle<GdiObjectTraits<T>>;

using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;

// A device context of its own deleted with DeleteDC (a memory device context).
struct DeviceContextTraits {
  using Handle = HDC;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { DeleteDC(h); }
};
using ScopedDC = UniqueHandle<DeviceContextTraits>;

// A memory device context compatible with `dc` (null: with the screen); empty on failure.
inline ScopedDC CreateMemoryDC(HDC dc) { return ScopedDC(CreateCompatibleDC(dc)); }

// Borrowed window device context (GetDC / ReleaseDC).
class ScopedWindowDC {
 public:
  explicit ScopedWindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~ScopedWindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects an object into a device context for the scope's lifetime.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A top-down DIB section of `bitsPerPixel` (24 or 32) for drawing off screen (null on failure;
// empty sizes give 1 x 1); `bits`, when given, receives its pixels. Its pixels are the system's
// virtual memory, returned whole when the bitmap is deleted: a compatible bitmap of a window's
// size would come from the C heap, which keeps large freed blocks resident for the next one.
inline HBITMAP CreatePaintBitmap(HDC dc, int width, int height, WORD bitsPerPixel, void** bits = nullptr) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width > 0 ? width : 1;
  info.bmiHeader.biHeight = -(height > 0 ? height : 1);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bits) *bits = pixels;
  return bitmap;
}

// Double buffering as one scope: a memory DC with a 32-bit bitmap of the given size; Blit()
// copies it to the target. The bitmap is deselected before it is deleted.
class OffscreenBuffer {
 public:
  OffscreenBuffer(HDC target, int width, int height)
      : target_(target), width_(width), height_(height),
        dc_(CreateMemoryDC(target)), bitmap_(CreatePaintBitmap(target, width, height, 32)),
        select_(dc_.Get(), bitmap_.Get()) {}
  HDC Get() const { return dc_.Get(); }
  void Blit() const { BitBlt(target_, 0, 0, width_, height_, dc_.Get(), 0, 0, SRCCOPY); }

 private:
  HDC target_;
  int width_, height_;
  ScopedDC dc_;
  ScopedBitmap bitmap_;
  SelectScope select_;
};

}  // namespace gm::win
