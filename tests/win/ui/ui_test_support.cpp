#include "ui_test_support.h"

#include <objidl.h>
#include <gdiplus.h>

#include <filesystem>

#include "settings/environment.h"
#include "ui/dialog_table.h"
#include "ui/dlg_base.h"
#include "ui/skin_image.h"

namespace uitest {
namespace gp = Gdiplus::DllExports;

namespace {
std::vector<std::function<void(HWND)>> gSteps;
size_t gNext = 0;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dlg = NewestDialog();
  if (!dlg || gNext >= gSteps.size()) return;
  gSteps[gNext++](dlg);
}
}  // namespace

HWND NewestDialog() {
  HWND last = nullptr;
  for (void* e : gm::OpenDialogTable.Entries())
    if (e) last = static_cast<HWND>(e);
  return last;
}

INT_PTR RunScripted(gm::win::CDlgBase& dlg, std::vector<std::function<void(HWND)>> steps) {
  gSteps = std::move(steps);
  gNext = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 150, &StepTimer);
  const INT_PTR result = dlg.DoModal();
  KillTimer(nullptr, timer);
  gSteps.clear();
  return result;
}

void EnsureGdiplus() { static gm::win::GdiplusSession session; }

RecorderWindow::RecorderWindow() {
  static const wchar_t* kClass = L"GmUiTestRecorder";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &RecorderWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    registered = true;
  }
  hwnd_ = CreateWindowExW(0, kClass, L"recorder", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                          GetModuleHandleW(nullptr), this);
}

RecorderWindow::~RecorderWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK RecorderWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<RecorderWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && message >= WM_USER && message < 0xC000) {
    const Notice n{message, wParam, lParam};
    self->notices.push_back(n);
    if (self->onNotice) self->onNotice(n);
    return 1;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

SkinFolder::SkinFolder() {
  EnsureGdiplus();
  wchar_t tmp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, tmp);
  root_ = std::wstring(tmp) + L"gm-ui-skin-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  std::filesystem::create_directories(root_ + L"skins\\pollingRate");
  oldProgramFolder_ = gm::ProgramFolder;
  gm::ProgramFolder = root_;
}

SkinFolder::~SkinFolder() {
  gm::ProgramFolder = oldProgramFolder_;
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

void SkinFolder::Solid(const std::wstring& relative, int width, int height, COLORREF colour) {
  const uint32_t argb = 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  Pixels(relative, width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, argb));
}

void SkinFolder::Pixels(const std::wstring& relative, int width, int height, const std::vector<uint32_t>& argb) {
  const std::wstring path = root_ + relative;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  Gdiplus::GpBitmap* bitmap = nullptr;
  std::vector<uint32_t> copy = argb;
  gp::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                reinterpret_cast<BYTE*>(copy.data()), &bitmap);
  // The PNG encoder.
  const CLSID png = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  gp::GdipSaveImageToFile(bitmap, path.c_str(), &png, nullptr);
  gp::GdipDisposeImage(bitmap);
}

Surface::Surface(int width, int height, COLORREF background) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<uint32_t*>(bits);
  old_ = SelectObject(dc_, bitmap_);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all{0, 0, width, height};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

Surface::~Surface() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

bool Surface::SavePng(const std::wstring& path) const {
  GdiFlush();
  std::vector<uint32_t> argb(bits_, bits_ + static_cast<size_t>(width_) * height_);
  for (uint32_t& p : argb) p |= 0xFF000000u;
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (gp::GdipCreateBitmapFromScan0(width_, height_, width_ * 4, PixelFormat32bppARGB,
                                    reinterpret_cast<BYTE*>(argb.data()), &bitmap) != Gdiplus::Ok) {
    return false;
  }
  const CLSID png = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
  const bool ok = gp::GdipSaveImageToFile(bitmap, path.c_str(), &png, nullptr) == Gdiplus::Ok;
  gp::GdipDisposeImage(bitmap);
  return ok;
}

COLORREF Surface::Pixel(int x, int y) const {
  GdiFlush();
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace uitest
