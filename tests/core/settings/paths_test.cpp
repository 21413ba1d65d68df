#include "settings/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "settings/utf.h"

namespace fs = std::filesystem;

TEST(Paths, FolderOfExecutableKeepsTheLastBackslash) {
  const struct {
    const wchar_t* exe;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\Program Files\\Mouse\\GamingMouse.exe", L"C:\\Program Files\\Mouse\\"},
      {L"C:\\GamingMouse.exe", L"C:\\"},
      {L"GamingMouse.exe", L""},
      {L"", L""},
      {L"\\\\server\\share\\a.exe", L"\\\\server\\share\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(gm::FolderOfExecutable(c.exe), c.folder) << gm::ToUtf8(c.exe);
}

TEST(Paths, NativePathTurnsBackslashesIntoThisPlatformsSeparator) {
  EXPECT_EQ(gm::NativePath(L"a\\b\\c.txt").generic_string(), "a/b/c.txt");
  EXPECT_EQ(gm::NativePath(L"/tmp/x\\config\\\u00e9.ini").generic_string(), "/tmp/x/config/\xc3\xa9.ini");
}

class DataFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/gm-paths-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root_ = tmpl;
  }
  void TearDown() override { fs::remove_all(root_); }
  std::wstring Root() const { return gm::FromUtf8(root_.string()); }
  fs::path root_;
};

TEST_F(DataFolder, FirstRunCreatesTheFolderAndItsConfigSubfolder) {
  const std::wstring data = gm::EstablishDataFolder(Root());
  EXPECT_EQ(data, Root() + L"\\GamingMouseData20260526C\\");
  EXPECT_TRUE(fs::is_directory(root_ / "GamingMouseData20260526C" / "config"));
  EXPECT_TRUE(gm::IsDirectory(data + L"config"));
}

TEST_F(DataFolder, LaterRunsKeepWhatIsThere) {
  fs::create_directories(root_ / "GamingMouseData20260526C" / "config");
  {
    std::FILE* f = std::fopen((root_ / "GamingMouseData20260526C" / "config" / "keep.txt").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("x", f);
    std::fclose(f);
  }
  gm::EstablishDataFolder(Root());
  EXPECT_TRUE(fs::exists(root_ / "GamingMouseData20260526C" / "config" / "keep.txt"));
}

TEST_F(DataFolder, FailureToCreateIsIgnoredAndThePathStillReturned) {
  const std::wstring missing = Root() + L"\\absent\\deeper";
  EXPECT_EQ(gm::EstablishDataFolder(missing), missing + L"\\GamingMouseData20260526C\\");
  EXPECT_FALSE(fs::exists(root_ / "absent"));
  // A file standing where the folder should be is not replaced.
  { std::FILE* f = std::fopen((root_ / "GamingMouseData20260526C").c_str(), "w"); std::fclose(f); }
  gm::EstablishDataFolder(Root());
  EXPECT_TRUE(fs::is_regular_file(root_ / "GamingMouseData20260526C"));
}
