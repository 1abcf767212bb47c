#include "ui/toolkit/PictureFile.h"

#include "PictureTestSupport.h"
#include "resources/DefaultPictureData.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace dovra::toolkit {
namespace {

using namespace testing;

QRgb pattern(int x, int y) {
    return qRgb(x * 40 % 256, y * 60 % 256, 200);
}

QByteArray encoded(const QImage& picture, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(picture) ? buffer.data() : QByteArray();
}

QByteArray bmpFile(const QImage& picture) {
    return encoded(picture, "bmp");
}

QImage patternPicture(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, pattern(x, y));
        }
    }
    return picture;
}

void putLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A 32-bit BMP with a version-4 header, whose masks include an alpha channel.
QByteArray bmpWithAlpha(int width, int height, QRgb (*argb)(int, int)) {
    QByteArray bytes("BM");
    const auto pixelBytes = static_cast<std::uint32_t>(width * height * 4);
    putLittleEndian(bytes, 14 + 108 + pixelBytes, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 14 + 108, 4);
    putLittleEndian(bytes, 108, 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(height), 4);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 32, 2);
    putLittleEndian(bytes, 3, 4); // bit fields
    putLittleEndian(bytes, pixelBytes, 4);
    putLittleEndian(bytes, 2835, 4);
    putLittleEndian(bytes, 2835, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 0x00FF0000, 4);
    putLittleEndian(bytes, 0x0000FF00, 4);
    putLittleEndian(bytes, 0x000000FF, 4);
    putLittleEndian(bytes, 0xFF000000, 4);
    bytes.append("BGRs");
    bytes.append(QByteArray(48, '\0')); // colour space end points, gamma
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            putLittleEndian(bytes, argb(x, y), 4);
        }
    }
    return bytes;
}

class PictureFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }

    QTemporaryDir dir_;
};

TEST_F(PictureFile, TheContentDecidesNotTheName) {
    const QByteArray png = pngFile(6, 4, pattern);
    const QByteArray bmp = bmpFile(patternPicture(6, 4));
    ASSERT_FALSE(bmp.isEmpty());
    const struct {
        const char* name;
        QByteArray content;
        bool loads;
    } cases[] = {
        {"bmp.png", bmp, true},
        {"png.bmp", png, true},
        {"png.txt", png, true},
        {"bmp", bmp, true},
        {"text.png", "Kronkorken, Satz 3\r\n", false},
        {"text.bmp", "Kronkorken, Satz 3\r\n", false},
        {"empty.png", "", false},
        {"b.bmp", "B", false},
        {"bm-only.bmp", "BM", false},
        {"bm-junk.png", "BM" + QByteArray(100, 'x'), false},
        {"signature-only.png", kPngSignature, false},
        {"seven-bytes.png", kPngSignature.left(7), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage picture = loadPicture(write(QString::fromLatin1(c.name), c.content));
        if (!c.loads) {
            EXPECT_TRUE(picture.isNull());
            continue;
        }
        ASSERT_EQ(picture.size(), QSize(6, 4));
        EXPECT_EQ(picture.format(), QImage::Format_RGB32);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                EXPECT_EQ(picture.pixel(x, y), pattern(x, y)) << x << "," << y;
            }
        }
    }
}

TEST_F(PictureFile, IconFilesAreRefused) {
    // An icon directory with one entry whose image is a PNG: readable for an icon reader,
    // but it begins neither with "BM" nor with the PNG signature.
    const QByteArray png = pngFile(16, 16, pattern);
    QByteArray icon("\0\0\1\0\1\0", 6);
    icon.append("\x10\x10\0\0", 4);
    putLittleEndian(icon, 1, 2);
    putLittleEndian(icon, 32, 2);
    putLittleEndian(icon, static_cast<std::uint32_t>(png.size()), 4);
    putLittleEndian(icon, 22, 4);
    icon.append(png);
    EXPECT_TRUE(loadPicture(write(QStringLiteral("icon.ico"), icon)).isNull());
    EXPECT_TRUE(loadPicture(write(QStringLiteral("icon.png"), icon)).isNull());
}

TEST_F(PictureFile, WhatIsNoReadablePictureFileFails) {
    const QString fifo = dir_.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(loadPicture(QString()).isNull());
    EXPECT_TRUE(loadPicture(dir_.filePath(QStringLiteral("missing.png"))).isNull());
    EXPECT_TRUE(loadPicture(dir_.path()).isNull());
    // Nobody writes into the pipe: opening it to read would wait forever.
    EXPECT_TRUE(loadPicture(fifo).isNull());
}

TEST_F(PictureFile, RelativePathsStartAtTheWorkingDirectory) {
    write(QStringLiteral("relative.png"), pngFile(3, 2, pattern));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    const QImage picture = loadPicture(QStringLiteral("relative.png"));
    QDir::setCurrent(before);
    EXPECT_EQ(picture.size(), QSize(3, 2));
}

