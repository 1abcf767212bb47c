#include "Statistics.h"

#include "NumberText.h"
#include "Windows1252.h"

namespace dovra {

StatisticsFigures computeStatistics(CapCollection& collection) {
    StatisticsTally tally({});
    collection.reset();
    while (const CapRecord* record = collection.next()) {
        tally.addAtEnd(*record);
    }
    return tally.figures();
}

void StatisticsTally::countCommon(const CapRecord& record) {
    ++figures_.recordCount;
    if (record.setNumber > figures_.highestSet) {
        figures_.highestSet = record.setNumber;
    }
    if (!record.damage.empty()) {
        ++figures_.damagedCount;
    }
}

void StatisticsTally::addAtFront(const CapRecord& record) {
    countCommon(record);
    // Now the walk meets this record first, so it wins a tie with the old biggest cap; a cap of
    // 0 or below never counts, as the walk starts from 0.
    if (record.capNumber > 0 && record.capNumber >= figures_.biggestCap) {
        figures_.biggestCap = record.capNumber;
        figures_.biggestCapSet = record.setNumber;
    }
}

void StatisticsTally::addAtEnd(const CapRecord& record) {
    countCommon(record);
    // Strict, so among equal caps the first in collection order names the set.
    if (record.capNumber > figures_.biggestCap) {
        figures_.biggestCap = record.capNumber;
        figures_.biggestCapSet = record.setNumber;
    }
}

std::int32_t countCountryEntries(const std::vector<std::string>& entryTexts) {
    std::int32_t count = 0;
    for (const std::string& text : entryTexts) {
        if (text != "<alle>" && text != "[unbekannt]") {
            ++count;
        }
    }
    return count;
}

StatisticsTexts statisticsTexts(const StatisticsFigures& figures, std::int32_t countryEntryCount) {
    static const std::string countries = windows1252FromUtf8("Anzahl Länder: ");
    static const std::string sets = windows1252FromUtf8("Anzahl Sätze: ");
    static const std::string damaged = windows1252FromUtf8("Anzahl Beschädigte: ");
    static const std::string biggest = windows1252FromUtf8("Größter Satz: (");
    static const std::string countryLabel = windows1252FromUtf8("Länder: ");
    static const std::string setLabel = windows1252FromUtf8("Sätze: ");

    StatisticsTexts texts;
    texts.lines[0] = "Gesamtanzahl: " + textFromNumber(figures.recordCount);
    texts.lines[1] = countries + textFromNumber(countryEntryCount);
    texts.lines[2] = sets + textFromNumber(figures.highestSet);
    texts.lines[3] = damaged + textFromNumber(figures.damagedCount);
    texts.lines[4] = biggest + textFromNumber(figures.biggestCapSet) +
                     ") Kronkorken: " + textFromNumber(figures.biggestCap);
    texts.totalLabel = "Gesamt: " + textFromNumber(figures.recordCount);
    texts.countryLabel = countryLabel + textFromNumber(countryEntryCount);
    texts.setLabel = setLabel + textFromNumber(figures.highestSet);
    return texts;
}

} // namespace dovra
