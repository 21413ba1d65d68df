// Start-up as the user sees it, for any program that sits beside this one:
//
//   gm_start_probe.exe RUNS PROGRAM.exe [PROGRAM.exe...]
//
// Each program is started once unmeasured (so the first start's disk reads count for none), then
// RUNS times. A run measures:
//   - start to first paint: from just before the process is created until its largest visible
//     top-level window (the main window) shows on screen: at least half of its client area's
//     pixels differ from what the screen showed there before the start. Looked at every 5 ms
//     with one screen copy of the client area; a window that is shown but not yet painted leaves
//     the screen as it was;
//   - idle memory: 4 s after the first paint, the process's working set as Wine reports it
//     (Wine's server reads it from the Linux process's VmRSS).
// The program is then closed as the system closes a window (WM_CLOSE) and waited for.
// Output, one line per run and one summary per program:
//   run PROGRAM: paint X ms, memory Y KiB
//   start PROGRAM: paint median X ms, memory median Y KiB, runs N
// The figures are printed, not judged: tools/bench gathers them into its table.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/bench/answer_times.h"
#include "ui/gdi_handles.h"
#include "win_test_support.h"

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

// The demo's data folder: removed before the first start, so every program starts as on a first run
// and then on the files that first start wrote.
constexpr wchar_t kDemoDataFolder[] = L"\\GamingMouseData20260526C";

// The screen's pixels of a rectangle (screen coordinates), row by row, as 0x00RRGGBB.
std::vector<std::uint32_t> ScreenPixels(const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return {};
  gm::win::ScopedWindowDC screen(nullptr);
  gm::win::ScopedDC memory = gm::win::CreateMemoryDC(screen.Get());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  gm::win::ScopedBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !memory) return {};
  {
    gm::win::SelectScope select(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY);
  }
  const auto* p = static_cast<const std::uint32_t*>(bits);
  return std::vector<std::uint32_t>(p, p + static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
}

struct Largest {
  DWORD pid;
  HWND window = nullptr;
  long area = 0;
};
BOOL CALLBACK FindLargest(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<Largest*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT r{};
  if (pid != s->pid || !IsWindowVisible(hwnd) || IsIconic(hwnd) || !GetClientRect(hwnd, &r)) return TRUE;
  const long area = static_cast<long>(r.right) * r.bottom;
  if (area > s->area) {
    s->window = hwnd;
    s->area = area;
  }
  return TRUE;
}
// The process's largest visible, not minimised top-level window, or nullptr.
HWND MainWindowOf(DWORD pid) {
  Largest s{pid};
  EnumWindows(&FindLargest, reinterpret_cast<LPARAM>(&s));
  return s.window;
}

RECT ClientOnScreen(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&r, origin.x, origin.y);
  return r;
}

// Whether at least half of the client area (every 4th pixel of every 4th row) differs from the
// screen `before` the start (whole screen, `screenWidth` wide).
bool Painted(HWND window, const std::vector<std::uint32_t>& before, int screenWidth) {
  const RECT r = ClientOnScreen(window);
  const std::vector<std::uint32_t> now = ScreenPixels(r);
  if (now.empty()) return false;
  const int w = r.right - r.left, h = r.bottom - r.top;
  long differ = 0, sampled = 0;
  for (int y = 0; y < h; y += 4) {
    for (int x = 0; x < w; x += 4) {
      const long sx = r.left + x, sy = r.top + y;
      if (sx < 0 || sy < 0 || sx >= screenWidth || static_cast<std::size_t>(sy * screenWidth + sx) >= before.size()) continue;
      ++sampled;
      const std::uint32_t was = before[static_cast<std::size_t>(sy * screenWidth + sx)] & 0xFFFFFF;
      if ((now[static_cast<std::size_t>(y) * w + x] & 0xFFFFFF) != was) ++differ;
    }
  }
  return sampled > 0 && 2 * differ >= sampled;
}

struct RunResult {
  double paintMs = 0;
  double memoryKiB = 0;
};

bool CloseAndWait(gmtest::Process& p, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (gmtest::PumpUntilExited(p.handle.Get(), 30s)) return true;
  gmtest::Terminate(p);
  return false;
}

std::optional<RunResult> Run(const std::wstring& program) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const std::vector<std::uint32_t> before = ScreenPixels({0, 0, screenWidth, screenHeight});
  const auto start = Clock::now();
  gmtest::Process p = gmtest::StartProgram(program);
  if (!p.handle) {
    std::fwprintf(stderr, L"%ls did not start (error %lu)\n", program.c_str(), GetLastError());
    return std::nullopt;
  }
  HWND window = nullptr;
  const auto limit = start + 60s;
  while (Clock::now() < limit) {
    window = MainWindowOf(p.id);
    if (window && Painted(window, before, screenWidth)) break;
    window = nullptr;
    if (WaitForSingleObject(p.handle.Get(), 5) == WAIT_OBJECT_0) break;  // ended: no point waiting
  }
  if (!window) {
    std::fwprintf(stderr, L"%ls showed no painted window\n", program.c_str());
    gmtest::Terminate(p);
    return std::nullopt;
  }
  RunResult result;
  result.paintMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();

  // Idle: 4 s with nothing asked of the program, then its working set.
  gmtest::PumpUntil([] { return false; }, 4s);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (GetProcessMemoryInfo(p.handle.Get(), &counters, sizeof(counters)))
    result.memoryKiB = static_cast<double>(counters.WorkingSetSize) / 1024.0;
  if (!CloseAndWait(p, window)) std::fwprintf(stderr, L"%ls did not end when closed\n", program.c_str());
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: gm_start_probe RUNS PROGRAM.exe [PROGRAM.exe...]\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  std::error_code ec;
  std::filesystem::remove_all(gmtest::AppDataFolder() + kDemoDataFolder, ec);
  int failures = 0;
  for (int a = 2; a < argc; ++a) {
    const std::wstring program = argv[a];
    if (!Run(program)) ++failures;  // warm-up
    std::vector<double> paints, memories;
    for (int i = 0; i < runs; ++i) {
      const std::optional<RunResult> r = Run(program);
      if (!r) {
        ++failures;
        continue;
      }
      std::wprintf(L"run %ls: paint %.0f ms, memory %.0f KiB\n", program.c_str(), r->paintMs, r->memoryKiB);
      paints.push_back(r->paintMs);
      memories.push_back(r->memoryKiB);
    }
    const auto paint = gm::bench::Summarise(paints), memory = gm::bench::Summarise(memories);
    std::wprintf(L"start %ls: paint median %.0f ms, memory median %.0f KiB, runs %zu\n", program.c_str(), paint.median,
                 memory.median, paint.count);
    std::fflush(stdout);
  }
  return failures == 0 ? 0 : 1;
}
