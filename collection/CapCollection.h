#pragma once

#include "CapRecord.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dovra {

// The ordered records of the running program with a current position that the commands share:
// every walk leaves the last record current, and new records go in behind the current one.
// Records are owned one by one, so a reference stays valid across walks, inserts and the
// deletion of other records.
class CapCollection {
public:
    std::int32_t count() const { return static_cast<std::int32_t>(records_.size()); }
    CapRecord* current() const { return current_ < 0 ? nullptr : records_[current_].get(); }
    // Position of the current record, -1 when there is none.
    std::int32_t currentPosition() const { return static_cast<std::int32_t>(current_); }

    void reset() { current_ = -1; }
    CapRecord* next();
    CapRecord& insertAfterCurrent();
    CapRecord* selectAt(std::int32_t position);
    void deleteCurrent();

    std::int32_t countWithSetNumber(std::int32_t setNumber);
    void renumberTotals();

private:
    std::vector<std::unique_ptr<CapRecord>> records_;
    std::ptrdiff_t current_ = -1;
};

} // namespace dovra
