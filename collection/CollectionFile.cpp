#include "CollectionFile.h"

#include "NumberText.h"

namespace dovra {

namespace {

constexpr std::size_t blockSize = std::size_t{1} << 20;

// The fields past the three numbers, in their order on disk.
constexpr std::string CapRecord::*textFields[] = {
    &CapRecord::name,   &CapRecord::foundDate, &CapRecord::country,
    &CapRecord::damage, &CapRecord::imagePath,
};

bool needsMending(char c) {
    return c == ';' ||
           (static_cast<unsigned char>(c) <= '\r' && (c == '\r' || c == '\n' || c == '\0'));
}

void appendMended(std::string_view text, std::string& out) {
    std::size_t at = 0;
    while (at < text.size() && !needsMending(text[at])) {
        ++at;
    }
    out.append(text.substr(0, at));
    // Only texts that would break the line pay for the byte-wise copy.
    while (at < text.size()) {
        const char c = text[at++];
        if (c == ';') {
            out += ',';
        } else if (c == '\r' || c == '\n') {
            out += ' ';
            const char partner = c == '\r' ? '\n' : '\r';
            if (at < text.size() && text[at] == partner) {
                ++at;
            }
        } else if (c != '\0') {
            out += c;
        }
    }
}

} // namespace

void readRecordLine(std::string_view line, CapRecord& record) {
    std::string_view fields[8];
    std::size_t start = 0;
    for (std::size_t k = 0; k < 8; ++k) {
        const std::size_t stop = line.find(';', start);
        if (stop == std::string_view::npos) {
            fields[k] = line.substr(start);
            break;
        }
        fields[k] = line.substr(start, stop - start);
        start = stop + 1;
    }
    record.setNumber = numberFromText(fields[0]);
    record.capNumber = numberFromText(fields[1]);
    record.totalNumber = numberFromText(fields[2]);
    for (std::size_t k = 0; k < 5; ++k) {
        (record.*textFields[k]).assign(fields[3 + k]);
    }
}

void appendRecordLine(const CapRecord& record, std::string& out) {
    out += textFromNumber(record.setNumber);
    out += ';';
    out += textFromNumber(record.capNumber);
    out += ';';
    out += textFromNumber(record.totalNumber);
    for (const auto field : textFields) {
        out += ';';
        appendMended(record.*field, out);
    }
    out += "\r\n";
}

bool writeCollection(CapCollection& collection,
                     const std::function<bool(std::string_view block)>& sink) {
    std::string block;
    block.reserve(blockSize + 4096);
    collection.reset();
    while (const CapRecord* record = collection.next()) {
        appendRecordLine(*record, block);
        if (block.size() >= blockSize) {
            if (!sink(block)) {
                collection.selectAt(collection.count() - 1); // where the finished walk would stand
                return false;
            }
            block.clear();
        }
    }
    return block.empty() || sink(block);
}

} // namespace dovra
