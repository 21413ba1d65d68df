#include "settings/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/temp_folder.h"

using gm::CStdioFileEx;
using gm::test::kBom;
using gm::test::Le;
using gm::test::TempFolder;

namespace {

std::vector<std::wstring> ReadAllLines(const TempFolder& folder, const std::wstring& name, unsigned flags) {
  CStdioFileEx file;
  EXPECT_TRUE(file.Open(folder.Program(name), flags));
  std::vector<std::wstring> lines;
  std::wstring line;
  while (file.ReadString(line)) lines.push_back(line);
  EXPECT_TRUE(line.empty());
  return lines;
}

}  // namespace

TEST(TextFile, WritesByteOrderMarkThenUtf16LittleEndian) {
  TempFolder folder;
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(folder.Program(L"a.ini"), gm::kOpenForWriting));
  EXPECT_TRUE(file.IsWide());
  EXPECT_TRUE(file.WriteString(L"[Setting]\n"));
  EXPECT_TRUE(file.WriteString(L"\u00e9\u4e2d\U0001F600\n"));  // two-byte, CJK and a surrogate pair
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(folder.ReadBytes("a.ini"), kBom + Le("[Setting]\n") +
                                           std::string("\xE9\x00\x2D\x4E\x3D\xD8\x00\xDE\x0A\x00", 10));
}

TEST(TextFile, ReadsLinesByTheLineRules) {
  const struct {
    const char* name;
    std::string bytes;
    std::vector<std::wstring> lines;
  } cases[] = {
      {"plain lines", kBom + Le("a=1\nb=2\n"), {L"a=1", L"b=2"}},
      {"last line without a line feed", kBom + Le("a\nb"), {L"a", L"b"}},
      {"empty line reads as a line feed", kBom + Le("a\n\nb\n"), {L"a", L"\n", L"b"}},
      {"carriage return stays in the text", kBom + Le("a\r\nb\r\n"), {L"a\r", L"b\r"}},
      {"only a byte-order mark", kBom, {}},
      {"empty file", "", {}},
      {"odd last byte is dropped", kBom + Le("ab") + "c", {L"ab"}},
      {"no byte-order mark loses nothing", Le("key=v\n"), {L"key=v"}},
      {"surrogate pair", kBom + std::string("\x3D\xD8\x00\xDE\x0A\x00", 6), {L"\U0001F600"}},
      // Long lines are widened eight code units at a time: pairs inside and across those runs.
      {"surrogate pair inside a later run",
       kBom + Le("abcdefghi") + std::string("\x3D\xD8\x00\xDE", 4) + Le("jklmnopqrstuvwxyz\ns"),
       {L"abcdefghi\U0001F600jklmnopqrstuvwxyz", L"s"}},
      {"surrogate pair across two runs",
       kBom + Le("abcdefg") + std::string("\x3D\xD8\x00\xDE", 4) + Le("hijklmnop"),
       {L"abcdefg\U0001F600hijklmnop"}},
      {"unpaired surrogates in a long line",
       kBom + Le("abcdefghijklmnop") + std::string("\x00\xDE", 2) + Le("abcdefg") + "\x3D\xD8",
       {L"abcdefghijklmnop\xDE00" L"abcdefg\xD83D"}},
      {"line feed byte inside a code unit is no line end", kBom + std::string("\x0A\x01\x41\x00", 4),
       {L"\u010A" L"A"}},
      {"line feed byte straddling two code units is no line end",
       kBom + std::string("\x41\x0A\x00\x42\x0A\x00", 6), {L"\u0A41\u4200"}},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    folder.WriteBytes("f.txt", c.bytes);
    EXPECT_EQ(ReadAllLines(folder, L"f.txt", gm::kOpenForReading), c.lines) << c.name;
  }
}

TEST(TextFile, LongLinesAndAnyCodeUnitsRoundTrip) {
  TempFolder folder;
  std::wstring longLine(300, L'x');
  longLine[150] = L'\u00fc';
  std::wstring odd;  // an unpaired surrogate and a noncharacter survive unchanged
  odd += static_cast<wchar_t>(0xDC01);
  odd += L'\uFFFF';
  {
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(folder.Program(L"long.txt"), gm::kOpenForWriting));
    file.WriteString(longLine + L"\n");
    file.WriteString(odd + L"\n");
    ASSERT_TRUE(file.Close());
  }
  EXPECT_EQ(ReadAllLines(folder, L"long.txt", gm::kOpenForReading), (std::vector<std::wstring>{longLine, odd}));
}

