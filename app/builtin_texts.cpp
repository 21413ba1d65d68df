#include "app/builtin_texts.h"

#include <string>

#include "app/resource_ids.h"
#include "ui/module_resource.h"

namespace gm::win {

LanguageTable BuiltInEnglishTexts(HMODULE module) { return LanguageTextsResource(module, IDR_ENGLISH_TEXTS); }

LanguageTable LanguageTextsResource(HMODULE module, int id) {
  LanguageTable texts;
  const auto bytes = ui::ModuleResourceBytes(module, RT_RCDATA, id);
  if (bytes.empty()) return texts;
  ReadLanguageBytes(std::string(bytes.begin(), bytes.end()), texts);
  return texts;
}

}  // namespace gm::win
