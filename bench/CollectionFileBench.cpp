// Writing and reading a collection of a million caps, the size a long-time collector reaches.
#include "collection/CollectionFile.h"

#include <array>
#include <benchmark/benchmark.h>
#include <string>

namespace dovra {
namespace {

constexpr std::int32_t recordCount = 1'000'000;

CapCollection& bigCollection() {
    static CapCollection collection = [] {
        const std::array<const char*, 6> names = {"Pils",
                                                  "Export Hell",
                                                  "M\xFCnchner Weisse",
                                                  "Landbier",
                                                  "Kellerbier naturtr\xFC"
                                                  "b",
                                                  "Alkoholfrei"};
        const std::array<const char*, 5> countries = {"Belgien", "Deutschland", "\xD6sterreich",
                                                      "Tschechien", ""};
        CapCollection c;
        for (std::int32_t i = 0; i < recordCount; ++i) {
            CapRecord& r = c.insertAfterCurrent();
            r.setNumber = i / 40 + 1;
            r.capNumber = i % 40 + 1;
            r.totalNumber = i + 1;
            r.name = std::string(names[i % names.size()]) + " " + std::to_string(i % 977);
            r.foundDate = std::to_string(10 + i % 18) + ".0" + std::to_string(1 + i % 9) + "." +
                          std::to_string(1990 + i % 35);
            r.country = countries[i % countries.size()];
            if (i % 11 == 0) {
                r.damage = i % 22 == 0 ? "Kratzer am Rand" : "leicht verbogen\r\nRost";
            }
            r.imagePath = "C:\\Bilder\\Satz" + std::to_string(r.setNumber) + "\\" +
                          std::to_string(r.capNumber) + ".png";
        }
        return c;
    }();
    return collection;
}

std::string writtenFile() {
    std::string file;
    writeCollection(bigCollection(), [&](std::string_view block) {
        file += block;
        return true;
    });
    return file;
}

// The sink appends to a string whose memory is touched before the clock runs, so the figure is
// the formatting, not the first-touch cost of 80 MiB.
void BM_WriteCollection(benchmark::State& state) {
    CapCollection& collection = bigCollection();
    std::string file = writtenFile();
    for (auto _ : state) {
        file.clear();
        writeCollection(collection, [&](std::string_view block) {
            file += block;
            return true;
        });
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["MiB"] = static_cast<double>(file.size()) / (1 << 20);
}

// As the open procedure reads a file: 1 MiB blocks, one new record per line behind the current one.
// Most of this time goes to the memory of a million new records, not to the file core: compare
// BM_SplitAndReadFields.
void BM_ReadCollection(benchmark::State& state) {
    const std::string file = writtenFile();
    constexpr std::size_t blockSize = std::size_t{1} << 20;
    std::int32_t lines = 0;
    for (auto _ : state) {
        CapCollection collection;
        LineSplitter splitter;
        auto onLine = [&](std::string_view line) {
            readRecordLine(line, collection.insertAfterCurrent());
        };
        for (std::size_t at = 0; at < file.size(); at += blockSize) {
            splitter.feed(std::string_view(file).substr(at, blockSize), onLine);
        }
        splitter.finish(onLine);
        lines = collection.count();
        benchmark::DoNotOptimize(splitter.consumed());
        state.PauseTiming(); // freeing a million records is not part of the read
        collection = CapCollection();
        state.ResumeTiming();
    }
    state.counters["lines"] = lines;
}

// The file core's own share of a read: lines split and fields stored into one record.
void BM_SplitAndReadFields(benchmark::State& state) {
    const std::string file = writtenFile();
    constexpr std::size_t blockSize = std::size_t{1} << 20;
    for (auto _ : state) {
        CapRecord record;
        LineSplitter splitter;
        auto onLine = [&](std::string_view line) { readRecordLine(line, record); };
        for (std::size_t at = 0; at < file.size(); at += blockSize) {
            splitter.feed(std::string_view(file).substr(at, blockSize), onLine);
        }
        splitter.finish(onLine);
        benchmark::DoNotOptimize(record);
    }
}

BENCHMARK(BM_WriteCollection)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadCollection)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SplitAndReadFields)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace dovra

BENCHMARK_MAIN();
