// Loading and scaling a 4000 x 3000 picture, as the preview does for every record it shows.
#include "ui/toolkit/PictureFile.h"
#include "ui/toolkit/PictureScaling.h"

#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace dovra::toolkit;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Smooth shading with fine grain, so that it compresses about as badly as a photo does.
QImage photoLike() {
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    std::uint32_t state = 12345;
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            state = state * 1664525u + 1013904223u;
            const int grain = static_cast<int>(state >> 28) - 8;
            const double u = x / double(kWidth);
            const double v = y / double(kHeight);
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

// The two files, written once into a folder that lives as long as the program.
struct Files {
    QTemporaryDir dir;
    QString png = dir.filePath(QStringLiteral("photo.png"));
    QString bmp = dir.filePath(QStringLiteral("photo.bmp"));

    Files() {
        const QImage picture = photoLike();
        if (!QImageWriter(png, "png").write(picture) || !QImageWriter(bmp, "bmp").write(picture)) {
            std::fprintf(stderr, "cannot write the pictures into %s\n", qPrintable(dir.path()));
            std::exit(1);
        }
    }
};

const Files& files() {
    static const Files instance;
    return instance;
}

void loadAndScale(benchmark::State& state, const QString& path) {
    for (auto _ : state) {
        const QImage shown = scaleToPictureSize(loadPicture(path));
        if (shown.size() != QSize(kPictureSize, kPictureSize)) {
            state.SkipWithError("the picture did not load");
            break;
        }
        benchmark::DoNotOptimize(shown.constBits());
    }
}

void BM_LoadAndScalePng(benchmark::State& state) {
    loadAndScale(state, files().png);
}
void BM_LoadAndScaleBmp(benchmark::State& state) {
    loadAndScale(state, files().bmp);
}

void BM_LoadPng(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadPicture(files().png).constBits());
    }
}

void BM_Scale(benchmark::State& state) {
    const QImage picture = loadPicture(files().png);
    for (auto _ : state) {
        benchmark::DoNotOptimize(scaleToPictureSize(picture).constBits());
    }
}

BENCHMARK(BM_LoadAndScalePng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndScaleBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scale)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
