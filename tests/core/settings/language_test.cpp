#include "settings/language.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>

#include "settings/environment.h"
#include "settings/language_indexes.h"
#include "settings/temp_folder.h"
#include "settings/test_state.h"
#include "settings/text_file.h"
#include "settings/utf.h"

using gm::LanguageTable;
using gm::test::kBom;
using gm::test::Le;
using gm::test::TempFolder;

namespace {

using Texts = std::map<int, std::wstring>;

// The table a language read should leave: exactly these texts, every other entry empty.
LanguageTable TableOf(const Texts& texts) {
  LanguageTable table;
  for (const auto& [index, text] : texts) table[static_cast<size_t>(index)] = text;
  return table;
}

TEST(LanguageRead, LinesFillTheTableUntilTheFirstInvalidLine) {
  const struct {
    const char* name;
    std::string bytes;
    bool complete;
    int stopLine;
    Texts texts;
  } cases[] = {
      {"header only", kBom + Le("[Setting]\n"), true, 0, {}},
      {"text after the first '=' keeps later '='", kBom + Le("[Setting]\n12=Save = changes\n"), true, 0,
       {{12, L"Save = changes"}}},
      {"any order, the later line wins", kBom + Le("[Setting]\n5=b\n1=a\n5=c\n"), true, 0, {{1, L"a"}, {5, L"c"}}},
      {"last line without a line feed", kBom + Le("[Setting]\n0=x\n499=last"), true, 0,
       {{0, L"x"}, {499, L"last"}}},
      {"nothing after '=' stops", kBom + Le("[Setting]\n1=a\n7=\n2=b\n"), false, 3, {{1, L"a"}}},
      {"no '=' stops", kBom + Le("[Setting]\n1=a\nplain\n2=b\n"), false, 3, {{1, L"a"}}},
      {"'=' in first place stops", kBom + Le("[Setting]\n=a\n2=b\n"), false, 2, {}},
      {"an empty line stops", kBom + Le("[Setting]\n1=a\n\n2=b\n"), false, 3, {{1, L"a"}}},
      {"index without digits is 0", kBom + Le("[Setting]\nabc=zero\n"), true, 0, {{0, L"zero"}}},
      {"leading digits only", kBom + Le("[Setting]\n42x=t\n"), true, 0, {{42, L"t"}}},
      {"header line ending in a carriage return", kBom + Le("[Setting]\r\n3=Hi\r\n"), false, 1, {}},
      {"carriage return after the header line", kBom + Le("[Setting]\n3=Hi\r\n"), true, 0, {{3, L"Hi\r"}}},
      {"header is case-sensitive", kBom + Le("[setting]\n1=a\n"), false, 1, {}},
      {"missing header", kBom + Le("1=a\n"), false, 1, {}},
      {"empty file", "", false, 1, {}},
      {"non-ASCII texts", kBom + Le("[Setting]\n0=") + std::string("\x2D\x4E\x87\x65\x0A\x00", 6) +
                              Le("1=") + std::string("\x3D\xD8\xB1\xDDz\x00", 6),
       true, 0, {{0, L"\u4E2D\u6587"}, {1, L"\U0001F5B1z"}}},
  };
  for (const auto& c : cases) {
    LanguageTable table;
    const gm::LanguageReadResult r = gm::ReadLanguageBytes(c.bytes, table);
    EXPECT_TRUE(r.opened) << c.name;
    EXPECT_EQ(r.complete, c.complete) << c.name;
    EXPECT_EQ(r.stopLine, c.stopLine) << c.name;
    EXPECT_EQ(table, TableOf(c.texts)) << c.name;
  }
}

TEST(LanguageRead, IndexesOutsideTheTableAreIgnoredAndReadingGoesOn) {
  LanguageTable table;
  const std::string bytes = kBom + Le("[Setting]\n500=over\n-1=minus\n99999999999=huge\n  7=spaced\n499=edge\n");
  const gm::LanguageReadResult r = gm::ReadLanguageBytes(bytes, table);
  EXPECT_TRUE(r.complete);
  EXPECT_EQ(r.outOfRange, 3);
  EXPECT_EQ(r.textsSet, 2);
  EXPECT_EQ(table, TableOf({{7, L"spaced"}, {499, L"edge"}}));
}

TEST(LanguageRead, OnlyTheNamedIndexesChange) {
  LanguageTable table;
  table[1] = L"kept";
  table[2] = L"old";
  gm::ReadLanguageBytes(kBom + Le("[Setting]\n2=new\n"), table);
  EXPECT_EQ(table, TableOf({{1, L"kept"}, {2, L"new"}}));
}

TEST(LanguageRead, MissingFileIsNotOpened) {
  TempFolder folder;
  LanguageTable table;
  table[3] = L"kept";
  const gm::LanguageReadResult r = gm::ReadLanguageFile(folder.Program(L"none.txt"), table);
  EXPECT_FALSE(r.opened);
  EXPECT_FALSE(r.complete);
  EXPECT_EQ(table, TableOf({{3, L"kept"}}));
}

// LoadLanguage into a state of its own whose data folder is a temporary folder.
class LoadLanguageTest : public ::testing::Test {
 protected:
  bool Load() { return gm::LoadLanguage(s_.texts, s_.font, s_.env.dataFolder, s_.env.displayScale, fallback_); }
  void Write(const std::string& name, const std::string& bytes) { folder_.WriteBytes("config/" + name, bytes); }
  void WriteBothLanguages() {
    Write("Lan_En.txt", kBom + Le("[Setting]\n0=English\n"));
    Write("Lan_Tu.txt", kBom + Le("[Setting]\n0=Turkish\n"));
  }

