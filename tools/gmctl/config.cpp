// `gmctl config show FILE` and `gmctl config new --data-folder PATH -o FILE`: config.ini as one
// JSON object keyed by entry name (`jq .CurrentProfile`), and the default config.ini the program
// writes for a data folder.
#include <nlohmann/json.hpp>

#include <string>

#include "command.h"
#include "settings/app_config.h"
#include "settings/text_file.h"
#include "settings/utf.h"

namespace {

using Json = nlohmann::ordered_json;

const char kUsage[] = "config show FILE | config new --data-folder PATH -o FILE";

int Show(gmctl::Args args) {
  if (args.size() != 2) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  const std::string& path = args[1];
  gm::CStdioFileEx file;
  if (!file.Open(gm::FromUtf8(path), gm::kOpenForReading)) return gmctl::Fail(1, path + ": cannot be opened");
  gm::AppConfigTable table;
  const int count = gm::ReadAppConfigLines(file, table);
  if (count < 0) {
    return gmctl::Fail(1, path + ": not a config file (no [Setting] line, a line without key=value, or more than " +
                              std::to_string(gm::kAppConfigCount) + " entries)");
  }
  // Values are the file's texts, in the file's order.
  Json entries = Json::object();
  for (int n = 0; n < count; ++n) entries[gm::ToUtf8(table[n].Key)] = gm::ToUtf8(table[n].Value);
  gmctl::Print(entries.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
  return 0;
}

int New(gmctl::Args args) {
  std::string folder;
  std::string out;
  bool haveFolder = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const bool hasValue = i + 1 < args.size();
    if (args[i] == "--data-folder" && hasValue) {
      folder = args[++i];
      haveFolder = true;
    } else if (args[i] == "-o" && hasValue) {
      out = args[++i];
    } else {
      return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
    }
  }
  if (!haveFolder || folder.empty() || out.empty()) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  std::wstring dataFolder = gm::FromUtf8(folder);
  if (dataFolder.back() != L'\\') dataFolder += L'\\';  // the data folder always ends in a backslash
  if (!gm::WriteAppConfigFile(gm::AppConfigDefaults(dataFolder), gm::FromUtf8(out))) {
    return gmctl::Fail(1, out + ": cannot be written");
  }
  return 0;
}

int RunConfig(gmctl::Args args) {
  if (!args.empty() && args[0] == "show") return Show(args);
  if (!args.empty() && args[0] == "new") return New(args);
  return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
}

}  // namespace

GMCTL_COMMAND(config, kUsage, RunConfig);
