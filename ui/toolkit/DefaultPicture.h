#pragma once

#include <QImage>

namespace dovra::toolkit {

// The picture shown until the first picture file is loaded: the BMP built into the program
// (a question mark), decoded to 205 x 210 RGB32.
QImage defaultPicture();

} // namespace dovra::toolkit
