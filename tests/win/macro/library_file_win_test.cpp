// The macro library file gives the same bytes where wchar_t is 16 bits: names outside the basic
// plane are written as surrogate pairs and read back whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "macro/library_file.h"

namespace {

TEST(MacroLibraryFileWin, NamesSurviveAsUtf16AndLineThreeCarriesTheSelection) {
  wchar_t tmp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, tmp);
  // A name of this run only: another test run on the machine may share the temporary folder.
  const std::wstring path = std::wstring(tmp) + L"gm-macro-library-test-" + std::to_wstring(GetCurrentProcessId()) + L".mlf";

  gm::MacroLibrary lib;
  gm::MacroItemLocation folder = gm::MacroItemLocation::None();
  ASSERT_EQ(lib.CreateFolder(L"\u00c4rger", folder), gm::kMacroNameOk);
  gm::MacroItemLocation macro = folder;
  ASSERT_EQ(lib.CreateMacro(L"Sprung \U0001F680", macro), gm::kMacroNameOk);
  ASSERT_TRUE(gm::WriteLibraryFile(path, lib, macro));

  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  in.close();
  const std::string rocket = "\x3D\xD8\x80\xDE";  // U+1F680 as the pair D83D DE80
  EXPECT_NE(bytes.find(rocket), std::string::npos);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE[\0", 4));

  gm::MacroLibrary back;
  gm::MacroItemLocation selected;
  ASSERT_TRUE(gm::ReadLibraryFile(path, back, &selected));
  EXPECT_EQ(selected, gm::MacroItemLocation::Level1(0, 0));
  EXPECT_TRUE(back == lib);
  EXPECT_EQ(back.ItemAt(macro)->Macro->Name, L"Sprung \U0001F680");
  DeleteFileW(path.c_str());
}

}  // namespace
