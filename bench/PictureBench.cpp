// Loading and scaling a 4000 x 3000 picture, as the preview does for every record it shows.
#include "PhotoLike.h"
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

// The two files, written once into a folder that lives as long as the program.
struct Files {
    QTemporaryDir dir;
    QString png = dir.filePath(QStringLiteral("photo.png"));
    QString bmp = dir.filePath(QStringLiteral("photo.bmp"));

    Files() {
        const QImage picture = dovra::bench::photoLike(kWidth, kHeight);
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
