#pragma once

#include "CapCollection.h"
#include "CapRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dovra {

// The counts of the statistics panel. highestSet and biggestCap never fall below 0;
// biggestCapSet is the setNumber of the first record, in collection order, holding biggestCap,
// and 0 while no record has a capNumber above 0.
struct StatisticsFigures {
    std::int32_t recordCount = 0, highestSet = 0, damagedCount = 0, biggestCap = 0,
                 biggestCapSet = 0;

    bool operator==(const StatisticsFigures&) const = default;
};

// One walk over the collection, which leaves the last record current.
StatisticsFigures computeStatistics(CapCollection& collection);

// Keeps the figures up while a file is loaded, so the load needs no walk per line. The first
// record of a file goes to the front of the collection and all others to the end; after each
// add the figures equal computeStatistics on the collection as it then stands.
class StatisticsTally {
public:
    explicit StatisticsTally(const StatisticsFigures& start) : figures_(start) {}

    void addAtFront(const CapRecord& record);
    void addAtEnd(const CapRecord& record);
    const StatisticsFigures& figures() const { return figures_; }

private:
    void countCommon(const CapRecord& record);

    StatisticsFigures figures_;
};

// The entries of the country list that name a country: neither "<alle>" nor "[unbekannt]".
std::int32_t countCountryEntries(const std::vector<std::string>& entryTexts);

// The five lines of the statistics frame and the three counter labels, in Windows-1252.
struct StatisticsTexts {
    std::array<std::string, 5> lines;
    std::string totalLabel, countryLabel, setLabel;
};

StatisticsTexts statisticsTexts(const StatisticsFigures& figures, std::int32_t countryEntryCount);

} // namespace dovra
