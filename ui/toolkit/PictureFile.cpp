#include "PictureFile.h"

#include "PictureScaling.h"
#include "PngDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace dovra::toolkit {
namespace {

// The reader's own guard against allocating more than the pixel budget in its widest format.
constexpr int kBmpAllocationLimitMegabytes =
    static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024) + 1);

QImage readBmp(QFile& file) {
    QImageReader reader(&file, "bmp");
    reader.setAutoDetectImageFormat(false);
    QImageReader::setAllocationLimit(kBmpAllocationLimitMegabytes);
    const QSize size = reader.size();
    if (!size.isValid() ||
        std::int64_t{size.width()} * std::int64_t{size.height()} > kMaxPicturePixels) {
        return {};
    }
    QImage picture;
    if (!reader.read(&picture)) {
        return {};
    }
    return withStoredColours(picture);
}

} // namespace

QImage loadPicture(const QString& path) {
    // Directories, devices and pipes are no pictures, and reading a pipe could wait forever.
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray head = file.peek(8);
    if (head.startsWith("BM")) {
        return readBmp(file);
    }
    if (hasPngSignature(head)) {
        return decodePng(file, kMaxPicturePixels);
    }
    return {};
}

} // namespace dovra::toolkit
