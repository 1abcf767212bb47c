#include "ui/toolkit/PngDecoder.h"

#include "PictureTestSupport.h"
#include "ui/toolkit/PictureFile.h"

#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dovra::toolkit {
namespace {

using namespace testing;

QImage decode(const QByteArray& bytes, std::int64_t maxPixels = kMaxPicturePixels) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return decodePng(buffer, maxPixels);
}

std::uint32_t bigEndianAt(const QByteArray& bytes, int offset) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

// Reference pixels: R, G, B, A per pixel, row by row.
std::vector<int> referencePixels(const QString& name) {
    const QByteArray json =
        readFile(suiteDir() + QStringLiteral("/json/") + name + QStringLiteral(".json"));
    std::vector<int> values;
    if (json.isEmpty()) {
        return values;
    }
    const QJsonArray array = QJsonDocument::fromJson(json).array();
    values.reserve(static_cast<std::size_t>(array.size()));
    for (const QJsonValue& value : array) {
        values.push_back(value.toInt());
    }
    return values;
}

// The suite's names, or one placeholder when the reference pictures are absent so that the
// test still runs and says why it skips.
std::vector<std::string> suiteNames(bool corrupt) {
    std::vector<std::string> names;
    const QStringList files = QDir(suiteDir() + QStringLiteral("/png"))
                                  .entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        if (file.startsWith(u'x') == corrupt) {
            names.push_back(file.chopped(4).toStdString());
        }
    }
    if (names.empty()) {
        names.push_back("absent");
    }
    return names;
}

// Never black, so that a decoded pixel cannot pass for one left out.
QRgb pattern(int x, int y) {
    return qRgb((x * 7) % 256 | 1, (y * 13) % 256 | 1, ((x + y) * 5) % 256 | 1);
}

// How many rows from the top show the given colours, opaque.
int leadingRows(const QImage& picture, QRgb (*colour)(int, int) = pattern) {
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (row[x] != colour(x, y)) {
                return y;
            }
        }
    }
    return picture.height();
}

QByteArray rawRows(int width, int fromRow, int toRow) {
    QByteArray raw;
    for (int y = fromRow; y < toRow; ++y) {
        raw.append('\0');
        for (int x = 0; x < width; ++x) {
            raw.append(static_cast<char>(qRed(pattern(x, y))));
            raw.append(static_cast<char>(qGreen(pattern(x, y))));
            raw.append(static_cast<char>(qBlue(pattern(x, y))));
        }
    }
    return raw;
}

// A zlib stream of one stored block holding `raw` (at most 65535 bytes) followed by a block of
// the reserved type, which no inflater accepts: damage at a known place.
QByteArray storedThenBroken(const QByteArray& raw) {
    QByteArray stream("\x78\x01", 2);
    const auto length = static_cast<unsigned>(raw.size());
    stream.append('\0'); // not the last block, stored
    stream.append(static_cast<char>(length & 0xFF));
    stream.append(static_cast<char>(length >> 8));
    stream.append(static_cast<char>(~length & 0xFF));
    stream.append(static_cast<char>((~length >> 8) & 0xFF));
    stream.append(raw);
    stream.append('\x07'); // last block, reserved type 3
    return stream;
}

// Noise compresses badly, so its image data is large enough to be cut in the middle.
QRgb noise(int x, int y) {
    const std::uint32_t h =
        (static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u) *
        2654435761u;
    return qRgb(static_cast<int>(h >> 24), static_cast<int>((h >> 16) & 0xFF),
                static_cast<int>((h >> 8) & 0xFF) | 1);
}

std::string caseName(const ::testing::TestParamInfo<std::string>& info) {
    return info.param;
}

// ---- Every valid picture of the suite against its reference ----

class ValidSuitePicture : public ::testing::TestWithParam<std::string> {};

