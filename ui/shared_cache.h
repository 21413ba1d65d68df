#pragma once
// A cache of things that are expensive to make and read-only once made (decoded pictures): every
// caller that asks for the same key while someone still holds the thing gets the same object.
// The cache holds no thing itself: the last holder frees it, and the next request makes it again.
// Failures are not kept, so a later request tries again. One thread only. Portable.
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace gm::ui {

// The key of a file name as Windows compares them: ASCII letters folded to lower case and '/'
// read as '\\' ("Skins/Exit_NR.png" and "skins\\exit_nr.png" name the same file).
std::wstring FileNameKey(std::wstring_view path);

template <typename T>
class SharedCache {
 public:
  // The thing for `key`: the one a holder still has, or what `make()` returns (a
  // std::shared_ptr<const T>, null on failure).
  template <typename Make>
  std::shared_ptr<const T> Get(const std::wstring& key, Make&& make) {
    if (auto found = entries_.find(key); found != entries_.end()) {
      if (std::shared_ptr<const T> held = found->second.lock()) return held;
    }
    std::shared_ptr<const T> made = make();
    DropFreed();
    if (made) entries_[key] = made;
    return made;
  }

  // How many things are held by someone now.
  std::size_t HeldCount() const {
    std::size_t n = 0;
    for (const auto& [key, entry] : entries_) n += entry.expired() ? 0 : 1;
    return n;
  }

 private:
  void DropFreed() {
    for (auto it = entries_.begin(); it != entries_.end();) it = it->second.expired() ? entries_.erase(it) : std::next(it);
  }

  std::map<std::wstring, std::weak_ptr<const T>> entries_;
};

}  // namespace gm::ui
