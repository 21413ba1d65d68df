#pragma once
// The busy state of the device link. A run of exchanges with the mouse (a configuration upload,
// a priming of the shadows, a factory reset, a pairing request, a firmware update) holds the link
// from its first report to its last wait through an ExchangeRun. A second run asked for while
// one holds the link is refused, never nested: the window keeps handling messages while the
// firmware update runs, and a message handled meanwhile (the deferred upload, say) must not slip
// its own reports in between those of the update; a job of the device thread that finds the update
// holding the link is refused the same way. The refused caller learns it from its return value and
// tries again later.
//
// Threads: runs are made on the device thread (the window's uploads, primings and factory reset),
// on the firmware update's own thread, and on the UI thread (the pairing request and the priming
// after a setting changed on the mouse). The state is one atomic flag
// taken with an exchange: whoever takes it owns the report slots and the shadows until the run
// ends (acquire on taking, release on giving back), so a run sees everything the previous run of
// either thread wrote. A run asked for from inside another one's wait (same thread) is refused as
// before.
#include <atomic>

namespace gm {

class LinkBusy {
 public:
  LinkBusy() = default;
  LinkBusy(const LinkBusy&) = delete;
  LinkBusy& operator=(const LinkBusy&) = delete;

  bool Busy() const { return busy_.load(std::memory_order_acquire); }

 private:
  friend class ExchangeRun;
  std::atomic<bool> busy_{false};
};

// Marks the link busy for its lifetime, unless another run already holds it: then it holds
// nothing and Started() is false, and the caller must do nothing on the link.
class ExchangeRun {
 public:
  explicit ExchangeRun(LinkBusy& link)
      : link_(link), started_(!link.busy_.exchange(true, std::memory_order_acquire)) {}
  ~ExchangeRun() {
    if (started_) link_.busy_.store(false, std::memory_order_release);
  }
  ExchangeRun(const ExchangeRun&) = delete;
  ExchangeRun& operator=(const ExchangeRun&) = delete;

  bool Started() const { return started_; }

 private:
  LinkBusy& link_;
  const bool started_;
};

}  // namespace gm
