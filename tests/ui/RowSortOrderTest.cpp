#include "ui/RowSortOrder.h"

#include "collection/Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace dovra {
namespace {

using Order = std::vector<std::uint32_t>;

// The column sort as the list does it, one exchange per pass, written the plain quadratic way.
template <typename Key, typename Less>
Order quadraticOrder(std::vector<Key> keys, int direction, Less less) {
    const std::size_t n = keys.size();
    Order order(n);
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = static_cast<std::uint32_t>(i);
    }
    for (std::size_t p = 0; p < n; ++p) {
        std::size_t m = p;
        for (std::size_t q = p + 1; q < n; ++q) {
            const bool better = direction > 0   ? less(keys[m], keys[q])
                                : direction < 0 ? less(keys[q], keys[m])
                                                : false;
            if (better) {
                m = q;
            }
        }
        if (m != p) {
            std::swap(keys[p], keys[m]);
            std::swap(order[p], order[m]);
        }
    }
    return order;
}

Order quadraticOrder(const std::vector<std::int32_t>& keys, int direction) {
    return quadraticOrder(keys, direction, [](std::int32_t a, std::int32_t b) { return a < b; });
}

// Written out byte by byte rather than through string_view, so the two do not share a mistake.
bool bytesLess(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    return a.size() < b.size();
}

Order quadraticOrder(const std::vector<std::string_view>& keys, int direction) {
    return quadraticOrder(keys, direction, bytesLess);
}

Order fastOrder(const std::vector<std::int32_t>& keys, int direction) {
    return selectionSortOrder(std::span<const std::int32_t>(keys), direction);
}

Order fastOrder(const std::vector<std::string_view>& keys, int direction) {
    return selectionSortOrder(std::span<const std::string_view>(keys), direction);
}

std::vector<std::string_view> views(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

// Few distinct keys per list, so most lists are full of ties - the case where an exchange
// order that is merely "sorted" would differ from the column sort's.
std::vector<std::int32_t> randomNumbers(std::mt19937& random, std::size_t length) {
    constexpr std::int32_t extremes[] = {std::numeric_limits<std::int32_t>::min(), -1, 0, 1,
                                         std::numeric_limits<std::int32_t>::max()};
    const auto alphabet = std::uniform_int_distribution<int>(1, 12)(random);
    std::vector<std::int32_t> keys(length);
    for (std::int32_t& key : keys) {
        const int pick = std::uniform_int_distribution<int>(0, alphabet - 1)(random);
        key = pick < 5 ? extremes[pick] : pick * 1000 - 7000;
    }
    return keys;
}

// Short texts over a few bytes, below and above 0x80 and the NUL byte, so equal texts, texts
// that begin one another and the empty text are all common. Half of them start with a stem that
// ends just before, at or after a multiple of eight bytes, or holds NUL bytes there, where texts
// that agree on their first bytes are told apart by the bytes that follow.
std::vector<std::string> randomTexts(std::mt19937& random, std::size_t length) {
    constexpr char bytes[] = {'\0', 'A', 'Z', 'a', '\x7F', '\x80', '\xD6', '\xFF'};
    using namespace std::string_literals; // the NUL bytes belong to the stems
    const std::string stems[] = {
        "Hofbr\xE4u"s,   "Hofbr\xE4u "s,         "Hofbr\xE4u P"s,           "Pils\0\0\0"s,
        "Pils\0\0\0\0"s, "W\xFCrzburger Hofbr"s, "W\xFCrzburger Hofbr\xE4"s};
    const auto alphabet = std::uniform_int_distribution<int>(1, 8)(random);
    const auto longest = std::uniform_int_distribution<int>(0, 3)(random);
    const bool withStems = std::uniform_int_distribution<int>(0, 1)(random) == 1;
    std::vector<std::string> keys(length);
    for (std::string& key : keys) {
        if (withStems && std::uniform_int_distribution<int>(0, 1)(random) == 1) {
            key =
                stems[std::uniform_int_distribution<std::size_t>(0, std::size(stems) - 1)(random)];
        }
        const int size = std::uniform_int_distribution<int>(0, longest)(random);
        for (int i = 0; i < size; ++i) {
            key += bytes[std::uniform_int_distribution<int>(0, alphabet - 1)(random)];
        }
    }
    return keys;
}

TEST(RowSortOrder, RandomListsMatchTheColumnSortExactly) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const auto length = std::uniform_int_distribution<std::size_t>(0, 60)(random);
        const std::vector<std::int32_t> numbers = randomNumbers(random, length);
        const std::vector<std::string> texts = randomTexts(random, length);
        for (int direction : {1, -1}) {
            ASSERT_EQ(fastOrder(numbers, direction), quadraticOrder(numbers, direction))
                << "numbers, round " << round << ", direction " << direction;
            ASSERT_EQ(fastOrder(views(texts), direction), quadraticOrder(views(texts), direction))
                << "texts, round " << round << ", direction " << direction;
        }
    }
}

