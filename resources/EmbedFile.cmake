# cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -P EmbedFile.cmake
# Writes the definition of dovra::resources::defaultPictureBmp() holding the bytes of INPUT.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}"
"// Generated from ${INPUT} by EmbedFile.cmake; edit the picture, not this file.
#include \"resources/DefaultPictureData.h\"

namespace dovra::resources {
namespace {
const unsigned char bytes[${size}] = {
    ${bytes}
};
} // namespace

std::span<const unsigned char> defaultPictureBmp() { return bytes; }

} // namespace dovra::resources
")
