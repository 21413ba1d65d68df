// Every text the program writes, measured in the control that writes it, with that control's own
// font and text box, at display scales 1, 1.5 and 2, for the English and the Turkish texts as the
// language files ship: a text that does not fit (one that would end in an ellipsis, lose its lower
// lines or be cut at the top or bottom) fails the test, naming the window, the control, the text
// and the room it needs.
//
// Where each text goes comes from the windows' own tables: the main window's layout, the control
// table each dialog declares, the menus' tables. The controls whose text the code sets at run time
// are listed below (WrittenTexts) with the texts it may set there, built with the program's own
// functions where it has one. Every language text that no control claims is measured in the
// notice's message box, where any message may appear, so no text of the language files goes
// unmeasured except those named in kNotDrawnHere.
//
// Not measured:
//  - texts the program never draws itself: the language's own name (text 0, it only picks the
//    font), the tray menu's exit entry (a system menu sizes itself to its entries), the titles of
//    the system's file dialogs and its message boxes, window titles and the tray tooltip (read by
//    screen readers and the shell, not drawn by the program), a notice's heading (the notice
//    leaves its heading line empty);
//  - edit boxes: they scroll what is typed into them;
//  - names made of what the user chose: profile and macro names as typed, a program's file name,
//    key combinations and macro names on the key rows. They end in an ellipsis when longer than
//    their place (the profiles' default names are measured).
//
// The fonts are those the program gets under Wine: the interface font Tahoma is not installed
// there, and Wine gives its substitute from the fonts the project installs (fonts-dejavu-core); the
// faces used are printed. The measurement needs no screen and reads no pixels, so it gives the same
// result on every run.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/builtin_texts.h"
#include "app/main_layout.h"
#include "app/stage_display.h"
#include "assign/assignment_rules.h"
#include "assign/assign_popups.h"
#include "assign/fire_key_dlg.h"
#include "assign/function_menus.h"
#include "assign/key_tables.h"
#include "assign/popup_placement.h"
#include "assign/quick_launch_dlg.h"
#include "assign/shortcut_dlg.h"
#include "device/firmware_update.h"
#include "dialogs/attention_dlg.h"
#include "dialogs/check_fw_dlg.h"
#include "dialogs/colour_palette_dlg.h"
#include "dialogs/confirm_dlg.h"
#include "dialogs/dpi_value_dlg.h"
#include "dialogs/paring_dlg.h"
#include "dialogs/profile_name_dlg.h"
#include "dialogs/progress_bar_dlg.h"
#include "macro/dialogs/action_dlgs.h"
#include "macro/dialogs/macro_select_dlg.h"
#include "macro/dialogs/name_dlgs.h"
#include "macro/macro_library.h"
#include "macro/macro_manager_dlg.h"
#include "macro/manager_popups.h"
#include "settings/language_indexes.h"
#include "settings/sensor_table.h"
#include "ui/control_factory.h"
#include "ui/list_popup.h"
#include "ui/macro_lists.h"
#include "ui/static_controls.h"
#include "ui/combo_button.h"
#include "ui/ui_test_support.h"
#include "update/http_source.h"
#include "update/win32/download_dlg.h"
#include "win_test_support.h"

