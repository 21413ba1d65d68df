// soak [--steps N] [--seed S]: runs the controller soak and prints its figures. Exit code 0 when
// nothing diverged, 1 otherwise, 2 for a bad argument.
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <string>

#include "soak_run.h"

namespace {

bool ParseNumber(const char* text, std::uint64_t& out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (*end != '\0' || text[0] == '-') return false;
  out = value;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  gm::soak::SoakOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::uint64_t* target = arg == "--steps" ? &options.steps : arg == "--seed" ? &options.seed : nullptr;
    if (!target || i + 1 >= argc || !ParseNumber(argv[i + 1], *target)) {
      std::cerr << "usage: soak [--steps N] [--seed S]\n";
      return 2;
    }
    ++i;
  }
  const gm::soak::SoakSummary s = gm::soak::RunSoak(options, std::cout);
  std::cout << "steps " << s.steps << ", seed " << s.seed << ", quiet periods checked " << s.quietPeriods
            << ", divergences " << s.divergences
            << " (quiet periods with edits waiting for a usable link: " << s.quietWithWaitingEdits << ")" << ", time " << std::fixed << std::setprecision(1) << s.seconds
            << " s, live heap " << s.heapAtTenth << " bytes at 10 %, " << s.heapAtEnd << " at the end\n";
  return s.divergences == 0 ? 0 : 1;
}
