#include "collection/Statistics.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace dovra {

// Found by GoogleTest next to the type, so failures show the figures by name.
void PrintTo(const StatisticsFigures& f, std::ostream* os) {
    *os << "{records " << f.recordCount << ", highest set " << f.highestSet << ", damaged "
        << f.damagedCount << ", biggest cap " << f.biggestCap << " in set " << f.biggestCapSet
        << "}";
}

namespace {

struct Cap {
    std::int32_t setNumber;
    std::int32_t capNumber;
    std::string damage;
};

CapRecord recordOf(const Cap& cap) {
    CapRecord r;
    r.setNumber = cap.setNumber;
    r.capNumber = cap.capNumber;
    r.damage = cap.damage;
    return r;
}

CapCollection collectionOf(const std::vector<Cap>& caps) {
    CapCollection collection;
    for (const Cap& cap : caps) {
        collection.insertAfterCurrent() = recordOf(cap);
    }
    return collection;
}

StatisticsFigures figures(std::int32_t records, std::int32_t highestSet, std::int32_t damaged,
                          std::int32_t biggestCap, std::int32_t biggestCapSet) {
    return {records, highestSet, damaged, biggestCap, biggestCapSet};
}

TEST(Statistics, WorkedExample) {
    CapCollection collection = collectionOf({{1, 1, ""}, {1, 2, "Kratzer"}, {2, 2, ""}});
    collection.selectAt(0);
    const StatisticsFigures f = computeStatistics(collection);
    EXPECT_EQ(f, figures(3, 2, 1, 2, 1));
    EXPECT_EQ(collection.currentPosition(), 2) << "the walk leaves the last record current";

    const StatisticsTexts texts =
        statisticsTexts(f, countCountryEntries({"<alle>", "Belgien", "Deutschland"}));
    EXPECT_EQ(texts.lines[0], "Gesamtanzahl: 3");
    EXPECT_EQ(texts.lines[1], "Anzahl L\xE4nder: 2");
    EXPECT_EQ(texts.lines[2], "Anzahl S\xE4tze: 2");
    EXPECT_EQ(texts.lines[3], "Anzahl Besch\xE4"
                              "digte: 1");
    EXPECT_EQ(texts.lines[4], "Gr\xF6\xDF"
                              "ter Satz: (1) Kronkorken: 2");
    EXPECT_EQ(texts.totalLabel, "Gesamt: 3");
    EXPECT_EQ(texts.countryLabel, "L\xE4nder: 2");
    EXPECT_EQ(texts.setLabel, "S\xE4tze: 2");
}

TEST(Statistics, EmptyCollection) {
    CapCollection collection;
    const StatisticsFigures f = computeStatistics(collection);
    EXPECT_EQ(f, figures(0, 0, 0, 0, 0));
    EXPECT_EQ(collection.current(), nullptr);

    const StatisticsTexts texts = statisticsTexts(f, countCountryEntries({"<alle>"}));
    EXPECT_EQ(texts.lines[0], "Gesamtanzahl: 0");
    EXPECT_EQ(texts.lines[1], "Anzahl L\xE4nder: 0");
    EXPECT_EQ(texts.lines[2], "Anzahl S\xE4tze: 0");
    EXPECT_EQ(texts.lines[3], "Anzahl Besch\xE4"
                              "digte: 0");
    EXPECT_EQ(texts.lines[4], "Gr\xF6\xDF"
                              "ter Satz: (0) Kronkorken: 0");
    EXPECT_EQ(texts.totalLabel, "Gesamt: 0");
    EXPECT_EQ(texts.countryLabel, "L\xE4nder: 0");
    EXPECT_EQ(texts.setLabel, "S\xE4tze: 0");
}

TEST(Statistics, Figures) {
    const struct {
        const char* what;
        std::vector<Cap> caps;
        StatisticsFigures expected;
    } cases[] = {
        {"sets 3 and 5 only: five sets",
         {{3, 1, ""}, {5, 1, ""}, {3, 2, ""}},
         figures(3, 5, 0, 2, 3)},
        {"negative and zero sets give 0",
         {{-4, 1, ""}, {0, 2, ""}, {-1, 3, ""}},
         figures(3, 0, 0, 3, -1)},
        {"negative and zero caps give 0 and set 0",
         {{7, 0, ""}, {8, -3, ""}},
         figures(2, 8, 0, 0, 0)},
        {"a tie goes to the first in collection order",
         {{4, 9, ""}, {6, 9, ""}, {2, 1, ""}},
         figures(3, 6, 0, 9, 4)},
        {"a later bigger cap takes over",
         {{4, 9, ""}, {6, 10, ""}, {2, 10, ""}},
         figures(3, 6, 0, 10, 6)},
        {"a negative set can hold the biggest cap",
         {{-4, 3, ""}, {1, 2, ""}},
         figures(2, 1, 0, 3, -4)},
        {"damage of blanks or a line break counts",
         {{1, 1, " "}, {1, 1, "\r\n"}, {1, 1, ""}},
         figures(3, 1, 2, 1, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CapCollection collection = collectionOf(c.caps);
        EXPECT_EQ(computeStatistics(collection), c.expected);
    }
}

TEST(Statistics, NegativeSetInTheTexts) {
    const StatisticsTexts texts = statisticsTexts(figures(2, 1, 0, 3, -4), 0);
    EXPECT_EQ(texts.lines[4], "Gr\xF6\xDF"
                              "ter Satz: (-4) Kronkorken: 3");
}

TEST(Statistics, CountryEntries) {
    EXPECT_EQ(countCountryEntries({}), 0);
    EXPECT_EQ(countCountryEntries({"<alle>", "[unbekannt]"}), 0);
    // Entries, not distinct countries; the empty text of a record without country counts, and
    // only the exact bytes of the two placeholders are left out.
    EXPECT_EQ(countCountryEntries({"<alle>", "Belgien", "", "[unbekannt]", "<alle>", "<ALLE>",
                                   " [unbekannt]", "Belgien"}),
              5);
}

// A file's first record goes to the front, the others to the end; the tally must follow the
// walk's rule for the biggest cap in both places, ties included.
TEST(StatisticsTally, FollowsTheWalkAtFrontAndEnd) {
    const struct {
        const char* what;
        std::vector<Cap> start;
        Cap added;
        bool atFront;
    } cases[] = {
        {"a tie at the front takes over", {{4, 9, ""}}, {6, 9, ""}, true},
        {"a tie at the end does not", {{4, 9, ""}}, {6, 9, ""}, false},
        {"a cap of 0 at the front names no set", {{4, -2, ""}}, {6, 0, ""}, true},
        {"a smaller cap at the front changes nothing", {{4, 9, "x"}}, {6, 3, "x"}, true},
        {"a bigger cap at the end takes over", {{4, 9, ""}}, {-6, 10, ""}, false},
        {"into an empty collection at the front", {}, {-6, 1, " "}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CapCollection collection = collectionOf(c.start);
        StatisticsTally tally(computeStatistics(collection));
        if (c.atFront) {
            collection.reset();
            tally.addAtFront(recordOf(c.added));
        } else {
            tally.addAtEnd(recordOf(c.added));
        }
        collection.insertAfterCurrent() = recordOf(c.added);
        EXPECT_EQ(tally.figures(), computeStatistics(collection));
    }
}

TEST(StatisticsTally, EqualsComputeStatisticsAfterRandomInsertions) {
    for (unsigned seed = 1; seed <= 50; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        // Small ranges, so ties and values at or below 0 are frequent.
        auto draw = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        auto randomCap = [&]() {
            const char* damages[] = {"", "", " ", "\r\n", "Rost"};
            return Cap{draw(-3, 6), draw(-3, 6), damages[draw(0, 4)]};
        };
        std::vector<Cap> start;
        for (int i = draw(0, 5); i > 0; --i) {
            start.push_back(randomCap());
        }
        CapCollection collection = collectionOf(start);
        StatisticsTally tally(computeStatistics(collection));
        for (int step = 0; step < 30; ++step) {
            const CapRecord added = recordOf(randomCap());
            if (draw(0, 2) == 0) {
                collection.reset();
                tally.addAtFront(added);
            } else {
                collection.selectAt(collection.count() - 1);
                tally.addAtEnd(added);
            }
            collection.insertAfterCurrent() = added;
            ASSERT_EQ(tally.figures(), computeStatistics(collection)) << "step " << step;
        }
    }
}

} // namespace
} // namespace dovra
