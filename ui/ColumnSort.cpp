#include "ColumnSort.h"

#include "Program.h"
#include "RowSortOrder.h"
#include "StatisticsView.h"

#include <string_view>
#include <vector>

namespace dovra {

namespace {

constexpr int sortableColumns = 6;

std::int32_t numberKey(const CapRecord& record, int column) {
    switch (column) {
    case 0:
        return record.setNumber;
    case 1:
        return record.capNumber;
    default:
        return record.totalNumber;
    }
}

std::string_view textKey(const CapRecord& record, int column) {
    switch (column) {
    case 3:
        return record.name;
    case 4:
        return record.country;
    default:
        return record.foundDate;
    }
}

// Rows exchange their contents, not their places: the selection stays at its row and the next
// list refresh brings back collection order. A row's texts are its record's fields written out,
// so the keys are taken from the record; a number reads back from its text as itself.
void sortRows(Program& program) {
    const SortState& sort = program.sort;
    if (sort.column < 0) {
        return;
    }
    toolkit::Toolkit& tk = program.toolkit;
    const std::vector<toolkit::ListRow>& rows = tk.rows(Control::RecordList);
    const std::size_t n = rows.size();
    const int direction = sort.directions[static_cast<std::size_t>(sort.column)];
    int shown = -1;
    const SortProgress progress = [&](std::size_t pass) {
        const int value = static_cast<int>(pass * 100 / n);
        if (value != shown) {
            shown = value;
            tk.setState(Control::ProgressBar, value);
        }
    };
    std::vector<std::uint32_t> order;
    if (sort.column < 3) {
        std::vector<std::int32_t> keys;
        keys.reserve(n);
        for (const toolkit::ListRow& row : rows) {
            keys.push_back(numberKey(*row.record, sort.column));
        }
        order = selectionSortOrder(keys, direction, progress);
    } else {
        std::vector<std::string_view> keys;
        keys.reserve(n);
        for (const toolkit::ListRow& row : rows) {
            keys.push_back(textKey(*row.record, sort.column));
        }
        order = selectionSortOrder(keys, direction, progress);
    }
    tk.permuteRows(Control::RecordList, order);
    if (n > 0) {
        // Each pass recounts the statistics; the figures cannot change, but the walk leaves the
        // last record current, once is enough for that.
        refreshStatistics(program);
    }
    tk.setState(Control::ProgressBar, 0);
}

} // namespace

void installColumnSort(Program& program) {
    program.toolkit.setHeaderClickHook(Control::RecordList,
                                       [&program](int column) { clickColumn(program, column); });
}

void clickColumn(Program& program, int column) {
    SortState& sort = program.sort;
    if (column < 0 || column >= sortableColumns) {
        sort.column = -1;
    } else {
        std::int32_t& direction = sort.directions[static_cast<std::size_t>(column)];
        direction = direction == 1 ? -1 : 1;
        sort.column = column;
    }
    sortRows(program);
}

} // namespace dovra
