#include "ui/qt/PngImage.h"

#include <png.h>

namespace hastelyn::ui {

namespace {

constexpr png_uint_32 kMaxSide = 4096;

}  // namespace

QImage decodePng(const unsigned char* data, std::size_t size) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&png, data, size) == 0) return {};
    if (png.width == 0 || png.height == 0 || png.width > kMaxSide || png.height > kMaxSide) {
        png_image_free(&png);
        return {};
    }
    // Format_ARGB32 holds each pixel as one 32-bit value, so its bytes are B, G, R, A on a
    // little-endian machine and A, R, G, B on a big-endian one.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
    if (image.isNull() ||
        png_image_finish_read(&png, nullptr, image.bits(), static_cast<png_int_32>(image.bytesPerLine()), nullptr) == 0) {
        png_image_free(&png);
        return {};
    }
    return image;
}

}  // namespace hastelyn::ui
