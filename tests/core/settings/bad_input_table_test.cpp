// Every file the program reads, damaged in every way that applies to it, through the entry point
// the program itself calls (start-up load or import). Each case must give the reader's clear
// result, and leave the user's file as the rules say: untouched, except where a rule rewrites a
// rejected file with its defaults (config.ini and the profile files at start-up). The suite runs
// under ASan/UBSan, so a read outside a buffer fails the case too.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/firmware_image.h"
#include "macro/library_file.h"
#include "macro/macro_exchange.h"
#include "macro/macro_library.h"
#include "settings/app_config.h"
#include "settings/language.h"
#include "settings/paths.h"
#include "settings/profile_file.h"
#include "settings/profile_record.h"
#include "settings/settings_store.h"
#include "settings/temp_folder.h"
#include "settings/test_state.h"
#include "update/fake_http_source.h"
#include "update/update_check.h"
#include "update/update_server.h"

namespace gm {
namespace {

using test::kBom;
using test::Le;

// ---- the damage ----

enum class Damage {
  kEmpty,
  kTruncated,        // cut after each line in turn (cut after line 0 = the byte-order mark alone)
  kNoBom,
  kOddByteCount,     // the last byte of the file is missing
  kInvalidSurrogate, // a lone high surrogate at the end of one value
  kGiantLine,        // one value made 1 MB longer
  kWrongSection,     // line 1 names another section
  kOutOfRange,       // one number beyond what its field holds
  kDuplicateKey,     // one key line twice
};

const char* Name(Damage d) {
  switch (d) {
    case Damage::kEmpty: return "empty";
    case Damage::kTruncated: return "truncated";
    case Damage::kNoBom: return "no byte-order mark";
    case Damage::kOddByteCount: return "odd byte count";
    case Damage::kInvalidSurrogate: return "invalid surrogate";
    case Damage::kGiantLine: return "giant line";
    case Damage::kWrongSection: return "wrong section";
    case Damage::kOutOfRange: return "out-of-range number";
    case Damage::kDuplicateKey: return "duplicate key";
  }
  return "?";
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A UTF-16LE file with a byte-order mark, as lines (each with its line feed).
struct TextFile {
  std::vector<std::string> lines;

  static TextFile Parse(const std::string& bytes) {
    TextFile f;
    std::size_t at = bytes.compare(0, 2, kBom) == 0 ? 2 : 0;
    std::string line;
    for (; at + 1 < bytes.size(); at += 2) {
      line += bytes.substr(at, 2);
      if (bytes[at] == '\n' && bytes[at + 1] == '\0') {
        f.lines.push_back(line);
        line.clear();
      }
    }
    if (!line.empty()) f.lines.push_back(line);
    return f;
  }
  std::string Bytes(bool bom = true) const {
    std::string out = bom ? kBom : "";
    for (const std::string& line : lines) out += line;
    return out;
  }
  // Inserts UTF-16LE bytes at the end of line `i`'s text (before its line feed).
  void AppendToLine(std::size_t i, const std::string& utf16) {
    std::string& line = lines.at(i);
    const bool feed = line.size() >= 2 && line.compare(line.size() - 2, 2, Le("\n")) == 0;
    line.insert(feed ? line.size() - 2 : line.size(), utf16);
  }
  // The index of the first line whose text starts with `ascii`.
  std::size_t Find(const std::string& ascii) const {
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (lines[i].compare(0, 2 * ascii.size(), Le(ascii)) == 0) return i;
    ADD_FAILURE() << "no line starts with " << ascii;
    return 0;
  }
};

// ---- the file kinds ----

// What one load did, and whether the files are as the reader's rules say after it.
struct Loaded {
  bool accepted = false;
  std::string broken;  // empty when the files and the results follow the rules; else what did not
};

enum class Want {
  kAccepted,
  kRefused,
  kEither,  // both are right (a cut between whole items leaves a shorter valid file); the rules on
            // the files and the results still hold
};

struct Row {
  std::optional<Want> want;  // none: the damage does not apply to this kind
  const char* reason = "";   // why it does not apply
};

struct Kind {
  const char* name;
  std::string base;            // a valid file of the kind
  bool text = true;            // UTF-16LE lines (else a binary image)
  std::size_t valueLine = 1;   // the line whose value the surrogate and giant-line cases lengthen
  std::string outOfRangeKey;   // line starting with this gets `outOfRangeLine` instead
  std::string outOfRangeLine;
  std::size_t duplicateLine = 1;
  std::array<Row, 9> rows;     // by Damage
  std::function<Loaded(const std::string& bytes)> load;
};

Row Accepted() { return {Want::kAccepted}; }
Row Refused() { return {Want::kRefused}; }
Row Either() { return {Want::kEither}; }
Row Skip(const char* reason) { return {std::nullopt, reason}; }

// The files a load starts from: the shipped LanSetting.ini and language file, a data folder.
std::string SourceFile(const char* relative) { return ReadFile(std::filesystem::path(GM_SOURCE_ROOT) / relative); }

std::string DefaultConfigBytes(const test::TempFolder& folder) {
  const std::wstring path = folder.Program(L"defaults.ini");
  WriteAppConfigFile(AppConfigDefaults(folder.Program()), path);
  return ReadFile(NativePath(path));
}

std::string DefaultProfileBytes(const test::TempFolder& folder, int slot) {
  auto record = std::make_unique<ProfileRecord>();
  LanguageTable texts;
  ResetProfile(*record, slot, texts, SensorTables{}.id);
  const std::wstring path = folder.Program(L"defaults.psf");
  WriteProfileRecord(*record, path);
  return ReadFile(NativePath(path));
}

// config.ini at start-up: a rejected file is replaced by the defaults.
Kind ConfigKind() {
  Kind k;
  k.name = "config.ini";
  test::TempFolder scratch;
  k.base = DefaultConfigBytes(scratch);
  k.outOfRangeKey = "CurrentProfile=";
  k.outOfRangeLine = "CurrentProfile=4294967302\n";
  k.rows = {Refused(), Accepted(), Accepted(), Accepted(), Accepted(), Accepted(), Refused(), Accepted(),
            Refused()};  // a repeated line is one entry more than the 17 the file holds
  k.load = [](const std::string& bytes) {
    test::TestState<SettingsModel> state;
    const std::filesystem::path file = state.Folder().Path() / "config/config.ini";
    WriteFile(file, bytes);
    Loaded out;
    out.accepted = LoadAppConfig(*state);
    const std::string after = ReadFile(file);
    if (out.accepted && after != bytes) out.broken = "an accepted config.ini was rewritten";
    if (!out.accepted && after != DefaultConfigBytes(state.Folder()))
      out.broken = "a rejected config.ini was not replaced by the defaults";
    const int current = GetCurrentProfile(state->config);
    if (current < 0 || current >= kProfileCount) out.broken = "CurrentProfile out of range";
    return out;
  };
  return k;
}

// A profile file at start-up (slot 0): a rejected file is replaced by the slot's defaults.
Kind ProfileKind() {
  Kind k;
  k.name = "profile file";
  test::TempFolder scratch;
  k.base = DefaultProfileBytes(scratch, 0);
  k.outOfRangeKey = "\tCurrentDPILevelValue=";
  k.outOfRangeLine = "\tCurrentDPILevelValue=FF\n";
  // The last line without the high byte of its line feed still reads as that line.
  k.rows = {Refused(), Refused(), Accepted(), Accepted(), Accepted(), Accepted(), Refused(), Accepted(),
            Refused()};  // the fields are found by line number: a repeated line shifts them all
  k.load = [](const std::string& bytes) {
    test::TestState<SettingsModel> state;
    FillAppConfigDefaults(state->config, state.Folder().Program());
    const std::wstring path = ProfileSlotPath(state->config, 0);
    WriteFile(NativePath(path), bytes);
    Loaded out;
    out.accepted = ReadProfileFile(*state, 0, path);
    const std::string after = ReadFile(NativePath(path));
    if (out.accepted && after != bytes) out.broken = "an accepted profile file was rewritten";
    if (!out.accepted && after != DefaultProfileBytes(state.Folder(), 0))
      out.broken = "a rejected profile file was not replaced by the slot's defaults";
    if (state->profiles[0].CurrentDPILevelValue > 7) out.broken = "the current stage is beyond stage 7";
    return out;
  };
  return k;
}

// A profile file imported into slot 1: a rejected file changes neither the slot nor any file.
Kind ProfileImportKind() {
  Kind k = ProfileKind();
  k.name = "profile import";
  k.load = [](const std::string& bytes) {
    test::TestState<SettingsModel> state;
    FillAppConfigDefaults(state->config, state.Folder().Program());
    for (int slot = 0; slot < kProfileCount; ++slot)
      ResetProfile(state->profiles[static_cast<std::size_t>(slot)], slot, state->texts, state->sensor.id);
    SaveAllProfiles(*state);
    const std::filesystem::path slotFile = NativePath(ProfileSlotPath(state->config, 1));
    const std::string slotBefore = ReadFile(slotFile);
    const ProfileRecord recordBefore = state->profiles[1];
    const std::filesystem::path imported = state.Folder().Path() / "imported.psf";
    WriteFile(imported, bytes);
    Loaded out;
    out.accepted = ImportProfile(*state, 1, state.Folder().Program(L"imported.psf"));
    if (ReadFile(imported) != bytes) out.broken = "the imported file was changed";
    if (!out.accepted && (ReadFile(slotFile) != slotBefore || !(state->profiles[1] == recordBefore)))
      out.broken = "a rejected import changed the slot";
    return out;
  };
  return k;
}

// The language file named by LanSetting.ini, at start-up: never written.
Kind LanguageKind() {
  Kind k;
  k.name = "language file";
  k.base = SourceFile("config/Lan_En.txt");
  k.outOfRangeKey = "0=";
  k.outOfRangeLine = "4294967296=Out of range\n";
  k.rows = {Refused(), Accepted(), Accepted(), Accepted(), Accepted(), Accepted(), Refused(), Accepted(),
            Accepted()};
  k.load = [](const std::string& bytes) {
    test::TestState<SettingsModel> state;
    WriteFile(state.Folder().Path() / "config/LanSetting.ini", SourceFile("config/LanSetting.ini"));
    const std::filesystem::path file = state.Folder().Path() / "config/Lan_En.txt";
    WriteFile(file, bytes);
    UiFont font;
    Loaded out;
    out.accepted = LoadLanguage(state->texts, font, state.Folder().Program(), 1.0f, LanguageTable{});
    if (ReadFile(file) != bytes) out.broken = "the language file was changed";
    if (out.accepted && font.size == 0) out.broken = "a read language file set no font";
    return out;
  };
  return k;
}

// LanSetting.ini: its language code (English for "EN"); never written.
Kind LanSettingKind() {
  Kind k;
  k.name = "LanSetting.ini";
  k.base = SourceFile("config/LanSetting.ini");
  k.rows = {Refused(), Refused(), Accepted(), Accepted(), Accepted(), Accepted(), Refused(),
            Skip("the file holds no number"), Accepted()};
  k.load = [](const std::string& bytes) {
    test::TempFolder folder;
    const std::filesystem::path file = folder.Path() / "LanSetting.ini";
    WriteFile(file, bytes);
    const std::wstring code = ReadLanguageCode(folder.Program(L"LanSetting.ini"));
    Loaded out;
    out.accepted = code == L"EN";
    if (code.size() > 2) out.broken = "a code longer than two characters";
    if (ReadFile(file) != bytes) out.broken = "LanSetting.ini was changed";
    return out;
  };
  return k;
}

// A small library: a macro and a folder holding a macro.
void FillLibrary(MacroLibrary& library, MacroItemLocation& macro, MacroItemLocation& folder) {
  macro = MacroItemLocation::None();
  library.CreateMacro(L"Burst", macro);
  MacroKey* key = library.ItemAt(macro)->Macro.get();
  key->InsertAction(0, MacroAction::Event(0x04, false));
  key->InsertAction(1, MacroAction::Delay(25));
  key->InsertAction(2, MacroAction::Event(0x04, true));
  folder = MacroItemLocation::None();
  library.CreateFolder(L"Games", folder);
  MacroItemLocation inner = folder;
  library.CreateMacro(L"Reload", inner);
  library.ItemAt(inner)->Macro->InsertAction(0, MacroAction::Event(0x15, false));
}

std::string LibraryBytes(bool selectFolder) {
  MacroLibrary library;
  MacroItemLocation macro, folder;
  FillLibrary(library, macro, folder);
  test::TempFolder scratch;
  const std::wstring path = scratch.Program(L"library.mlf");
  ExportMacroFile(path, library, selectFolder ? folder : macro);
  return ReadFile(NativePath(path));
}

// Whatever a partly read library holds was in the file: each item's name and macro match the
// complete library's item at the same place.
std::string ItemsNotInFile(const MacroLibrary& read) {
  MacroLibrary full;
  MacroItemLocation macro, folder;
  FillLibrary(full, macro, folder);
  std::string broken;
  for (int stage = 0; stage < kMacroLevels; ++stage) {
    read.ForEachUsed(stage, [&](const MacroItemLocation& at, const MacroItem& item) {
      const MacroItem* original = full.ItemAt(at);
      if (!original->IsUsed()) return;  // a damaged name may read as another item: the place counts
      if (item.IsMacro() && original->IsMacro() && item.Macro->MacroActionNum > original->Macro->MacroActionNum)
        broken = "an item holds more actions than the file gave it";
    });
  }
  return broken;
}

// The macro library file at start-up: never written; a bad line ends the read.
Kind LibraryKind() {
  Kind k;
  k.name = "macro library";
  k.base = LibraryBytes(false);
  k.valueLine = 3;  // the first item's name
  k.outOfRangeKey = "MacroActionNum=";
  k.outOfRangeLine = "MacroActionNum=251\n";
  k.duplicateLine = 3;
  k.rows = {Refused(), Either(), Accepted(), Accepted(), Accepted(), Accepted(), Refused(), Refused(), Refused()};
  k.load = [](const std::string& bytes) {
    test::TestState<SettingsModel> state;
    const std::filesystem::path file = state.Folder().Path() / "config/MacroLibraryFile.mlf";
    WriteFile(file, bytes);
    MacroLibrary library;
    Loaded out;
    out.accepted = LoadLibraryAtStartup(library, state.Folder().Program());
    if (ReadFile(file) != bytes) out.broken = "the library file was changed";
    if (const std::string items = ItemsNotInFile(library); !items.empty()) out.broken = items;
    return out;
  };
  return k;
}

// A macro (.mkf) or bundle (.mbf) import into a library holding one macro: never written; a
// refused import leaves the library as it was.
Kind ImportKind(bool bundle) {
  Kind k = LibraryKind();
  k.name = bundle ? "macro import .mbf" : "macro import .mkf";
  k.base = LibraryBytes(bundle);
  k.load = [bundle](const std::string& bytes) {
    test::TempFolder folder;
    const std::filesystem::path file = folder.Path() / (bundle ? "in.mbf" : "in.mkf");
    WriteFile(file, bytes);
    auto makeTarget = [](MacroLibrary& target) {
      MacroItemLocation at = MacroItemLocation::None();
      target.CreateMacro(L"Own", at);
    };
    MacroLibrary target, before, scratch;
    makeTarget(target);
    makeTarget(before);
    MacroItemLocation selection = MacroItemLocation::None();
    const std::wstring path = folder.Program(bundle ? L"in.mbf" : L"in.mkf");
    const MacroImportResult result = bundle ? ImportBundleFile(path, target, selection, scratch)
                                            : ImportMacroFile(path, target, selection, scratch);
    Loaded out;
    out.accepted = result.status == MacroImportStatus::kImported;
    if (ReadFile(file) != bytes) out.broken = "the imported file was changed";
    if (!out.accepted && !(target == before)) out.broken = "a refused import changed the library";
    return out;
  };
  // A damaged file whose items all read before the damage still imports them.
  k.rows[static_cast<int>(Damage::kTruncated)] = Skip("covered per cut below: a cut after whole items imports them");
  return k;
}

// The update server's version file, stored by the check: a body of 1 to 19 bytes is stored byte
// for byte, anything else leaves the stored file; only a clean later version offers a download.
Kind VersionKind() {
  Kind k;
  k.name = "version file";
  k.base = kBom + Le("2.1.7\n");
  k.valueLine = 0;
  // The odd byte is the high byte of the last line feed: the first line is whole.
  k.rows = {Refused(), Refused(), Accepted(), Accepted(), Refused(), Refused(),
            Skip("the file has no section"),
            Skip("a number beyond 32 bits does not fit in the 19 bytes a version file may have"),
            Skip("the file has no keys")};
  k.load = [](const std::string& bytes) {
    test::TempFolder folder;
    const std::string earlier = kBom + Le("2.1.5\n");
    WriteFile(folder.Path() / "update/VersionInfo.ini", earlier);
    gmtest::FakeHttpSource source;
    const UpdateServer server{L"http://127.0.0.1:8080/gm/"};
    source.responses[VersionFileUrl(server)] = gmtest::FakeResponse{.body = bytes};
    const UpdateCheckOutcome outcome = CheckForUpdate(source, server, folder.Program());
    Loaded out;
    out.accepted = outcome.step == UpdateCheckStep::OfferDownload;
    const bool storable = !bytes.empty() && bytes.size() <= kVersionFileMaxBytes;
    if (ReadFile(folder.Path() / "update/VersionInfo.ini") != (storable ? bytes : earlier))
      out.broken = storable ? "the version file was not stored byte for byte" : "a refused version file replaced the stored one";
    return out;
  };
  return k;
}

// The firmware images the update writes: binary, so only the size-related damage applies.
Kind FirmwareKind(bool system) {
  Kind k;
  k.name = system ? "firmware system image" : "firmware application image";
  k.text = false;
  k.base = std::string(system ? kSystemWriteSize + 0x100 : 0x4000, '\x5A');
  const char* notText = "a binary image has no text, lines, sections or keys";
  k.rows = {Refused(), Skip(notText), Skip(notText), Accepted(), Skip(notText), Refused(), Skip(notText),
            Skip(notText), Skip(notText)};
  k.load = [system](const std::string& bytes) {
    const std::span<const std::uint8_t> image(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    Loaded out;
    out.accepted = system ? IsUsableSystemImage(image) : IsUsableAppImage(image);
    return out;
  };
  return k;
}

// The damaged bytes of `k`'s base file (for kTruncated: cut after `cut` lines).
std::string Damaged(const Kind& k, Damage d, std::size_t cut = 0) {
  if (!k.text) {
    switch (d) {
      case Damage::kEmpty: return "";
      case Damage::kOddByteCount: return k.base + "\x01";
      case Damage::kGiantLine: return k.base + std::string(1 << 20, '\0');  // beyond the image's room
      default: return k.base;
    }
  }
  TextFile f = TextFile::Parse(k.base);
  switch (d) {
    case Damage::kEmpty: return "";
    case Damage::kTruncated: f.lines.resize(cut); return f.Bytes();
    case Damage::kNoBom: return f.Bytes(false);
    case Damage::kOddByteCount: {
      const std::string bytes = f.Bytes();
      return bytes.substr(0, bytes.size() - 1);
    }
    case Damage::kInvalidSurrogate: f.AppendToLine(k.valueLine, std::string("\x00\xD8", 2)); return f.Bytes();
    case Damage::kGiantLine: f.AppendToLine(k.valueLine, Le(std::string(1 << 19, 'A'))); return f.Bytes();  // 1 MB
    case Damage::kWrongSection: f.lines.at(0) = Le("[Wrong]\n"); return f.Bytes();
    case Damage::kOutOfRange: f.lines.at(f.Find(k.outOfRangeKey)) = Le(k.outOfRangeLine); return f.Bytes();
    case Damage::kDuplicateKey:
      f.lines.insert(f.lines.begin() + static_cast<std::ptrdiff_t>(k.duplicateLine), f.lines.at(k.duplicateLine));
      return f.Bytes();
  }
  return "";
}

void Check(const Kind& k, const std::string& label, Want want, const std::string& bytes) {
  SCOPED_TRACE(std::string(k.name) + ", " + label);
  const Loaded loaded = k.load(bytes);
  if (want != Want::kEither) {
    EXPECT_EQ(loaded.accepted, want == Want::kAccepted) << (want == Want::kAccepted ? "refused" : "accepted");
  }
  EXPECT_EQ(loaded.broken, "");
}

std::vector<Kind> AllKinds() {
  std::vector<Kind> kinds;
  kinds.push_back(ConfigKind());
  kinds.push_back(ProfileKind());
  kinds.push_back(ProfileImportKind());
  kinds.push_back(LanguageKind());
  kinds.push_back(LanSettingKind());
  kinds.push_back(LibraryKind());
  kinds.push_back(ImportKind(false));
  kinds.push_back(ImportKind(true));
  kinds.push_back(VersionKind());
  kinds.push_back(FirmwareKind(false));
  kinds.push_back(FirmwareKind(true));
  return kinds;
}

constexpr Damage kAllDamage[] = {Damage::kEmpty,        Damage::kTruncated,  Damage::kNoBom,
                                 Damage::kOddByteCount, Damage::kInvalidSurrogate, Damage::kGiantLine,
                                 Damage::kWrongSection, Damage::kOutOfRange, Damage::kDuplicateKey};

TEST(BadInputTable, EveryFileKindGivesAClearResultForEveryDamageAndKeepsItsFilesAsTheRulesSay) {
  for (const Kind& k : AllKinds()) {
    // The undamaged file is accepted: the cases below start from a good file.
    Check(k, "undamaged", Want::kAccepted, k.base);
    for (Damage d : kAllDamage) {
      const Row& row = k.rows[static_cast<int>(d)];
      if (!row.want) continue;  // does not apply: row.reason says why
      if (d != Damage::kTruncated) {
        Check(k, Name(d), *row.want, Damaged(k, d));
        continue;
      }
      // Cut after each line; after line 0 only the byte-order mark is left, which reads as empty.
      const std::size_t lines = TextFile::Parse(k.base).lines.size();
      for (std::size_t cut = 0; cut < lines; ++cut) {
        const Want want = cut == 0 ? *k.rows[static_cast<int>(Damage::kEmpty)].want : *row.want;
        Check(k, "truncated after line " + std::to_string(cut), want, Damaged(k, d, cut));
      }
    }
  }
}

// A cut macro exchange file imports the whole items before the cut, or is refused when its line 3
// names an item the cut removed; either way the file stays and a refusal changes nothing.
TEST(BadInputTable, TruncatedMacroExchangeFilesImportWhatTheyHoldOrNothing) {
  for (const Kind& k : {ImportKind(false), ImportKind(true)}) {
    const std::size_t lines = TextFile::Parse(k.base).lines.size();
    for (std::size_t cut = 0; cut < lines; ++cut) {
      SCOPED_TRACE(std::string(k.name) + " cut after line " + std::to_string(cut));
      const Loaded loaded = k.load(Damaged(k, Damage::kTruncated, cut));
      EXPECT_EQ(loaded.broken, "");
      if (cut < 3) {
        EXPECT_FALSE(loaded.accepted);  // no line 3, no item
      }
    }
  }
}

}  // namespace
}  // namespace gm
