#pragma once
// Helpers of the toolkit's Windows-side tests: GDI+ for the test program, the toolkit context of a
// test, a control host that records the events controls queue, skin pictures made on the spot,
// and a 32-bit drawing surface whose pixels can be read back.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/control_host.h"
#include "ui/dialog_table.h"
#include "ui/ui_context.h"

namespace gm::win {
class CDlgBase;
}

namespace uitest {

// The most recently opened dialog in `dialogs`, or nullptr.
HWND NewestDialog(const gm::DialogTable& dialogs);

// Runs `dlg` modally while a timer of the test carries out `steps`, one per tick (150 ms), on the
// newest dialog of the open-dialog table of `dlg`'s context; returns the dialog's result.
INT_PTR RunScripted(gm::win::CDlgBase& dlg, std::vector<std::function<void(HWND)>> steps);
// The same around any code that opens dialogs registered in `dialogs` (a command that runs its
// own dialogs): `run` runs while the steps are carried out; returns what `run` returned.
INT_PTR RunScriptedWhile(const gm::DialogTable& dialogs, const std::function<INT_PTR()>& run,
                         std::vector<std::function<void(HWND)>> steps);

// A step of RunScripted that waits for a condition: on each tick it looks at `ready` and, once it
// holds (or after `maxTicks` ticks, so a failing test still ends), runs `step`.
std::function<void(HWND)> WhenReady(std::function<bool(HWND)> ready, std::function<void(HWND)> step,
                                    int maxTicks = 60);

// Clicks control `id` of the skinned dialog `dialog` with the mouse (move, press and release at
// its centre), as a user would; nothing when the window is no skinned dialog or has no such control.
void ClickControl(HWND dialog, UINT id);

// The label of text control `id` of the skinned dialog `dialog` (a notice's message is 2013);
// "<none>" when there is no such text control.
std::wstring LabelOf(HWND dialog, UINT id);

// Starts GDI+ once for the whole test program.
void EnsureGdiplus();

// A recorded control event (or, for a dialog, a message it got): id or message, detail, event.
struct Notice {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  friend bool operator==(const Notice&, const Notice&) = default;
};

class SkinFolder;

// The toolkit context of a test: display scale 1, its own language table and open-dialog table,
// and the program folder of `skins` when one is given.
class TestUi {
 public:
  TestUi();
  explicit TestUi(const SkinFolder& skins);
  TestUi(const TestUi&) = delete;
  TestUi& operator=(const TestUi&) = delete;

  gm::LanguageTable texts;
  gm::DialogTable dialogs;
  gm::ui::UiContext context;
};

// A hidden top-level window hosting controls that are not in a dialog: it records every event
// they queue, at once (there is no mouse message of its own to wait for).
class RecorderWindow : public gm::win::CControlHost {
 public:
  explicit RecorderWindow(const SkinFolder& skins);
  ~RecorderWindow();
  RecorderWindow(const RecorderWindow&) = delete;
  RecorderWindow& operator=(const RecorderWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }
  HWND Window() const override { return hwnd_; }
  const gm::ui::UiContext& Context() const override { return ui.context; }
  void QueueEvent(const gm::win::ControlEventRecord& event) override;

  TestUi ui;
  std::vector<Notice> notices;
  std::vector<gm::win::ControlEventRecord> events;
  // Called for each recorded event as it arrives (to look at a control at that moment).
  std::function<void(const Notice&)> onNotice;

 private:
  HWND hwnd_ = nullptr;
};

// A temporary program folder with a "skins" folder (the program folder of a TestUi made with it).
class SkinFolder {
 public:
  SkinFolder();
  ~SkinFolder();
  // Writes an opaque picture of one colour (0x00BBGGRR) at `relative` (e.g. L"skins\\a.png").
  void Solid(const std::wstring& relative, int width, int height, COLORREF colour);
  // Writes a picture from 0xAARRGGBB pixels, row by row.
  void Pixels(const std::wstring& relative, int width, int height, const std::vector<uint32_t>& argb);
  const std::wstring& Root() const { return root_; }

 private:
  std::wstring root_;
};

// A 32-bit top-down DIB section selected into a memory DC, filled with `background`.
class Surface {
 public:
  Surface(int width, int height, COLORREF background = 0);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  HDC Dc() const { return dc_; }
  // Colour at (x, y) as 0x00BBGGRR.
  COLORREF Pixel(int x, int y) const;
  RECT Bounds() const { return {0, 0, width_, height_}; }
  // Writes the surface as an opaque PNG; false when it could not be written.
  bool SavePng(const std::wstring& path) const;
  // Draws bitmap resource `id` of the test program as the system decodes it, 1:1 at the top left
  // corner; false when it cannot be loaded.
  bool DrawBitmapResource(int id);
  // How many pixels differ from `other` (of the same size).
  int DifferingPixels(const Surface& other) const;

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace uitest
