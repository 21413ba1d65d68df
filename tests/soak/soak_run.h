#pragma once
// A long seeded run of the main controller against the simulated mouse: random edits, profile
// switches, macro assignments, link plugs and unplugs, sleeps and wakes, dropped, refused and
// damaged acknowledges and malformed input reports, in virtual time. After every quiet period (all
// one-shot timers run out, a usable link) it checks that the mouse holds what the current profile
// says, that no edit was lost, that the settings files read back as the model, and that the live
// heap does not keep growing. A divergence prints the seed, the step and the last operations, so
// the run can be repeated with the same seed.
#include <cstdint>
#include <iosfwd>

namespace gm::soak {

struct SoakOptions {
  std::uint64_t steps = 100000;
  std::uint64_t seed = 1;
  // Divergences printed in full; later ones are only counted.
  int reportLimit = 5;
};

struct SoakSummary {
  std::uint64_t steps = 0;
  std::uint64_t seed = 0;
  std::uint64_t quietPeriods = 0;
  std::uint64_t divergences = 0;
  // Quiet periods that found edits refused for want of a usable link (the receiver alone, the
  // program taking the mouse for asleep): they wait for the next upload, so the mouse and the
  // files are compared only for the other groups (the files after the run, when they are saved).
  std::uint64_t quietWithWaitingEdits = 0;
  double seconds = 0;
  std::size_t heapAtTenth = 0;  // live heap bytes at 10 % of the run
  std::size_t heapAtEnd = 0;
  bool heapGrew = false;
};

// Runs the soak, printing divergences (and nothing else) to `out`.
SoakSummary RunSoak(const SoakOptions& options, std::ostream& out);

}  // namespace gm::soak
