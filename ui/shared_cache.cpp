#include "ui/shared_cache.h"

namespace gm::ui {

std::wstring FileNameKey(std::wstring_view path) {
  std::wstring key(path);
  for (wchar_t& c : key) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c == L'/') c = L'\\';
  }
  return key;
}

}  // namespace gm::ui