TEST(TextFile, WriteLineKeepsALineFeedInsideAValueFromSplittingTheLine) {
  EXPECT_EQ(gm::SingleLine(L"two\nlines\n"), L"two lines ");
  TempFolder folder;
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(folder.Program(L"n.ini"), gm::kOpenForWriting));
  file.WriteLine(L"Name=evil\nCurrentProfile=9");
  file.WriteLine(L"Next=1");
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(folder.ReadBytes("n.ini"), kBom + Le("Name=evil CurrentProfile=9\nNext=1\n"));
}

TEST(TextFile, NarrowTextReaderSwitchesToWideOnAByteOrderMark) {
  TempFolder folder;
  folder.WriteBytes("w.txt", kBom + Le("wide\n"));
  folder.WriteBytes("n.txt", "narrow\r\nline\n");
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(folder.Program(L"w.txt"), gm::kFileModeRead | gm::kFileTypeText));
  EXPECT_TRUE(file.IsWide());
  EXPECT_EQ(ReadAllLines(folder, L"w.txt", gm::kFileModeRead | gm::kFileTypeText),
            std::vector<std::wstring>{L"wide"});
  EXPECT_EQ(ReadAllLines(folder, L"n.txt", gm::kFileModeRead | gm::kFileTypeText),
            (std::vector<std::wstring>{L"narrow", L"line"}));
}

TEST(TextFile, OpenFailsForAMissingFileOrFolderButReadsAReadOnlyFile) {
  TempFolder folder;
  CStdioFileEx file;
  EXPECT_FALSE(file.Open(folder.Program(L"missing.ini"), gm::kOpenForReading));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.Open(folder.Program(L"nofolder\\x.ini"), gm::kOpenForWriting));
  // A folder where the file should be is not opened (natively it would open and report a length
  // no read could take).
  std::filesystem::create_directories(folder.Path() / "dir.ini");
  EXPECT_FALSE(file.Open(folder.Program(L"dir.ini"), gm::kOpenForReading));
  EXPECT_FALSE(file.IsOpen());

  folder.WriteBytes("ro.ini", kBom + Le("k=v\n"));
  std::filesystem::permissions(folder.Path() / "ro.ini", std::filesystem::perms::owner_read);
  EXPECT_EQ(ReadAllLines(folder, L"ro.ini", gm::kOpenForReading), std::vector<std::wstring>{L"k=v"});
}

TEST(TextFile, TheOldFileStaysUntilTheNewOneIsComplete) {
  TempFolder folder;
  const std::string old = kBom + Le("old\n");
  folder.WriteBytes("c.ini", old);
  {
    CStdioFileEx file;
    ASSERT_TRUE(file.Open(folder.Program(L"c.ini"), gm::kOpenForWriting));
    file.WriteString(L"new\n");
    EXPECT_EQ(folder.ReadBytes("c.ini"), old) << "visible before Close";
  }  // abandoned without Close
  EXPECT_EQ(folder.ReadBytes("c.ini"), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "temporary file left";

  CStdioFileEx file;
  ASSERT_TRUE(file.Open(folder.Program(L"c.ini"), gm::kOpenForWriting));
  file.WriteString(L"new\n");
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(folder.ReadBytes("c.ini"), kBom + Le("new\n"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
  EXPECT_FALSE(file.WriteString(L"after close"));
}

TEST(TextFile, AFailedReplaceReportsFailureAndLeavesNoTemporaryFile) {
  TempFolder folder;
  std::filesystem::create_directory(folder.Path() / "taken");
  std::filesystem::create_directory(folder.Path() / "taken" / "inside");  // a non-empty directory
  CStdioFileEx file;
  ASSERT_TRUE(file.Open(folder.Program(L"taken"), gm::kOpenForWriting));
  file.WriteString(L"x\n");
  EXPECT_FALSE(file.Close());
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "taken" / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}
