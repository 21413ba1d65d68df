#pragma once
// The owner window of an assignment dialog under test: a hidden top-level window that keeps a copy
// of every selection report it is sent (the record and path are valid only during the call).
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "assign/function_menus.h"

namespace assigntest {

struct Report {
  UINT message;
  gm::SelectionRecord record;
  std::wstring path;  // the program-launch report's wParam; empty for the others
};

class DialogOwner {
 public:
  DialogOwner();
  ~DialogOwner();
  DialogOwner(const DialogOwner&) = delete;
  DialogOwner& operator=(const DialogOwner&) = delete;

  HWND Hwnd() const { return hwnd_; }
  std::vector<Report> reports;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace assigntest

namespace assigntest {

// The system's open-file dialog of a process (this one when `pid` is 0): the visible dialog with
// a file name box, or nullptr.
HWND FindFileDialog(DWORD pid = 0);
// Types `path` into the open-file dialog's file name box and presses its Open button.
void ChooseInFileDialog(HWND fileDialog, const std::wstring& path);

}  // namespace assigntest

namespace assigntest {

// Steps carried out by a timer of the test's thread (every loop of the thread serves it, the
// modal loops of system dialogs too), each as soon as its condition holds: no step blocks, so a
// dialog opened by one step is handled by the next. A step whose condition does not come true
// within the deadline is recorded in `failed` and ends the script, closing the thread's dialogs
// so that the modal loop under test returns.
struct Step {
  const char* what;
  std::function<bool()> ready;
  std::function<void()> act;
};

class ConditionScript {
 public:
  ConditionScript(std::vector<Step> steps, std::chrono::milliseconds deadline);
  ~ConditionScript();
  ConditionScript(const ConditionScript&) = delete;
  ConditionScript& operator=(const ConditionScript&) = delete;

  bool Done() const { return next_ >= steps_.size(); }
  std::string failed;  // the step that timed out, if any

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  void Run();
  std::vector<Step> steps_;
  size_t next_ = 0;
  std::chrono::milliseconds deadline_;
  std::chrono::steady_clock::time_point since_;
  UINT_PTR timer_ = 0;
  bool running_ = false;
};

}  // namespace assigntest
