// The key combination dialog with real key presses: SendInput reaches the low-level keyboard hook
// of KeyboardHook.dll under Wine as on Windows. A second hook object of the test, started after
// the dialog's, tells when a key's report has been delivered: the library posts each report to
// the dialog first, so once the test's window has its copy, the dialog has handled its own. Each
// run is one scripted step: the step's own waiting must not let the next step start meanwhile.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "assign/dialog_owner_support.h"
#include "assign/shortcut_dlg.h"
#include "macro/hook/keyboard_hook.h"
#include "settings/language_indexes.h"
#include "ui/buttons.h"
#include "ui/program_messages.h"
#include "ui/ui_test_support.h"
#include "win_test_support.h"

using namespace std::chrono_literals;

namespace {

using gm::win::CShortcutDlg;

struct KeyEvent {
  WORD vk;
  WORD scan;
  bool up;
};

// A window that counts the key reports of its own hook object.
class ReportProbe {
 public:
  ReportProbe() {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &ReportProbe::Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"GmShortcutProbe";
      registered = RegisterClassW(&wc) != 0;
    }
    hwnd_ = CreateWindowExW(0, L"GmShortcutProbe", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ReportProbe() {
    hook_.StopHook();
    DestroyWindow(hwnd_);
  }
  void Start() { hook_.StartHook(hwnd_); }
  // Sends each event for real and waits until its report has been delivered.
  bool Send(const std::vector<KeyEvent>& events) {
    for (const KeyEvent& e : events) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = e.vk;
      input.ki.wScan = e.scan;
      input.ki.dwFlags = e.up ? KEYEVENTF_KEYUP : 0;
      const int before = count_;
      if (SendInput(1, &input, sizeof input) != 1) return false;
      if (!gmtest::PumpUntil([&] { return count_ > before; }, 5s)) return false;
    }
    return true;
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == gm::msg::kKeyReport) {
      if (auto* self = reinterpret_cast<ReportProbe*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) ++self->count_;
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
  CKeyboardHook hook_;
  int count_ = 0;
};

// Whether the click on check box `id` has been handled: the box is checked (or, for the no-modifier
// box, the modifier boxes are disabled); a disabled box is never changed.
bool ClickSettled(const CShortcutDlg& dlg, UINT id) {
  const auto* box = dynamic_cast<const gm::win::CCheckButton*>(dlg.GetControl(id));
  if (!box || box->Disabled()) return true;
  if (id == CShortcutDlg::kNoModifier) return dlg.GetControl(CShortcutDlg::kCtrl)->Disabled();
  return box->Checked();
}

std::vector<KeyEvent> Tap(WORD vk, WORD scan) { return {{vk, scan, false}, {vk, scan, true}}; }

class ShortcutDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_.texts[gm::kTextKeyCaptureUnavailable] = L"No key capture";
    ui_.texts[gm::kTextNoModifier] = L"None";
  }
  std::wstring HookLibrary() const { return gmtest::BinFolder() + L"KeyboardHook.dll"; }

  uitest::SkinFolder skins_;
  uitest::TestUi ui_{skins_};
  assigntest::DialogOwner owner_;
};