TEST_P(ValidSuitePicture, ShowsTheStoredColours) {
    if (!haveSuite()) {
        GTEST_SKIP() << "reference pictures not found in " << suiteDir().toStdString();
    }
    const QString name = QString::fromStdString(GetParam());
    const QByteArray file = readFile(suitePng(name));
    ASSERT_GE(file.size(), 33);
    const auto width = static_cast<int>(bigEndianAt(file, 16));
    const auto height = static_cast<int>(bigEndianAt(file, 20));
    const int depth = static_cast<unsigned char>(file[24]);

    const QImage picture = loadPicture(suitePng(name));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(width, height));

    // 16-bit channels: the 8-bit reference where there is one, else the 16-bit values' high
    // bytes; either way within 1, since rounding and truncating may differ by that much.
    std::vector<int> reference;
    int tolerance = 0;
    if (depth == 16) {
        tolerance = 1;
        reference = referencePixels(name + QStringLiteral("_to8"));
        if (reference.empty()) {
            reference = referencePixels(name);
            for (int& value : reference) {
                value >>= 8;
            }
        }
    } else {
        reference = referencePixels(name);
    }
    ASSERT_EQ(reference.size(), static_cast<std::size_t>(width) * height * 4);

    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Raw, since pixel() would hide an alpha byte that RGB32 must not have.
            const QRgb pixel = reinterpret_cast<const QRgb*>(picture.constScanLine(y))[x];
            const int* expected = &reference[(static_cast<std::size_t>(y) * width + x) * 4];
            const int got[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
            bool same = qAlpha(pixel) == 255;
            for (int c = 0; c < 3; ++c) {
                same = same && std::abs(got[c] - expected[c]) <= tolerance;
            }
            if (!same && wrong++ < 3) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << pixel
                              << std::dec << ", expected " << expected[0] << " " << expected[1]
                              << " " << expected[2];
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Suite, ValidSuitePicture, ::testing::ValuesIn(suiteNames(false)),
                         caseName);

// ---- The suite's corrupt pictures ----

enum class Outcome { Fails, BlackPicture, Reference };

struct CorruptCase {
    const char* name;
    const char* damage;
    Outcome outcome;
};

const CorruptCase kCorrupt[] = {
    {"xs1n0g01", "signature byte 1 changed", Outcome::Fails},
    {"xs2n0g01", "signature byte 2 changed", Outcome::Fails},
    {"xs4n0g01", "signature byte 4 changed", Outcome::Fails},
    {"xs7n0g01", "signature byte 7 changed", Outcome::Fails},
    {"xcrn0g04", "signature with LF turned into CR", Outcome::Fails},
    {"xlfn0g04", "signature with CR-LF turned into LF", Outcome::Fails},
    {"xhdn0g08", "header chunk checksum wrong", Outcome::Fails},
    {"xc1n0g08", "colour type 1", Outcome::Fails},
    {"xc9n2c08", "colour type 9", Outcome::Fails},
    {"xd0n2c08", "bit depth 0", Outcome::Fails},
    {"xd3n2c08", "bit depth 3", Outcome::Fails},
    {"xd9n2c08", "bit depth 99", Outcome::Fails},
    {"xdtn0g01", "no image data at all", Outcome::BlackPicture},
    {"xcsn0g01", "image data checksum wrong", Outcome::Reference},
};

TEST(CorruptSuitePicture, EveryOneIsCovered) {
    if (!haveSuite()) {
        GTEST_SKIP() << "reference pictures not found in " << suiteDir().toStdString();
    }
    for (const std::string& name : suiteNames(true)) {
        const bool listed = std::any_of(std::begin(kCorrupt), std::end(kCorrupt),
                                        [&](const CorruptCase& c) { return c.name == name; });
        EXPECT_TRUE(listed) << name;
    }
}

TEST(CorruptSuitePicture, FailsOrLoadsByWhereTheDamageLies) {
    if (!haveSuite()) {
        GTEST_SKIP() << "reference pictures not found in " << suiteDir().toStdString();
    }
    for (const CorruptCase& c : kCorrupt) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.damage);
        const QImage picture = loadPicture(suitePng(QString::fromLatin1(c.name)));
        switch (c.outcome) {
        case Outcome::Fails:
            EXPECT_TRUE(picture.isNull());
            break;
        case Outcome::BlackPicture:
            ASSERT_EQ(picture.size(), QSize(32, 32));
            EXPECT_TRUE(allBlack(picture));
            break;
        case Outcome::Reference: {
            ASSERT_EQ(picture.size(), QSize(32, 32));
            const std::vector<int> reference = referencePixels(QString::fromLatin1(c.name));
            ASSERT_EQ(reference.size(), 32u * 32 * 4);
            for (int i = 0; i < 32 * 32; ++i) {
                const QRgb pixel = picture.pixel(i % 32, i / 32);
                ASSERT_EQ(qRed(pixel), reference[i * 4]) << i;
            }
            break;
        }
        }
    }
}

