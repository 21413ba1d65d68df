// Any bytes as the server's version file: no crash; a download is offered only for a clean
// version text later than the program's, whose installer address stays inside the update folder;
// the decision agrees with the version ordering.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/update_server.h"
#include "update/version_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto line = gm::ReadVersionLine(bytes);
  const std::wstring text = line.value_or(L"");
  const gm::VersionVerdict verdict = gm::DecideUpdate(gm::kProgramVersion, text);

  if (verdict.decision == gm::UpdateDecision::Unreadable) {
    if (!verdict.version.empty()) std::abort();
    return 0;
  }
  if (!gm::IsCleanVersionText(verdict.version)) std::abort();
  const auto server = gm::ParseVersion(verdict.version);
  const auto program = gm::ParseVersion(gm::kProgramVersion.substr(1));
  if (!server || !program) std::abort();
  const bool newer = verdict.decision == gm::UpdateDecision::Newer;
  const bool same = verdict.decision == gm::UpdateDecision::Same;
  if (newer != (*server > *program) || same != (*server == *program)) std::abort();
  if (gm::VersionAtLeast(gm::kProgramVersion, verdict.version) != (newer || same)) std::abort();

  const gm::UpdateServer site{L"http://127.0.0.1/u/"};
  const std::wstring url = gm::InstallerUrl(site, verdict.version);
  if (url.compare(0, site.baseUrl.size(), site.baseUrl) != 0) std::abort();
  if (url.find(L'/', site.baseUrl.size()) != std::wstring::npos) std::abort();
  return 0;
}
