#include "ListView.h"

#include "Program.h"
#include "StatisticsView.h"
#include "collection/NumberText.h"
#include "collection/Statistics.h"

#include <string_view>
#include <vector>

namespace dovra {

const char* const allCountries = "<alle>";

void setUpListColumns(toolkit::Toolkit& toolkit) {
    toolkit.setListColumns(Control::RecordList,
                           {{QStringLiteral("SNR"), 50},
                            {QStringLiteral("KNR"), 50},
                            {QStringLiteral("GNR"), 50},
                            {QStringLiteral("Name"), 250},
                            {QStringLiteral("Land"), 100},
                            {QStringLiteral("Funddatum"), 100},
                            {QStringLiteral("Beschädigungen"), 150}},
                           &cellText);
}

std::string cellText(const CapRecord& record, int column) {
    switch (column) {
    case 0:
        return textFromNumber(record.setNumber);
    case 1:
        return textFromNumber(record.capNumber);
    case 2:
        return textFromNumber(record.totalNumber);
    case 3:
        return record.name;
    case 4:
        return record.country;
    case 5:
        return record.foundDate;
    case 6:
        return record.damage;
    default:
        return {};
    }
}

void refreshList(Program& program) {
    toolkit::Toolkit& tk = program.toolkit;
    const int countryEntry = tk.state(Control::CountryBox);
    const std::string country =
        countryEntry >= 0 ? tk.entryText(Control::CountryBox, countryEntry) : std::string();
    const bool byCountry = countryEntry >= 0 && country != allCountries;
    const std::string name = tk.text(Control::NameField);
    const std::string setText = tk.text(Control::SetNumberField);
    const bool bySet = !setText.empty();
    const std::int32_t set = numberFromText(setText);

    std::vector<toolkit::ListRow> rows;
    rows.reserve(static_cast<std::size_t>(program.collection.count()));
    // The statistics are counted in the same walk: a million records are read once, not twice.
    StatisticsTally statistics({});
    std::int32_t position = 0;
    program.collection.reset();
    while (const CapRecord* record = program.collection.next()) {
        statistics.addAtEnd(*record);
        const bool shown = (!byCountry || record->country == country) &&
                           (name.empty() || record->name.find(name) != std::string::npos) &&
                           (!bySet || record->setNumber == set);
        if (shown) {
            rows.push_back({position, record});
        }
        ++position;
    }
    // One model reset replaces every row; no row is selected afterwards.
    tk.setRows(Control::RecordList, std::move(rows));
    showStatistics(program, statistics.figures());
}

void handleFilterEvent(Program& program) {
    refreshList(program);
    while (program.toolkit.events().take()) {
    }
}

CapRecord* recordOfSelectedRow(Program& program) {
    const int row = program.toolkit.state(Control::RecordList);
    if (row < 0) {
        return nullptr;
    }
    return program.collection.selectAt(program.toolkit.entryData(Control::RecordList, row));
}

} // namespace dovra
