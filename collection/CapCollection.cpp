#include "CapCollection.h"

namespace dovra {

CapRecord* CapCollection::next() {
    if (records_.empty()) {
        return nullptr;
    }
    if (current_ < 0) {
        current_ = 0;
        return records_.front().get();
    }
    if (static_cast<std::size_t>(current_) + 1 >= records_.size()) {
        return nullptr; // the last record stays current
    }
    ++current_;
    return records_[current_].get();
}

CapRecord& CapCollection::insertAfterCurrent() {
    const std::ptrdiff_t at = current_ + 1; // the front when nothing is current
    auto it = records_.insert(records_.begin() + at, std::make_unique<CapRecord>());
    current_ = at;
    return **it;
}

CapRecord* CapCollection::selectAt(std::int32_t position) {
    if (position < 0 || position >= count()) {
        current_ = -1;
        return nullptr;
    }
    current_ = position;
    return records_[current_].get();
}

void CapCollection::deleteCurrent() {
    if (current_ < 0) {
        return;
    }
    records_.erase(records_.begin() + current_);
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
