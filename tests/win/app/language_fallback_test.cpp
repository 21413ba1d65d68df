// The demo started on a data folder without its language files (deleted by the user, a damaged
// install): the English texts the program carries name its buttons, section headers and profiles,
// exactly as the shipped English file does, and the profile files it writes carry the English
// names.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "app/main_layout.h"
#include "app/main_window_support.h"
#include "assign/function_menus.h"
#include "settings/profile_record.h"

using namespace std::chrono_literals;

namespace {

// The shipped English file, carried by the test program (tests/win/ui/ui_test_resources.rc).
constexpr int kEnglishResource = 9401;

std::string ResourceBytes(int id) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  return data ? std::string(data, SizeofResource(module, found)) : std::string();
}

// The controls whose captions are language texts: the six key rows, the buttons, the caption bars
// of the left column and the open section headers.
const int kCaptioned[] = {gm::kControlKeyComboFirst,     gm::kControlKeyComboFirst + 1, gm::kControlKeyComboFirst + 2,
                          gm::kControlKeyComboFirst + 3, gm::kControlKeyComboFirst + 4, gm::kControlKeyComboLast,
                          gm::kControlMacroManager,      gm::kControlProfileButton,     gm::kControlFactoryReset,
                          gm::kControlKeysCaption,       gm::kControlBatteryCaption,    gm::kControlPowerCaption,
                          gm::kControlDpiHeader};

class WithoutLanguageFiles : public apptest::DemoMainWindow {
 protected:
  // Nothing is put into the emptied data folder; the pointer rests off the window, so that no
  // control shows its hover look.
  void PrepareDataFolder(const std::wstring&) override { SetCursorPos(0, 0); }

  // The captions as the screen shows them, and the profile list's entries.
  std::map<int, std::vector<COLORREF>> Captions() const {
    std::map<int, std::vector<COLORREF>> shown;
    for (int id : kCaptioned) shown[id] = SteadyPixels(gm::FindMainControl(id)->rect);
    return shown;
  }
  std::vector<COLORREF> ProfileList() {
    ClickAt(gm::FindMainControl(gm::kControlProfileButton)->rect);
    HWND list = WaitForPopup(gm::kProfileListEntries);
    EXPECT_TRUE(list) << "the profile list did not open";
    if (!list) return {};
    SetCursorPos(0, 0);  // no entry hovered
    PostMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
    return SteadyPixelsOf(list, {0, 0, 162, 22 * gm::kProfileListEntries});
  }
  // The shipped English file and the setting that selects it, in the emptied data folder.
  void PutEnglishFiles() {
    std::error_code ec;
    std::filesystem::remove_all(DataFolder(), ec);
    std::filesystem::create_directories(DataFolder() + L"config");
    std::ofstream(std::filesystem::path(DataFolder() + L"config\\Lan_En.txt"), std::ios::binary) << ResourceBytes(kEnglishResource);
    std::ofstream setting(std::filesystem::path(DataFolder() + L"config\\LanSetting.ini"), std::ios::binary);
    const std::wstring text = L"\uFEFF[ChangeLanguage]\nLanguage=EN\n";
    for (wchar_t c : text) setting.put(static_cast<char>(c & 0xFF)).put(static_cast<char>(c >> 8));
  }
};

TEST_F(WithoutLanguageFiles, TheCarriedEnglishTextsNameTheButtonsAndProfiles) {
  // The profiles written at this first start carry English names.
  const gm::ProfileRecord saved = SavedProfile();
  EXPECT_EQ(gm::ProfileName(saved), L"Profile 1");
  EXPECT_EQ(saved.KeyAssignments[0].KeyName, L"Left Click");
  EXPECT_EQ(saved.KeyAssignments[5].KeyName, L"DPI Cycle");
  const auto withoutFiles = Captions();
  const auto listWithoutFiles = ProfileList();
  ASSERT_TRUE(CloseAndWait());

  // The same first start with the shipped English file shows the same captions and list.
  ASSERT_FALSE(ResourceBytes(kEnglishResource).empty());
  PutEnglishFiles();
  SetCursorPos(0, 0);
  StartAndWaitPainted();
  const auto withFiles = Captions();
  for (int id : kCaptioned) EXPECT_TRUE(withoutFiles.at(id) == withFiles.at(id)) << "control " << id << " differs";
  EXPECT_TRUE(listWithoutFiles == ProfileList()) << "the profile list differs";
}

}  // namespace
