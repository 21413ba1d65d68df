#pragma once
// Where updates come from and where they are kept: the server's addresses in one table and the
// local files below the data folder + "update\".
#include <string>
#include <string_view>

namespace gm {

// The addresses of the update server. `baseUrl` is the update folder and ends with "/"; the
// version file and the installers lie in it. Tests point it at a server of their own.
struct UpdateServer {
  std::wstring baseUrl;
};

// The maker's update folder.
inline constexpr std::wstring_view kUpdateBaseUrl = L"http://update.example.com/gamingmouse/";

UpdateServer DefaultUpdateServer();

inline constexpr std::wstring_view kVersionFileName = L"VersionInfo.txt";

// baseUrl + "VersionInfo.txt".
std::wstring VersionFileUrl(const UpdateServer& server);

// baseUrl + "installer_V" + version + ".exe".
std::wstring InstallerUrl(const UpdateServer& server, std::wstring_view version);

// dataFolder + "update\" and the two files kept there.
std::wstring UpdateFolder(std::wstring_view dataFolder);
std::wstring LocalVersionFilePath(std::wstring_view dataFolder);  // ...\update\VersionInfo.ini
std::wstring LocalInstallerPath(std::wstring_view dataFolder);    // ...\update\update.exe

// Creates the update folder of `dataFolder` when it is missing; returns whether it exists.
bool EnsureUpdateFolder(std::wstring_view dataFolder);

}  // namespace gm
