#include "ui_test_support.h"

#include <objidl.h>
#include <gdiplus.h>

#include <filesystem>
#include <memory>

#include "ui/dialog_table.h"
#include "ui/dlg_base.h"
#include "ui/skin_image.h"
#include "ui/static_controls.h"

namespace uitest {
namespace gp = Gdiplus::DllExports;

namespace {
std::vector<std::function<void(HWND)>> gSteps;
size_t gNext = 0;
const gm::DialogTable* gDialogs = nullptr;

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dlg = gDialogs ? NewestDialog(*gDialogs) : nullptr;
  if (!dlg || gNext >= gSteps.size()) return;
  gSteps[gNext++](dlg);
}
}  // namespace

std::function<void(HWND)> WhenReady(std::function<bool(HWND)> ready, std::function<void(HWND)> step, int maxTicks) {
  auto ticks = std::make_shared<int>(0);
  return [ready = std::move(ready), step = std::move(step), ticks, maxTicks](HWND h) {
    if (!ready(h) && ++*ticks < maxTicks) {
      --gNext;  // this step again at the next tick
      return;
    }
    step(h);
  };
}

HWND NewestDialog(const gm::DialogTable& dialogs) {
  HWND last = nullptr;
  for (void* e : dialogs.Entries())
    if (e) last = static_cast<HWND>(e);
  return last;
}

INT_PTR RunScripted(gm::win::CDlgBase& dlg, std::vector<std::function<void(HWND)>> steps) {
  return RunScriptedWhile(*dlg.Context().openDialogs, [&dlg] { return dlg.DoModal(); }, std::move(steps));
}

INT_PTR RunScriptedWhile(const gm::DialogTable& dialogs, const std::function<INT_PTR()>& run,
                         std::vector<std::function<void(HWND)>> steps) {
  gSteps = std::move(steps);
  gNext = 0;
  gDialogs = &dialogs;
  const UINT_PTR timer = SetTimer(nullptr, 0, 150, &StepTimer);
  const INT_PTR result = run();
  KillTimer(nullptr, timer);
  gSteps.clear();
  gDialogs = nullptr;
  return result;
}

namespace {
gm::win::CControlBase* ControlOf(HWND dialog, UINT id) {
  auto* window = reinterpret_cast<gm::win::CDialogWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
  auto* dlg = dynamic_cast<gm::win::CDlgBase*>(window);
  return dlg ? dlg->GetControl(id) : nullptr;
}
}  // namespace

std::wstring LabelOf(HWND dialog, UINT id) {
  const auto* text = dynamic_cast<gm::win::CStaticText*>(ControlOf(dialog, id));
  return text ? text->Label() : L"<none>";
}

void ClickControl(HWND dialog, UINT id) {
  const gm::win::CControlBase* control = ControlOf(dialog, id);
  if (!control) return;
  const RECT r = control->GetRect();
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(dialog, WM_MOUSEMOVE, 0, at);
  SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(dialog, WM_LBUTTONUP, 0, at);
}

void EnsureGdiplus() { static gm::win::GdiplusSession session; }

TestUi::TestUi() {
  context.texts = &texts;
  context.openDialogs = &dialogs;
}

TestUi::TestUi(const SkinFolder& skins) : TestUi() { context.programFolder = skins.Root(); }

RecorderWindow::RecorderWindow(const SkinFolder& skins) : ui(skins) {
  static const wchar_t* kClass = L"GmUiTestRecorder";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    registered = true;
  }
  hwnd_ = CreateWindowExW(0, kClass, L"recorder", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
}

RecorderWindow::~RecorderWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void RecorderWindow::QueueEvent(const gm::win::ControlEventRecord& event) {
  events.push_back(event);
  const Notice n{event.id, event.param, event.event};
  notices.push_back(n);
  if (onNotice) onNotice(n);
}

SkinFolder::SkinFolder() {
  EnsureGdiplus();
  wchar_t tmp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, tmp);
  root_ = std::wstring(tmp) + L"gm-ui-skin-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  std::filesystem::create_directories(root_ + L"skins\\pollingRate");
}

SkinFolder::~SkinFolder() {
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

bool Surface::DrawBitmapResource(int id) {
  gm::win::ScopedBitmap decoded(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!decoded) return false;
  BITMAP info{};
  GetObjectW(decoded.Get(), sizeof(info), &info);
  gm::win::ScopedDC source = gm::win::CreateMemoryDC(dc_);
  gm::win::SelectScope select(source.Get(), decoded.Get());
  return BitBlt(dc_, 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY) != FALSE;
}

int Surface::DifferingPixels(const Surface& other) const {
  int differing = 0;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) differing += Pixel(x, y) != other.Pixel(x, y) ? 1 : 0;
  return differing;
}

}  // namespace uitest
