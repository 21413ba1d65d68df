#pragma once
// The recorder's mouse hook: a WH_MOUSE hook on the calling (user-interface) thread, so only mouse
// activity in the program's own windows is seen. Left, right and middle button presses and
// releases become recorder events stamped like the keyboard hook's reports; left-button messages
// while the pointer is over the record button are left out. Every message is passed on.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace gm::win {

class RecordMouseHook {
 public:
  using EventSink = std::function<void(std::uint32_t code, std::uint32_t stamp)>;
  using OverRecordButton = std::function<bool()>;

  RecordMouseHook() = default;
  ~RecordMouseHook() { Remove(); }
  RecordMouseHook(const RecordMouseHook&) = delete;
  RecordMouseHook& operator=(const RecordMouseHook&) = delete;

  // Installs the hook for the calling thread unless this object's hook is installed already.
  // One recorder hook exists per process; false when another object holds it or the system
  // refused. The sink may remove the hook from inside its call.
  bool Install(EventSink sink, OverRecordButton overRecordButton);
  void Remove();
  bool IsInstalled() const { return hook_ != nullptr; }

 private:
  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);

  HHOOK hook_ = nullptr;
  EventSink sink_;
  OverRecordButton overRecordButton_;
};

}  // namespace gm::win
