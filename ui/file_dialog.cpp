#include "ui/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <array>

namespace gm::win {
namespace {
constexpr int kPathCharacters = 260;
}

std::optional<std::wstring> ShowFileDialog(const FileDialogRequest& request) {
  std::array<wchar_t, kPathCharacters> path{};
  const size_t length = std::min(request.initialName.size(), path.size() - 1);
  std::copy_n(request.initialName.begin(), length, path.begin());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = request.owner;
  ofn.lpstrFilter = request.filter;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrTitle = request.title.c_str();
  ofn.lpstrDefExt = request.defaultExtension.c_str();
  ofn.Flags = request.flags;
  const BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  return std::wstring(path.data());
}

}  // namespace gm::win
