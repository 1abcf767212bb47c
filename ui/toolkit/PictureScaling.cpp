#include "PictureScaling.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace dovra::toolkit {
namespace {

// How the target pixels of one axis cover the source pixels. Lengths are counted in units in
// which a source pixel is `targetCount` long and a target pixel `sourceCount` long, so both
// axes span sourceCount * targetCount units and every overlap is a whole number.
struct Coverage {
    std::vector<int> first;             // first source pixel of each target pixel
    std::vector<int> offset;            // where that target pixel's weights start in `weights`
    std::vector<std::uint32_t> weights; // overlap of each covered source pixel, in units
    std::uint64_t total = 0;            // sum of the weights of one target pixel

    int count(int target) const { return offset[target + 1] - offset[target]; }
};

Coverage coverage(int sourceCount, int targetCount) {
    Coverage c;
    c.total = static_cast<std::uint64_t>(sourceCount);
    c.first.resize(static_cast<std::size_t>(targetCount));
    c.offset.resize(static_cast<std::size_t>(targetCount) + 1);
    const auto source = static_cast<std::uint64_t>(sourceCount);
    const auto target = static_cast<std::uint64_t>(targetCount);
    for (std::uint64_t t = 0; t < target; ++t) {
        const std::uint64_t begin = t * source;
        const std::uint64_t end = begin + source;
        const std::uint64_t firstPixel = begin / target;
        const std::uint64_t lastPixel = (end - 1) / target;
        c.first[t] = static_cast<int>(firstPixel);
        c.offset[t] = static_cast<int>(c.weights.size());
        for (std::uint64_t s = firstPixel; s <= lastPixel; ++s) {
            const std::uint64_t from = std::max(begin, s * target);
            const std::uint64_t to = std::min(end, (s + 1) * target);
            c.weights.push_back(static_cast<std::uint32_t>(to - from));
        }
    }
    c.offset[target] = static_cast<int>(c.weights.size());
    return c;
}

// Weighted colour sums of one source row for every target column, channel by channel.
void sumRow(const QRgb* row, const Coverage& columns, std::uint64_t* sums) {
    const int targets = static_cast<int>(columns.first.size());
    for (int t = 0; t < targets; ++t) {
        const QRgb* pixel = row + columns.first[t];
        const std::uint32_t* weight = columns.weights.data() + columns.offset[t];
        std::uint64_t red = 0;
        std::uint64_t green = 0;
        std::uint64_t blue = 0;
        for (int i = 0, n = columns.count(t); i < n; ++i) {
            const QRgb colour = pixel[i];
            red += std::uint64_t{(colour >> 16) & 0xFFu} * weight[i];
            green += std::uint64_t{(colour >> 8) & 0xFFu} * weight[i];
            blue += std::uint64_t{colour & 0xFFu} * weight[i];
        }
        sums[3 * t] = red;
        sums[3 * t + 1] = green;
        sums[3 * t + 2] = blue;
    }
}

} // namespace

QImage withStoredColours(const QImage& picture) {
    switch (picture.format()) {
    case QImage::Format_Invalid:
        return {};
    case QImage::Format_RGB32:
        return picture;
    case QImage::Format_ARGB32:
        // Qt turns ARGB32 into RGB32 by setting every alpha byte to 0xFF, colours untouched.
        return picture.convertToFormat(QImage::Format_RGB32);
    default:
        // Other formats go through ARGB32, which holds stored colours unpremultiplied; a
        // direct conversion to RGB32 may blend with black or leave alpha bytes behind.
        return picture.convertToFormat(QImage::Format_ARGB32).convertToFormat(QImage::Format_RGB32);
    }
}

QImage scaleToPictureSize(const QImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    if (picture.size() == QSize(kPictureSize, kPictureSize)) {
        return withStoredColours(picture);
    }
    // RGB32 and ARGB32 keep the stored colours in the low three bytes of each pixel already.
    const bool direct =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
    const QImage source = direct ? picture : withStoredColours(picture);
    if (source.isNull()) {
        return {};
    }
    QImage target(kPictureSize, kPictureSize, QImage::Format_RGB32);
    if (target.isNull()) {
        return picture;
    }

    const Coverage columns = coverage(source.width(), kPictureSize);
    const Coverage rows = coverage(source.height(), kPictureSize);
    const std::uint64_t area = columns.total * rows.total;
    // A source row on the border of two target rows is summed once and used by both.
    std::vector<std::uint64_t> rowSums(3 * kPictureSize);
    std::vector<std::uint64_t> sums(3 * kPictureSize);
    int summedRow = -1;
    for (int t = 0; t < kPictureSize; ++t) {
        std::fill(sums.begin(), sums.end(), 0);
        const std::uint32_t* weight = rows.weights.data() + rows.offset[t];
        for (int i = 0, n = rows.count(t); i < n; ++i) {
            const int y = rows.first[t] + i;
            if (y != summedRow) {
                sumRow(reinterpret_cast<const QRgb*>(source.constScanLine(y)), columns,
                       rowSums.data());
                summedRow = y;
            }
            for (std::size_t k = 0; k < sums.size(); ++k) {
                sums[k] += rowSums[k] * weight[i];
            }
        }
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(t));
        for (int x = 0; x < kPictureSize; ++x) {
            const auto average = [&](int channel) {
                return static_cast<int>((sums[3 * x + channel] + area / 2) / area);
            };
            out[x] = qRgb(average(0), average(1), average(2));
        }
    }
    return target;
}

} // namespace dovra::toolkit
