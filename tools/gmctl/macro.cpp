// `gmctl macro`: show, create, import into and export from macro library files (.mlf, .mkf, .mbf).
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "command.h"
#include "macro/library_file.h"
#include "macro/macro_exchange.h"
#include "settings/utf.h"

namespace {

using Json = nlohmann::ordered_json;
using gm::MacroItemLocation;

constexpr const char* kUsage =
    "macro show FILE | macro new FILE [--folder PATH | --macro PATH[=HEX]]... | "
    "macro import LIBRARY FILE.mkf|FILE.mbf [--select LOC] | macro export LIBRARY OUT [--select LOC]";

Json LocationJson(const MacroItemLocation& at) {
  return Json{{"stage", at.stage}, {"stage0Index", at.stage0Index}, {"stage1Index", at.stage1Index},
              {"stage2Index", at.stage2Index}};
}

std::string Hex8(gm::MacroAction action) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (int b = 0; b < 4; ++b) {
    out += kHex[action.Byte(b) >> 4];
    out += kHex[action.Byte(b) & 0xF];
  }
  return out;
}

Json MacroJson(const gm::MacroKey& m) {
  Json actions = Json::array();
  const int used = static_cast<int>(std::min<std::uint32_t>(m.MacroActionNum, gm::kMacroActionCapacity));
  for (int i = 0; i < used; ++i) {
    const gm::MacroAction a = m.GetAction(i);
    Json row{{"bytes", Hex8(a)}, {"text", gm::ToUtf8(gm::ActionText(a))}};
    if (!a.IsDelay()) row["release"] = a.IsRelease();
    actions.push_back(row);
  }
  return Json{{"name", gm::ToUtf8(m.Name)},           {"macroKeyIndex", m.MacroKeyIndex},
              {"loopType", m.MacroKeyLoopType},        {"loopNum", m.MacroKeyLoopNum},
              {"actionNum", m.MacroActionNum},         {"commandActionNum", m.MacroCommandActionNum},
              {"actions", actions}};
}

Json ChildrenJson(const gm::MacroLibrary& lib, const MacroItemLocation& parent) {
  Json items = Json::array();
  for (int i = 0; i < gm::kMacroSlotsPerLevel; ++i) {
    const MacroItemLocation at = parent.Child(i);
    const gm::MacroItem* item = lib.ItemAt(at);
    if (!item || !item->IsUsed()) continue;
    Json j{{"name", gm::ToUtf8(item->MacroItemName)}, {"location", LocationJson(at)},
           {"folder", item->IsFolder()}};
    if (item->IsFolder()) {
      j["open"] = item->MacroItemFolderIsOpen != 0;
      j["children"] = at.stage + 1 < gm::kMacroLevels ? ChildrenJson(lib, at) : Json::array();
    } else if (item->Macro) {
      j["macro"] = MacroJson(*item->Macro);
    }
    items.push_back(j);
  }
  return items;
}

// "none", "I0", "I0,I1" or "I0,I1,I2".
bool ParseSelection(const std::string& text, MacroItemLocation& at) {
  if (text == "none") {
    at = MacroItemLocation::None();
    return true;
  }
  std::vector<int> parts;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos || part.size() > 2) return false;
    parts.push_back(std::stoi(part));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (parts.empty() || parts.size() > 3) return false;
  at = MacroItemLocation{static_cast<int>(parts.size()) - 1, parts[0], parts.size() > 1 ? parts[1] : 0,
                         parts.size() > 2 ? parts[2] : 0};
  return at.IsValid();
}

// Options after the positional arguments: only "--select LOC".
bool ParseSelectOption(gmctl::Args args, size_t from, MacroItemLocation& selection) {
  for (size_t i = from; i < args.size(); ++i) {
    if (args[i] != "--select" || i + 1 >= args.size() || !ParseSelection(args[i + 1], selection)) return false;
    ++i;
  }
  return true;
}

int Show(gmctl::Args args) {
  if (args.size() != 2) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  gm::MacroLibrary lib;
  MacroItemLocation selected;
  const auto status = gm::ReadLibraryFileStatus(gm::FromUtf8(args[1]), lib, &selected);
  if (status == gm::LibraryReadStatus::kNotOpened) return gmctl::Fail(1, "cannot open " + args[1]);
  Json out{{"complete", status == gm::LibraryReadStatus::kRead},
           {"nextMacroKeyIndex", lib.NextMacroKeyIndex},
           {"selected", LocationJson(selected)},
           {"items", ChildrenJson(lib, MacroItemLocation::None())}};
  gmctl::Print(out.dump(2) + "\n");
  if (status != gm::LibraryReadStatus::kRead) return gmctl::Fail(1, args[1] + " is malformed; shown up to the first bad line");
  return 0;
}

