#include "assign/dialog_owner_support.h"

#include "ui/program_messages.h"

namespace assigntest {

DialogOwner::DialogOwner() {
  static const wchar_t* kClass = L"GmAssignDialogOwner";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &DialogOwner::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    registered = RegisterClassW(&wc) != 0;
  }
  hwnd_ = CreateWindowExW(0, kClass, L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr),
                          this);
}

DialogOwner::~DialogOwner() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK DialogOwner::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<DialogOwner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  namespace m = gm::msg;
  if (self && lParam && (message == m::kShortcutChosen || message == m::kFireKeyChosen || message == m::kQuickLaunchChosen)) {
    Report r{message, *reinterpret_cast<const gm::SelectionRecord*>(lParam), {}};
    if (message == m::kQuickLaunchChosen && wParam) r.path = reinterpret_cast<const wchar_t*>(wParam);
    self->reports.push_back(std::move(r));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace assigntest

namespace assigntest {
namespace {

// The file name box of the open-file dialog: the edit of the name combo (cmb13) in the Explorer
// style, or the plain edit (edt1) of the older template.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

BOOL CALLBACK FindNameEdit(HWND child, LPARAM lParam) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  if (std::wstring(name) != L"Edit" || GetDlgCtrlID(child) != kFileNameCombo) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = child;
  return FALSE;
}

HWND FileNameBox(HWND fileDialog) {
  HWND edit = nullptr;
  EnumChildWindows(fileDialog, &FindNameEdit, reinterpret_cast<LPARAM>(&edit));
  return edit ? edit : GetDlgItem(fileDialog, kFileNameEdit);
}

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (pid == s->pid && IsWindowVisible(hwnd) && std::wstring(name) == L"#32770" && FileNameBox(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindFileDialog(DWORD pid) {
  Search s{pid ? pid : GetCurrentProcessId(), nullptr};
  EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

void ChooseInFileDialog(HWND fileDialog, const std::wstring& path) {
  SendMessageW(FileNameBox(fileDialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(fileDialog, IDOK)));
}

}  // namespace assigntest

namespace assigntest {
namespace {
ConditionScript* gScript = nullptr;  // the running script (one at a time)

BOOL CALLBACK CloseDialogProc(HWND hwnd, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (IsWindowVisible(hwnd) && std::wstring(name) == L"#32770") PostMessageW(hwnd, WM_CLOSE, 0, 0);
  return TRUE;
}
}  // namespace

ConditionScript::ConditionScript(std::vector<Step> steps, std::chrono::milliseconds deadline)
    : steps_(std::move(steps)), deadline_(deadline), since_(std::chrono::steady_clock::now()) {
  gScript = this;
  timer_ = SetTimer(nullptr, 0, 50, &ConditionScript::Tick);
}

ConditionScript::~ConditionScript() {
  KillTimer(nullptr, timer_);
  gScript = nullptr;
}

void CALLBACK ConditionScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (gScript) gScript->Run();
}

void ConditionScript::Run() {
  if (running_ || Done()) return;  // a step's own action may pump messages
  running_ = true;
  const Step& step = steps_[next_];
  if (step.ready()) {
    ++next_;
    since_ = std::chrono::steady_clock::now();
    step.act();
  } else if (std::chrono::steady_clock::now() - since_ > deadline_) {
    failed = step.what;
    next_ = steps_.size();
    EnumThreadWindows(GetCurrentThreadId(), &CloseDialogProc, 0);
  }
  running_ = false;
}

}  // namespace assigntest
