#include "app/builtin_texts.h"

#include <string>

#include "app/resource_ids.h"

namespace gm::win {

LanguageTable BuiltInEnglishTexts(HMODULE module) { return LanguageTextsResource(module, IDR_ENGLISH_TEXTS); }

LanguageTable LanguageTextsResource(HMODULE module, int id) {
  LanguageTable texts;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (!found) return texts;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data || size == 0) return texts;
  ReadLanguageBytes(std::string(static_cast<const char*>(data), size), texts);
  return texts;
}

}  // namespace gm::win
