#include "Windows1252.h"

#include <array>

namespace dovra {

namespace {

// 0x80 to 0x9F; the rest of the set equals Latin-1.
constexpr std::array<char32_t, 32> upperControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char32_t unicodeFromWindows1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return upperControls[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> windows1252FromUnicode(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<unsigned char>(character);
    }
    for (std::size_t i = 0; i < upperControls.size(); ++i) {
        if (upperControls[i] == character) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string windows1252FromUtf8(std::string_view utf8) {
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t character = length == 1   ? lead
                             : length == 2 ? lead & 0x1F
                             : length == 3 ? lead & 0x0F
                                           : lead & 0x07;
        for (int k = 1; k < length && i + k < utf8.size(); ++k) {
            character = (character << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += length;
        const auto byte = windows1252FromUnicode(character);
        bytes.push_back(static_cast<char>(byte ? *byte : '?'));
    }
    return bytes;
}

} // namespace dovra
