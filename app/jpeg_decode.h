// Decoding the stored JPEG picture with libjpeg into rows of 24-bit BGR pixels, the layout of a
// top-down Windows DIB.
#pragma once

#include <cstddef>
#include <vector>

namespace dorvane {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;  // bytes per row, a multiple of 4
    std::vector<unsigned char> pixels;  // rows top to bottom, blue-green-red
};

// False, with `out` untouched, when the bytes are not a JPEG that libjpeg can decode.
bool DecodeJpeg(const unsigned char* bytes, std::size_t size, DecodedImage& out);

}  // namespace dorvane
