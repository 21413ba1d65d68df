#pragma once
// The table of open secondary dialogs (one per program, owned by the application), so that the main window can close them all at
// shutdown. Holds window handles as opaque pointers (this file is portable).
#include <array>
#include <cstddef>

namespace gm {

class DialogTable {
 public:
  static constexpr size_t kCapacity = 10;

  // Stores `window` in the first empty entry; false (and nothing stored) when the table is full,
  // the handle is null or already present.
  bool Add(void* window);

  // Removes `window` and moves the later entries one place down; false when it was not present.
  bool Remove(void* window);

  size_t Count() const;
  void* At(size_t i) const { return i < kCapacity ? entries_[i] : nullptr; }
  const std::array<void*, kCapacity>& Entries() const { return entries_; }

 private:
  std::array<void*, kCapacity> entries_{};
};

}  // namespace gm
