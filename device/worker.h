#pragma once
// One worker thread per link: it opens the link's input collection, blocks in reads of input
// report 4 and hands every report to the host, which folds it into the model on the UI thread.
// A worker ends when its read fails (the device went away); StopAll cancels pending reads and
// joins every thread, so shutdown never leaves a thread behind.
#include <array>
#include <atomic>
#include <mutex>
#include <thread>

#include "device/device_host.h"
#include "device/discovery.h"
#include "device/hid_api.h"

namespace gm {

class DeviceWorkers final : public WorkerStarter {
 public:
  DeviceWorkers(HidApi& hid, DeviceHost& host);
  ~DeviceWorkers() override;
  DeviceWorkers(const DeviceWorkers&) = delete;
  DeviceWorkers& operator=(const DeviceWorkers&) = delete;

  // Must be called before the first StartWorker.
  void Attach(const DeviceLinks& links) { links_ = &links; }

  // Starts the link's worker unless one runs (its guard is set). A worker that has ended is
  // joined first.
  void StartWorker(LinkKind link) override;

  // Whether the link's worker runs (its guard).
  bool Running(LinkKind link) const { return workers_[IndexOf(link)].guard.load(); }

  // Whether the link's worker has opened its input collection and waits for reports.
  bool Reading(LinkKind link) const;

  // Cancels every pending read and joins every worker.
  void StopAll();

 private:
  struct Worker {
    std::thread thread;
    std::atomic<bool> guard{false};
    mutable std::mutex handleMutex;  // guards `input` and `stopping` between the worker and StopAll
    HidHandle input = kNoHandle;
    bool stopping = false;
  };

  void Run(LinkKind link, std::uint32_t inputIndex);

  HidApi& hid_;
  DeviceHost& host_;
  const DeviceLinks* links_ = nullptr;
  std::array<Worker, 3> workers_;
};

}  // namespace gm
