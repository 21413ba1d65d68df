#include "settings/profile_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "settings/settings_model.h"
#include "settings/temp_folder.h"
#include "settings/text_file.h"
#include "settings/utf.h"

namespace {

using Lines = std::vector<std::string>;  // UTF-8 lines without their line feeds

// The hand-written file of a slot-0 reset with sensor 0x3950 and the names set in SetUp.
Lines FixtureLines() {
  std::ifstream in(GM_SOURCE_ROOT "/tests/core/settings/fixtures/reset_slot0_sensor3950.psf.txt", std::ios::binary);
  Lines lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// The bytes of a file holding `lines`, each ended by a line feed, after the byte-order mark.
std::string FileBytes(const Lines& lines, bool mark = true) {
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  return (mark ? gm::test::kBom : "") + gm::EncodeUtf16Le(gm::FromUtf8(text));
}

bool ReadBytes(const std::string& bytes, gm::ProfileRecord& record, int* rejectedLine = nullptr) {
  gm::CStdioFileEx file;
  EXPECT_TRUE(file.OpenBytes(bytes, gm::kOpenForReading));
  return gm::ReadProfileLines(file, record, rejectedLine);
}

class ProfileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::pair<int, const wchar_t*> names[] = {
        {85, L"B\u00fcro"},        {20, L"Left Click"}, {21, L"Right Click"}, {22, L"Middle Click"},
        {23, L"Forward"},          {24, L"Backward"},   {42, L"DPI Loop"},    {109, L"Static"},
        {100, L"Breathing"}};
    for (const auto& [i, text] : names) s_.texts[i] = text;
    gm::ResetProfile(reset_, 0, s_.texts, s_.sensor.id);
  }

  std::unique_ptr<gm::SettingsModel> model_ = std::make_unique<gm::SettingsModel>();
  gm::SettingsModel& s_ = *model_;
  gm::ProfileRecord reset_;
  gm::test::TempFolder folder_;
};

// A record with every field set to something other than its default, from a simple generator.
gm::ProfileRecord BusyRecord() {
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  gm::ProfileRecord r;
  for (int n = 0; n < gm::kSettingEntryCount; ++n) {
    r.SettingEntries[n] = {L"Key" + std::to_wstring(n), L"v=" + std::to_wstring(next()) + L" \u4e2d\U0001F600"};
  }
  r.SettingEntries[3].Value.clear();
  for (int b = 0; b < gm::kButtonCount; ++b) {
    gm::KeyAssignment& k = r.KeyAssignments[b];
    k.KeyName = L"Name " + std::to_wstring(b);
    k.KeyURL = L"C:\\Program Files\\x=" + std::to_wstring(b) + L".exe";
    k.KeyValue = {static_cast<std::uint8_t>(next()), static_cast<std::uint8_t>(next()), static_cast<std::uint8_t>(next())};
    k.MacroKeyIndex = next() * 977u;
    k.Macro.Name = L"Macro \u00e9 " + std::to_wstring(b);
    k.Macro.MacroActionNum = b == 0 ? 250 : next() % 251;
    for (auto& a : k.Macro.Actions) a.word = next() * 2654435761u;
  }
  auto byte = [&next] { return static_cast<std::uint8_t>(next()); };
  auto colour = [&next] { return static_cast<gm::Colour>(next() & 0xFFFFFF); };
  r.PollingRateName = L"8000HZ";
  r.PollingRateValue = {6, byte(), byte()};
  r.Lighting1OffOn = 0;
  r.Lighting1Name = L"Wave";
  r.Lighting1ModeValue = {9, byte(), byte()};
  for (auto& v : r.Lighting1Speed) v = byte();
  for (auto& v : r.Lighting1Brightness) v = byte();
  for (auto& v : r.Lighting1Direction) v = byte();
  for (auto& g : r.Lighting1ColorSelected) {
    for (auto& v : g) v = byte();
  }
  for (auto& g : r.Lighting1FixedColor) {
    for (auto& v : g) v = colour();
  }
  r.Lighting2OffOn = 7;
  r.Lighting2Name = L"";
  r.Lighting2ModeValue = {byte(), byte(), byte()};
  r.Lighting2Speed = byte();
  r.Lighting2Brightness = byte();
  r.Lighting2FixedColor = colour();
  r.DPIOffOnFlagValue = 0xA5;
  for (auto& v : r.XYSettingValueX) v = static_cast<std::uint16_t>(next());
  for (auto& v : r.XYSettingValueY) v = static_cast<std::uint16_t>(next());
  r.CurrentDPILevelValue = 7;
  for (auto& v : r.DPILevelIndication) v = colour();
  r.AngleSnapValue = byte();
  r.LiftDetectionValue = byte();
  return r;
}

