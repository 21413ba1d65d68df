#pragma once
// Owners of Win32 handles: one owner per handle, no copies, so a handle is never closed twice.
// The owner is gm::UniqueHandle; here are the traits of the kernel, window and module handles.
#include <windows.h>

#include "settings/unique_handle.h"

namespace gm::win {

// A kernel handle closed with CloseHandle (events, mutexes, processes, threads, files). The
// functions that open one report failure with null or with INVALID_HANDLE_VALUE; the owner holds
// either as null.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() noexcept { return nullptr; }
  static Handle Adopt(Handle h) noexcept { return h == INVALID_HANDLE_VALUE ? nullptr : h; }
  static void Close(Handle h) noexcept { CloseHandle(h); }
};
using ScopedHandle = UniqueHandle<KernelHandleTraits>;

// A window destroyed with DestroyWindow (a child window a control creates). The window may
// already be gone (its parent destroys its children first); then nothing is done.
struct WindowTraits {
  using Handle = HWND;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle h) noexcept {
    if (IsWindow(h)) DestroyWindow(h);
  }
};
using ScopedWindow = UniqueHandle<WindowTraits>;

// A loaded library freed with FreeLibrary.
struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { FreeLibrary(h); }
};
using ScopedModule = UniqueHandle<ModuleTraits>;

// A view of a file mapping, unmapped with UnmapViewOfFile.
struct MappedViewTraits {
  using Handle = const void*;
  static Handle Empty() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { UnmapViewOfFile(h); }
};
using ScopedMappedView = UniqueHandle<MappedViewTraits>;

}  // namespace gm::win
