#include "app/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace dorvane {
namespace {

// libjpeg reports errors through error_exit, which must not return: jump back out instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void OnJpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(errors->escape, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

// Everything that lives across setjmp is kept here, outside the function that calls it.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    DecodedImage image;
};

bool Run(Decoder& d, const unsigned char* bytes, std::size_t size) {
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = OnJpegError;
    d.errors.base.output_message = IgnoreJpegMessage;
    if (setjmp(d.errors.escape)) {
        jpeg_destroy_decompress(&d.info);
        return false;
    }
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&d.info, TRUE);
    d.info.out_color_space = JCS_EXT_BGR;  // libjpeg-turbo writes the DIB's byte order directly
    jpeg_start_decompress(&d.info);
    d.image.width = static_cast<int>(d.info.output_width);
    d.image.height = static_cast<int>(d.info.output_height);
    d.image.stride = (static_cast<std::size_t>(d.image.width) * 3 + 3) & ~static_cast<std::size_t>(3);
    d.image.pixels.assign(d.image.stride * static_cast<std::size_t>(d.image.height), 0);
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = &d.image.pixels[d.info.output_scanline * d.image.stride];
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    jpeg_destroy_decompress(&d.info);
    return true;
}

}  // namespace

bool DecodeJpeg(const unsigned char* bytes, std::size_t size, DecodedImage& out) {
    if (!bytes || size == 0) return false;
    Decoder decoder;
    if (!Run(decoder, bytes, size)) return false;
    out = std::move(decoder.image);
    return true;
}

}  // namespace dorvane
