#pragma once
// The English texts the program carries in its own file (resource IDR_ENGLISH_TEXTS, made from
// config/Lan_En.txt by the build): the language load falls back to them for a language file that
// is missing or damaged and for every index a language file does not name.
#include <windows.h>

#include "settings/language.h"

namespace gm::win {

// The texts of the resource in `module`; an empty table when it is missing or unreadable.
LanguageTable BuiltInEnglishTexts(HMODULE module);

// The texts of RCDATA resource `id` of `module` holding a language file; empty when it is missing.
LanguageTable LanguageTextsResource(HMODULE module, int id);

}  // namespace gm::win
