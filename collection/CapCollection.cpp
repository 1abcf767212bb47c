#include "CapCollection.h"

#include <new>

namespace dovra {

namespace {

constexpr std::size_t recordsPerBlock = 4096;

} // namespace

CapRecord* CapCollection::newRecord() {
    if (!spare_.empty()) {
        CapRecord* record = spare_.back();
        spare_.pop_back();
        return record;
    }
    if (blocks_.empty() || usedInLastBlock_ == recordsPerBlock) {
        blocks_.push_back(std::make_unique<CapRecord[]>(recordsPerBlock));
        usedInLastBlock_ = 0;
    }
    return &blocks_.back()[usedInLastBlock_++];
}

CapRecord* CapCollection::next() {
    if (records_.empty()) {
        return nullptr;
    }
    if (current_ < 0) {
        current_ = 0;
        return records_.front();
    }
    if (static_cast<std::size_t>(current_) + 1 >= records_.size()) {
        return nullptr; // the last record stays current
    }
    ++current_;
    return records_[current_];
}

CapRecord& CapCollection::insertAfterCurrent() {
    const std::ptrdiff_t at = current_ + 1; // the front when nothing is current
    CapRecord* record = newRecord();
    records_.insert(records_.begin() + at, record);
    current_ = at;
    return *record;
}

CapRecord* CapCollection::selectAt(std::int32_t position) {
    if (position < 0 || position >= count()) {
        current_ = -1;
        return nullptr;
    }
    current_ = position;
    return records_[current_];
}

void CapCollection::deleteCurrent() {
    if (current_ < 0) {
        return;
    }
    CapRecord* record = records_[current_];
    records_.erase(records_.begin() + current_);
    // Its texts are freed now; the empty record waits for the next insert.
    record->~CapRecord();
    new (record) CapRecord();
    spare_.push_back(record);
    --current_; // the record before becomes current; none when the first one went
}

std::int32_t CapCollection::countWithSetNumber(std::int32_t setNumber) {
    std::int32_t found = 0;
    reset();
    while (const CapRecord* record = next()) {
        if (record->setNumber == setNumber) {
            ++found;
        }
    }
    return found;
}

void CapCollection::renumberTotals() {
    std::int32_t number = 0;
    reset();
    while (CapRecord* record = next()) {
        record->totalNumber = ++number;
    }
}

} // namespace dovra
