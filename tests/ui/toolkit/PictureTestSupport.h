#pragma once

// Small PNG files made byte by byte, and the reference pictures on disk, for the picture tests.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <zlib.h>

namespace dovra::toolkit::testing {

// The reference pictures live outside the repository; tests skip when they are absent.
inline QString suiteDir() {
    return QStringLiteral(DOVRA_TESTDATA_DIR "/pngsuite");
}
inline bool haveSuite() {
    return QDir(suiteDir() + QStringLiteral("/png")).exists();
}
inline QString suitePng(const QString& name) {
    return suiteDir() + QStringLiteral("/png/") + name + QStringLiteral(".png");
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

inline void putBigEndian(QByteArray& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
    }
}

inline const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

// One chunk with its length and a correct checksum.
inline QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray chunk;
    putBigEndian(chunk, static_cast<std::uint32_t>(data.size()));
    const QByteArray typeAndData = QByteArray(type, 4) + data;
    chunk.append(typeAndData);
    putBigEndian(chunk, static_cast<std::uint32_t>(
                            crc32(0, reinterpret_cast<const Bytef*>(typeAndData.constData()),
                                  static_cast<uInt>(typeAndData.size()))));
    return chunk;
}

inline QByteArray ihdrChunk(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                            int interlace = 0) {
    QByteArray data;
    putBigEndian(data, width);
    putBigEndian(data, height);
    data.append(static_cast<char>(depth));
    data.append(static_cast<char>(colourType));
    data.append('\0'); // compression
    data.append('\0'); // filter method
    data.append(static_cast<char>(interlace));
    return pngChunk("IHDR", data);
}

inline QByteArray zlibCompressed(const QByteArray& raw, int level) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    QByteArray out(static_cast<qsizetype>(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(raw.constData()), static_cast<uLong>(raw.size()),
              level);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

// The image data of an 8-bit RGB (or RGBA, with alpha) picture, rows unfiltered.
inline QByteArray imageData(int width, int height, bool alpha,
                            const std::function<QRgb(int, int)>& pixel, int level) {
    QByteArray raw;
    for (int y = 0; y < height; ++y) {
        raw.append('\0'); // filter type None
        for (int x = 0; x < width; ++x) {
            const QRgb colour = pixel(x, y);
            raw.append(static_cast<char>(qRed(colour)));
            raw.append(static_cast<char>(qGreen(colour)));
            raw.append(static_cast<char>(qBlue(colour)));
            if (alpha) {
                raw.append(static_cast<char>(qAlpha(colour)));
            }
        }
    }
    return zlibCompressed(raw, level);
}

// The seven passes of Adam7 interlacing: first column, first row, column step, row step.
struct Adam7Pass {
    int x0, y0, dx, dy;
};
inline constexpr Adam7Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                        {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

// The image data of an interlaced 8-bit RGB picture, rows unfiltered.
inline QByteArray interlacedImageData(int width, int height,
                                      const std::function<QRgb(int, int)>& pixel, int level) {
    QByteArray raw;
    for (const Adam7Pass& pass : kAdam7) {
        if (pass.x0 >= width) {
            continue;
        }
        for (int y = pass.y0; y < height; y += pass.dy) {
            raw.append('\0');
            for (int x = pass.x0; x < width; x += pass.dx) {
                const QRgb colour = pixel(x, y);
                raw.append(static_cast<char>(qRed(colour)));
                raw.append(static_cast<char>(qGreen(colour)));
                raw.append(static_cast<char>(qBlue(colour)));
            }
        }
    }
    return zlibCompressed(raw, level);
}

// A complete non-interlaced 8-bit RGB or RGBA PNG; level 0 stores the rows uncompressed, so
// a byte offset into the image data tells which rows lie before it.
inline QByteArray pngFile(int width, int height, const std::function<QRgb(int, int)>& pixel,
                          bool alpha = false, int level = 6) {
    return kPngSignature + ihdrChunk(width, height, 8, alpha ? 6 : 2) +
           pngChunk("IDAT", imageData(width, height, alpha, pixel, level)) + pngChunk("IEND", {});
}

// Opaque black from the given row down, checked in the raw bytes: RGB32 keeps alpha at 0xFF.
inline bool allBlack(const QImage& picture, int fromRow = 0) {
    if (picture.format() != QImage::Format_RGB32) {
        return false;
    }
    for (int y = fromRow; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (row[x] != 0xFF000000) {
                return false;
            }
        }
    }
    return true;
}

} // namespace dovra::toolkit::testing
