#include "PhotoLike.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace dovra::bench {

QImage photoLike(int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int grain = static_cast<int>(state >> 28) - 8;
            const double u = x / double(width);
            const double v = y / double(height);
            const auto channel = [&](double shade) {
                return std::clamp(static_cast<int>(shade * 255) + grain, 0, 255);
            };
            line[x] = qRgb(channel(0.5 + 0.4 * std::sin(6 * u + 2 * v)),
                           channel(0.5 + 0.4 * std::cos(4 * v - 3 * u)),
                           channel(0.3 + 0.3 * std::sin(9 * u * v)));
        }
    }
    return picture;
}

} // namespace dovra::bench
