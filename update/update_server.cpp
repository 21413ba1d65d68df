#include "update/update_server.h"

#include "settings/environment.h"
#include "settings/paths.h"

namespace gm {

UpdateServer DefaultUpdateServer() { return UpdateServer{std::wstring(kUpdateBaseUrl)}; }

std::wstring VersionFileUrl(const UpdateServer& server) {
  return server.baseUrl + std::wstring(kVersionFileName);
}

std::wstring InstallerUrl(const UpdateServer& server, std::wstring_view version) {
  return server.baseUrl + L"installer_V" + std::wstring(version) + L".exe";
}

std::wstring UpdateFolder() { return DataFolder + L"update\\"; }
std::wstring LocalVersionFilePath() { return UpdateFolder() + L"VersionInfo.ini"; }
std::wstring LocalInstallerPath() { return UpdateFolder() + L"update.exe"; }

bool EnsureUpdateFolder() { return EnsureDirectory(UpdateFolder()); }

}  // namespace gm
