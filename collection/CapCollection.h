#pragma once

#include "CapRecord.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dovra {

// The ordered records of the running program with a current position that the commands share:
// every walk leaves the last record current, and new records go in behind the current one.
// A record never moves in memory, so a reference stays valid across walks, inserts and the
// deletion of other records. Records live in large blocks rather than one allocation each: a
// collection of a million caps then loads and lives in far less time and memory.
class CapCollection {
public:
    std::int32_t count() const { return static_cast<std::int32_t>(records_.size()); }
    CapRecord* current() const { return current_ < 0 ? nullptr : records_[current_]; }
    // Position of the current record, -1 when there is none.
    std::int32_t currentPosition() const { return static_cast<std::int32_t>(current_); }

    void reset() { current_ = -1; }
    CapRecord* next();
    CapRecord& insertAfterCurrent();
    CapRecord* selectAt(std::int32_t position);
    void deleteCurrent();

    std::int32_t countWithSetNumber(std::int32_t setNumber);
    void renumberTotals();

    CapCollection() = default;
    CapCollection(CapCollection&&) = default;
    CapCollection& operator=(CapCollection&&) = default;
    CapCollection(const CapCollection&) = delete;
    CapCollection& operator=(const CapCollection&) = delete;

private:
    CapRecord* newRecord();

    std::vector<CapRecord*> records_; // in collection order
    std::ptrdiff_t current_ = -1;
    std::vector<std::unique_ptr<CapRecord[]>> blocks_; // where the records live
    std::size_t usedInLastBlock_ = 0;
    std::vector<CapRecord*> spare_; // deleted records, empty again, to be used first
};

} // namespace dovra
