#include "device/worker.h"

#include <algorithm>
#include <vector>

#include "device/command_report.h"
#include "device/thread_stack.h"

namespace gm {

DeviceWorkers::DeviceWorkers(HidApi& hid, DeviceHost& host) : hid_(hid), host_(host) {}

DeviceWorkers::~DeviceWorkers() { StopAll(); }

void DeviceWorkers::StartWorker(LinkKind link) {
  Worker& w = workers_[IndexOf(link)];
  if (w.guard.load()) return;
  if (w.thread.joinable()) w.thread.join();  // ended by itself; its guard is already clear
  {
    std::lock_guard lock(w.handleMutex);
    w.stopping = false;
    w.input = kNoHandle;
  }
  const std::uint32_t inputIndex = links_ ? links_->State(link).inputIndex : 0;
  w.guard = true;
  w.thread = std::thread([this, link, inputIndex] { Run(link, inputIndex); });
}

bool DeviceWorkers::Reading(LinkKind link) const {
  const Worker& w = workers_[IndexOf(link)];
  std::lock_guard lock(w.handleMutex);
  return w.input != kNoHandle;
}

void DeviceWorkers::Run(LinkKind link, std::uint32_t inputIndex) {
  ReturnUnusedStackPages();
  Worker& w = workers_[IndexOf(link)];
  HidHandle h = kNoHandle;
  if (std::optional<std::wstring> path = hid_.InterfacePath(inputIndex))
    h = hid_.Open(*path, HidOpenMode::kInput);

  HidAttributes attributes;
  HidCaps caps;
  const bool usable = h != kNoHandle && hid_.GetAttributes(h, attributes) && hid_.GetCaps(h, caps) &&
                      attributes.vendorId == kMouseVendorId && attributes.productId == ProductIdOf(link) &&
                      caps.inputReportByteLength > 0;
  bool stop = !usable;
  if (usable) {
    std::lock_guard lock(w.handleMutex);
    stop = w.stopping;
    if (!stop) w.input = h;
  }

  if (!stop) {
    std::vector<std::uint8_t> buffer(caps.inputReportByteLength, 0xFF);
    buffer[0] = kInputReportId;
    while (hid_.Read(h, buffer)) {
      InputReportBytes report{};
      std::copy_n(buffer.begin(), std::min(buffer.size(), report.size()), report.begin());
      host_.PostInputReport(link, report);
    }
  }

  {
    std::lock_guard lock(w.handleMutex);
    w.input = kNoHandle;
  }
  hid_.Close(h);
  w.guard = false;  // only after the handle is closed, so a new worker may start
}

void DeviceWorkers::StopAll() {
  for (Worker& w : workers_) {
    {
      std::lock_guard lock(w.handleMutex);
      w.stopping = true;
      if (w.input != kNoHandle) hid_.CancelRead(w.input);
    }
    if (w.thread.joinable()) w.thread.join();
  }
}

}  // namespace gm
