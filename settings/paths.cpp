#include "settings/paths.h"

#include <system_error>

#include "settings/utf.h"

namespace gm {

std::filesystem::path NativePath(std::wstring_view programPath) {
#ifdef _WIN32
  return std::filesystem::path(std::wstring(programPath));
#else
  std::wstring text(programPath);
  for (wchar_t& c : text) {
    if (c == L'\\') c = L'/';
  }
  return std::filesystem::path(ToUtf8(text));
#endif
}

bool IsDirectory(std::wstring_view programPath) {
  std::error_code ec;
  return std::filesystem::is_directory(NativePath(programPath), ec);
}

bool EnsureDirectory(std::wstring_view programPath) {
  if (IsDirectory(programPath)) return true;
  std::error_code ec;
  std::filesystem::create_directory(NativePath(programPath), ec);
  return IsDirectory(programPath);
}

std::wstring FolderOfExecutable(std::wstring_view executablePath) {
  const size_t slash = executablePath.rfind(L'\\');
  if (slash == std::wstring_view::npos) return std::wstring();
  return std::wstring(executablePath.substr(0, slash + 1));
}

std::wstring EstablishDataFolder(std::wstring_view appDataFolder) {
  std::wstring folder(appDataFolder);
  folder += L'\\';
  folder += kDataFolderName;
  EnsureDirectory(folder);
  folder += L'\\';
  EnsureDirectory(folder + L"config");
  return folder;
}

}  // namespace gm