TEST_F(PictureFile, BmpPicturesShowTheirStoredColours) {
    // Indexed colours and an alpha channel both end as opaque RGB32 of the stored colours.
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(250, 128, 0)});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            indexed.setPixel(x, y, (x + y) % 2);
        }
    }
    const QImage fromIndexed = loadPicture(write(QStringLiteral("indexed.bmp"), bmpFile(indexed)));
    ASSERT_EQ(fromIndexed.size(), QSize(5, 3));
    EXPECT_EQ(fromIndexed.format(), QImage::Format_RGB32);
    EXPECT_EQ(fromIndexed.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(fromIndexed.pixel(1, 0), qRgb(250, 128, 0));

    const auto argb = [](int x, int) -> QRgb {
        return x == 0 ? qRgba(200, 100, 50, 0) : qRgba(10, 220, 30, 255);
    };
    const QImage fromAlpha =
        loadPicture(write(QStringLiteral("alpha.bmp"), bmpWithAlpha(2, 2, argb)));
    ASSERT_EQ(fromAlpha.size(), QSize(2, 2));
    EXPECT_EQ(fromAlpha.format(), QImage::Format_RGB32);
    // Raw, since pixel() would hide an alpha byte that RGB32 must not have.
    const auto* row = reinterpret_cast<const QRgb*>(fromAlpha.constScanLine(1));
    EXPECT_EQ(row[0], qRgb(200, 100, 50));
    EXPECT_EQ(row[1], qRgb(10, 220, 30));
}

TEST_F(PictureFile, BmpOverThePixelBudgetIsRefused) {
    // The header claims 20000 x 20000 pixels; the data is not even there.
    QByteArray bmp = bmpFile(patternPicture(4, 4));
    bmp.replace(18, 8, QByteArray("\x20\x4E\0\0\x20\x4E\0\0", 8));
    EXPECT_TRUE(loadPicture(write(QStringLiteral("huge.bmp"), bmp)).isNull());
}

// ---- Hostile input: damaged copies of real pictures must neither crash nor run away ----

void fixChecksums(QByteArray& png) {
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = (std::uint32_t(std::uint8_t(png[at])) << 24) |
                                     (std::uint32_t(std::uint8_t(png[at + 1])) << 16) |
                                     (std::uint32_t(std::uint8_t(png[at + 2])) << 8) |
                                     std::uint32_t(std::uint8_t(png[at + 3]));
        if (length > static_cast<std::uint32_t>(png.size() - at - 12)) {
            return;
        }
        const qsizetype crcAt = at + 8 + static_cast<qsizetype>(length);
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(png.constData() + at + 4),
                  static_cast<uInt>(length + 4)));
        for (int i = 0; i < 4; ++i) {
            png[crcAt + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
        }
        at = crcAt + 4;
    }
}

TEST_F(PictureFile, DamagedCopiesOfRealPicturesNeverCrash) {
    QImage indexed(40, 30, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(250, 128, 0), qRgb(0, 200, 90)});
    for (int y = 0; y < indexed.height(); ++y) {
        for (int x = 0; x < indexed.width(); ++x) {
            indexed.setPixel(x, y, (x / 3 + y) % 3);
        }
    }
    std::vector<QByteArray> originals = {
        pngFile(64, 48, pattern),
        pngFile(
            30, 20, [](int x, int y) { return qRgba(x * 8, y * 12, 50, (x * y) % 256); }, true),
        kPngSignature + ihdrChunk(37, 29, 8, 2, 1) +
            pngChunk("IDAT", interlacedImageData(37, 29, pattern, 6)) + pngChunk("IEND", {}),
        encoded(indexed, "png"),
        encoded(indexed.convertToFormat(QImage::Format_Grayscale8), "png"),
        encoded(patternPicture(33, 17), "bmp"),
        encoded(indexed, "bmp"),
        QByteArray(reinterpret_cast<const char*>(resources::defaultPictureBmp().data()),
                   static_cast<qsizetype>(resources::defaultPictureBmp().size())),
    };
    if (haveSuite()) {
        for (const char* name : {"basn0g01", "basi0g04", "basn2c16", "basi3p08", "basn4a08",
                                 "basi6a16", "tbbn3p08", "s09i3p02", "z09n2c08", "ccwn3p08"}) {
            originals.push_back(readFile(suitePng(QString::fromLatin1(name))));
        }
    }
    std::mt19937 random(20240611);
    const QString path = dir_.filePath(QStringLiteral("damaged"));
    int loaded = 0;
    int refused = 0;
    for (int round = 0; round < 400; ++round) {
        const QByteArray& original = originals[static_cast<std::size_t>(round) % originals.size()];
        QByteArray damaged = original;
        const auto anywhere = [&] {
            return static_cast<qsizetype>(random() % static_cast<std::uint32_t>(damaged.size()));
        };
        switch (round % 4) {
        case 0: // cut short anywhere
            damaged.truncate(anywhere());
            break;
        case 1: // a few random bytes changed, checksums left wrong
        case 2: // the same with checksums made right again, so libpng looks at the bytes
            for (int i = 0, n = 1 + static_cast<int>(random() % 8); i < n; ++i) {
                damaged[anywhere()] = static_cast<char>(random());
            }
            if (round % 4 == 2 && damaged.startsWith(kPngSignature)) {
                fixChecksums(damaged);
            }
            break;
        default: // a run of bytes overwritten, then cut
            damaged.replace(anywhere(), 16, QByteArray(16, static_cast<char>(random())));
            damaged.truncate(damaged.size() - static_cast<qsizetype>(random() % 64));
            break;
        }
        ASSERT_TRUE(writeFile(path, damaged));
        const QImage picture = loadPicture(path);
        if (picture.isNull()) {
            ++refused;
            continue;
        }
        ++loaded;
        EXPECT_EQ(picture.format(), QImage::Format_RGB32) << "round " << round;
        EXPECT_LE(std::int64_t{picture.width()} * picture.height(), kMaxPicturePixels);
    }
    // Both kinds of outcome happen, or the damage was too mild or too harsh to show anything.
    EXPECT_GT(loaded, 40);
    EXPECT_GT(refused, 40);
}

} // namespace
} // namespace dovra::toolkit