// Lines with `edits` applied (1-based line numbers; a number past the end appends).
Lines Edited(Lines lines, const std::vector<std::pair<int, std::string>>& edits) {
  for (const auto& [n, text] : edits) {
    if (n > static_cast<int>(lines.size())) lines.resize(static_cast<size_t>(n));
    lines[static_cast<size_t>(n) - 1] = text;
  }
  return lines;
}

}  // namespace

TEST_F(ProfileFile, AResetSlotIsWrittenAsTheHandWorkedFile) {
  ASSERT_TRUE(gm::WriteProfileRecord(reset_, folder_.Program(L"default0.psf")));
  const Lines expected = FixtureLines();
  ASSERT_EQ(expected.size(), 110u);
  EXPECT_EQ(folder_.ReadBytes("default0.psf"), FileBytes(expected));

  // The fixture holds the lines quoted for this reset (line numbers from 1).
  const std::pair<int, std::string> quoted[] = {
      {6, "DoubleClickSpeed=6"},
      {25, "DPIOffOnFlagValue=3F"},
      {26, "\tXYSetting1ValueX=000F"},
      {41, "\tXYSetting8ValueY=0257"},
      {42, "\tCurrentDPILevelValue=02"},
      {43, "\tDPILevelIndication0Valuer=FF0000"},
      {44, "\tDPILevelIndication1Valuer=0000FF"},
      {52, "\tLiftDetectionValue=01"},
      {53, "PollingRateName=500HZ"},
      {54, "\tPollingRateValue=020000"},
      {58, "\tLighting1Speed=01|01|01|01|01|01|01|01|01|01"},
      {71, "\tKey0Value=100100"},
      {72, "\tMacroKeyIndex=0"},
      {74, "\t\tMacroActionNum=0"},
  };
  for (const auto& [n, text] : quoted) EXPECT_EQ(expected[n - 1], text) << n;
}

TEST_F(ProfileFile, WrittenAndReadBackIsIdenticalFieldForField) {
  const gm::ProfileRecord busy = BusyRecord();
  const gm::ProfileRecord* originals[] = {&busy, &reset_};
  for (const gm::ProfileRecord* original : originals) {
    ASSERT_TRUE(gm::WriteProfileRecord(*original, folder_.Program(L"p.psf")));
    gm::ProfileRecord back;
    ASSERT_TRUE(gm::ReadProfileRecord(folder_.Program(L"p.psf"), back));
    EXPECT_EQ(back.SettingEntries, original->SettingEntries);
    for (int b = 0; b < gm::kButtonCount; ++b) EXPECT_EQ(back.KeyAssignments[b], original->KeyAssignments[b]) << b;
    EXPECT_EQ(back.Lighting1FixedColor, original->Lighting1FixedColor);
    EXPECT_EQ(back.Lighting1ColorSelected, original->Lighting1ColorSelected);
    EXPECT_TRUE(back == *original);
  }
}

