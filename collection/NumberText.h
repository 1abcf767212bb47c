#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dovra {

// Reads a number the way every field of the program does: leading blanks and tabs skipped, one
// optional sign, then the digits up to the first other character; no digits give 0. Values
// beyond the signed 32-bit range stop at its ends.
std::int32_t numberFromText(std::string_view text);

// Plain decimal, "-" in front of a negative value, no "+" and no leading zeros.
std::string textFromNumber(std::int32_t number);

} // namespace dovra
