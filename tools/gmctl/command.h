#pragma once
// gmctl's command registry. Each command family lives in its own file and registers itself:
//
//   static int RunProfile(gmctl::Args args) { ... }
//   GMCTL_COMMAND(profile, "profile show FILE | profile new --slot N ...", RunProfile);
//
// Arguments arrive as UTF-8 (on Windows converted from the wide command line), without the program
// name and without the command word. A command returns the process exit code: 0 success, 1 the
// input was rejected (with a one-line reason on stderr), 2 usage error.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace gmctl {

using Args = const std::vector<std::string>&;
using Runner = int (*)(Args);

struct Command {
  std::string name;
  std::string usage;
  Runner run;
};

// Registered commands, sorted by name.
std::vector<Command>& Commands();

struct Registrar {
  Registrar(const char* name, const char* usage, Runner run);
};

// Writes "gmctl: <message>" and a newline to stderr; returns `code` for `return Fail(...)`.
int Fail(int code, const std::string& message);

// Prints UTF-8 text to stdout exactly as given (binary mode on Windows).
void Print(const std::string& text);

}  // namespace gmctl

#define GMCTL_CONCAT2(a, b) a##b
#define GMCTL_CONCAT(a, b) GMCTL_CONCAT2(a, b)
#define GMCTL_COMMAND(name, usage, fn) \
  static ::gmctl::Registrar GMCTL_CONCAT(gmctl_registrar_, name)(#name, usage, fn)