TEST_F(ShortcutDlgTest, RealKeysAndCheckedModifiersMakeTheReportedCombination) {
  struct Case {
    const char* what;
    std::vector<UINT> clicks;  // check boxes, in this order
    std::vector<KeyEvent> keys;
    std::wstring shown;  // the key name field afterwards
    std::optional<gm::SelectionRecord> sent;
    bool modifiersDisabled = false;  // the no-modifier box is checked at the end
  };
  const std::vector<KeyEvent> ctrlS = {{VK_LCONTROL, 0x1D, false}, {'S', 0x1F, false}, {'S', 0x1F, true},
                                       {VK_LCONTROL, 0x1D, true}};
  const Case cases[] = {
      {"Ctrl+Shift+S, the held Ctrl is no key", {CShortcutDlg::kCtrl, CShortcutDlg::kShift}, ctrlS, L"S",
       gm::SelectionRecord{L"Ctrl+Shift+S", {0x70, 0x03, 0x16}}},
      // Ctrl checked, then the no-modifier box: Ctrl is disabled and counts for nothing; a click on
      // the disabled box changes nothing either.
      {"no modifier", {CShortcutDlg::kCtrl, CShortcutDlg::kNoModifier, CShortcutDlg::kShift}, Tap('S', 0x1F), L"S",
       gm::SelectionRecord{L"S", {0x70, 0x00, 0x16}}, true},
      {"left Ctrl and the Windows key alone", {}, {{VK_LCONTROL, 0x1D, false}, {VK_LCONTROL, 0x1D, true},
       {VK_LWIN, 0x5B, false}, {VK_LWIN, 0x5B, true}}, L"", std::nullopt},
      {"F13 has no usage", {}, Tap(VK_F13, 0x64), L"F13", gm::SelectionRecord{L"F13", {0x70, 0x00, 0x00}}},
      {"modifiers without a key", {CShortcutDlg::kAlt}, {}, L"", gm::SelectionRecord{L"Alt", {0x70, 0x04, 0x00}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    owner_.reports.clear();
    CShortcutDlg dlg(ui_.context, owner_.Hwnd(), HookLibrary());
    ReportProbe probe;
    bool sent = false;
    std::wstring shown = L"<unread>";
    bool ctrlDisabled = false, shiftChecked = false;
    const INT_PTR result = uitest::RunScripted(dlg, {[&](HWND h) {
                                                       probe.Start();
                                                       for (UINT id : c.clicks) {
                                                         uitest::ClickControl(h, id);
                                                         // The click's event reaches the dialog
                                                         // after the click: wait for its effect.
                                                         gmtest::PumpUntil([&] { return ClickSettled(dlg, id); }, 5s);
                                                       }
                                                       sent = probe.Send(c.keys);
                                                       shown = uitest::LabelOf(h, CShortcutDlg::kKeyName);
                                                       ctrlDisabled = dlg.GetControl(CShortcutDlg::kCtrl)->Disabled();
                                                       shiftChecked = dynamic_cast<gm::win::CCheckButton*>(
                                                                          dlg.GetControl(CShortcutDlg::kShift))
                                                                          ->Checked();
                                                       uitest::ClickControl(h, CShortcutDlg::kOk);
                                                     }});
    EXPECT_TRUE(sent) << "a key report did not arrive";
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(ctrlDisabled, c.modifiersDisabled);
    if (c.modifiersDisabled) EXPECT_FALSE(shiftChecked) << "a disabled box took the click";
    if (c.sent) {
      ASSERT_EQ(owner_.reports.size(), 1u);
      EXPECT_EQ(owner_.reports[0].message, gm::msg::kShortcutChosen);
      EXPECT_EQ(owner_.reports[0].record, *c.sent);
    } else {
      EXPECT_TRUE(owner_.reports.empty());
    }
    EXPECT_EQ(ui_.dialogs.Count(), 0u);
  }
}

TEST_F(ShortcutDlgTest, CancelAndCloseSendNothing) {
  for (UINT exit : {CShortcutDlg::kCancel, CShortcutDlg::kClose}) {
    CShortcutDlg dlg(ui_.context, owner_.Hwnd(), HookLibrary());
    ReportProbe probe;
    bool registered = false;
    const INT_PTR result = uitest::RunScripted(dlg, {[&](HWND h) {
                                                       registered = ui_.dialogs.Count() == 1;
                                                       probe.Start();
                                                       uitest::ClickControl(h, CShortcutDlg::kCtrl);
                                                       EXPECT_TRUE(probe.Send(Tap('A', 0x1E)));
                                                       uitest::ClickControl(h, exit);
                                                     }});
    EXPECT_TRUE(registered);
    EXPECT_EQ(result, IDCANCEL) << exit;
    EXPECT_TRUE(owner_.reports.empty()) << exit;
  }
}

// Without the library (or with one that is no hook library) the dialog says keys cannot be
// captured and closes: nothing is sent and nothing stays registered.
TEST_F(ShortcutDlgTest, WithoutTheHookLibraryItSaysSoAndCloses) {
  const std::wstring notHook = gmtest::BinFolder() + L"gm_win_tests.exe";  // loads, has no hook entries
  for (const std::wstring& library : {skins_.Root() + L"KeyboardHook.dll", notHook}) {
    CShortcutDlg dlg(ui_.context, owner_.Hwnd(), library);
    std::wstring notice = L"<none>";
    const INT_PTR result = uitest::RunScripted(dlg, {[&](HWND h) {
      notice = uitest::LabelOf(h, 2013);  // the newest dialog is the notice
      uitest::ClickControl(h, 2010);
    }});
    EXPECT_EQ(notice, L"No key capture");
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(owner_.reports.empty());
    EXPECT_EQ(ui_.dialogs.Count(), 0u);
  }
}

}  // namespace