// Creates the item named by the last part of PATH ("Folder/Sub/Name") inside the named folders.
bool CreateAtPath(gm::MacroLibrary& lib, const std::string& path, bool folder, const std::string& hex,
                  std::string& error) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1)
    parts.push_back(gm::FromUtf8(path.substr(start, slash - start)));
  parts.push_back(gm::FromUtf8(path.substr(start)));
  MacroItemLocation parent = MacroItemLocation::None();
  for (size_t p = 0; p + 1 < parts.size(); ++p) {
    MacroItemLocation found = MacroItemLocation::None();
    for (int i = 0; i < gm::kMacroSlotsPerLevel; ++i) {
      const gm::MacroItem* item = lib.ItemAt(parent.Child(i));
      if (item && item->IsFolder() && item->MacroItemName == parts[p]) found = parent.Child(i);
    }
    if (found.stage < 0) {
      error = "no folder '" + gm::ToUtf8(parts[p]) + "' for " + path;
      return false;
    }
    parent = found;
  }
  if (parts.back().empty()) {
    error = "empty name in " + path;
    return false;
  }
  MacroItemLocation at = parent;
  const int result = folder ? lib.CreateFolder(parts.back(), at) : lib.CreateMacro(parts.back(), at);
  if (result == gm::kMacroNameExists || at == parent) {
    error = result == gm::kMacroNameExists ? "name exists: " + path : "no place for " + path;
    return false;
  }
  if (folder) return true;
  if (hex.size() % 8 != 0 || hex.size() / 8 > gm::kMacroActionCapacity ||
      hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    error = "actions must be up to 250 groups of 8 hexadecimal digits: " + path;
    return false;
  }
  gm::MacroKey& m = *lib.ItemAt(at)->Macro;
  for (size_t i = 0; i < hex.size(); i += 8) {
    std::uint8_t b[4];
    for (int k = 0; k < 4; ++k) b[k] = static_cast<std::uint8_t>(std::stoul(hex.substr(i + 2 * k, 2), nullptr, 16));
    const auto action = gm::MacroAction::FromBytes(b[0], b[1], b[2], b[3]);
    if (action.IsCommand()) ++m.MacroCommandActionNum;
    m.InsertAction(gm::kMacroActionCapacity, action);
  }
  if (m.MacroCommandActionNum > gm::kMacroCommandLimit) {
    error = "more than 125 command actions: " + path;
    return false;
  }
  return true;
}

int New(gmctl::Args args) {
  if (args.size() < 2 || (args.size() - 2) % 2 != 0) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  gm::MacroLibrary lib;
  for (size_t i = 2; i < args.size(); i += 2) {
    std::string error;
    const std::string& value = args[i + 1];
    if (args[i] == "--folder") {
      if (!CreateAtPath(lib, value, true, "", error)) return gmctl::Fail(1, error);
    } else if (args[i] == "--macro") {
      const size_t eq = value.find('=');
      if (!CreateAtPath(lib, value.substr(0, eq), false, eq == std::string::npos ? "" : value.substr(eq + 1), error))
        return gmctl::Fail(1, error);
    } else {
      return gmctl::Fail(2, "unknown option " + args[i]);
    }
  }
  if (!gm::WriteLibraryFile(gm::FromUtf8(args[1]), lib, MacroItemLocation::None()))
    return gmctl::Fail(1, "cannot write " + args[1]);
  return 0;
}

int Import(gmctl::Args args) {
  MacroItemLocation selection;
  if (args.size() < 3 || !ParseSelectOption(args, 3, selection)) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  const std::wstring libraryPath = gm::FromUtf8(args[1]), file = gm::FromUtf8(args[2]);
  gm::MacroLibrary lib;
  if (gm::ReadLibraryFileStatus(libraryPath, lib) != gm::LibraryReadStatus::kRead)
    return gmctl::Fail(1, "cannot read library " + args[1]);
  const bool single = file.size() >= 4 && file.substr(file.size() - 4) == L".mkf";
  gm::MacroLibrary scratch;
  const auto result = single ? gm::ImportMacroFile(file, lib, selection, scratch)
                             : gm::ImportBundleFile(file, lib, selection, scratch);
  static const char* const kStatus[] = {"imported", "not read", "no item", "name exists", "no room"};
  const char* status = kStatus[static_cast<int>(result.status)];
  if (result.status != gm::MacroImportStatus::kImported) return gmctl::Fail(1, std::string("import refused: ") + status);
  if (!gm::WriteLibraryFile(libraryPath, lib, MacroItemLocation::None()))
    return gmctl::Fail(1, "cannot write " + args[1]);
  gmctl::Print(Json{{"status", status}, {"created", result.created}, {"selected", LocationJson(selection)}}.dump(2) + "\n");
  return 0;
}

int Export(gmctl::Args args) {
  MacroItemLocation selection;
  if (args.size() < 3 || !ParseSelectOption(args, 3, selection)) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  gm::MacroLibrary lib;
  if (gm::ReadLibraryFileStatus(gm::FromUtf8(args[1]), lib) != gm::LibraryReadStatus::kRead)
    return gmctl::Fail(1, "cannot read library " + args[1]);
  const gm::MacroItem* item = lib.ItemAt(selection);
  if (selection.stage >= 0 && (!item || !item->IsUsed())) return gmctl::Fail(1, "nothing at the selected location");
  if (!gm::ExportMacroFile(gm::FromUtf8(args[2]), lib, selection)) return gmctl::Fail(1, "cannot write " + args[2]);
  return 0;
}

int RunMacro(gmctl::Args args) {
  if (args.empty()) return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
  if (args[0] == "show") return Show(args);
  if (args[0] == "new") return New(args);
  if (args[0] == "import") return Import(args);
  if (args[0] == "export") return Export(args);
  return gmctl::Fail(2, std::string("usage: gmctl ") + kUsage);
}

}  // namespace

GMCTL_COMMAND(macro, kUsage, RunMacro);
