#pragma once
// Paths as the program stores them are Windows paths (backslash separators). These helpers turn
// them into std::filesystem paths of the platform the code runs on, so portable code and its
// native tests work with the same texts the Windows program uses.
#include <filesystem>
#include <string>
#include <string_view>

namespace gm {

// A program path (backslashes) as a path of this platform. On Windows it is used as it stands;
// elsewhere backslashes become slashes and the text is encoded as UTF-8.
std::filesystem::path NativePath(std::wstring_view programPath);

// True when the path names an existing directory.
bool IsDirectory(std::wstring_view programPath);

// Creates the directory when it does not exist (its parent must exist). Returns whether the
// directory exists afterwards.
bool EnsureDirectory(std::wstring_view programPath);

// The executable's folder: everything up to and including the last backslash, or "" when the
// path has none.
std::wstring FolderOfExecutable(std::wstring_view executablePath);

// The data folder's name below the per-user application-data folder.
inline constexpr std::wstring_view kDataFolderName = L"GamingMouseData20260526C";

// Builds <appData>\GamingMouseData20260526C\ , creating it and its "config" subfolder when they
// are missing. Failures to create are ignored: later file operations fall back to defaults.
std::wstring EstablishDataFolder(std::wstring_view appDataFolder);

}  // namespace gm
