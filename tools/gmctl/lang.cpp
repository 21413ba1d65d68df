// `gmctl lang show FILE [--all]` and `gmctl lang setting FILE`: a language file's texts as JSON,
// and which language file a LanSetting.ini selects.
//
// show prints {"complete", "stopLine", "linesRead", "outOfRange", "font", "texts"}:
//   complete    whether the file was read to its end (what the program's load reports);
//   stopLine    the 1-based line that ended the reading early, or null;
//   outOfRange  lines ignored because their index is not 0..499;
//   font        the interface font the program would choose at display scale 1 (null unless complete);
//   texts       by default an object of the texts the file sets, keyed by index ("20": "Left Click");
//               with --all an array of all 500 texts, "" where the file sets none.
// The JSON is printed also for a file that stops early; the exit code is then 1.
#include <nlohmann/json.hpp>

#include <string>

#include "command.h"
#include "settings/language.h"
#include "settings/utf.h"

namespace {

using Json = nlohmann::ordered_json;

const char kUsage[] = "lang show FILE [--all] | lang setting FILE";

int Usage() { return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage); }

void PrintJson(const Json& json) { gmctl::Print(json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n"); }

int Show(gmctl::Args args) {
  bool all = false;
  std::string path;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--all") {
      all = true;
    } else if (path.empty()) {
      path = args[i];
    } else {
      return Usage();
    }
  }
  if (path.empty()) return Usage();

  gm::LanguageTable table;
  const gm::LanguageReadResult r = gm::ReadLanguageFile(gm::FromUtf8(path), table);
  if (!r.opened) return gmctl::Fail(1, path + ": cannot be opened");

  Json out;
  out["complete"] = r.complete;
  out["stopLine"] = r.stopLine > 0 ? Json(r.stopLine) : Json(nullptr);
  out["linesRead"] = r.linesRead;
  out["outOfRange"] = r.outOfRange;
  if (r.complete) {
    const gm::UiFont font = gm::UiFontFor(table, 1.0f);
    out["font"] = {{"name", gm::ToUtf8(font.name)}, {"size", font.size}, {"charset", font.charset}};
  } else {
    out["font"] = nullptr;
  }
  Json texts = all ? Json::array() : Json::object();
  for (size_t i = 0; i < table.size(); ++i) {
    if (all) {
      texts.push_back(gm::ToUtf8(table[i]));
    } else if (!table[i].empty()) {
      texts[std::to_string(i)] = gm::ToUtf8(table[i]);
    }
  }
  out["texts"] = std::move(texts);
  PrintJson(out);

  if (!r.header) return gmctl::Fail(1, path + ": not a language file (line 1 is not [Setting])");
  if (!r.complete) return gmctl::Fail(1, path + ": reading stops at line " + std::to_string(r.stopLine));
  return 0;
}

int Setting(gmctl::Args args) {
  if (args.size() != 2) return Usage();
  const std::string& path = args[1];
  const std::wstring code = gm::ReadLanguageCode(gm::FromUtf8(path));
  // A missing file is no error for the program either: it selects the second language.
  PrintJson({{"code", gm::ToUtf8(code)}, {"file", gm::ToUtf8(gm::LanguageFileForCode(code))}});
  return 0;
}

int RunLang(gmctl::Args args) {
  if (!args.empty() && args[0] == "show") return Show(args);
  if (!args.empty() && args[0] == "setting") return Setting(args);
  return Usage();
}

}  // namespace

GMCTL_COMMAND(lang, kUsage, RunLang);
