#include "ui/toolkit/PictureScaling.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace dovra::toolkit {
namespace {

constexpr int kSize = kPictureSize;

QImage filled(int width, int height, QImage::Format format, QRgb (*colour)(int, int)) {
    QImage picture(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, colour(x, y));
        }
    }
    return picture;
}

QImage randomPicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, qRgb(random() % 256, random() % 256, random() % 256));
        }
    }
    return picture;
}

// The average colour of the source area under one target pixel, computed the slow, obvious
// way: every source pixel weighted by the area it shares with the target pixel.
QColor areaAverage(const QImage& source, int targetX, int targetY) {
    const double sx = double(source.width()) / kSize;
    const double sy = double(source.height()) / kSize;
    const double left = targetX * sx;
    const double right = left + sx;
    const double top = targetY * sy;
    const double bottom = top + sy;
    double sum[3] = {0, 0, 0};
    double area = 0;
    for (int y = int(std::floor(top)); y < std::min(source.height(), int(std::ceil(bottom))); ++y) {
        const double h = std::min(bottom, y + 1.0) - std::max(top, double(y));
        for (int x = int(std::floor(left)); x < std::min(source.width(), int(std::ceil(right)));
             ++x) {
            const double w = std::min(right, x + 1.0) - std::max(left, double(x));
            const QRgb pixel = source.pixel(x, y);
            sum[0] += qRed(pixel) * w * h;
            sum[1] += qGreen(pixel) * w * h;
            sum[2] += qBlue(pixel) * w * h;
            area += w * h;
        }
    }
    return QColor(int(std::lround(sum[0] / area)), int(std::lround(sum[1] / area)),
                  int(std::lround(sum[2] / area)));
}

TEST(PictureScaling, EveryPictureBecomes205By205Opaque) {
    const QSize sizes[] = {{400, 100}, {100, 400}, {1, 1}, {206, 204}, {4000, 3}, {3, 3000}};
    for (const QSize& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        const QImage scaled = scaleToPictureSize(randomPicture(size.width(), size.height(), 1));
        EXPECT_EQ(scaled.size(), QSize(kSize, kSize));
        EXPECT_EQ(scaled.format(), QImage::Format_RGB32);
    }
}

TEST(PictureScaling, EachPixelIsTheAverageOfTheAreaItCovers) {
    // Shrinking, stretching, and both at once; every size leaves pixels cut by target edges.
    const QSize sizes[] = {{333, 250}, {400, 100}, {7, 3}, {206, 1000}, {1000, 204}};
    unsigned seed = 7;
    for (const QSize& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        const QImage source = randomPicture(size.width(), size.height(), ++seed);
        const QImage scaled = scaleToPictureSize(source);
        ASSERT_EQ(scaled.size(), QSize(kSize, kSize));
        int worst = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const QColor expected = areaAverage(source, x, y);
                const QRgb got = scaled.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(got) - expected.red()),
                                  std::abs(qGreen(got) - expected.green()),
                                  std::abs(qBlue(got) - expected.blue())});
            }
        }
        EXPECT_LE(worst, 1);
    }
}

TEST(PictureScaling, ABlackAndWhiteCheckerboardTurnsMidGrey) {
    const QImage board = filled(410, 410, QImage::Format_RGB32, [](int x, int y) {
        return (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    });
    const QImage scaled = scaleToPictureSize(board);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const QRgb pixel = scaled.pixel(x, y);
            ASSERT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
            ASSERT_NEAR(qRed(pixel), 127.5, 0.5) << x << "," << y;
        }
    }
}

TEST(PictureScaling, AWideRedAndBluePictureKeepsItsSplit) {
    const QImage halves = filled(400, 100, QImage::Format_RGB32, [](int x, int) {
        return x < 200 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
    });
    const QImage scaled = scaleToPictureSize(halves);
    // Source column 200 lands at 200 * 205 / 400 = 102.5: target column 102 is half of each.
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const QRgb pixel = scaled.pixel(x, y);
            if (x < 102) {
                ASSERT_EQ(pixel, qRgb(255, 0, 0)) << x << "," << y;
            } else if (x > 102) {
                ASSERT_EQ(pixel, qRgb(0, 0, 255)) << x << "," << y;
            } else {
                ASSERT_NEAR(qRed(pixel), 127.5, 0.5);
                ASSERT_NEAR(qBlue(pixel), 127.5, 0.5);
                ASSERT_EQ(qGreen(pixel), 0);
            }
        }
    }
}

