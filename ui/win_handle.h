#pragma once
// Owners of Win32 handles: one owner per handle, no copies, so a handle is never closed twice.
#include <windows.h>

#include <utility>

namespace gm::win {

// Owner of a kernel handle closed with CloseHandle (events, mutexes, processes, threads, files).
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  ~ScopedHandle() { Reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }

  HANDLE Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  HANDLE Release() { return std::exchange(h_, nullptr); }
  void Reset(HANDLE h = nullptr) {
    if (h_) CloseHandle(h_);
    h_ = (h == INVALID_HANDLE_VALUE) ? nullptr : h;
  }

 private:
  HANDLE h_ = nullptr;
};

// Owner of a window destroyed with DestroyWindow (a child window a control creates). The window
// may already be gone (its parent destroys its children first); then nothing is done.
class ScopedWindow {
 public:
  ScopedWindow() = default;
  explicit ScopedWindow(HWND h) : h_(h) {}
  ~ScopedWindow() { Reset(); }
  ScopedWindow(const ScopedWindow&) = delete;
  ScopedWindow& operator=(const ScopedWindow&) = delete;

  HWND Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(HWND h = nullptr) {
    if (h_ && h_ != h && IsWindow(h_)) DestroyWindow(h_);
    h_ = h;
  }

 private:
  HWND h_ = nullptr;
};

// Owner of a loaded library freed with FreeLibrary.
class ScopedModule {
 public:
  ScopedModule() = default;
  explicit ScopedModule(HMODULE h) : h_(h) {}
  ~ScopedModule() { Reset(); }
  ScopedModule(const ScopedModule&) = delete;
  ScopedModule& operator=(const ScopedModule&) = delete;

  HMODULE Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(HMODULE h = nullptr) {
    if (h_ && h_ != h) FreeLibrary(h_);
    h_ = h;
  }

 private:
  HMODULE h_ = nullptr;
};

}  // namespace gm::win
