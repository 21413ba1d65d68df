#include "device/clock.h"

#include <thread>

namespace gm {

Millis SystemClock::Now() const {
  return std::chrono::duration_cast<Millis>(std::chrono::steady_clock::now().time_since_epoch());
}

void SystemClock::Sleep(Millis duration) {
  if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

}  // namespace gm
