#include "bench/CollectionGenerator.h"

#include "collection/Windows1252.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace dovra::bench {
namespace {

std::vector<CapRecord> recordsOf(CapCollection& collection) {
    std::vector<CapRecord> records;
    collection.reset();
    while (const CapRecord* record = collection.next()) {
        records.push_back(*record);
    }
    return records;
}

std::vector<CapRecord> generated(std::int32_t count, std::uint32_t seed) {
    CapCollection collection;
    generateCollection(collection, count, seed);
    return recordsOf(collection);
}

bool isDate(const std::string& text) {
    int day = 0, month = 0, year = 0;
    char end = 0;
    return text.size() == 10 && text[2] == '.' && text[5] == '.' &&
           std::sscanf(text.c_str(), "%2d.%2d.%4d%c", &day, &month, &year, &end) == 3 && day >= 1 &&
           day <= 31 && month >= 1 && month <= 12 && year >= 1900;
}

TEST(CollectionGenerator, SameSeedSameCollection) {
    const std::vector<CapRecord> first = generated(3000, 42);
    EXPECT_EQ(first, generated(3000, 42));
    EXPECT_NE(first, generated(3000, 43));
    const std::vector<CapRecord> fewer = generated(1000, 42); // the count changes no record
    EXPECT_TRUE(std::equal(fewer.begin(), fewer.end(), first.begin()));
}

TEST(CollectionGenerator, AppendsBehindTheLastRecord) {
    CapCollection collection;
    collection.insertAfterCurrent().name = "a";
    collection.insertAfterCurrent().name = "b";
    collection.reset();
    generateCollection(collection, 1000, 7);
    ASSERT_EQ(collection.count(), 1002);
    EXPECT_EQ(collection.selectAt(0)->name, "a");
    EXPECT_EQ(collection.selectAt(1)->name, "b");
    EXPECT_EQ(collection.selectAt(2)->totalNumber, 1);
    collection.selectAt(1001);
    generateCollection(collection, 1000, 7);
    EXPECT_EQ(collection.currentPosition(), 2001);
    EXPECT_EQ(collection.current()->totalNumber, 1000);
}

TEST(CollectionGenerator, LooksLikeACollection) {
    constexpr std::int32_t count = 100'000;
    const std::vector<CapRecord> records = generated(count, 1);
    ASSERT_EQ(records.size(), std::size_t{count});

    std::map<std::string, int> countries;
    int damaged = 0, twoLineDamages = 0, rare = 0, withUmlauts = 0;
    std::int32_t setSize = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CapRecord& record = records[i];
        SCOPED_TRACE(i);
        ASSERT_EQ(record.totalNumber, static_cast<std::int32_t>(i) + 1);
        if (i == 0 || record.setNumber != records[i - 1].setNumber) {
            const std::int32_t previousSet = i == 0 ? 0 : records[i - 1].setNumber;
            ASSERT_EQ(record.setNumber, previousSet + 1);
            ASSERT_TRUE(i == 0 || (setSize >= 20 && setSize <= 60)) << setSize;
            setSize = 0;
        } else {
            ASSERT_EQ(record.country, records[i - 1].country) << "a set comes from one country";
        }
        ASSERT_EQ(record.capNumber, ++setSize);
        ASSERT_TRUE(isDate(record.foundDate)) << record.foundDate;
        char path[64];
        std::snprintf(path, sizeof path, "/home/sammler/Bilder/kk/%06d.png", record.totalNumber);
        ASSERT_EQ(record.imagePath, path);
        for (const std::string* text : {&record.name, &record.country, &record.damage}) {
            ASSERT_EQ(text->find('?'), std::string::npos) << *text << " lost a character";
        }
        ++countries[record.country];
        damaged += !record.damage.empty();
        twoLineDamages += record.damage.find("\r\n") != std::string::npos;
        rare += record.name.find(rareNameFragment) != std::string::npos;
        withUmlauts += std::any_of(record.name.begin(), record.name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    }
    EXPECT_GE(records.back().setNumber, count / 60);
    EXPECT_LE(records.back().setNumber, count / 20);
    EXPECT_NEAR(damaged, count / 3, count / 30);
    EXPECT_GT(twoLineDamages, count / 50);
    EXPECT_NEAR(rare, count / 100, count / 300);
    EXPECT_GT(withUmlauts, count / 10);
    EXPECT_GE(countries.size(), 30u);
    const auto mostCommon = std::max_element(countries.begin(), countries.end(),
                                             [](auto a, auto b) { return a.second < b.second; });
    EXPECT_EQ(mostCommon->first, "Deutschland");
    EXPECT_TRUE(countries.count(windows1252FromUtf8("Österreich")));
}

} // namespace
} // namespace dovra::bench
