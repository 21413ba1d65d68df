#pragma once
// The user-interface texts and font chosen by the language file.
#include <array>
#include <string>

namespace gm {

// Every caption and message of the program by index; empty until the language file is loaded.
inline std::array<std::wstring, 500> LanguageTexts;

// The font every skinned control uses, set by the language load.
inline std::wstring UiFontName;
inline int UiFontSize = 0;
inline int UiFontCharset = 0;

}  // namespace gm
