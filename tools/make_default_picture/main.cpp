// Draws the built-in default picture, a black serif question mark on white, and writes it as a
// 24-bit BMP file. The program keeps the file, not this tool: run it once and commit the result.
#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QTransform>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kWidth = 205;
constexpr int kHeight = 210;
// The pixels the mark may cover; the picture is defined to keep everything else white.
const QRect kMarkBox(QPoint(72, 49), QPoint(146, 192));

void putLittleEndian(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

QByteArray bmpFile(const QImage& image) {
    const int rowBytes = (image.width() * 3 + 3) / 4 * 4;
    const auto pixelBytes = static_cast<std::uint32_t>(rowBytes * image.height());
    QByteArray bytes;
    bytes.append("BM");
    putLittleEndian(bytes, 54 + pixelBytes, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 54, 4);
    putLittleEndian(bytes, 40, 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(image.width()), 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(image.height()), 4);
    putLittleEndian(bytes, 1, 2);
    putLittleEndian(bytes, 24, 2);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, pixelBytes, 4);
    putLittleEndian(bytes, 3780, 4);
    putLittleEndian(bytes, 3780, 4);
    putLittleEndian(bytes, 0, 4);
    putLittleEndian(bytes, 0, 4);
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            bytes.append(static_cast<char>(qBlue(line[x])));
            bytes.append(static_cast<char>(qGreen(line[x])));
            bytes.append(static_cast<char>(qRed(line[x])));
        }
        bytes.append(rowBytes - image.width() * 3, '\0');
    }
    return bytes;
}

QRect nonWhiteBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_default_picture <output.bmp>\n");
        return 2;
    }

    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(200);
    if (QFontInfo(font).family() != QStringLiteral("DejaVu Serif")) {
        std::fprintf(stderr, "the font DejaVu Serif is not installed\n");
        return 1;
    }
    QPainterPath glyph;
    glyph.addText(0, 0, font, QStringLiteral("?"));

    // Stretch the glyph onto the box, a hair inside its edges so that the anti-aliased rim
    // stays within the box's pixels while still reaching its outermost rows and columns.
    const QRectF target = QRectF(kMarkBox).adjusted(0.1, 0.1, -0.1, -0.1);
    const QRectF source = glyph.boundingRect();
    QTransform fit;
    fit.translate(target.left(), target.top());
    fit.scale(target.width() / source.width(), target.height() / source.height());
    fit.translate(-source.left(), -source.top());

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(fit.map(glyph), Qt::black);
    }

    const QRect bounds = nonWhiteBounds(image);
    if (bounds != kMarkBox) {
        std::fprintf(stderr, "the mark covers %d,%d to %d,%d instead of the box\n", bounds.left(),
                     bounds.top(), bounds.right(), bounds.bottom());
        return 1;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = bmpFile(image);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote %lld bytes, mark %.1f x %.1f glyph units\n",
                static_cast<long long>(bytes.size()), source.width(), source.height());
    return 0;
}
