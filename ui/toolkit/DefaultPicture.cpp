#include "DefaultPicture.h"

#include "resources/DefaultPictureData.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace dovra::toolkit {
namespace {

std::uint32_t littleEndian(std::span<const unsigned char> bytes, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[offset + static_cast<std::size_t>(i)];
    }
    return value;
}

} // namespace

QImage defaultPicture() {
    // The built-in file is ours and fixed, a plain bottom-up 24-bit BMP; the checks only keep a
    // broken build from reading past its end.
    const std::span<const unsigned char> file = resources::defaultPictureBmp();
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || littleEndian(file, 28, 2) != 24 ||
        littleEndian(file, 30, 4) != 0) {
        return {};
    }
    const auto width = static_cast<int>(littleEndian(file, 18, 4));
    const auto height = static_cast<int>(littleEndian(file, 22, 4));
    const std::size_t pixelOffset = littleEndian(file, 10, 4);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 ||
        pixelOffset + rowBytes * static_cast<std::size_t>(height) > file.size()) {
        return {};
    }
    QImage picture(width, height, QImage::Format_RGB32);
    if (picture.isNull()) {
        return {};
    }
    for (int y = 0; y < height; ++y) {
        const unsigned char* in =
            file.data() + pixelOffset + rowBytes * static_cast<std::size_t>(height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x, in += 3) {
            out[x] = qRgb(in[2], in[1], in[0]);
        }
    }
    return picture;
}

} // namespace dovra::toolkit
