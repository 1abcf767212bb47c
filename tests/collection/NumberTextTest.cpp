#include "collection/NumberText.h"

#include <gtest/gtest.h>
#include <limits>

namespace dovra {
namespace {

TEST(NumberText, Reading) {
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"", 0},
        {"7", 7},
        {"  7", 7},
        {"\t \t7", 7},
        {"+7", 7},
        {"7a", 7},
        {"12abc", 12},
        {"-3", -3},
        {"-7", -7},
        {"007", 7},
        {"abc", 0},
        {"\"5\"", 0},
        {"- 5", 0},
        {"+-5", 0},
        {"\n5", 0}, // only blanks and tabs are skipped
        {"\xEF\xBB\xBF"
         "5",
         0}, // a byte-order mark is not a digit
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"2147483648", 2147483647},
        {"-2147483649", std::numeric_limits<std::int32_t>::min()},
        {"99999999999999999999999999", 2147483647},
        {"-99999999999999999999999999", std::numeric_limits<std::int32_t>::min()},
        {"0000000000000000000000000042", 42},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberFromText(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(NumberText, Writing) {
    const struct {
        std::int32_t number;
        const char* expected;
    } cases[] = {
        {0, "0"},
        {7, "7"},
        {-3, "-3"},
        {120, "120"},
        {2147483647, "2147483647"},
        {std::numeric_limits<std::int32_t>::min(), "-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textFromNumber(c.number), c.expected);
        EXPECT_EQ(numberFromText(textFromNumber(c.number)), c.number) << "round trip";
    }
}

} // namespace
} // namespace dovra
