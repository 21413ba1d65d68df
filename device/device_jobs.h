#pragma once
// The device thread: one std::thread that runs the window's device jobs (uploads, primings, the
// factory reset) one after the other, in the order they were posted, so that the user-interface
// thread never waits out the gaps between reports. A job runs on the device thread and returns its
// finish: the part to carry out on the UI thread once the job is done (notices, timers, the
// refresh). The finish travels through the JobResultSink, which hands it to the UI thread (the
// main window posts it to itself as a message).
//
// Threads: Post and Stop are called on the owner's thread (the UI thread); jobs run on the device
// thread and PostJobResult is called there. A job asked for while another runs waits in the
// queue, never nested. Stop takes no more jobs, drops those still queued, lets the running one end
// (a job that must end early is told so by its own means: see device/device_stop_gate.h) and joins.
// Portable.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace gm {

// The part of a job carried out on the UI thread.
using JobFinish = std::function<void()>;
// The part run on the device thread; returns the finish (empty: nothing to carry out).
using DeviceJob = std::function<JobFinish()>;

class JobResultSink {
 public:
  virtual ~JobResultSink() = default;
  // Called on the device thread after each job; hands `finish` over to the UI thread.
  virtual void PostJobResult(JobFinish finish) = 0;
};

class DeviceJobs {
 public:
  // `sink` must outlive this object (the thread calls it until Stop returns).
  explicit DeviceJobs(JobResultSink& sink);
  ~DeviceJobs();
  DeviceJobs(const DeviceJobs&) = delete;
  DeviceJobs& operator=(const DeviceJobs&) = delete;

  // Queues `job` behind the others. False, with nothing queued, once Stop has been called.
  bool Post(DeviceJob job);

  // Takes no more jobs, drops the queued ones, waits for the running one and joins the thread.
  // Returns how many queued jobs were dropped. Safe to call twice.
  std::size_t Stop();

 private:
  void Run();

  JobResultSink& sink_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<DeviceJob> queue_;
  bool stopping_ = false;
  std::thread thread_;  // last: started once everything above exists
};

}  // namespace gm
