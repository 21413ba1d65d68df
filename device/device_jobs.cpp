#include "device/device_jobs.h"

#include <utility>

#include "device/thread_stack.h"

namespace gm {

DeviceJobs::DeviceJobs(JobResultSink& sink) : sink_(sink), thread_([this] { Run(); }) {}

DeviceJobs::~DeviceJobs() { Stop(); }

bool DeviceJobs::Post(DeviceJob job) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return false;
    queue_.push_back(std::move(job));
  }
  wake_.notify_one();
  return true;
}

std::size_t DeviceJobs::Stop() {
  std::size_t dropped = 0;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    dropped = queue_.size();
    queue_.clear();
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
  return dropped;
}

void DeviceJobs::Run() {
  ReturnUnusedStackPages();
  for (;;) {
    DeviceJob job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    JobFinish finish = job();
    if (finish) sink_.PostJobResult(std::move(finish));
  }
}

}  // namespace gm
