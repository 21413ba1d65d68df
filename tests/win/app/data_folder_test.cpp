// The data folder is built and created below whatever application-data folder it is given.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "settings/paths.h"

namespace fs = std::filesystem;

class DataFolderWin : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tmp);
    root_ = std::wstring(tmp) + L"gm-data-folder-test";
    std::error_code ec;
    fs::remove_all(root_, ec);
    fs::create_directory(root_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::wstring root_;
};

TEST_F(DataFolderWin, CreatesFolderAndConfigSubfolderWithTrailingBackslash) {
  const std::wstring data = gm::EstablishDataFolder(root_);
  EXPECT_EQ(data, root_ + L"\\GamingMouseData20260526C\\");
  EXPECT_TRUE(fs::is_directory(data + L"config"));
  // A second start finds both and changes nothing.
  EXPECT_EQ(gm::EstablishDataFolder(root_), data);
  EXPECT_TRUE(fs::is_directory(data + L"config"));
}

TEST_F(DataFolderWin, UncreatableRootStillYieldsThePathWithoutCreatingAnything) {
  const std::wstring missing = root_ + L"\\no\\such\\parent";
  EXPECT_EQ(gm::EstablishDataFolder(missing), missing + L"\\GamingMouseData20260526C\\");
  EXPECT_FALSE(fs::exists(missing));
}
