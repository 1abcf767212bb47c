#include "collection/CollectionFile.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace dovra {
namespace {

using namespace std::string_literals;

constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

// ---- Lines ----

struct Line {
    std::string text;
    std::uint64_t consumed; // consumed() while the line is reported

    bool operator==(const Line&) const = default;
};

void PrintTo(const Line& line, std::ostream* os) {
    *os << testing::PrintToString(line.text) << "@" << line.consumed;
}

// Feeds the bytes in blocks of the given size, with an empty block after each one, as a read
// at the end of a file may give.
std::vector<Line> splitInBlocks(const std::string& bytes, std::size_t blockSize) {
    std::vector<Line> lines;
    LineSplitter splitter;
    auto onLine = [&](std::string_view line) {
        lines.push_back({std::string(line), splitter.consumed()});
    };
    for (std::size_t at = 0; at < bytes.size(); at += blockSize) {
        splitter.feed(std::string_view(bytes).substr(at, blockSize), onLine);
        splitter.feed(std::string_view(), onLine);
    }
    splitter.finish(onLine);
    return lines;
}

struct SplitCase {
    const char* what;
    std::string bytes;
    std::vector<Line> lines;
};

TEST(LineSplitter, ReadingRulesInBlocksOfEverySize) {
    const SplitCase cases[] = {
        {"an empty file gives no line", "", {}},
        {"the end of the file ends the last line", "AB", {{"AB", 2}}},
        {"CR LF is one break; a final break gives no extra line",
         "AB\r\nC\r\n",
         {{"AB", 4}, {"C", 7}}},
        {"LF alone ends a line", "AB\nC", {{"AB", 3}, {"C", 4}}},
        {"CR alone ends a line", "AB\rC\r", {{"AB", 3}, {"C", 5}}},
        {"CR LF alone is one empty line", "\r\n", {{"", 2}}},
        {"a lone CR is one empty line", "\r", {{"", 1}}},
        {"a CR as the last byte ends the last line", "A\r", {{"A", 2}}},
        {"a NUL after the last break is an empty line", "A\r\n\0"s, {{"A", 3}, {"", 4}}},
        {"LF CR is two breaks at the end", "A\n\r", {{"A", 2}, {"", 3}}},
        {"LF CR is two breaks in the middle", "A\n\rB", {{"A", 2}, {"", 3}, {"B", 4}}},
        {"CR CR LF is two breaks", "A\r\r\nB", {{"A", 2}, {"", 4}, {"B", 5}}},
        {"empty lines in the middle",
         "A\n\nB\r\n\r\nC",
         {{"A", 2}, {"", 3}, {"B", 6}, {"", 8}, {"C", 9}}},
        {"a NUL ends a line and belongs to none", "A\0B"s, {{"A", 2}, {"B", 3}}},
        {"a NUL alone is one empty line", "\0"s, {{"", 1}}},
        {"two NULs are two empty lines", "\0\0"s, {{"", 1}, {"", 2}}},
        {"NUL LF is two breaks", "A\0\nB"s, {{"A", 2}, {"", 3}, {"B", 4}}},
        {"CR NUL is two breaks", "A\r\0B"s, {{"A", 2}, {"", 3}, {"B", 4}}},
        {"every other byte belongs to the line",
         "1;\tx\xE4\x80\x7F\x0B\x0C \"q\";\xFF\n",
         {{"1;\tx\xE4\x80\x7F\x0B\x0C \"q\";\xFF", 16}}},
    };
    for (const SplitCase& c : cases) {
        for (std::size_t blockSize = 1; blockSize <= c.bytes.size() + 1; ++blockSize) {
            SCOPED_TRACE(testing::Message() << c.what << ", blocks of " << blockSize);
            const std::vector<Line> lines = splitInBlocks(c.bytes, blockSize);
            EXPECT_EQ(lines, c.lines);
            if (!lines.empty()) {
                EXPECT_EQ(lines.back().consumed, c.bytes.size()) << "progress ends below 100%";
            }
        }
    }
}

TEST(LineSplitter, LinesLongerThanManyBlocks) {
    std::string longLine(300'000, 'x');
    for (std::size_t i = 0; i < longLine.size(); i += 997) {
        longLine[i] = ';';
    }
    const std::string bytes = "A\r\n" + longLine + "\r\n" + longLine + "\rB";
    const std::vector<Line> expected = {
        {"A", 3},
        {longLine, 3 + longLine.size() + 2},
        {longLine, 3 + 2 * longLine.size() + 3},
        {"B", bytes.size()},
    };
    for (std::size_t blockSize : {4096u, 65536u, 1u << 20}) {
        SCOPED_TRACE(blockSize);
        EXPECT_EQ(splitInBlocks(bytes, blockSize), expected);
    }
}

// ---- Fields ----

CapRecord record(std::int32_t setNumber, std::int32_t capNumber, std::int32_t totalNumber,
                 std::string name, std::string foundDate, std::string country, std::string damage,
                 std::string imagePath) {
    CapRecord r;
    r.setNumber = setNumber;
    r.capNumber = capNumber;
    r.totalNumber = totalNumber;
    r.name = std::move(name);
    r.foundDate = std::move(foundDate);
    r.country = std::move(country);
    r.damage = std::move(damage);
    r.imagePath = std::move(imagePath);
    return r;
}

TEST(ReadRecordLine, FieldsInTheirPlaces) {
    const struct {
        const char* what;
        std::string line;
        CapRecord expected;
    } cases[] = {
        {"foundDate stands before country", "12;3;40;Pils;05.04.2008;Belgien;;C:\\Bilder\\pils.png",
         record(12, 3, 40, "Pils", "05.04.2008", "Belgien", "", "C:\\Bilder\\pils.png")},
        {"missing fields are 0 or empty", "5;6", record(5, 6, 0, "", "", "", "", "")},
        {"an empty line is an empty record", "", record(0, 0, 0, "", "", "", "", "")},
        {"only separators", ";;;;;;;", record(0, 0, 0, "", "", "", "", "")},
        {"fields after the eighth are ignored", "1;2;3;a;b;c;d;e;f;g",
         record(1, 2, 3, "a", "b", "c", "d", "e")},
        {"an eighth separator ends the picture path", "1;2;3;a;b;c;d;e;",
         record(1, 2, 3, "a", "b", "c", "d", "e")},
        {"numbers after blanks, with plus, before letters", " \t7;+7;7a",
         record(7, 7, 7, "", "", "", "", "")},
        {"negative number, quoted number, no digits", "-3;\"5\";x",
         record(-3, 0, 0, "", "", "", "", "")},
        {"a byte-order mark spoils the first number",
         "\xEF\xBB\xBF"
         "5;1;2",
         record(0, 1, 2, "", "", "", "", "")},
        {"texts keep blanks, quotes and high bytes", "1;2;3; \"Br\xE4u\" ;x ;\t;\xA0;\"",
         record(1, 2, 3, " \"Br\xE4u\" ", "x ", "\t", "\xA0", "\"")},
        {"numbers beyond 32 bits stop at the ends", "99999999999;-99999999999;2147483647",
         record(int32Max, int32Min, int32Max, "", "", "", "", "")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CapRecord fresh;
        readRecordLine(c.line, fresh);
        EXPECT_EQ(fresh, c.expected);
        // The loader may hand in a record that already holds something: all eight are stored.
        CapRecord used = record(9, 9, 9, "n", "f", "c", "d", "i");
        readRecordLine(c.line, used);
        EXPECT_EQ(used, c.expected);
    }
}

// ---- Writing ----

std::string lineOf(const CapRecord& r) {
    std::string out;
    appendRecordLine(r, out);
    return out;
}

TEST(AppendRecordLine, ExactBytes) {
    const std::string example =
        lineOf(record(12, 3, 40, "Pils", "05.04.2008", "Belgien", "", "C:\\Bilder\\pils.png"));
    EXPECT_EQ(example, "12;3;40;Pils;05.04.2008;Belgien;;C:\\Bilder\\pils.png\r\n");
    EXPECT_EQ(example.size(), 53u);

    EXPECT_EQ(lineOf(CapRecord{}), "0;0;0;;;;;\r\n");
    EXPECT_EQ(lineOf(record(-5, int32Min, int32Max, "", "", "", "", "")),
              "-5;-2147483648;2147483647;;;;;\r\n");
    EXPECT_EQ(lineOf(record(1, 2, 3, "\xC4", "", "\xD6sterreich", "", "\x80\x81\xFF")),
              "1;2;3;\xC4;;\xD6sterreich;;\x80\x81\xFF\r\n");

    std::string out = "before\r\n";
    appendRecordLine(record(1, 2, 3, "a", "b", "c", "d", "e"), out);
    EXPECT_EQ(out, "before\r\n1;2;3;a;b;c;d;e\r\n");
}

TEST(AppendRecordLine, TextsThatWouldBreakTheLineAreMended) {
    const struct {
        std::string text;
        std::string written;
    } cases[] = {
        {"a;b", "a,b"},
        {";;", ",,"},
        {"a\r\nb", "a b"},
        {"a\n\rb", "a b"},
        {"a\rb", "a b"},
        {"a\nb", "a b"},
        {"a\r\rb", "a  b"},
        {"a\n\nb", "a  b"},
        {"a\r\n\r\nb", "a  b"},
        {"a\n\r\nb", "a  b"},   // LF CR, then LF
        {"a\r\n\rb", "a  b"},   // CR LF, then CR
        {"a\r\n\n\rb", "a  b"}, // CR LF, then LF CR
        {"\r\n", " "},
        {"a\0b"s, "ab"},
        {"\0"s, ""},
        {"a\r\0\nb"s, "a  b"}, // the NUL separates the CR from the LF
        {"Kratzer\r\nRost; verbogen\xE4", "Kratzer Rost, verbogen\xE4"},
    };
    using Field = std::string CapRecord::*;
    const Field fields[] = {&CapRecord::name, &CapRecord::foundDate, &CapRecord::country,
                            &CapRecord::damage, &CapRecord::imagePath};
    for (const auto& c : cases) {
        for (std::size_t k = 0; k < std::size(fields); ++k) {
            SCOPED_TRACE(testing::Message() << testing::PrintToString(c.text) << " in text " << k);
            CapRecord r;
            r.*fields[k] = c.text;
            std::string expected = "0;0;0";
            for (std::size_t j = 0; j < std::size(fields); ++j) {
                expected += ";" + (j == k ? c.written : "");
            }
            EXPECT_EQ(lineOf(r), expected + "\r\n");
        }
    }
}

// Names the records by their position so that order shows in the written bytes.
CapCollection numberedCollection(int count, std::size_t nameLength) {
    CapCollection collection;
    for (int i = 0; i < count; ++i) {
        CapRecord& r = collection.insertAfterCurrent();
        r.setNumber = i % 50;
        r.capNumber = i;
        r.totalNumber = i + 1;
        r.name = "Kronkorken " + std::to_string(i) + std::string(nameLength + i % 7, 'n');
        r.country = "Belgien";
    }
    return collection;
}

std::string linesOf(CapCollection& collection) {
    std::string expected;
    for (std::int32_t i = 0; i < collection.count(); ++i) {
        appendRecordLine(*collection.selectAt(i), expected);
    }
    return expected;
}

TEST(WriteCollection, AllRecordsInOrderInBlocksOfAboutOneMebibyte) {
    constexpr std::size_t mebibyte = std::size_t{1} << 20;
    CapCollection collection = numberedCollection(40'000, 60);
    const std::string expected = linesOf(collection);
    ASSERT_GT(expected.size(), 3 * mebibyte);

    collection.selectAt(7); // the walk starts from the front whatever is current
    std::vector<std::string> blocks;
    EXPECT_TRUE(writeCollection(collection, [&](std::string_view block) {
        blocks.emplace_back(block);
        return true;
    }));

    std::string written;
    for (const std::string& block : blocks) {
        written += block;
    }
    EXPECT_EQ(written, expected);
    ASSERT_GE(blocks.size(), 3u);
    for (std::size_t i = 0; i + 1 < blocks.size(); ++i) {
        EXPECT_GE(blocks[i].size(), mebibyte);
        EXPECT_LT(blocks[i].size(), mebibyte + 200);
        EXPECT_TRUE(blocks[i].ends_with("\r\n")) << "block " << i << " splits a line";
    }
    EXPECT_EQ(collection.currentPosition(), collection.count() - 1);
}

TEST(WriteCollection, SmallAndEmptyCollections) {
    CapCollection empty;
    int calls = 0;
    EXPECT_TRUE(writeCollection(empty, [&](std::string_view) {
        ++calls;
        return true;
    }));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(empty.current(), nullptr);

    CapCollection small = numberedCollection(3, 0);
    std::vector<std::string> blocks;
    EXPECT_TRUE(writeCollection(small, [&](std::string_view block) {
        blocks.emplace_back(block);
        return true;
    }));
    EXPECT_EQ(blocks, std::vector<std::string>{linesOf(small)});
}

TEST(WriteCollection, StopsAtTheFirstFailingBlock) {
    CapCollection collection = numberedCollection(40'000, 60);
    for (int failingCall : {1, 2, 4}) {
        SCOPED_TRACE(failingCall);
        int calls = 0;
        EXPECT_FALSE(writeCollection(collection, [&](std::string_view) {
            ++calls;
            return calls < failingCall;
        }));
        EXPECT_EQ(calls, failingCall);
        EXPECT_EQ(collection.currentPosition(), collection.count() - 1);
    }
}

// ---- Round trip ----

std::vector<CapRecord> recordsOf(CapCollection& collection) {
    std::vector<CapRecord> records;
    collection.reset();
    while (const CapRecord* r = collection.next()) {
        records.push_back(*r);
    }
    return records;
}

std::string writeToString(CapCollection& collection) {
    std::string file;
    EXPECT_TRUE(writeCollection(collection, [&](std::string_view block) {
        file += block;
        return true;
    }));
    return file;
}

// Reads the bytes the way the program opens a file into an empty collection.
std::vector<CapRecord> readBack(const std::string& file, std::size_t blockSize) {
    CapCollection collection;
    LineSplitter splitter;
    auto onLine = [&](std::string_view line) {
        readRecordLine(line, collection.insertAfterCurrent());
    };
    for (std::size_t at = 0; at < file.size(); at += blockSize) {
        splitter.feed(std::string_view(file).substr(at, blockSize), onLine);
    }
    splitter.finish(onLine);
    return recordsOf(collection);
}

TEST(CollectionFileRoundTrip, EveryStorableTextComesBackUnchanged) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        if (b != ';' && b != '\r' && b != '\n') {
            everyByte += static_cast<char>(b);
        }
    }
    const std::vector<CapRecord> records = {
        record(12, 3, 40, "Pils", "05.04.2008", "Belgien", "", "C:\\Bilder\\pils.png"),
        record(0, 0, 0, "", "", "", "", ""),
        record(-7, int32Min, int32Max, everyByte, "\"31.12.1999\"", " ", "\t\x80\x81", "\xFF"),
        record(1, 2, 3, "M\xFCller Br\xE4u", "01.01.2001", "\xD6sterreich", "leicht verbogen",
               "..\\Bilder\\gr\xF6\xDF"
               "e.bmp"),
        record(4, 5, 6, "x", everyByte, everyByte, everyByte, everyByte),
        record(0, 0, 0, "", "", "", "", ""),
    };
    CapCollection collection;
    for (const CapRecord& r : records) {
        collection.insertAfterCurrent() = r;
    }
    const std::string file = writeToString(collection);
    for (std::size_t blockSize : {std::size_t{1}, std::size_t{7}, file.size()}) {
        SCOPED_TRACE(blockSize);
        EXPECT_EQ(readBack(file, blockSize), records);
    }
}

TEST(CollectionFileRoundTrip, RecordsWithUnstorableTextsStayWhole) {
    CapCollection collection;
    collection.insertAfterCurrent() =
        record(1, 1, 1, "A;B", "01.01.2000", "Land\r\nZwei", "Kratzer\r\nRost\n\rDelle", "p");
    collection.insertAfterCurrent() =
        record(2, 2, 2, "N\0ame"s, "\r", "\n", ";\r\n;", "C:\\a;b\\c.png");
    collection.insertAfterCurrent() = record(3, 3, 3, "Ende", "", "", "", "");

    const std::vector<CapRecord> expected = {
        record(1, 1, 1, "A,B", "01.01.2000", "Land Zwei", "Kratzer Rost Delle", "p"),
        record(2, 2, 2, "Name", " ", " ", ", ,", "C:\\a,b\\c.png"),
        record(3, 3, 3, "Ende", "", "", "", ""),
    };
    EXPECT_EQ(readBack(writeToString(collection), 5), expected);
}

} // namespace
} // namespace dovra