TEST_F(ProfileFile, RejectsFilesThatBreakTheLineRules) {
  const Lines good = FixtureLines();
  gm::ProfileRecord probe;
  ASSERT_TRUE(ReadBytes(FileBytes(good), probe));

  const struct {
    const char* name;
    int line;
    std::string text;
  } cases[] = {
      {"section in lower case", 1, "[setting]"},
      {"setting entry without =", 6, "DoubleClickSpeed6"},
      {"setting entry starting with =", 6, "=6"},
      {"field line without =", 30, "\tXYSetting3ValueX 001F"},
      {"field line starting with =", 57, "=01"},
      {"text line starting with =", 69, "=Left Click"},
      {"empty line in the middle", 40, ""},
      {"empty MacroKeyIndex", 72, "\tMacroKeyIndex="},
      {"empty MacroActionNum", 74, "\t\tMacroActionNum="},
      {"AllAction of 2001 digits", 75, "\t\tAllAction=" + std::string(2001, '0')},
      {"AllAction of 1999 digits", 110, "\t\tAllAction=" + std::string(1999, '0')},
  };
  for (const auto& c : cases) {
    gm::ProfileRecord r;
    int rejected = 0;
    EXPECT_FALSE(ReadBytes(FileBytes(Edited(good, {{c.line, c.text}})), r, &rejected)) << c.name;
    EXPECT_EQ(rejected, c.line) << c.name;
  }
  gm::ProfileRecord r;
  Lines shorter = good;
  shorter.pop_back();
  int rejected = 0;
  EXPECT_FALSE(ReadBytes(FileBytes(shorter), r, &rejected)) << "missing last line";
  EXPECT_EQ(rejected, 110);
  EXPECT_FALSE(ReadBytes("", r)) << "empty file";
  EXPECT_FALSE(ReadBytes(gm::test::kBom, r)) << "only a byte-order mark";
}

TEST_F(ProfileFile, ReadsFieldsByPositionAfterTheFirstEquals) {
  const std::string zeros1992(1992, '0');
  const struct {
    const char* name;
    std::vector<std::pair<int, std::string>> edits;
    void (*check)(const gm::ProfileRecord&);
  } cases[] = {
      {"key text before = is ignored", {{26, "\tWhatever=0123"}},
       [](const gm::ProfileRecord& r) { EXPECT_EQ(r.XYSettingValueX[0], 0x123); }},
      {"setting keys come from the file", {{7, "Speed=9"}},
       [](const gm::ProfileRecord& r) { EXPECT_EQ(r.SettingEntries[5], (gm::TextPair{L"Speed", L"9"})); }},
      {"short list reads 0 for the missing items", {{58, "\tLighting1Speed=0A|0B|0C"}},
       [](const gm::ProfileRecord& r) { EXPECT_EQ(r.Lighting1Speed, (gm::EffectBytes{10, 11, 12})); }},
      {"lower-case hexadecimal", {{25, "DPIOffOnFlagValue=ab"}, {68, "\tLighting2FixedColor=a1b2c3"}},
       [](const gm::ProfileRecord& r) {
         EXPECT_EQ(r.DPIOffOnFlagValue, 0xAB);
         EXPECT_EQ(r.Lighting2FixedColor, gm::MakeColour(0xA1, 0xB2, 0xC3));
       }},
      {"a field shorter than its width reads what is there", {{26, "\tX=1"}, {27, "\tY="}},
       [](const gm::ProfileRecord& r) {
         EXPECT_EQ(r.XYSettingValueX[0], 1);
         EXPECT_EQ(r.XYSettingValueY[0], 0);
       }},
      {"macro lines may start with =",
       {{72, "=12"}, {73, "=Mine"}, {74, "=3"}, {75, "=11111111" + zeros1992}},
       [](const gm::ProfileRecord& r) {
         const gm::KeyAssignment& k = r.KeyAssignments[0];
         EXPECT_EQ(k.MacroKeyIndex, 12u);
         EXPECT_EQ(k.Macro.Name, L"Mine");
         EXPECT_EQ(k.Macro.MacroActionNum, 3u);
         EXPECT_EQ(k.Macro.Actions[0].word, 0x11111111u);
       }},
      {"action bytes are stored least significant first", {{75, "\t\tAllAction=0380FF01" + zeros1992}},
       [](const gm::ProfileRecord& r) { EXPECT_EQ(r.KeyAssignments[0].Macro.Actions[0].word, 0x01FF8003u); }},
      {"decimal counts read their leading digits",
       {{72, "\tMacroKeyIndex=4294967295"}, {74, "\t\tMacroActionNum=x"}},
       [](const gm::ProfileRecord& r) {
         EXPECT_EQ(r.KeyAssignments[0].MacroKeyIndex, 4294967295u);
         EXPECT_EQ(r.KeyAssignments[0].Macro.MacroActionNum, 0u);
       }},
      {"texts keep further = and may be empty", {{69, "Key0Name=a=b"}, {2, "ProfileName="}},
       [](const gm::ProfileRecord& r) {
         EXPECT_EQ(r.KeyAssignments[0].KeyName, L"a=b");
         EXPECT_EQ(gm::ProfileName(r), L"");
       }},
      {"indexes other parts use are limited",
       {{74, "\t\tMacroActionNum=300"}, {42, "\tCurrentDPILevelValue=09"}, {56, "\tLighting1ModeValue=0C0000"}},
       [](const gm::ProfileRecord& r) {
         EXPECT_EQ(r.KeyAssignments[0].Macro.MacroActionNum, 250u);
         EXPECT_EQ(r.CurrentDPILevelValue, 7);
         EXPECT_EQ(r.Lighting1ModeValue[0], 9);
       }},
      {"lines after the last button are ignored", {{111, "junk without equals"}},
       [](const gm::ProfileRecord& r) { EXPECT_EQ(r.KeyAssignments[5].KeyValue, (gm::ThreeBytes{0x40, 1, 0})); }},
  };
  for (const auto& c : cases) {
    gm::ProfileRecord r;
    ASSERT_TRUE(ReadBytes(FileBytes(Edited(FixtureLines(), c.edits)), r)) << c.name;
    SCOPED_TRACE(c.name);
    c.check(r);
  }
}

