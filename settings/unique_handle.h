#pragma once
// One owner of one handle of any kind (a kernel object, a window, a GDI object, a device
// information set ...): never copied, so a handle is closed exactly once, by the owner that holds
// it last. Portable: what a kind of handle is and how it is closed comes from its traits, which
// live beside the platform calls they make.
#include <utility>

namespace gm {

// Traits of a kind of handle:
//   using Handle = ...;                    the handle type
//   static Handle Empty() noexcept;        the value that owns nothing (never closed)
//   static void Close(Handle h) noexcept;  frees a handle other than Empty()
// and, for a kind whose functions report failure with another value besides Empty() (kernel
// handles: INVALID_HANDLE_VALUE as well as null), optionally
//   static Handle Adopt(Handle h) noexcept;  the value held for `h` (Empty() for a failure value)
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle h) noexcept : h_(Adopt(h)) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    Reset(other.Release());  // a move onto itself takes back what it gave up
    return *this;
  }

  Handle Get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::Empty(); }
  // Gives the handle up without closing it.
  Handle Release() noexcept { return std::exchange(h_, Traits::Empty()); }
  // Holds `h` and closes the handle held before, unless that is `h` itself.
  void Reset(Handle h = Traits::Empty()) noexcept {
    const Handle old = std::exchange(h_, Adopt(h));
    if (old != Traits::Empty() && old != h_) Traits::Close(old);
  }

 private:
  static Handle Adopt(Handle h) noexcept {
    if constexpr (requires { Traits::Adopt(h); }) {
      return Traits::Adopt(h);
    } else {
      return h;
    }
  }

  Handle h_ = Traits::Empty();
};

}  // namespace gm