  gm::test::TestState<> state_;
  gm::SettingsModel& s_ = *state_;
  const TempFolder& folder_ = state_.Folder();
  // The texts the program carries; empty unless a test gives some.
  LanguageTable fallback_{};
};

TEST_F(LoadLanguageTest, LanguageSettingPicksTheFile) {
  WriteBothLanguages();
  const struct {
    const char* name;
    const char* setting;  // nullptr: no LanSetting.ini
    const wchar_t* loaded;
  } cases[] = {
      {"EN selects English", "[ChangeLanguage]\nLanguage=EN\n", L"English"},
      {"the code is case-sensitive", "[ChangeLanguage]\nLanguage=en\n", L"Turkish"},
      {"only two characters count", "[ChangeLanguage]\nLanguage=ENGLISH\n", L"English"},
      {"the key name is not examined", "[ChangeLanguage]\nx=EN", L"English"},
      {"no section line: line 1 is the code", "EN\n", L"English"},
      {"no '=' on line 2: the whole line", "[ChangeLanguage]\nEN\n", L"English"},
      {"nothing after '=': the whole line", "[ChangeLanguage]\nLanguage=\n", L"Turkish"},
      {"'=' in first place: the whole line", "[ChangeLanguage]\n=EN\n", L"Turkish"},
      {"section line only", "[ChangeLanguage]\n", L"Turkish"},
      {"another language code", "[ChangeLanguage]\nLanguage=TR\n", L"Turkish"},
      {"no setting file", nullptr, L"Turkish"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(folder_.Path() / "config" / "LanSetting.ini");
    if (c.setting) Write("LanSetting.ini", kBom + Le(c.setting));
    s_.texts[0].clear();
    EXPECT_TRUE(Load()) << c.name;
    EXPECT_EQ(s_.texts[0], c.loaded) << c.name;
  }
}

TEST_F(LoadLanguageTest, FontFollowsTextZeroAndTheDisplayScale) {
  const struct {
    const char* text0;  // UTF-8
    float scale;
    gm::UiFont font;
  } cases[] = {
      {"English", 1.0f, {L"Tahoma", 16, 1}},
      {"English", 1.5f, {L"Tahoma", 24, 1}},
      {"English", 2.0f, {L"Tahoma", 32, 1}},
      {"\xE4\xB8\xAD\xE6\x96\x87", 1.0f, {L"\u5B8B\u4F53", 12, 134}},
      {"\xE4\xB8\xAD\xE6\x96\x87", 1.5f, {L"\u5B8B\u4F53", 18, 134}},
      {"\xE4\xB8\xAD\xE6\x96\x87 ", 1.5f, {L"Tahoma", 24, 1}},  // only the exact text counts
  };
  for (const auto& c : cases) {
    Write("Lan_Tu.txt", kBom + Le("[Setting]\n0=") + gm::EncodeUtf16Le(gm::FromUtf8(c.text0)) + Le("\n"));
    s_.env.displayScale = c.scale;
    ASSERT_TRUE(Load()) << c.text0;
    EXPECT_EQ((gm::UiFont{s_.font.name, s_.font.size, s_.font.charset}), c.font) << c.text0 << " " << c.scale;
  }
}

TEST_F(LoadLanguageTest, TheCarriedTextsStandInForWhatTheFileDoesNotGive) {
  fallback_ = TableOf({{0, L"English"}, {1, L"Profiles"}, {2, L"Exit"}, {20, L"Left Click"}, {85, L"Profile 1"}});
  const char* const kEnglish = "[ChangeLanguage]\nLanguage=EN\n";
  const gm::UiFont tahoma{L"Tahoma", 16, 1};
  const struct {
    const char* name;
    const char* setting;  // LanSetting.ini (nullptr: none, which selects Lan_Tu.txt)
    const char* en;       // Lan_En.txt (UTF-8 here; nullptr: none)
    const char* tu;       // Lan_Tu.txt
    bool blocked;         // a folder takes the selected file's name, so it cannot be opened
    bool complete;
    Texts texts;          // what differs from the carried texts
    gm::UiFont font;
  } cases[] = {
      {"no language files at all", nullptr, nullptr, nullptr, false, false, {}, tahoma},
      {"the selected file is missing: the other file is not taken", kEnglish, nullptr, "[Setting]\n0=Turkish\n",
       false, false, {}, tahoma},
      {"the selected file cannot be opened", kEnglish, nullptr, nullptr, true, false, {}, tahoma},
      {"not a language file", kEnglish, "Setting\n1=x\n", nullptr, false, false, {}, tahoma},
      {"a file cut short keeps what it read", kEnglish, "[Setting]\n1=Profile list\n7=\n2=Quit\n", nullptr, false,
       false, {{1, L"Profile list"}}, tahoma},
      {"a complete file lacking indexes", nullptr, nullptr, "[Setting]\n0=T\u00fcrk\u00e7e\n20=Sol T\u0131k\n5=\u0130ptal\n",
       false, true, {{0, L"T\u00fcrk\u00e7e"}, {20, L"Sol T\u0131k"}, {5, L"\u0130ptal"}}, tahoma},
      {"the font follows the texts as loaded", kEnglish, "[Setting]\n0=\u4e2d\u6587\n7=\n", nullptr, false, false,
       {{0, L"\u4e2d\u6587"}}, {L"\u5B8B\u4F53", 12, 134}},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(folder_.Path() / "config");
    std::filesystem::create_directories(folder_.Path() / "config");
    if (c.setting) Write("LanSetting.ini", kBom + Le(c.setting));
    if (c.en) Write("Lan_En.txt", kBom + gm::EncodeUtf16Le(gm::FromUtf8(c.en)));
    if (c.tu) Write("Lan_Tu.txt", kBom + gm::EncodeUtf16Le(gm::FromUtf8(c.tu)));
    if (c.blocked) std::filesystem::create_directories(folder_.Path() / "config" / (c.setting ? "Lan_En.txt" : "Lan_Tu.txt"));
    // Whatever the table held before the load does not survive it.
    for (auto& t : s_.texts) t = L"stale";
    s_.font = {};

    EXPECT_EQ(Load(), c.complete) << c.name;
    LanguageTable expected = fallback_;
    for (const auto& [index, text] : c.texts) expected[static_cast<size_t>(index)] = text;
    EXPECT_EQ(s_.texts, expected) << c.name;
    EXPECT_EQ(s_.font, c.font) << c.name;
  }
}

// The shipped files, read through the program's reader.
std::wstring ShippedPath(const char* name) { return gm::FromUtf8(std::string(GM_SOURCE_ROOT) + "/config/" + name); }

// The texts of a UTF-8 source in config/src, skipping its comment and empty lines.
LanguageTable ReadSource(const char* name) {
  std::ifstream in(std::string(GM_SOURCE_ROOT) + "/config/src/" + name, std::ios::binary);
  LanguageTable table;
  std::string line;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (line.empty() || line[0] == '#' || eq == std::string::npos) continue;
    table[std::stoul(line.substr(0, eq))] = gm::FromUtf8(line.substr(eq + 1));
  }
  return table;
}

TEST(ShippedLanguageFiles, ReadToTheEndWithEveryUsedTextPresent) {
  const struct {
    const char* file;
    const char* source;
  } files[] = {{"Lan_En.txt", "Lan_En.utf8.txt"}, {"Lan_Tu.txt", "Lan_Tu.utf8.txt"}};
  for (const auto& f : files) {
    LanguageTable table;
    const gm::LanguageReadResult r = gm::ReadLanguageFile(ShippedPath(f.file), table);
    ASSERT_TRUE(r.complete) << f.file << " stops at line " << r.stopLine;
    EXPECT_EQ(r.outOfRange, 0) << f.file;
    for (int index : gm::kUsedLanguageTexts) EXPECT_FALSE(table[index].empty()) << f.file << " text " << index;
    // Text 0 names the language; the Chinese name would switch these files to a Chinese font.
    EXPECT_NE(table[0], L"\u4E2D\u6587") << f.file;
    EXPECT_EQ(gm::UiFontFor(table, 1.0f).name, L"Tahoma") << f.file;
    // The committed file is the one tools/make-lang writes from the source.
    EXPECT_EQ(table, ReadSource(f.source)) << f.file << " is out of date: run tools/make-lang";
  }
}

TEST(ShippedLanguageFiles, SettingSelectsEnglishAndIsUtf16WithLineFeeds) {
  std::ifstream in(std::string(GM_SOURCE_ROOT) + "/config/LanSetting.ini", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(bytes, kBom + Le("[ChangeLanguage]\nLanguage=EN\n"));
  EXPECT_EQ(gm::ReadLanguageCode(ShippedPath("LanSetting.ini")), L"EN");
  EXPECT_EQ(gm::LanguageFileForCode(L"EN"), L"config\\Lan_En.txt");

  std::ifstream en(std::string(GM_SOURCE_ROOT) + "/config/Lan_En.txt", std::ios::binary);
  const std::string head((std::istreambuf_iterator<char>(en)), {});
  EXPECT_EQ(head.substr(0, 22), kBom + Le("[Setting]\n"));
  EXPECT_EQ(head.find(std::string("\r\0", 2)), std::string::npos);
}

TEST(LanguageIndexes, AreDistinctAndInsideTheTable) {
  std::set<int> seen;
  for (int index : gm::kUsedLanguageTexts) {
    EXPECT_GE(index, 0);
    EXPECT_LT(index, static_cast<int>(gm::kLanguageTextCount));
    EXPECT_TRUE(seen.insert(index).second) << "index " << index << " named twice";
  }
}

}  // namespace
