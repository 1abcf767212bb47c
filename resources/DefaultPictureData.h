#pragma once

#include <span>

namespace dovra::resources {

// The bytes of default_picture.bmp, compiled into the program from the file in this folder.
std::span<const unsigned char> defaultPictureBmp();

} // namespace dovra::resources