TEST_F(ProfileFile, AFileWithoutByteOrderMarkIsReadWhole) {
  gm::ProfileRecord r;
  ASSERT_TRUE(ReadBytes(FileBytes(FixtureLines(), false), r));
  EXPECT_TRUE(r == reset_);
}

TEST_F(ProfileFile, ALineFeedInATextDoesNotShiftTheFollowingLines) {
  gm::ProfileRecord r = reset_;
  r.SettingEntries[gm::kProfileName].Value = L"two\nlines";
  r.KeyAssignments[2].KeyName = L"\n";
  ASSERT_TRUE(gm::WriteProfileRecord(r, folder_.Program(L"lf.psf")));
  gm::ProfileRecord back;
  ASSERT_TRUE(gm::ReadProfileRecord(folder_.Program(L"lf.psf"), back));
  EXPECT_EQ(gm::ProfileName(back), L"two lines");
  EXPECT_EQ(back.KeyAssignments[2].KeyName, L" ");
  EXPECT_EQ(back.KeyAssignments[3], reset_.KeyAssignments[3]);
}

TEST_F(ProfileFile, ARejectedFileLeavesTheRecordAsItWas) {
  folder_.WriteBytes("bad.psf", FileBytes(Edited(FixtureLines(), {{110, "\t\tAllAction=00"}})));
  gm::ProfileRecord r = BusyRecord();
  const gm::ProfileRecord before = r;
  EXPECT_FALSE(gm::ReadProfileRecord(folder_.Program(L"bad.psf"), r));
  EXPECT_TRUE(r == before);
  EXPECT_FALSE(gm::ReadProfileRecord(folder_.Program(L"missing.psf"), r));
  EXPECT_TRUE(r == before);
}

TEST_F(ProfileFile, AFileThatCannotBeCreatedIsReported) {
  EXPECT_FALSE(gm::WriteProfileRecord(reset_, folder_.Program(L"no\\such\\folder.psf")));
}
