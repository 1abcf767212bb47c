#include "ui/toolkit/DefaultPicture.h"

#include "resources/DefaultPictureData.h"

#include <QBuffer>
#include <QImageReader>
#include <QRect>
#include <cstdint>
#include <gtest/gtest.h>

namespace dovra::toolkit {
namespace {

constexpr int kWidth = 205;
constexpr int kHeight = 210;
constexpr int kRowBytes = 616;
// Where the question mark may lie, 0-based from the top-left corner.
const QRect kMarkBox(QPoint(72, 49), QPoint(146, 192));

std::uint32_t littleEndian(std::size_t offset, int size) {
    const auto file = resources::defaultPictureBmp();
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | file[offset + static_cast<std::size_t>(i)];
    }
    return value;
}

// A pixel of the file, found by its own rule: rows stored bottom-up, blue-green-red.
QRgb filePixel(int x, int y) {
    const unsigned char* bgr = resources::defaultPictureBmp().data() + 54 +
                               static_cast<std::size_t>(kHeight - 1 - y) * kRowBytes +
                               static_cast<std::size_t>(x) * 3;
    return qRgb(bgr[2], bgr[1], bgr[0]);
}

TEST(DefaultPictureFile, HeaderHoldsTheFixedLayout) {
    ASSERT_EQ(resources::defaultPictureBmp().size(), 129414u);
    EXPECT_EQ(resources::defaultPictureBmp()[0], 'B');
    EXPECT_EQ(resources::defaultPictureBmp()[1], 'M');
    const struct {
        const char* field;
        std::size_t offset;
        int size;
        std::uint32_t value;
    } fields[] = {
        {"file size", 2, 4, 129414},
        {"reserved", 6, 4, 0},
        {"pixel data offset", 10, 4, 54},
        {"info header size", 14, 4, 40},
        {"width", 18, 4, 205},
        {"height (bottom-up)", 22, 4, 210},
        {"planes", 26, 2, 1},
        {"bits per pixel", 28, 2, 24},
        {"compression", 30, 4, 0},
        {"pixel data size", 34, 4, 129360},
        {"horizontal resolution", 38, 4, 3780},
        {"vertical resolution", 42, 4, 3780},
        {"colours used", 46, 4, 0},
        {"important colours", 50, 4, 0},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(littleEndian(f.offset, f.size), f.value) << f.field;
    }
}

TEST(DefaultPictureFile, RowsAre616BytesWithOnePaddingByte) {
    EXPECT_EQ(54u + kRowBytes * kHeight, resources::defaultPictureBmp().size());
    for (int row = 0; row < kHeight; ++row) {
        EXPECT_EQ(resources::defaultPictureBmp()[54 + row * kRowBytes + kRowBytes - 1], 0) << row;
    }
}

TEST(DefaultPictureFile, ShowsABlackQuestionMarkWithGreyEdgesInItsBox) {
    QRect marked;
    int black = 0;
    int grey = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const QRgb pixel = filePixel(x, y);
            ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel))
                << "not grey at " << x << "," << y;
            if (qRed(pixel) == 255) {
                continue;
            }
            marked |= QRect(x, y, 1, 1);
            ++(qRed(pixel) == 0 ? black : grey);
        }
    }
    EXPECT_TRUE(kMarkBox.contains(marked)) << marked.left() << "," << marked.top() << " to "
                                           << marked.right() << "," << marked.bottom();
    // The mark fills its box: it reaches each side or comes within a pixel of it.
    EXPECT_LE(marked.left() - kMarkBox.left(), 1);
    EXPECT_LE(marked.top() - kMarkBox.top(), 1);
    EXPECT_LE(kMarkBox.right() - marked.right(), 1);
    EXPECT_LE(kMarkBox.bottom() - marked.bottom(), 1);
    // A solid glyph, not a thin outline: hundreds of black pixels, and anti-aliased edges.
    EXPECT_GT(black, 1000);
    EXPECT_GT(grey, 100);
}

TEST(DefaultPicture, DecodesToTheFilesPixelsAs205By210Rgb32) {
    const QImage picture = defaultPicture();
    ASSERT_EQ(picture.size(), QSize(kWidth, kHeight));
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_EQ(picture.pixel(x, y), filePixel(x, y)) << x << "," << y;
        }
    }
}

TEST(DefaultPicture, AgreesWithQtsOwnBmpReader) {
    const auto file = resources::defaultPictureBmp();
    QByteArray bytes(reinterpret_cast<const char*>(file.data()),
                     static_cast<qsizetype>(file.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QImage byQt = QImageReader(&buffer, "bmp").read();
    ASSERT_FALSE(byQt.isNull());
    EXPECT_EQ(defaultPicture(), byQt.convertToFormat(QImage::Format_RGB32));
}

} // namespace
} // namespace dovra::toolkit
