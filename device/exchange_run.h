#pragma once
// The busy state of the device link. A run of exchanges with the mouse (a configuration upload,
// a priming of the shadows, a factory reset, a pairing request, a firmware update) holds the link
// from its first report to its last wait through an ExchangeRun. A second run asked for while
// one holds the link is refused, never nested: the firmware update keeps handling window messages
// while it waits, and a message handled there (the deferred upload, say) must not slip its own
// reports in between those of the update. The refused caller learns it from its return value and
// tries again later.
//
// Threads: the link and its runs belong to the thread that drives the device exchanges (the UI
// thread). A run asked for from inside another one's wait comes from that same thread, so a plain
// flag tells the two apart; no other thread touches it.
namespace gm {

class LinkBusy {
 public:
  LinkBusy() = default;
  LinkBusy(const LinkBusy&) = delete;
  LinkBusy& operator=(const LinkBusy&) = delete;

  bool Busy() const { return busy_; }

 private:
  friend class ExchangeRun;
  bool busy_ = false;
};

// Marks the link busy for its lifetime, unless another run already holds it: then it holds
// nothing and Started() is false, and the caller must do nothing on the link.
class ExchangeRun {
 public:
  explicit ExchangeRun(LinkBusy& link) : link_(link), started_(!link.busy_) { link_.busy_ = true; }
  ~ExchangeRun() {
    if (started_) link_.busy_ = false;
  }
  ExchangeRun(const ExchangeRun&) = delete;
  ExchangeRun& operator=(const ExchangeRun&) = delete;

  bool Started() const { return started_; }

 private:
  LinkBusy& link_;
  const bool started_;
};

}  // namespace gm
