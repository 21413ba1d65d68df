#pragma once
// Conversions between the program's wide texts and UTF-8 (file names on POSIX, console output).
#include <string>
#include <string_view>

namespace gm {

// UTF-16 (Windows) or UTF-32 (elsewhere) wide text to UTF-8. Unpaired surrogates and code points
// outside Unicode become U+FFFD, so the result is always valid UTF-8.
std::string ToUtf8(std::wstring_view text);

// UTF-8 to wide text. Malformed sequences become U+FFFD; nothing is dropped silently.
std::wstring FromUtf8(std::string_view text);

}  // namespace gm
