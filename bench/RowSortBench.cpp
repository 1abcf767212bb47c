// The column sort on a million rows: the order alone, and the whole click as the list will do it -
// keys read back from the rows' texts, the order computed, the rows rearranged by it.

#include "bench/CollectionGenerator.h"
#include "collection/NumberText.h"
#include "ui/RowSortOrder.h"

#include <array>
#include <benchmark/benchmark.h>
#include <string>
#include <string_view>
#include <vector>

namespace dovra {
namespace {

constexpr std::int32_t rowCount = 1'000'000;

// One row of the list: the seven column texts and the collection position as row data.
struct Row {
    std::array<std::string, 7> texts;
    std::int32_t data = 0;
};

const std::vector<Row>& generatedRows() {
    static const std::vector<Row> rows = [] {
        CapCollection collection;
        bench::generateCollection(collection, rowCount, 1);
        std::vector<Row> built;
        built.reserve(static_cast<std::size_t>(rowCount));
        collection.reset();
        for (std::int32_t position = 0; const CapRecord* record = collection.next(); ++position) {
            built.push_back({{textFromNumber(record->setNumber), textFromNumber(record->capNumber),
                              textFromNumber(record->totalNumber), record->name, record->country,
                              record->foundDate, record->damage},
                             position});
        }
        return built;
    }();
    return rows;
}

std::vector<std::uint32_t> orderOf(const std::vector<Row>& rows, int column, int direction) {
    if (column <= 2) {
        std::vector<std::int32_t> keys(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            keys[i] = numberFromText(rows[i].texts[column]);
        }
        return selectionSortOrder(std::span<const std::int32_t>(keys), direction);
    }
    std::vector<std::string_view> keys(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        keys[i] = rows[i].texts[column];
    }
    return selectionSortOrder(std::span<const std::string_view>(keys), direction);
}

const char* const columnNames[] = {"SNR", "KNR", "GNR", "Name", "Land", "Funddatum"};

// Keys already at hand: only the order. Arguments: column, direction.
void OrderOnly(benchmark::State& state) {
    const std::vector<Row>& rows = generatedRows();
    const int column = static_cast<int>(state.range(0));
    const int direction = static_cast<int>(state.range(1));
    std::vector<std::int32_t> numbers;
    std::vector<std::string_view> texts;
    for (const Row& row : rows) {
        if (column <= 2) {
            numbers.push_back(numberFromText(row.texts[column]));
        } else {
            texts.push_back(row.texts[column]);
        }
    }
    for (auto _ : state) {
        auto order = column <= 2
                         ? selectionSortOrder(std::span<const std::int32_t>(numbers), direction)
                         : selectionSortOrder(std::span<const std::string_view>(texts), direction);
        benchmark::DoNotOptimize(order.data());
    }
    state.SetLabel(columnNames[column]);
}

// Moves every row to its place in the order, one cycle of the permutation at a time, so that
// each row moves once and no second list of rows is needed.
void rearrange(std::vector<Row>& rows, const std::vector<std::uint32_t>& order) {
    std::vector<bool> placed(rows.size());
    for (std::size_t start = 0; start < rows.size(); ++start) {
        if (placed[start] || order[start] == start) {
            continue;
        }
        Row moving = std::move(rows[start]);
        std::size_t to = start;
        while (order[to] != start) {
            rows[to] = std::move(rows[order[to]]);
            placed[to] = true;
            to = order[to];
        }
        rows[to] = std::move(moving);
        placed[to] = true;
    }
}

// The whole click: keys from the row texts, the order, and the rows moved into it.
void WholeSort(benchmark::State& state) {
    const int column = static_cast<int>(state.range(0));
    const int direction = static_cast<int>(state.range(1));
    std::vector<Row> rows = generatedRows();
    for (auto _ : state) {
        rearrange(rows, orderOf(rows, column, direction));
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetLabel(columnNames[column]);
}

// The first click on each column sorts descending (1), the second ascending (-1).
void EveryColumn(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"column", "direction"})->Unit(benchmark::kMillisecond);
    for (int column = 0; column < 6; ++column) {
        benchmark->Args({column, 1});
    }
    benchmark->Args({0, -1})->Args({3, -1});
}

// Each run sorts the rows the previous one left behind, as repeated clicks do.
void SomeColumns(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"column", "direction"})->Unit(benchmark::kMillisecond);
    benchmark->Args({0, 1})->Args({0, -1})->Args({3, 1})->Args({5, 1});
}

BENCHMARK(OrderOnly)->Apply(EveryColumn)->MinTime(1.0);
BENCHMARK(WholeSort)->Apply(SomeColumns)->Iterations(4);

} // namespace
} // namespace dovra
