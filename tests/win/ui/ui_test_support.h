#pragma once
// Helpers of the toolkit's Windows-side tests: GDI+ for the test program, an owner window that
// records the notices controls send it, skin pictures made on the spot, and a 32-bit drawing
// surface whose pixels can be read back.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gm::win {
class CDlgBase;
}

namespace uitest {

// The most recently opened dialog in the open-dialog table, or nullptr.
HWND NewestDialog();

// Runs `dlg` modally while a timer of the test carries out `steps`, one per tick (150 ms), on the
// newest open dialog; returns the dialog's result.
INT_PTR RunScripted(gm::win::CDlgBase& dlg, std::vector<std::function<void(HWND)>> steps);

// Starts GDI+ once for the whole test program.
void EnsureGdiplus();

struct Notice {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  friend bool operator==(const Notice&, const Notice&) = default;
};

// A hidden top-level window that records every message from WM_USER up (control notices).
class RecorderWindow {
 public:
  RecorderWindow();
  ~RecorderWindow();
  RecorderWindow(const RecorderWindow&) = delete;
  RecorderWindow& operator=(const RecorderWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }
  std::vector<Notice> notices;
  // Called for each recorded notice as it arrives (to look at a control at that moment).
  std::function<void(const Notice&)> onNotice;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
};

// A temporary program folder with a "skins" folder; ProgramFolder points at it while it lives.
class SkinFolder {
 public:
  SkinFolder();
  ~SkinFolder();
  // Writes an opaque picture of one colour (0x00BBGGRR) at `relative` (e.g. L"skins\\a.png").
  void Solid(const std::wstring& relative, int width, int height, COLORREF colour);
  // Writes a picture from 0xAARRGGBB pixels, row by row.
  void Pixels(const std::wstring& relative, int width, int height, const std::vector<uint32_t>& argb);
  const std::wstring& Root() const { return root_; }

 private:
  std::wstring root_;
  std::wstring oldProgramFolder_;
};

// A 32-bit top-down DIB section selected into a memory DC, filled with `background`.
class Surface {
 public:
  Surface(int width, int height, COLORREF background = 0);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  HDC Dc() const { return dc_; }
  // Colour at (x, y) as 0x00BBGGRR.
  COLORREF Pixel(int x, int y) const;
  RECT Bounds() const { return {0, 0, width_, height_}; }
  // Writes the surface as an opaque PNG; false when it could not be written.
  bool SavePng(const std::wstring& path) const;

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace uitest
