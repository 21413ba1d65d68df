// Saving is crash-safe: a writer process that dies in the middle of a save leaves the file as the
// complete old version or the complete new one, never a truncated or mixed one. Each save runs in
// a child process whose file-size limit is a chosen number of bytes; the system kills it (SIGXFSZ)
// on its first write past the limit, which cuts the save at that byte of the file being written.
// The cut points run over the whole new file, from before its first byte to after its last.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "macro/library_file.h"
#include "macro/macro_library.h"
#include "settings/app_config.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"
#include "settings/temp_folder.h"

namespace {

enum class ChildEnd { kFinished, kCut, kOther };

// Runs `save` in a child process that may write at most `limit` bytes into any one file.
ChildEnd SaveInChild(const std::function<bool()>& save, rlim_t limit) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_DFL);
    const rlimit r{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &r);
    ::_exit(save() ? 0 : 1);
  }
  if (pid < 0) return ChildEnd::kOther;
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return ChildEnd::kFinished;
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) return ChildEnd::kCut;
  return ChildEnd::kOther;
}

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string bytes(in ? static_cast<std::size_t>(in.tellg()) : 0, '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// The cut points: every byte of the first and last `edge` (the byte-order mark, the first line,
// the end of the file), `spread` more evenly across the file, and the whole size (the save ends).
std::vector<rlim_t> CutPoints(std::size_t size, std::size_t edge, std::size_t spread) {
  std::vector<rlim_t> cuts;
  for (std::size_t i = 0; i <= size; ++i) {
    if (i < edge || i + edge >= size || i % (size / spread + 1) == 0) cuts.push_back(i);
  }
  return cuts;
}

struct Outcome {
  int cuts = 0;      // saves killed part-way
  int finished = 0;  // saves that ended before the limit was reached
};

// Writes `oldSave` normally, then `newSave` cut at each point; the file must each time hold the
// old bytes (cut) or the new bytes (finished), and nothing else.
Outcome CheckEveryCut(const std::filesystem::path& file, const std::function<bool()>& oldSave,
                      const std::function<bool()>& newSave, std::size_t edge, std::size_t spread) {
  EXPECT_TRUE(newSave());
  const std::string newBytes = Bytes(file);
  EXPECT_TRUE(oldSave());
  const std::string oldBytes = Bytes(file);
  EXPECT_NE(oldBytes, newBytes) << "the two versions must differ";
  Outcome outcome;
  for (rlim_t cut : CutPoints(newBytes.size(), edge, spread)) {
    // A cut save left the old file (checked below), so only a finished one needs it written again.
    if (Bytes(file) != oldBytes) EXPECT_TRUE(oldSave());
    const ChildEnd end = SaveInChild(newSave, cut);
    const std::string now = Bytes(file);
    if (end == ChildEnd::kCut) {
      ++outcome.cuts;
      EXPECT_TRUE(now == oldBytes) << "cut at byte " << cut << " left " << now.size() << " bytes, not the old file";
    } else {
      ++outcome.finished;
      EXPECT_EQ(end, ChildEnd::kFinished) << "cut at byte " << cut;
      EXPECT_TRUE(now == newBytes) << "finished at limit " << cut << " but the file is not the new one";
    }
    if (::testing::Test::HasFailure()) break;  // one broken cut says it all
  }
  return outcome;
}

TEST(CrashSafeSave, AProfileCutAnywhereIsTheOldOrTheNewFile) {
  gm::test::TempFolder folder;
  gm::ProfileRecord oldRecord, newRecord;
  gm::LanguageTable texts{};
  gm::ResetProfile(oldRecord, 0, texts, 0x3950);
  gm::ResetProfile(newRecord, 1, texts, 0x3950);
  newRecord.XYSettingValueX[0] = 40;
  const std::wstring path = folder.Program(L"p.psf");
  const Outcome o = CheckEveryCut(
      folder.Path() / "p.psf", [&] { return gm::WriteProfileRecord(oldRecord, path); },
      [&] { return gm::WriteProfileRecord(newRecord, path); }, 8, 40);
  std::printf("profile: %d cut points, %d saves finished\n", o.cuts, o.finished);
  EXPECT_GT(o.cuts, 50);
  EXPECT_EQ(o.finished, 1);
}

TEST(CrashSafeSave, TheConfigurationCutAnywhereIsTheOldOrTheNewFile) {
  gm::test::TempFolder folder;
  const std::wstring data = folder.Program();
  gm::AppConfigTable oldTable = gm::AppConfigDefaults(data);
  gm::AppConfigTable newTable = oldTable;
  newTable[gm::kCurrentProfile].Value = L"3";
  const std::wstring path = folder.Program(L"config.ini");
  const Outcome o = CheckEveryCut(
      folder.Path() / "config.ini", [&] { return gm::WriteAppConfigFile(oldTable, path); },
      [&] { return gm::WriteAppConfigFile(newTable, path); }, 8, 40);
  std::printf("config.ini: %d cut points, %d saves finished\n", o.cuts, o.finished);
  EXPECT_GT(o.cuts, 50);
  EXPECT_EQ(o.finished, 1);
}

// 2,000 full macros in folders three levels deep: a file of about 9 MB. Each save of it takes
// a while under the sanitizers, so it is cut at fewer points than the small files.
void FillLarge(gm::MacroLibrary& lib, std::uint32_t seed) {
  int made = 0;
  for (int f0 = 0; f0 < 10; ++f0) {
    gm::MacroItemLocation top = gm::MacroItemLocation::None();
    lib.CreateFolder(L"Folder " + std::to_wstring(f0), top);
    for (int f1 = 0; f1 < 5; ++f1) {
      gm::MacroItemLocation mid = top;
      lib.CreateFolder(L"Sub " + std::to_wstring(f1), mid);
      for (int m = 0; m < 40; ++m, ++made) {
        gm::MacroItemLocation at = m < 4 ? top : mid;
        lib.CreateMacro(L"Macro " + std::to_wstring(made), at);
        gm::MacroKey& key = *lib.ItemAt(at)->Macro;
        for (int a = 0; a < gm::kMacroActionCapacity; ++a)
          key.InsertAction(a, gm::MacroAction{static_cast<std::uint32_t>(made * 7919u + a * 104729u + seed)});
      }
    }
  }
}

TEST(CrashSafeSave, ALargeMacroLibraryCutAnywhereIsTheOldOrTheNewFile) {
  gm::test::TempFolder folder;
  auto oldLibrary = std::make_unique<gm::MacroLibrary>();
  auto newLibrary = std::make_unique<gm::MacroLibrary>();
  FillLarge(*oldLibrary, 0);
  FillLarge(*newLibrary, 1);
  const std::wstring path = folder.Program(L"macros.mlf");
  const gm::MacroItemLocation none = gm::MacroItemLocation::None();
  const Outcome o = CheckEveryCut(
      folder.Path() / "macros.mlf", [&] { return gm::WriteLibraryFile(path, *oldLibrary, none); },
      [&] { return gm::WriteLibraryFile(path, *newLibrary, none); }, 2, 10);
  std::printf("macro library: %d cut points, %d saves finished\n", o.cuts, o.finished);
  EXPECT_GT(o.cuts, 10);
  EXPECT_EQ(o.finished, 1);
}

}  // namespace
