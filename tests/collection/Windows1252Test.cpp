#include "collection/Windows1252.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace dovra {
namespace {

TEST(Windows1252, KnownCharacters) {
    const struct {
        unsigned char byte;
        char32_t unicode;
    } cases[] = {
        {0x00, 0x0000}, {0x3B, U';'},   {0x41, U'A'},   {0x7F, 0x007F}, {0x80, 0x20AC},
        {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090},
        {0x96, 0x2013}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xB6, U'¶'},
        {0xC4, U'Ä'},   {0xD6, U'Ö'},   {0xDC, U'Ü'},   {0xDF, U'ß'},   {0xE4, U'ä'},
        {0xF6, U'ö'},   {0xFC, U'ü'},   {0xFF, U'ÿ'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(unicodeFromWindows1252(c.byte), c.unicode) << int(c.byte);
        EXPECT_EQ(windows1252FromUnicode(c.unicode), c.byte) << int(c.byte);
    }
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t unicode = unicodeFromWindows1252(static_cast<unsigned char>(byte));
        EXPECT_EQ(windows1252FromUnicode(unicode), byte) << byte;
    }
}

TEST(Windows1252, CharactersItCannotHold) {
    for (char32_t c : std::initializer_list<char32_t>{0x80, 0x9F, 0x0100, 0x20AD, U'ł', U'€' + 1,
                                                      U'中', 0x1F600, 0xFFFD}) {
        EXPECT_FALSE(windows1252FromUnicode(c).has_value()) << std::hex << unsigned(c);
    }
}

TEST(Windows1252, FromUtf8) {
    EXPECT_EQ(windows1252FromUtf8("Datei geöffnet."), "Datei ge\xF6"
                                                      "ffnet.");
    EXPECT_EQ(windows1252FromUtf8("Größter Satz: ("), "Gr\xF6\xDF"
                                                      "ter Satz: (");
    EXPECT_EQ(windows1252FromUtf8("€ „Pünngs“"), "\x80 \x84P\xFCnngs\x93");
    EXPECT_EQ(windows1252FromUtf8("a\r\nb"), "a\r\nb");
    EXPECT_EQ(windows1252FromUtf8("中😀"), "??");
}

} // namespace
} // namespace dovra
