#pragma once

#include <QByteArrayView>
#include <QImage>
#include <cstdint>

class QIODevice;

namespace dovra::toolkit {

// Whether the bytes begin with the eight bytes that open every PNG file.
bool hasPngSignature(QByteArrayView head);

// Decodes the PNG that the device delivers from its current position into an opaque RGB32
// picture of the colours stored in the file: palettes and grey expanded, 16-bit channels
// rounded to 8 bits, transparency of every kind dropped.
//
// Null when the signature, the header chunk or a chunk before the image data is unreadable, or
// when the picture has more than maxPixels pixels (refused before anything is allocated).
//
// Damaged, cut short or missing image data still gives a picture: the rows libpng completed
// before it met the damage, black elsewhere. libpng decodes image data as it reads it and
// checks a chunk's checksum once it has used the chunk up, so rows decoded from a chunk whose
// checksum then proves wrong stay. Of an interlaced picture, the pixels of every pass and
// pass row completed before the damage show: a coarse picture on black.
QImage decodePng(QIODevice& device, std::int64_t maxPixels);

} // namespace dovra::toolkit
