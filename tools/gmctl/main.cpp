// gmctl: inspect and create the utility's files, and talk to a mouse (real or simulated).
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "command.h"
#include "settings/utf.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace gmctl {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

Registrar::Registrar(const char* name, const char* usage, Runner run) {
  auto& all = Commands();
  all.push_back({name, usage, run});
  std::sort(all.begin(), all.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
}

int Fail(int code, const std::string& message) {
  std::fputs(("gmctl: " + message + "\n").c_str(), stderr);
  return code;
}

void Print(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace gmctl

namespace {

int Usage(std::FILE* to) {
  std::string text = "usage: gmctl COMMAND ...\n\ncommands:\n";
  for (const auto& c : gmctl::Commands()) text += "  " + c.usage + "\n";
  std::fputs(text.c_str(), to);
  return to == stdout ? 0 : 2;
}

int Run(std::vector<std::string> args) {
  if (args.empty()) return Usage(stderr);
  if (args[0] == "help" || args[0] == "--help" || args[0] == "-h") return Usage(stdout);
  for (const auto& c : gmctl::Commands()) {
    if (c.name == args[0]) {
      args.erase(args.begin());
      return c.run(args);
    }
  }
  return gmctl::Fail(2, "unknown command '" + args[0] + "' (see gmctl help)");
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(gm::ToUtf8(argv[i]));
  return Run(std::move(args));
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
