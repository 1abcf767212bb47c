#pragma once

#include <string>

namespace dovra {

struct CapRecord;
struct Program;
namespace toolkit {
class Toolkit;
}

// CountryBox's first entry: while it is selected, no country filter applies.
extern const char* const allCountries;

// The seven columns of RecordList with their titles and widths.
void setUpListColumns(toolkit::Toolkit& toolkit);

// What a row of RecordList shows in a column, in Windows-1252.
std::string cellText(const CapRecord& record, int column);

// Rebuilds RecordList from the collection through the country, name and set-number filters,
// then refreshes the statistics. No row is selected afterwards, and the walk leaves the last
// record current.
void refreshList(Program& program);

// Every event of CountryBox, SetNumberField and NameField: the list follows the filters, then
// the events that piled up meanwhile are dropped, while the input behind them still arrives.
void handleFilterEvent(Program& program);

// The record the selected row shows, made current; none when no row is selected.
CapRecord* recordOfSelectedRow(Program& program);

} // namespace dovra
