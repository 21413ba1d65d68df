// `gmctl version`: which build this is.
#include "command.h"

namespace {

int RunVersion(gmctl::Args args) {
  if (!args.empty()) return gmctl::Fail(2, "usage: gmctl version");
#ifdef _WIN32
  gmctl::Print("gmctl (Windows build)\n");
#else
  gmctl::Print("gmctl (native build)\n");
#endif
  return 0;
}

}  // namespace

GMCTL_COMMAND(version, "version", RunVersion);