TEST(PictureScaling, A205By205PictureKeepsEveryPixel) {
    const QImage source = randomPicture(kSize, kSize, 3);
    EXPECT_EQ(scaleToPictureSize(source), source);

    QImage withAlpha = source.convertToFormat(QImage::Format_ARGB32);
    withAlpha.setPixel(4, 5, qRgba(200, 100, 50, 0));
    const QImage scaled = scaleToPictureSize(withAlpha);
    EXPECT_EQ(scaled.format(), QImage::Format_RGB32);
    EXPECT_EQ(scaled.pixel(4, 5), qRgb(200, 100, 50));
    EXPECT_EQ(scaled.pixel(6, 7), source.pixel(6, 7));
}

TEST(PictureScaling, TransparentPixelsShowTheirStoredColours) {
    // Half the pixels fully transparent red, half opaque blue: stored colours are averaged
    // alike, where a premultiplying scaler would count the red as black.
    const QImage mixed = filled(410, 410, QImage::Format_ARGB32, [](int x, int y) {
        return (x + y) % 2 == 0 ? qRgba(255, 0, 0, 0) : qRgba(0, 0, 255, 255);
    });
    const QImage scaled = scaleToPictureSize(mixed);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const QRgb pixel = scaled.pixel(x, y);
            ASSERT_NEAR(qRed(pixel), 127.5, 0.5) << x << "," << y;
            ASSERT_NEAR(qBlue(pixel), 127.5, 0.5) << x << "," << y;
            ASSERT_EQ(qAlpha(pixel), 255);
        }
    }
    const QImage clear =
        filled(300, 300, QImage::Format_ARGB32, [](int, int) { return qRgba(200, 100, 50, 0); });
    EXPECT_EQ(scaleToPictureSize(clear).pixel(100, 100), qRgb(200, 100, 50));
}

TEST(PictureScaling, OtherFormatsAreScaledByTheirStoredColours) {
    const QImage::Format formats[] = {QImage::Format_RGBA8888, QImage::Format_RGBA64,
                                      QImage::Format_RGB888, QImage::Format_ARGB32};
    for (const QImage::Format format : formats) {
        SCOPED_TRACE(int(format));
        QImage source(300, 100, format);
        const int alpha = source.hasAlphaChannel() ? 0 : 255;
        source.fill(QColor::fromRgba(qRgba(200, 100, 50, alpha)));
        const QImage scaled = scaleToPictureSize(source);
        EXPECT_EQ(scaled.format(), QImage::Format_RGB32);
        EXPECT_EQ(scaled.pixel(50, 50), qRgb(200, 100, 50));
    }
}

TEST(PictureScaling, ANullPictureStaysNull) {
    EXPECT_TRUE(scaleToPictureSize(QImage()).isNull());
    EXPECT_TRUE(withStoredColours(QImage()).isNull());
}

TEST(StoredColours, AlphaIsDroppedNotBlended) {
    const struct {
        QImage::Format format;
        QRgb pixel;
        QRgb shown;
    } cases[] = {
        {QImage::Format_RGB32, qRgb(1, 2, 3), qRgb(1, 2, 3)},
        {QImage::Format_ARGB32, qRgba(200, 100, 50, 0), qRgb(200, 100, 50)},
        {QImage::Format_RGBA8888, qRgba(200, 100, 50, 0), qRgb(200, 100, 50)},
        {QImage::Format_RGBA64, qRgba(200, 100, 50, 7), qRgb(200, 100, 50)},
        // Premultiplied pixels are unpremultiplied back to their colour.
        {QImage::Format_ARGB32_Premultiplied, qRgba(40, 20, 10, 51), qRgb(200, 100, 50)},
        {QImage::Format_Grayscale8, qRgb(77, 77, 77), qRgb(77, 77, 77)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.format));
        QImage picture(1, 1, c.format);
        if (c.format == QImage::Format_ARGB32_Premultiplied) {
            reinterpret_cast<QRgb*>(picture.bits())[0] = c.pixel;
        } else {
            picture.setPixel(0, 0, c.pixel);
        }
        const QImage shown = withStoredColours(picture);
        EXPECT_EQ(shown.format(), QImage::Format_RGB32);
        EXPECT_EQ(reinterpret_cast<const QRgb*>(shown.constBits())[0], c.shown);
    }
}

} // namespace
} // namespace dovra::toolkit
