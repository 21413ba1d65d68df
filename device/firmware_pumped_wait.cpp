#include "device/firmware_pumped_wait.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace gm {

void PumpedWaitClock::Sleep(Millis duration) {
  std::mutex mutex;
  std::condition_variable signalled;
  bool done = false;
  std::thread sleeper([&] {
    base_.Sleep(duration);
    std::lock_guard lock(mutex);
    done = true;
    signalled.notify_all();
  });
  for (;;) {
    {
      std::unique_lock lock(mutex);
      if (done) break;
    }
    if (pump_ && pump_()) continue;
    // Nothing to handle: nap until the sleeper signals or a millisecond passes, so new messages are
    // still seen promptly without spinning the processor.
    std::unique_lock lock(mutex);
    signalled.wait_for(lock, std::chrono::milliseconds(1), [&] { return done; });
  }
  sleeper.join();
}

}  // namespace gm
