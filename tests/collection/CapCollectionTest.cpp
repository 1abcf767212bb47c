#include "collection/CapCollection.h"

#include <cctype>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dovra {
namespace {

// Builds a collection of records named by the given letters, in that order, the last current.
CapCollection collectionOf(const std::string& names) {
    CapCollection collection;
    for (char name : names) {
        collection.insertAfterCurrent().name = std::string(1, name);
    }
    return collection;
}

// The names in collection order, read without moving the current position.
std::string namesOf(CapCollection& collection) {
    const std::int32_t keep = collection.currentPosition();
    std::string names;
    for (std::int32_t i = 0; i < collection.count(); ++i) {
        names += collection.selectAt(i)->name;
    }
    collection.selectAt(keep);
    return names;
}

std::string currentName(const CapCollection& collection) {
    return collection.current() ? collection.current()->name : "-";
}

struct Step {
    const char* what;
    std::string start;
    std::function<void(CapCollection&)> act;
    std::string order;   // names afterwards
    std::string current; // name of the current record afterwards, "-" for none
};

class CollectionSteps : public testing::TestWithParam<Step> {};

TEST_P(CollectionSteps, OrderAndCurrentPosition) {
    const Step& step = GetParam();
    CapCollection collection = collectionOf(step.start);
    step.act(collection);
    EXPECT_EQ(namesOf(collection), step.order);
    EXPECT_EQ(currentName(collection), step.current);
    EXPECT_EQ(collection.count(), static_cast<std::int32_t>(step.order.size()));
}

void insert(CapCollection& c, const char* name) {
    c.insertAfterCurrent().name = name;
}

INSTANTIATE_TEST_SUITE_P(
    CapCollection, CollectionSteps,
    testing::Values(Step{"insert into empty", "", [](auto& c) { insert(c, "A"); }, "A", "A"},
                    Step{"insert after reset goes to the front", "ABC",
                         [](auto& c) {
                             c.reset();
                             insert(c, "D");
                         },
                         "DABC", "D"},
                    Step{"insert behind the current record", "ABC",
                         [](auto& c) {
                             c.selectAt(1);
                             insert(c, "D");
                         },
                         "ABDC", "D"},
                    Step{"insert after selectAt(-1) goes to the front", "AB",
                         [](auto& c) {
                             EXPECT_EQ(c.selectAt(-1), nullptr);
                             insert(c, "D");
                         },
                         "DAB", "D"},
                    Step{"insert after selectAt(count) goes to the front", "AB",
                         [](auto& c) {
                             EXPECT_EQ(c.selectAt(2), nullptr);
                             insert(c, "D");
                         },
                         "DAB", "D"},
                    Step{"delete the first leaves none current", "ABC",
                         [](auto& c) {
                             c.selectAt(0);
                             c.deleteCurrent();
                         },
                         "BC", "-"},
                    Step{"insert after deleting the first goes to the front", "ABC",
                         [](auto& c) {
                             c.selectAt(0);
                             c.deleteCurrent();
                             insert(c, "D");
                         },
                         "DBC", "D"},
                    Step{"delete the second leaves the first current", "ABC",
                         [](auto& c) {
                             c.selectAt(1);
                             c.deleteCurrent();
                         },
                         "AC", "A"},
                    Step{"delete the last leaves the one before current", "ABC",
                         [](auto& c) {
                             c.selectAt(2);
                             c.deleteCurrent();
                         },
                         "AB", "B"},
                    Step{"delete the only record", "A",
                         [](auto& c) {
                             c.selectAt(0);
                             c.deleteCurrent();
                         },
                         "", "-"},
                    Step{"delete without a current record does nothing", "AB",
                         [](auto& c) {
                             c.reset();
                             c.deleteCurrent();
                         },
                         "AB", "-"},
                    Step{"countWithSetNumber leaves the last current", "ABC",
                         [](auto& c) {
                             c.selectAt(0);
                             c.countWithSetNumber(0);
                         },
                         "ABC", "C"},
                    Step{"renumberTotals leaves the last current", "ABC",
                         [](auto& c) {
                             c.selectAt(1);
                             c.renumberTotals();
                         },
                         "ABC", "C"},
                    Step{"a preview then an add inserts behind the previewed record", "ABC",
                         [](auto& c) {
                             c.countWithSetNumber(0); // a walk, as every refresh does
                             c.selectAt(1);           // the preview of B
                             insert(c, "D");
                         },
                         "ABDC", "D"},
                    Step{"an add without a preview goes to the end", "ABC",
                         [](auto& c) {
                             c.countWithSetNumber(0);
                             insert(c, "D");
                         },
                         "ABCD", "D"}),
    [](const auto& info) {
        std::string name;
        for (char ch : std::string(info.param.what)) {
            name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        }
        return name;
    });

TEST(CapCollection, NewRecordIsEmpty) {
    CapCollection collection;
    const CapRecord& record = collection.insertAfterCurrent();
    EXPECT_EQ(record, CapRecord{});
}

TEST(CapCollection, ARecordInsertedAfterADeleteStartsEmpty) {
    CapCollection collection;
    CapRecord& kept = collection.insertAfterCurrent();
    kept.name = "kept";
    CapRecord& gone = collection.insertAfterCurrent();
    gone = CapRecord{7, 8, 9, std::string(100, 'n'), "c", "d", "damage", "path"};
    collection.deleteCurrent();
    EXPECT_EQ(collection.current(), &kept);
    EXPECT_EQ(collection.insertAfterCurrent(), CapRecord{});
    EXPECT_EQ(kept.name, "kept");
    EXPECT_EQ(collection.count(), 2);
}

TEST(CapCollection, NextWalksOnceAndStopsAtTheLast) {
    CapCollection empty;
    empty.reset();
    EXPECT_EQ(empty.next(), nullptr);
    EXPECT_EQ(empty.current(), nullptr);

    CapCollection collection = collectionOf("ABC");
    collection.reset();
    std::string visited;
    while (CapRecord* record = collection.next()) {
        visited += record->name;
    }
    EXPECT_EQ(visited, "ABC");
    EXPECT_EQ(currentName(collection), "C");
    EXPECT_EQ(collection.next(), nullptr) << "next never wraps around";
    EXPECT_EQ(currentName(collection), "C");
}

TEST(CapCollection, ReferencesSurviveInsertsAndDeletesOfOthers) {
    CapCollection collection;
    CapRecord& kept = collection.insertAfterCurrent();
    kept.name = "kept";
    for (int i = 0; i < 10000; ++i) { // enough to make the owning sequence grow many times
        collection.reset();
        collection.insertAfterCurrent();
    }
    collection.selectAt(0);
    collection.deleteCurrent();
    EXPECT_EQ(kept.name, "kept");
    EXPECT_EQ(collection.selectAt(collection.count() - 1), &kept);
}

TEST(CapCollection, CountWithSetNumber) {
    CapCollection collection;
    for (std::int32_t set : {7, 0, 7, -3, 0, 0}) {
        collection.insertAfterCurrent().setNumber = set;
    }
    const struct {
        std::int32_t set;
        std::int32_t expected;
    } cases[] = {{7, 2}, {0, 3}, {-3, 1}, {3, 0}, {8, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(collection.countWithSetNumber(c.set), c.expected) << "set " << c.set;
    }
    CapCollection empty;
    EXPECT_EQ(empty.countWithSetNumber(0), 0);
    EXPECT_EQ(empty.current(), nullptr);
}

TEST(CapCollection, RenumberTotalsFollowsCollectionOrder) {
    CapCollection collection;
    for (std::int32_t total : {5, 2, 2}) {
        collection.insertAfterCurrent().totalNumber = total;
    }
    collection.renumberTotals();
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(collection.selectAt(i)->totalNumber, i + 1);
    }
    CapCollection empty;
    empty.renumberTotals();
    EXPECT_EQ(empty.count(), 0);
}

} // namespace
} // namespace dovra
