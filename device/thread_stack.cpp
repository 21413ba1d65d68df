#include "device/thread_stack.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace gm {

void ReturnUnusedStackPages() {
  volatile char here = 0;
  const auto frame = reinterpret_cast<std::uintptr_t>(&here);
  MEMORY_BASIC_INFORMATION info{};
  if (frame < kStackKeptBelowCaller || !VirtualQuery(const_cast<char*>(&here), &info, sizeof(info))) return;
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const std::uintptr_t end = (frame - kStackKeptBelowCaller) & ~static_cast<std::uintptr_t>(system.dwPageSize - 1);
  // The stack's reservation, from its lowest page up: only committed read-write pages are
  // reset (the guard page and pages never committed are left alone, as Windows keeps them).
  const void* const base = info.AllocationBase;
  for (auto at = reinterpret_cast<std::uintptr_t>(base); at < end;) {
    auto* page = reinterpret_cast<void*>(at);
    if (!VirtualQuery(page, &info, sizeof(info)) || info.AllocationBase != base || info.RegionSize == 0) return;
    const std::uintptr_t next = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
    if (info.State == MEM_COMMIT && info.Protect == PAGE_READWRITE)
      VirtualAlloc(page, std::min(next, end) - at, MEM_RESET, PAGE_READWRITE);
    at = next;
  }
}

}  // namespace gm

#else

namespace gm {

// Threads of other systems have only the pages they touched.
void ReturnUnusedStackPages() {}

}  // namespace gm

#endif