// Long enough for a tree many levels deep and for rows to travel far before they settle.
TEST(RowSortOrder, LongListsMatchTheColumnSortExactly) {
    std::mt19937 random(7);
    for (std::size_t length : {1000u, 1024u, 1025u, 3001u}) {
        const std::vector<std::int32_t> numbers = randomNumbers(random, length);
        const std::vector<std::string> texts = randomTexts(random, length);
        for (int direction : {1, -1}) {
            EXPECT_EQ(fastOrder(numbers, direction), quadraticOrder(numbers, direction))
                << length << " numbers, direction " << direction;
            EXPECT_EQ(fastOrder(views(texts), direction), quadraticOrder(views(texts), direction))
                << length << " texts, direction " << direction;
        }
    }
}

struct NumberCase {
    const char* what;
    std::vector<std::int32_t> keys;
    int direction;
    Order order;
};

class NumberOrders : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberOrders, RowOrder) {
    EXPECT_EQ(fastOrder(GetParam().keys, GetParam().direction), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(RowSortOrder, NumberOrders,
                         testing::Values(
                             // Keys 5, 3 "b", 3 "c", 7: the exchanges move "c" above "b".
                             NumberCase{"EqualKeysSwapPlaces", {5, 3, 3, 7}, 1, {3, 0, 2, 1}},
                             NumberCase{"EqualKeysAscending", {5, 3, 3, 7}, -1, {1, 2, 0, 3}},
                             NumberCase{"NineBeforeTen", {10, 9}, -1, {1, 0}},
                             NumberCase{"Negatives", {-1, 10, -20, 9}, -1, {2, 0, 3, 1}},
                             NumberCase{"Extremes",
                                        {0, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max(), -1},
                                        1,
                                        {2, 0, 3, 1}},
                             NumberCase{"AllEqual", {4, 4, 4, 4}, 1, {0, 1, 2, 3}},
                             NumberCase{"NoDirectionKeepsTheOrder", {1, 3, 2}, 0, {0, 1, 2}},
                             NumberCase{"LargerDirectionsCountAsOne", {1, 3, 2}, 5, {1, 2, 0}},
                             NumberCase{"OneRow", {42}, 1, {0}}, NumberCase{"Empty", {}, 1, {}}),
                         [](const testing::TestParamInfo<NumberCase>& info) {
                             return info.param.what;
                         });

struct TextCase {
    const char* what;
    std::vector<std::string> keys; // UTF-8 here, Windows-1252 when sorted
    int direction;
    Order order;
};

class TextOrders : public testing::TestWithParam<TextCase> {};

TEST_P(TextOrders, RowOrder) {
    std::vector<std::string> keys;
    for (const std::string& key : GetParam().keys) {
        keys.push_back(windows1252FromUtf8(key));
    }
    EXPECT_EQ(fastOrder(views(keys), GetParam().direction), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
    RowSortOrder, TextOrders,
    testing::Values(TextCase{"CapitalsFirst", {"alpha", "Zeta"}, -1, {1, 0}},
                    TextCase{"UmlautsAfterPlainLetters", {"Öl", "Zoo", "zz"}, -1, {1, 2, 0}},
                    TextCase{"DatesByDayFirst", {"15.12.2007", "02.01.2008"}, -1, {1, 0}},
                    TextCase{"PrefixFirst", {"Pilsner", "", "Pils"}, -1, {1, 2, 0}},
                    TextCase{"PrefixLastDescending", {"Pils", "", "Pilsner"}, 1, {2, 0, 1}},
                    TextCase{"EqualTextsSwapPlaces", {"m", "b", "b", "z"}, 1, {3, 0, 2, 1}},
                    TextCase{"Empty", {}, -1, {}}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.what; });

TEST(RowSortOrder, ProgressReportsEveryPassInOrder) {
    const std::vector<std::int32_t> numbers = {3, 1, 4, 1, 5};
    const std::vector<std::string> texts = {"d", "", "c", "b", "a"};
    const std::vector<std::string_view> textViews = views(texts);
    std::vector<std::size_t> passes;
    const SortProgress record = [&passes](std::size_t pass) { passes.push_back(pass); };
    const std::vector<std::size_t> expected = {0, 1, 2, 3, 4};

    EXPECT_EQ(selectionSortOrder(std::span<const std::int32_t>(numbers), 1, record),
              quadraticOrder(numbers, 1));
    EXPECT_EQ(passes, expected);
    passes.clear();
    EXPECT_EQ(selectionSortOrder(std::span<const std::string_view>(textViews), -1, record),
              quadraticOrder(textViews, -1));
    EXPECT_EQ(passes, expected);
    passes.clear();
    selectionSortOrder(std::span<const std::int32_t>(), 1, record);
    EXPECT_TRUE(passes.empty());
}

} // namespace
} // namespace dovra
