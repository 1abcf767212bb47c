#pragma once

#include <QImage>

namespace dovra::toolkit {

// Every loaded picture is shown at this width and height.
inline constexpr int kPictureSize = 205;

// The picture as opaque RGB32 holding the colour stored in each pixel: an alpha channel is
// dropped, not blended, so a fully transparent pixel keeps the colour the file gave it.
// Premultiplied pictures are unpremultiplied first, as far as their precision allows.
QImage withStoredColours(const QImage& picture);

// Stretches the picture to kPictureSize x kPictureSize, width and height independently: each
// target pixel is the average of the source area it covers, weighted by how much of each
// source pixel lies inside it. Alpha plays no part; the result is opaque RGB32. A picture of
// that size already comes back with the same pixels, a null picture stays null, and when the
// target cannot be allocated the picture comes back as it is.
QImage scaleToPictureSize(const QImage& picture);

} // namespace dovra::toolkit
