#include "update/update_server.h"

#include "settings/paths.h"

namespace gm {

UpdateServer DefaultUpdateServer() { return UpdateServer{std::wstring(kUpdateBaseUrl)}; }

std::wstring VersionFileUrl(const UpdateServer& server) {
  return server.baseUrl + std::wstring(kVersionFileName);
}

std::wstring InstallerUrl(const UpdateServer& server, std::wstring_view version) {
  return server.baseUrl + L"installer_V" + std::wstring(version) + L".exe";
}

std::wstring UpdateFolder(std::wstring_view dataFolder) { return std::wstring(dataFolder) + L"update\\"; }
std::wstring LocalVersionFilePath(std::wstring_view dataFolder) { return UpdateFolder(dataFolder) + L"VersionInfo.ini"; }
std::wstring LocalInstallerPath(std::wstring_view dataFolder) { return UpdateFolder(dataFolder) + L"update.exe"; }

bool EnsureUpdateFolder(std::wstring_view dataFolder) { return EnsureDirectory(UpdateFolder(dataFolder)); }

}  // namespace gm
