#include "ui/dialog_table.h"

#include <algorithm>

namespace gm {

bool DialogTable::Add(void* window) {
  if (!window || std::find(entries_.begin(), entries_.end(), window) != entries_.end()) return false;
  for (void*& e : entries_) {
    if (!e) {
      e = window;
      return true;
    }
  }
  return false;
}

bool DialogTable::Remove(void* window) {
  if (!window) return false;
  auto it = std::find(entries_.begin(), entries_.end(), window);
  if (it == entries_.end()) return false;
  std::move(it + 1, entries_.end(), it);
  entries_.back() = nullptr;
  return true;
}

size_t DialogTable::Count() const {
  return static_cast<size_t>(std::count_if(entries_.begin(), entries_.end(), [](void* e) { return e != nullptr; }));
}

}  // namespace gm
