#include "device/thread_stack.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdint>

namespace gm {

void ReturnUnusedStackPages() {
  volatile char here = 0;
  const auto frame = reinterpret_cast<std::uintptr_t>(&here);
  MEMORY_BASIC_INFORMATION info{};
  if (!VirtualQuery(const_cast<char*>(&here), &info, sizeof(info)) || frame < kStackKeptBelowCaller) return;
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const std::uintptr_t pageMask = ~static_cast<std::uintptr_t>(system.dwPageSize - 1);
  const std::uintptr_t end = (frame - kStackKeptBelowCaller) & pageMask;
  // The stack's reservation, from its lowest page up: only committed read-write pages are
  // reset (the guard page and pages never committed are left alone, as Windows keeps them).
  auto* base = static_cast<char*>(info.AllocationBase);
  for (char* p = base; reinterpret_cast<std::uintptr_t>(p) < end;) {
    if (!VirtualQuery(p, &info, sizeof(info)) || info.AllocationBase != base || info.RegionSize == 0) return;
    char* next = static_cast<char*>(info.BaseAddress) + info.RegionSize;
    const std::uintptr_t stop = reinterpret_cast<std::uintptr_t>(next) < end ? reinterpret_cast<std::uintptr_t>(next) : end;
    if (info.State == MEM_COMMIT && info.Protect == PAGE_READWRITE && stop > reinterpret_cast<std::uintptr_t>(p)) {
      VirtualAlloc(p, stop - reinterpret_cast<std::uintptr_t>(p), MEM_RESET, PAGE_READWRITE);
    }
    p = next;
  }
}

}  // namespace gm

#else

namespace gm {

// Threads of other systems have only the pages they touched.
void ReturnUnusedStackPages() {}

}  // namespace gm

#endif