namespace {

using gm::LanguageTable;
using gm::win::TextPlacement;

// The shipped language files, carried by the test program (tests/win/ui/ui_test_resources.rc).
constexpr int kEnglishResource = 9401;
constexpr int kTurkishResource = 9402;
constexpr double kScales[] = {1.0, 1.5, 2.0};

// Texts the program never draws in a window of its own (see the top of the file).
const std::set<int> kNotDrawnHere = {
    gm::kTextLanguageName,
    gm::kTextExit,
    gm::kTextImportProfileTitle,
    gm::kTextExportProfileTitle,
    gm::kTextExportMacroTitle,
    gm::kTextImportMacroTitle,
    gm::kTextExportSetTitle,
    gm::kTextImportSetTitle,
    gm::kTextAppImageError,          // a system message box: the firmware dialog cannot show its own notice yet
    gm::kTextInstallerNotVerified,   // only ever a notice's heading, which the notice leaves empty
};

// One text a control may show, and the language texts it is made of (none for a fixed text).
struct Shown {
  std::wstring text;
  std::vector<int> from;
};

std::vector<Shown> Texts(const LanguageTable& t, std::initializer_list<int> indexes) {
  std::vector<Shown> out;
  for (int i : indexes) out.push_back({t[static_cast<size_t>(i)], {i}});
  return out;
}

void Append(std::vector<Shown>& to, std::vector<Shown> more) {
  to.insert(to.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
}

// Every DPI value a stage, the DPI dialogs and the display may show: the lists of all sensors.
const std::vector<int>& AllDpiValues() {
  static const std::vector<int> all = [] {
  std::set<int> values;
  for (unsigned id = 0; id <= 0xFFFF; ++id) {
    if (!gm::IsKnownSensor(static_cast<std::uint16_t>(id))) continue;
    auto tables = std::make_unique<gm::SensorTables>();
    tables->id = static_cast<std::uint16_t>(id);
    gm::BuildSensorDpiTables(*tables);
    for (std::uint32_t i = 0; i < tables->count; ++i) values.insert(gm::DpiOfPosition(*tables, static_cast<int>(i)));
  }
  return std::vector<int>(values.begin(), values.end());
  }();
  return all;
}

std::vector<Shown> Numbers(const std::vector<int>& values, const std::wstring& prefix = {}) {
  std::vector<Shown> out;
  for (int v : values) out.push_back({prefix + std::to_wstring(v), {}});
  return out;
}

// The names of the keys the key dialogs and the action list show.
std::vector<Shown> KeyNames() {
  std::vector<Shown> out;
  for (std::wstring_view name : gm::VirtualKeyNames())
    if (!name.empty()) out.push_back({std::wstring(name), {}});
  return out;
}

// The name a key row shows after a menu choice: every final entry of the function menus.
std::vector<Shown> AssignmentNames(const LanguageTable& t) {
  std::vector<Shown> out;
  for (gm::FunctionMenuId id : {gm::FunctionMenuId::kMain, gm::FunctionMenuId::kDpi, gm::FunctionMenuId::kMultimedia,
                                gm::FunctionMenuId::kOffice, gm::FunctionMenuId::kWindows, gm::FunctionMenuId::kDpiLock}) {
    const gm::FunctionMenu& menu = gm::FunctionMenuOf(id);
    for (int entry = 1; entry <= static_cast<int>(menu.entries.size()); ++entry) {
      const auto record = gm::MenuSelection(menu, entry, t);
      if (!record) continue;
      const gm::MenuEntry& e = menu.entries[static_cast<size_t>(entry - 1)];
      std::vector<int> from;
      if (e.text >= 0) from.push_back(e.text);
      if (menu.namePrefixed) from.push_back(gm::kTextDpiLock);
      out.push_back({record->name, from});
    }
  }
  return out;
}

// The texts an action of a macro shows in the action list: delays, moves, wheel steps, keys.
std::vector<Shown> ActionTexts() {
  std::vector<Shown> out;
  for (std::uint16_t ms : {1, 50, 999, 9999, 65535}) {
    out.push_back({gm::ActionText(gm::MacroAction::FromBytes(0x03, 0, static_cast<std::uint8_t>(ms >> 8),
                                                             static_cast<std::uint8_t>(ms & 0xFF))),
                   {}});
  }
  // Moves of up to 127 either way; wheel steps of up to 7 (what the amount dialog allows).
  for (std::uint8_t amount : {1, 127, 129, 255}) {
    for (std::uint8_t code : {gm::MacroAction::kMoveX, gm::MacroAction::kMoveY})
      out.push_back({gm::ActionText(gm::MacroAction::FromBytes(code, 0, 0, amount)), {}});
  }
  for (std::uint8_t amount : {1, 7, 249, 255})
    out.push_back({gm::ActionText(gm::MacroAction::FromBytes(gm::MacroAction::kWheel, 0, 0, amount)), {}});
  Append(out, KeyNames());
  return out;
}

// What the code writes at run time into the controls of the windows, by window and control id.
using Written = std::map<int, std::vector<Shown>>;

struct Window {
  std::string name;
  std::vector<gm::ui::ControlSpec> controls;
  Written written;
};

template <typename Dialog>
std::vector<gm::ui::ControlSpec> ControlsOf(const Dialog& dialog) {
  const auto specs = dialog.DeclaredControls();
  return {specs.begin(), specs.end()};
}

// A download source that is never asked for anything.
class NoSource : public gm::HttpSource {
 public:
  gm::HttpOpenResult Open(std::wstring_view) override { return {}; }
};

// Subdialogs of a macro manager that is only measured.
class NoSubdialogs : public gm::ManagerSubdialogs {
 public:
  bool AskName(int, std::wstring&) override { return false; }
  bool AskRename(const std::wstring&, std::wstring&) override { return false; }
  bool EditKey(gm::MacroAction&) override { return false; }
  bool EditDelay(gm::MacroAction&) override { return false; }
  bool EditAmount(int, gm::MacroAction&) override { return false; }
};

// The program's windows: their control tables and what their code writes into them.
std::vector<Window> ProgramWindows(const gm::ui::UiContext& ui, const LanguageTable& t) {
  using namespace gm::win;
  std::vector<Window> windows;
  const std::vector<Shown> dpis = Numbers(AllDpiValues());

  {
    Window main{"main window", {}, {}};
    for (const gm::MainControlSpec& spec : gm::MainWindowControls()) main.controls.push_back(spec);
    std::vector<Shown> names = AssignmentNames(t);
    Append(names, Texts(t, {gm::kTextRapidFire}));  // the name of a rapid-fire assignment
    names.push_back({L"Disable", {}});             // a disabled row's fixed caption
    for (int row = gm::kControlKeyComboFirst; row <= gm::kControlKeyComboLast; ++row) main.written[row] = names;
    std::vector<Shown> power;
    for (int step = 1; step <= 8; ++step) {
      power.push_back({t[gm::kTextPowerLabelBefore] + std::to_wstring(step) + t[gm::kTextPowerLabelAfter],
                       {gm::kTextPowerLabelBefore, gm::kTextPowerLabelAfter}});
    }
    main.written[gm::kControlPowerLabel] = power;
    for (int i = 0; i < gm::kShownDpiStages; ++i) main.written[gm::kControlStageButtonFirst + i] = dpis;
    windows.push_back(std::move(main));
  }
  {
    CAttentionDlg dlg(ui, {}, {}, nullptr);
    // The notice leaves its heading line empty, whatever heading it is given.
    Window w{"notice", ControlsOf(dlg), {}};
    w.written[CAttentionDlg::kMessage] = {{std::wstring(gm::kMacroLimitText), {}}};  // the rest: see NoticePool
    windows.push_back(std::move(w));
  }
  {
    CConfirmDlg dlg(ui, nullptr, {});
    Window w{"question", ControlsOf(dlg), {}};
    w.written[CConfirmDlg::kQuestion] =
        Texts(t, {gm::kTextFactoryResetQuestion, gm::kTextConfirmDelete, gm::kTextFirmwareStopQuestion});
    windows.push_back(std::move(w));
  }
  {
    CProgressBarDlg dlg(ui, {}, {}, nullptr);
    Window w{"progress", ControlsOf(dlg), {}};
    w.written[CProgressBarDlg::kText] = Texts(t, {gm::kTextApplying});
    windows.push_back(std::move(w));
  }
  {
    std::wstring name;
    CAddProfileDlg dlg(ui, nullptr, name);
    Window w{"profile name", ControlsOf(dlg), {}};
    w.written[CProfileNameDlg::kTitle] = Texts(t, {gm::kTextAddProfileTitle, gm::kTextRenameProfileTitle});
    windows.push_back(std::move(w));
  }
  {
    gm::SensorTables tables;
    int position = 0, x = 0, y = 0;
    CDPIValueSettingDlg single(ui, nullptr, tables, position);
    Window w{"DPI value", ControlsOf(single), {}};
    w.written[CDPIValueSettingDlg::kTitle] = Texts(t, {gm::kTextDpiValueTitle});
    for (UINT id : {CDPIValueSettingDlg::kMinimum, CDPIValueSettingDlg::kCurrent, CDPIValueSettingDlg::kMaximum})
      w.written[id] = dpis;
    windows.push_back(std::move(w));
    CDPIValueSyncSettingDlg sync(ui, nullptr, tables, x, y);
    using Y = CDPIValueSyncSettingDlg;
    Window s{"DPI value X/Y", ControlsOf(sync), {}};
    s.written[Y::kTitle] = Texts(t, {gm::kTextDpiValueTitle});
    s.written[Y::kMinimumX] = Numbers(AllDpiValues(), L"X:");
    s.written[Y::kMinimumY] = Numbers(AllDpiValues(), L"Y:");
    for (UINT id : {Y::kCurrentX, Y::kCurrentY, Y::kMaximumX, Y::kMaximumY}) s.written[id] = dpis;
    windows.push_back(std::move(s));
  }
  {
    gm::Colour colour = 0;
    CColorPaletteDlg dlg(ui, nullptr, colour);
    Window w{"colour palette", ControlsOf(dlg), {}};
    std::vector<int> levels;
    for (int v = 0; v <= 255; ++v) levels.push_back(v);
    for (UINT id : {CColorPaletteDlg::kRed, CColorPaletteDlg::kGreen, CColorPaletteDlg::kBlue})
      w.written[id] = Numbers(levels);
    windows.push_back(std::move(w));
  }
  {
    CParingDlg dlg(ui, nullptr, [] { return false; });
    Window w{"pairing", ControlsOf(dlg), {}};
    w.written[CParingDlg::kStatus] = Texts(t, {gm::kTextPairing1, gm::kTextPairing2, gm::kTextPairing3,
                                                gm::kTextPairingFailed, gm::kTextPairingDone, gm::kTextPairingBusy});
    windows.push_back(std::move(w));
  }
  {
    Window w{"firmware update", {CCheckFWDlg::Controls().begin(), CCheckFWDlg::Controls().end()}, {}};
    std::vector<Shown> status;
    for (int i = gm::kTextFirmwareNeedsCable; i <= gm::kTextFirmwareUpdateFailed; ++i) Append(status, Texts(t, {i}));
    Append(status, Texts(t, {gm::kTextFirmwareBusy, gm::kTextFirmwareStopping}));
    for (int i : {gm::kTextSystemUpdating, gm::kTextSystemVerifying})
      status.push_back({gm::FormatStep(t[i], gm::kSystemStepCount, gm::kSystemStepCount), {i}});
    for (int i : {gm::kTextFirmwareStarting, gm::kTextFirmwareRestarting, gm::kTextFirmwareWaiting})
      status.push_back({gm::FormatCountdown(t[i], 20), {i}});
    w.written[CCheckFWDlg::kStatus] = status;
    w.written[CCheckFWDlg::kFileChecksum] = {{gm::FormatFileChecksum(0xFFFFFFFF), {}}};
    w.written[CCheckFWDlg::kDeviceChecksum] = {{gm::FormatDeviceChecksum(0xFFFFFFFF), {}}};
    w.written[CCheckFWDlg::kPercent] = {{gm::FormatPercent(100.0), {}}, {gm::FormatPercent(88.8), {}}};
    windows.push_back(std::move(w));
  }
  {
    CFireKeyDlg dlg(ui, nullptr);
    windows.push_back({"rapid fire", ControlsOf(dlg), {}});
  }
  {
    CShortcutDlg dlg(ui, nullptr, L"KeyboardHook.dll");
    Window w{"key combination", ControlsOf(dlg), {}};
    w.written[CShortcutDlg::kKeyName] = KeyNames();
    windows.push_back(std::move(w));
  }
  {
    CQuickLaunchDlg dlg(ui, nullptr);
    windows.push_back({"program launch", ControlsOf(dlg), {}});
  }
  {
    gm::MacroAction action = gm::MacroAction::FromBytes(0x41, 0, 0, 0);
    CActionKeyModifyDlg key(ui, nullptr, action);
    Window w{"macro key", ControlsOf(key), {}};
    w.written[CActionKeyModifyDlg::kTitle] = Texts(t, {gm::kTextKeyTitle});
    w.written[CActionKeyModifyDlg::kField] = KeyNames();
    windows.push_back(std::move(w));
    std::wstring name;
    CMacroKeyOrFolderNameDlg field(ui, nullptr, 0, name);
    Window f{"macro name and amounts", ControlsOf(field), {}};
    f.written[CMacroKeyOrFolderNameDlg::kTitle] =
        Texts(t, {gm::kTextDelayTitle, gm::kTextAmountMoveLeft, gm::kTextAmountMoveRight, gm::kTextAmountMoveUp,
                  gm::kTextAmountMoveDown, gm::kTextAmountWheelUp, gm::kTextAmountWheelDown, gm::kTextRenameTitle,
                  gm::kTextNewMacroTitle, gm::kTextNewFolderTitle});
    windows.push_back(std::move(f));
  }
  {
    gm::MacroLibrary library;
    gm::MacroItemLocation selected;
    CMacroSelectDlg dlg(ui, nullptr, library, selected);
    windows.push_back({"macro selection", ControlsOf(dlg), {}});
  }
  {
    gm::MacroLibrary library;
    gm::MacroItemLocation selected;
    const gm::ProfileRecord profile;
    CMacroManagerDlg dlg(ui, nullptr, gm::win::MacroManagerModel{library, selected, profile, L""},
                         std::make_unique<NoSubdialogs>());
    Window w{"macro manager", ControlsOf(dlg), {}};
    w.written[CMacroManagerDlg::kInsertAction] = Texts(t, {gm::kTextLeftClick});
    windows.push_back(std::move(w));
  }
  {
    NoSource source;
    CDownloadDlg dlg(ui, {}, {}, {}, {}, source, nullptr);
    Window w{"download", ControlsOf(dlg), {}};
    w.written[CDownloadDlg::kTitle] = Texts(t, {gm::kTextAttention});
    w.written[CDownloadDlg::kMessage] = Texts(t, {gm::kTextUpdateAvailable, gm::kTextDownloading1,
                                                  gm::kTextDownloading2, gm::kTextDownloading3});
    windows.push_back(std::move(w));
  }
  return windows;
}

// A host for controls that are made only to be measured.
class MeasureHost : public gm::win::CControlHost {
 public:
  explicit MeasureHost(const gm::ui::UiContext& context) : context_(context) {}
  HWND Window() const override { return nullptr; }
  const gm::ui::UiContext& Context() const override { return context_; }
  void QueueEvent(const gm::win::ControlEventRecord&) override {}

 private:
  const gm::ui::UiContext& context_;
};

// The caption a control was made with (a static text's label, another control's text).
std::wstring OwnCaption(const gm::win::CControlBase& c) {
  if (const auto* text = dynamic_cast<const gm::win::CStaticText*>(&c)) return text->Label();
  if (const auto* combo = dynamic_cast<const gm::win::CComboButton*>(&c)) return combo->Caption();
  return c.GetText();
}

// Measures texts in their places for one language at one scale and collects what does not fit.
class Measurer {
 public:
  Measurer(std::string language, const LanguageTable& texts, double scale) : texts_(texts), scale_(scale) {
    label_ = language + " x" + Scale();
    ui_.programFolder = gmtest::BinFolder();
    ui_.displayScale = scale;
    ui_.font = gm::UiFontFor(texts, static_cast<float>(scale));
    ui_.texts = &texts_;
    ui_.openDialogs = &dialogs_;
    dc_ = CreateCompatibleDC(nullptr);
  }
  ~Measurer() { DeleteDC(dc_); }
  Measurer(const Measurer&) = delete;
  Measurer& operator=(const Measurer&) = delete;

  const gm::ui::UiContext& Ui() const { return ui_; }
  // What did not fit, by place: how many texts and the first few of them.
  const std::map<std::string, std::vector<std::string>>& Misfits() const { return misfits_; }
  const std::set<std::wstring>& Faces() const { return faces_; }
  std::set<int>& Claimed() { return claimed_; }

  // Whether `text` written with `font` at `at` shows whole, noted with `where` when it does not.
  void Measure(const std::string& where, HFONT font, const TextPlacement& at, const Shown& shown) {
    for (int i : shown.from) claimed_.insert(i);
    if (shown.text.empty()) return;
    const int width = at.box.right - at.box.left;
    const int height = at.box.bottom - at.box.top;
    // Measured as written, without what only changes where it goes or how a cut text ends.
    const UINT flags = (at.flags & ~static_cast<UINT>(DT_WORD_ELLIPSIS | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS |
                                                       DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) |
                       DT_CALCRECT;
    LOGFONTW logical{};
    GetObjectW(font, sizeof(logical), &logical);
    // Controls alike (the six stage values, the key rows) ask for the same measurement: once is enough.
    const Key key{logical.lfFaceName, logical.lfHeight, flags, (flags & DT_WORDBREAK) ? width : 0, shown.text};
    auto known = sizes_.find(key);
    if (known == sizes_.end()) {
      const HGDIOBJ old = SelectObject(dc_, font);
      wchar_t face[LF_FACESIZE] = {};
      GetTextFaceW(dc_, LF_FACESIZE, face);
      faces_.insert(face);
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc_, &metrics);
      RECT need{0, 0, width, 0};
      DrawTextW(dc_, shown.text.c_str(), static_cast<int>(shown.text.size()), &need, flags);
      SelectObject(dc_, old);
      const SIZE size{need.right - need.left, (flags & DT_SINGLELINE) ? metrics.tmHeight : need.bottom - need.top};
      known = sizes_.emplace(key, size).first;
    }
    const int needWidth = known->second.cx;
    const int needHeight = known->second.cy;
    if (needWidth <= width && needHeight <= height) return;
    std::ostringstream out;
    out << "\"" << Narrow(shown.text) << "\" needs " << needWidth << " x " << needHeight << " px, has " << width
        << " x " << height;
    misfits_[label_ + " " + where].push_back(out.str());
  }

  // Every text of `window`: its controls' own captions and what its code writes into them.
  void MeasureWindow(const Window& window) {
    MeasureHost host(ui_);
    for (const gm::ui::ControlSpec& spec : window.controls) {
      if (spec.kind == gm::ui::ControlClass::kEditBox) continue;  // what is typed scrolls
      auto control = gm::win::MakeControl(host, spec, gm::win::ScaledRect(spec.rect, scale_));
      if (!control) continue;
      const auto at = control->CaptionPlacement();
      const auto written = window.written.find(spec.id);
      if (!at) {
        EXPECT_EQ(written, window.written.end()) << window.name << " control " << spec.id << " writes no text";
        continue;
      }
      const std::string where = window.name + ", control " + std::to_string(spec.id);
      std::vector<int> from;
      if (spec.textIndex >= 0) from.push_back(spec.textIndex);
      Measure(where, control->Font(), *at, {OwnCaption(*control), from});
      if (written == window.written.end()) continue;
      for (const Shown& shown : written->second) Measure(where, control->Font(), *at, shown);
    }
  }

  // The rows of a menu (created on `owner`, `rows` entries high) with the texts they show.
  void MeasureMenu(const std::string& name, std::unique_ptr<gm::win::CListPopup> popup, HWND owner,
                   const std::vector<std::vector<int>>& from) {
    const gm::ui::IntPoint size = gm::MenuSize(static_cast<int>(from.size()), scale_);
    ASSERT_TRUE(popup->Create(owner, {0, 0, size.x, size.y}, WM_APP, 0)) << name;
    ASSERT_EQ(popup->RowCount(), static_cast<int>(from.size())) << name;
    for (int entry = 1; entry <= popup->RowCount(); ++entry) {
      Measure(name + ", entry " + std::to_string(entry), popup->RowFont(), popup->RowTextPlacement(entry),
              {popup->Row(entry).text, from[static_cast<size_t>(entry - 1)]});
    }
  }

 private:
  std::string Scale() const {
    std::ostringstream s;
    s << scale_;
    return s.str();
  }
  static std::string Narrow(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
  }

  const LanguageTable& texts_;
  double scale_;
  std::string label_;
  gm::DialogTable dialogs_;
  gm::ui::UiContext ui_;
  HDC dc_ = nullptr;
  std::map<std::string, std::vector<std::string>> misfits_;
  std::set<std::wstring> faces_;
  // Sizes measured so far: by font (face and height), flags, the width a wrapped text has, text.
  using Key = std::tuple<std::wstring, LONG, UINT, int, std::wstring>;
  std::map<Key, SIZE> sizes_;
  std::set<int> claimed_;
};

// A hidden window that owns the menus while they are measured.
class OwnerWindow {
 public:
  OwnerWindow() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~OwnerWindow() { DestroyWindow(hwnd_); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

std::vector<std::vector<int>> EntriesOf(const gm::FunctionMenu& menu) {
  std::vector<std::vector<int>> from;
  for (const gm::MenuEntry& e : menu.entries) from.push_back(e.text >= 0 ? std::vector<int>{e.text} : std::vector<int>{});
  return from;
}

// Every menu and list of the program: the function menus, the profile list with its default
// names (each drawn as the marked current entry, which leaves the least room), the macro
// manager's three menus and the action list's rows.
void MeasureMenus(Measurer& m, const LanguageTable& t) {
  using namespace gm::win;
  OwnerWindow owner;
  for (gm::FunctionMenuId id : {gm::FunctionMenuId::kMain, gm::FunctionMenuId::kDpi, gm::FunctionMenuId::kMultimedia,
                                gm::FunctionMenuId::kOffice, gm::FunctionMenuId::kWindows, gm::FunctionMenuId::kDpiLock,
                                gm::FunctionMenuId::kProfileContext}) {
    m.MeasureMenu("function menu " + std::to_string(static_cast<int>(id)),
                  std::make_unique<CFunctionMenuPopup>(m.Ui(), id), owner.Get(), EntriesOf(gm::FunctionMenuOf(id)));
  }
  {
    auto list = std::make_unique<CComboProfilePopup>(m.Ui(), AssignmentMenuPictures());
    for (int i = 0; i < gm::kProfileCount; ++i) list->SetProfileName(i, gm::DefaultProfileName(i, t));
    CComboProfilePopup* raw = list.get();
    std::vector<std::vector<int>> from{{gm::kProfileListCaptionText}};
    for (int i = 0; i < gm::kProfileCount; ++i) from.push_back({gm::kTextDefaultProfile1 + i});
    from.push_back({gm::kProfileListAddText});
    // The current profile's entry carries a mark before its name: every entry is measured so.
    for (int entry = 2; entry <= 6; ++entry) raw->SetCurrentEntry(entry);
    m.MeasureMenu("profile list", std::move(list), owner.Get(), from);
  }
  {
    std::vector<std::vector<int>> insert;
    for (int i : {gm::kTextLeftClick, gm::kTextRightClick, gm::kTextMiddleClick, gm::kTextInsertDelay,
                  gm::kTextInsertKeyStroke, gm::kTextInsertMoveLeft, gm::kTextInsertMoveRight, gm::kTextInsertMoveUp,
                  gm::kTextInsertMoveDown})
      insert.push_back({i});
    m.MeasureMenu("insert-action menu", std::make_unique<CComboActionInsertPopup>(m.Ui()), owner.Get(), insert);
    std::vector<std::vector<int>> tree;
    for (int i = 0; i < 8; ++i) tree.push_back({gm::kTextMenuNewMacro + i});
    m.MeasureMenu("macro tree menu", std::make_unique<CMacroListPopup>(m.Ui(), std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}),
                  owner.Get(), tree);
    m.MeasureMenu("action-move menu", std::make_unique<CActionListPopup>(m.Ui()), owner.Get(),
                  {{gm::kTextMoveToTop}, {gm::kTextMoveActionUp}, {gm::kTextMoveActionDown}, {gm::kTextMoveToBottom}});
  }
}

// The action list of a macro manager window made for the purpose: its rows' text box and font.
void MeasureActionList(Measurer& m) {
  using namespace gm::win;
  gm::MacroLibrary library;
  gm::MacroItemLocation selected;
  const gm::ProfileRecord profile;
  CMacroManagerDlg dlg(m.Ui(), nullptr, MacroManagerModel{library, selected, profile, L""},
                       std::make_unique<NoSubdialogs>());
  HWND hwnd = dlg.CreateModelessDialog();
  ASSERT_TRUE(hwnd);
  const CControlBase* list = dlg.GetControl(CMacroManagerDlg::kActions);
  ASSERT_TRUE(list);
  const auto at = list->CaptionPlacement();
  ASSERT_TRUE(at);
  for (const Shown& shown : ActionTexts()) m.Measure("macro manager, action list", list->Font(), *at, shown);
  dlg.ReleaseControlImages();
  DestroyWindow(hwnd);
}

class TextFit : public ::testing::Test {
 protected:
  void SetUp() override {
    uitest::EnsureGdiplus();
    english_ = gm::win::LanguageTextsResource(GetModuleHandleW(nullptr), kEnglishResource);
    turkish_ = gm::win::LanguageTextsResource(GetModuleHandleW(nullptr), kTurkishResource);
    ASSERT_FALSE(english_[gm::kTextOk].empty());
    ASSERT_FALSE(turkish_[gm::kTextOk].empty());
  }
  LanguageTable english_;
  LanguageTable turkish_;
};

TEST_F(TextFit, EveryTextFitsTheControlItIsDrawnIn) {
  std::map<std::string, std::vector<std::string>> misfits;
  std::set<std::wstring> faces;
  for (const auto& [name, texts] : {std::pair<std::string, const LanguageTable*>{"English", &english_},
                                    std::pair<std::string, const LanguageTable*>{"Turkish", &turkish_}}) {
    for (double scale : kScales) {
      Measurer m(name, *texts, scale);
      const std::vector<Window> windows = ProgramWindows(m.Ui(), *texts);
      for (const Window& w : windows) m.MeasureWindow(w);
      MeasureMenus(m, *texts);
      MeasureActionList(m);

      // Every text no control claimed may be a message: it is measured in the notice's box.
      const auto notice = std::find_if(windows.begin(), windows.end(), [](const Window& w) { return w.name == "notice"; });
      ASSERT_NE(notice, windows.end());
      Window pool{"notice (message)", {}, {}};
      for (const gm::ui::ControlSpec& spec : notice->controls)
        if (spec.id == gm::win::CAttentionDlg::kMessage) pool.controls.push_back(spec);
      std::vector<Shown>& messages = pool.written[gm::win::CAttentionDlg::kMessage];
      const std::set<int> claimed = m.Claimed();
      for (int i = 0; i < static_cast<int>(gm::kLanguageTextCount); ++i) {
        if ((*texts)[static_cast<size_t>(i)].empty() || claimed.count(i) || kNotDrawnHere.count(i)) continue;
        messages.push_back({(*texts)[static_cast<size_t>(i)], {i}});
      }
      m.MeasureWindow(pool);

      misfits.insert(m.Misfits().begin(), m.Misfits().end());
      faces.insert(m.Faces().begin(), m.Faces().end());
    }
  }
  std::ostringstream faceList;
  for (const std::wstring& face : faces) faceList << " \"" << std::string(face.begin(), face.end()) << "\"";
  std::cout << "faces measured with:" << faceList.str() << "\n";
  std::ostringstream report;
  for (const auto& [where, texts] : misfits) {
    report << where << ": " << texts.size() << (texts.size() == 1 ? " text" : " texts") << " do not fit\n";
    for (size_t i = 0; i < texts.size() && i < 3; ++i) report << "    " << texts[i] << "\n";
  }
  EXPECT_TRUE(misfits.empty()) << "texts that do not fit, in " << misfits.size() << " places:\n" << report.str();
}

}  // namespace