// ---- Damaged or missing image data after a readable header ----

TEST(DamagedImageData, RowsBeforeTheDamageShowAndTheRestIsBlack) {
    const int width = 64;
    const int height = 200;
    const int goodRows = 100;
    // The damage comes halfway through the row after the good ones.
    const QByteArray rows = rawRows(width, 0, goodRows + 1).chopped(width * 3 / 2);
    const QByteArray file = kPngSignature + ihdrChunk(width, height, 8, 2) +
                            pngChunk("IDAT", storedThenBroken(rows)) + pngChunk("IEND", {});
    const QImage picture = decode(file);
    ASSERT_EQ(picture.size(), QSize(width, height));
    EXPECT_EQ(leadingRows(picture), goodRows);
    EXPECT_TRUE(allBlack(picture, goodRows));
}

TEST(DamagedImageData, CutShortShowsTheFirstRowsAndBlackBelow) {
    const int width = 64;
    const int height = 256;
    const int rowBytes = width * 3 + 1;
    // Stored rows lie one after another in the image data, behind 2 bytes of zlib header and
    // 5 bytes of block header, so the offset of the cut says which rows were complete.
    const QByteArray data = imageData(width, height, false, pattern, 0);
    const QByteArray whole = kPngSignature + ihdrChunk(width, height, 8, 2) +
                             pngChunk("IDAT", data) + pngChunk("IEND", {});
    const int dataStart = 8 + 25 + 8;
    const int cutAfter = static_cast<int>(data.size()) / 2;
    const QImage picture = decode(whole.left(dataStart + cutAfter));
    ASSERT_EQ(picture.size(), QSize(width, height));

    const int rows = leadingRows(picture);
    EXPECT_TRUE(allBlack(picture, rows));
    const int completeBeforeCut = (cutAfter - 7) / rowBytes;
    EXPECT_LE(rows, completeBeforeCut);
    // libpng reads image data in blocks of 8 KiB; the block that the cut left short is lost,
    // nothing before it.
    EXPECT_GE(rows, completeBeforeCut - 8192 / rowBytes - 1);
    EXPECT_GT(rows, 0);
}

TEST(DamagedImageData, CompressedPictureCutShortShowsTheFirstRowsAndBlackBelow) {
    // A small picture, and one large enough for the decoder's large-picture memory.
    const QSize sizes[] = {{128, 128}, {2048, 1100}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        const QByteArray whole = pngFile(size.width(), size.height(), noise, false, 1);
        EXPECT_EQ(leadingRows(decode(whole), noise), size.height());
        const QImage picture = decode(whole.left(whole.size() / 2));
        ASSERT_EQ(picture.size(), size);
        const int rows = leadingRows(picture, noise);
        EXPECT_GT(rows, 0);
        EXPECT_LT(rows, size.height() / 2);
        EXPECT_TRUE(allBlack(picture, rows));
    }
}

TEST(DamagedImageData, InterlacedPictureCutShortShowsThePassesDecodedSoFar) {
    const int width = 128;
    const int height = 128;
    const QByteArray data = interlacedImageData(width, height, pattern, 0);
    const QByteArray whole = kPngSignature + ihdrChunk(width, height, 8, 2, 1) +
                             pngChunk("IDAT", data) + pngChunk("IEND", {});
    const QImage picture = decode(whole.left(8 + 25 + 8 + data.size() * 7 / 10));
    ASSERT_EQ(picture.size(), QSize(width, height));

    // The rows of the seven passes in the order they are stored. Every pixel belongs to one
    // of them; the decoded ones must be a leading run of them, everything else black.
    struct PassRow {
        const Adam7Pass* pass;
        int y;
    };
    std::vector<PassRow> order;
    for (const Adam7Pass& pass : kAdam7) {
        for (int y = pass.y0; y < height; y += pass.dy) {
            order.push_back({&pass, y});
        }
    }
    const auto decoded = [&](const PassRow& row, bool asPattern) {
        for (int x = row.pass->x0; x < width; x += row.pass->dx) {
            const QRgb expected = asPattern ? pattern(x, row.y) : qRgb(0, 0, 0);
            if (reinterpret_cast<const QRgb*>(picture.constScanLine(row.y))[x] != expected) {
                return false;
            }
        }
        return true;
    };
    std::size_t run = 0;
    while (run < order.size() && decoded(order[run], true)) {
        ++run;
    }
    for (std::size_t i = run; i < order.size(); ++i) {
        EXPECT_TRUE(decoded(order[i], false)) << "pass row " << i;
    }
    // 70 % of the data holds the first six passes (half the pixels) and part of the seventh.
    const std::size_t firstSixPasses = order.size() - height / 2;
    EXPECT_GE(run, firstSixPasses);
    EXPECT_LT(run, order.size());
}

