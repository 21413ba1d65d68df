// Saving a settings file while another program has it open for reading, as a virus scanner, a
// backup tool or the program's own reader may for a moment: the save waits for the file to be free
// instead of being lost, and one held open for good leaves the old file whole and no stray file.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "settings/platform_file.h"
#include "settings/text_file.h"

namespace {

using namespace std::chrono_literals;

class TextFileWin : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t tmp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, tmp);
    // A folder of this run only: another test run on the machine may share the temporary folder.
    folder_ = std::filesystem::path(tmp) / (L"gm-text-file-win-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder_);
    path_ = folder_ / L"config.ini";
    std::ofstream(path_, std::ios::binary) << "old\n";
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  bool Save(const wchar_t* line) {
    gm::CStdioFileEx file;
    return file.Open(path_.wstring(), gm::kFileModeCreate | gm::kFileModeWrite) && file.WriteLine(line) && file.Close();
  }
  std::string Content() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Every file of the folder but the settings file (a temporary file left behind).
  int StrayFiles() const {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) n += entry.path() != path_ ? 1 : 0;
    return n;
  }

  std::filesystem::path folder_, path_;
};

TEST_F(TextFileWin, ASaveWaitsForAReaderThatLetsGoOfTheFile) {
  std::FILE* reader = gm::OpenNativeFile(path_, "rb");
  ASSERT_NE(reader, nullptr);
  std::thread release([reader] {
    std::this_thread::sleep_for(300ms);  // the other program's read, not a wait for this one
    std::fclose(reader);
  });
  const bool saved = Save(L"new");
  release.join();
  EXPECT_TRUE(saved);
  EXPECT_EQ(Content(), "new\n");
  EXPECT_EQ(StrayFiles(), 0);
}

TEST_F(TextFileWin, AFileHeldOpenThroughoutFailsTheSaveAndStaysWhole) {
  std::FILE* reader = gm::OpenNativeFile(path_, "rb");
  ASSERT_NE(reader, nullptr);
  const auto start = std::chrono::steady_clock::now();
  const bool saved = Save(L"new");
  const auto took = std::chrono::steady_clock::now() - start;
  std::fclose(reader);
  EXPECT_FALSE(saved);
  EXPECT_GE(took, std::chrono::milliseconds(gm::kReplaceRetryMs));
  EXPECT_EQ(Content(), "old\n");
  EXPECT_EQ(StrayFiles(), 0);
}

}  // namespace
