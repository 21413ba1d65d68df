#pragma once
// The wait of the firmware update that keeps the user interface answering: a second thread sleeps
// for the time on the underlying clock and then signals; meanwhile the calling thread handles one
// pending window message per turn through `pump`. When `pump` finds nothing to do the caller
// naps briefly instead of spinning. On Windows the pump is PeekMessageW with removal, then
// TranslateMessage and DispatchMessageW; this class itself is portable.
//
// A message handled here runs on the caller's thread in the middle of the caller's run of
// exchanges; one that asks for another run (the deferred upload, say) finds the link busy and is
// refused (device/exchange_run.h), so nothing is sent between two reports of the update.
#include <functional>

#include "device/clock.h"

namespace gm {

class PumpedWaitClock final : public Clock {
 public:
  // `pump` handles at most one pending message and returns whether there was one.
  PumpedWaitClock(Clock& base, std::function<bool()> pump) : base_(base), pump_(std::move(pump)) {}
  PumpedWaitClock(const PumpedWaitClock&) = delete;
  PumpedWaitClock& operator=(const PumpedWaitClock&) = delete;

  Millis Now() const override { return base_.Now(); }
  void Sleep(Millis duration) override;

 private:
  Clock& base_;
  std::function<bool()> pump_;
};

}  // namespace gm