struct HeaderCase {
    const char* what;
    QByteArray file;
    bool loads; // as a black 16 x 8 picture
};

TEST(DamagedImageData, MissingImageDataGivesABlackPictureUnlessAChunkBeforeItIsBroken) {
    const QByteArray start = kPngSignature + ihdrChunk(16, 8, 8, 2);
    const QByteArray gama = pngChunk("gAMA", QByteArray("\0\0\xB1\x8F", 4));
    QByteArray badGama = gama;
    badGama[badGama.size() - 1] = static_cast<char>(badGama[badGama.size() - 1] ^ 0x55);
    const QByteArray idat = pngChunk("IDAT", imageData(16, 8, false, pattern, 6));
    const HeaderCase cases[] = {
        {"file ends after the header chunk", start, true},
        {"end chunk right after the header chunk", start + pngChunk("IEND", {}), true},
        {"file ends after an ancillary chunk", start + gama, true},
        {"file ends inside the next chunk's length", start + gama.left(3), true},
        {"file ends inside an ancillary chunk", start + gama.left(10), false},
        {"file ends inside the header chunk", kPngSignature + ihdrChunk(16, 8, 8, 2).left(20),
         false},
        {"signature only", kPngSignature, false},
        {"unknown critical chunk before the image data",
         start + pngChunk("ABCD", "x") + idat + pngChunk("IEND", {}), false},
        {"palette picture without a palette",
         kPngSignature + ihdrChunk(16, 8, 8, 3) + idat + pngChunk("IEND", {}), false},
        {"damaged ancillary chunk is skipped", start + badGama + idat + pngChunk("IEND", {}), true},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage picture = decode(c.file);
        if (!c.loads) {
            EXPECT_TRUE(picture.isNull());
            continue;
        }
        ASSERT_EQ(picture.size(), QSize(16, 8));
        if (c.file.contains("IDAT")) {
            EXPECT_EQ(leadingRows(picture), 8);
        } else {
            EXPECT_TRUE(allBlack(picture));
        }
    }
}

// ---- Limits ----

TEST(PngLimits, PicturesOverThePixelBudgetAreRefused) {
    const QByteArray file = pngFile(40, 25, pattern);
    EXPECT_TRUE(decode(file, 999).isNull());
    EXPECT_EQ(decode(file, 1000).size(), QSize(40, 25));
    // Refused whether or not the image data is there.
    EXPECT_TRUE(decode(kPngSignature + ihdrChunk(40, 25, 8, 2), 999).isNull());
}

TEST(PngLimits, HugeClaimsAreRefusedWithoutAllocating) {
    const struct {
        std::uint32_t width;
        std::uint32_t height;
    } claims[] = {{20000, 20000}, {100'000'001, 1}, {1'000'001, 2}, {0x7FFFFFFF, 0x7FFFFFFF}};
    for (const auto& claim : claims) {
        SCOPED_TRACE(std::to_string(claim.width) + " x " + std::to_string(claim.height));
        const QByteArray file = kPngSignature + ihdrChunk(claim.width, claim.height, 8, 2) +
                                pngChunk("IDAT", zlibCompressed(QByteArray(64, '\0'), 6)) +
                                pngChunk("IEND", {});
        EXPECT_TRUE(decode(file).isNull());
    }
}

TEST(PngLimits, TransparentPixelsKeepTheirStoredColour) {
    const auto colour = [](int x, int) {
        return x % 2 == 0 ? qRgba(200, 100, 50, 0) : qRgba(10, 20, 30, 128);
    };
    const QImage picture = decode(pngFile(4, 2, colour, true));
    ASSERT_EQ(picture.format(), QImage::Format_RGB32);
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(1));
    EXPECT_EQ(row[0], qRgb(200, 100, 50));
    EXPECT_EQ(row[1], qRgb(10, 20, 30));
}

} // namespace
} // namespace dovra::toolkit
