#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dovra {

// The character set of every text the program holds. The five bytes that Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value, as
// Windows does, so that any byte read from a file survives a trip through the window system.
char32_t unicodeFromWindows1252(unsigned char byte);

// The byte for a Unicode character, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> windows1252FromUnicode(char32_t character);

// The program's own German texts are written in UTF-8 in the sources; this turns one into the
// Windows-1252 bytes every text of the program holds. Characters it cannot hold become "?".
std::string windows1252FromUtf8(std::string_view utf8);

} // namespace dovra
