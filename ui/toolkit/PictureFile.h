#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

namespace dovra::toolkit {

// No picture file may make the program hold more pixels than this, whatever it claims.
inline constexpr std::int64_t kMaxPicturePixels = 100'000'000;

// Reads a BMP or PNG picture file; its first bytes decide which, never its name. The result is
// opaque RGB32 with the colours stored in the file. Null when the path is empty, the file is
// missing, unreadable or not a regular file, its content is neither BMP nor PNG or is
// unreadable as such, or the picture exceeds kMaxPicturePixels. A PNG with damaged image data
// still loads, as decodePng describes.
QImage loadPicture(const QString& path);

} // namespace dovra::toolkit
