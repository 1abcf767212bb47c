#pragma once

#include "CapCollection.h"
#include "CapRecord.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dovra {

// Cuts the bytes of a collection file into lines while they arrive in blocks of any size, so a
// large file is read in big chunks and the caller can still show progress line by line.
// A line ends at CR, at LF or at CR LF (one break); LF CR is two breaks. A NUL ends a line and
// belongs to none. The end of the file ends a last line that has at least one byte; a file that
// ends with a break gives no extra empty line.
class LineSplitter {
public:
    // Feeds the next block of the file; calls onLine(std::string_view line) for every line the
    // block completes. The view is valid only during the call.
    template <class OnLine> void feed(std::string_view block, OnLine&& onLine);

    // The end of the file (or a read error, which counts as the end): completes a last line
    // without a break.
    template <class OnLine> void finish(OnLine&& onLine);

    // Bytes taken so far, up to and including the whole break (both bytes of CR LF) of the line
    // last reported.
    std::uint64_t consumed() const { return consumed_; }

private:
    static bool isBreak(char c) {
        // One compare rules out almost every byte of a text.
        return static_cast<unsigned char>(c) <= '\r' && (c == '\r' || c == '\n' || c == '\0');
    }

    std::string pending_;   // the start of a line that an earlier block left open
    bool heldCr_ = false;   // pending_ ended at a CR that was the last byte of a block
    std::uint64_t fed_ = 0; // bytes of all blocks before the one being fed
    std::uint64_t consumed_ = 0;
};

// Stores the eight fields of a line in the record, all of them: fields the line lacks become 0
// or the empty text. Field order: setNumber, capNumber, totalNumber, name, foundDate, country,
// damage, imagePath.
void readRecordLine(std::string_view line, CapRecord& record);

// Appends the record as one line ended by CR LF. A text that holds ";", a line break or a NUL
// would shift or split the record when read back, so there each line break (CR LF, LF CR, CR or
// LF) becomes one blank, a NUL is dropped and ";" becomes ",".
void appendRecordLine(const CapRecord& record, std::string& out);

// Writes every record in collection order by a walk, which leaves the last record current, in
// blocks of about 1 MiB. An empty collection gives no block. Returns false as soon as a sink
// call returns false; no block follows it, and the last record is current all the same.
bool writeCollection(CapCollection& collection,
                     const std::function<bool(std::string_view block)>& sink);

template <class OnLine> void LineSplitter::feed(std::string_view block, OnLine&& onLine) {
    const std::size_t size = block.size();
    std::size_t at = 0;
    if (heldCr_ && size > 0) {
        heldCr_ = false;
        if (block[0] == '\n') {
            at = 1;
        }
        consumed_ = fed_ + at;
        onLine(std::string_view(pending_));
        pending_.clear();
    }
    while (at < size) {
        const std::size_t start = at;
        std::size_t end = start;
        while (end < size && !isBreak(block[end])) {
            ++end;
        }
        if (end == size) {
            pending_.append(block.substr(start));
            break;
        }
        std::size_t next = end + 1;
        if (block[end] == '\r') {
            if (next == size) {
                // Whether an LF follows decides how far this line's break reaches.
                pending_.append(block.substr(start, end - start));
                heldCr_ = true;
                break;
            }
            if (block[next] == '\n') {
                ++next;
            }
        }
        consumed_ = fed_ + next;
        if (pending_.empty()) {
            onLine(block.substr(start, end - start));
        } else {
            pending_.append(block.substr(start, end - start));
            onLine(std::string_view(pending_));
            pending_.clear();
        }
        at = next;
    }
    fed_ += size;
}

template <class OnLine> void LineSplitter::finish(OnLine&& onLine) {
    if (!heldCr_ && pending_.empty()) {
        return;
    }
    heldCr_ = false;
    consumed_ = fed_;
    onLine(std::string_view(pending_));
    pending_.clear();
}

} // namespace dovra
