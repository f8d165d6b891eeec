#include "ui/qt/JpegImage.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <cstring>
#include <limits>

#include <jpeglib.h>

namespace hastelyn::ui {

namespace {

// A damaged header may claim up to 65500 × 65500 pixels; nothing is allocated for more than this.
constexpr JDIMENSION kMaxSide = 16384;
constexpr unsigned long long kMaxPixels = 32ULL * 1024 * 1024;

// libjpeg reports a fatal error through error_exit, which must not return. Ours jumps back into
// the step that called libjpeg (begin or readRows below). Those steps hold only plain values
// and are called with only plain values between them and libjpeg, so the jump skips no
// destructor; the image and the error text live in decodeJpeg, outside any jump.
struct ErrorManager {
    jpeg_error_mgr base;  // first, so the pointer libjpeg hands back is also ours
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

struct Decoder {
    jpeg_decompress_struct info;
    ErrorManager errors;
};

[[noreturn]] void fail(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Level -1 is a warning about damaged data: a truncated file (which libjpeg would finish with
// grey rows) or bytes it had to skip. Such a picture is refused too. Levels 0 and up are traces.
void message(j_common_ptr info, int level) {
    if (level < 0) fail(info);
}

void setReason(Decoder& d, const char* reason) {
    std::strncpy(d.errors.message, reason, sizeof d.errors.message - 1);
}

// Reads the header and starts decompressing. False with the reason in d.errors.message.
bool begin(Decoder& d, const unsigned char* data, unsigned long size) {
    if (setjmp(d.errors.jump) != 0) return false;
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, const_cast<unsigned char*>(data), size);  // older libjpegs want it writable
    jpeg_read_header(&d.info, TRUE);
    if (d.info.jpeg_color_space == JCS_GRAYSCALE && d.info.num_components == 1) {
        d.info.out_color_space = JCS_GRAYSCALE;
    } else if ((d.info.jpeg_color_space == JCS_YCbCr || d.info.jpeg_color_space == JCS_RGB) &&
               d.info.num_components == 3) {
        d.info.out_color_space = JCS_RGB;
    } else {
        setReason(d, "unsupported JPEG colour space (only grey and colour pictures are read)");
        return false;
    }
    if (d.info.image_width > kMaxSide || d.info.image_height > kMaxSide ||
        static_cast<unsigned long long>(d.info.image_width) * d.info.image_height > kMaxPixels) {
        setReason(d, "JPEG picture too large");
        return false;
    }
    jpeg_start_decompress(&d.info);
    return true;
}

// Decompresses every row into `bits`, a row every `bytesPerLine` bytes.
bool readRows(Decoder& d, unsigned char* bits, std::size_t bytesPerLine) {
    if (setjmp(d.errors.jump) != 0) return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = bits + d.info.output_scanline * bytesPerLine;
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1) {
            setReason(d, "JPEG data ended before the last row");
            return false;
        }
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

}  // namespace

QImage decodeJpeg(const unsigned char* data, std::size_t size, QString* error) {
    QImage image;
    QString reason;
    if (data == nullptr || size == 0) {
        reason = QStringLiteral("empty JPEG data");
    } else if (size > std::numeric_limits<unsigned long>::max()) {
        reason = QStringLiteral("JPEG data too large");
    } else {
        Decoder d{};
        d.info.err = jpeg_std_error(&d.errors.base);
        d.errors.base.error_exit = fail;
        d.errors.base.emit_message = message;
        if (begin(d, data, static_cast<unsigned long>(size))) {
            // Grey pictures stay one byte a pixel; colour ones come as RGB bytes.
            image = QImage(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                           d.info.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8
                                                                   : QImage::Format_RGB888);
            if (image.isNull()) {
                setReason(d, "not enough memory for the JPEG picture");
            } else if (!readRows(d, image.bits(), static_cast<std::size_t>(image.bytesPerLine()))) {
                image = QImage();
            }
        }
        if (image.isNull()) reason = QString::fromLatin1(d.errors.message);
        jpeg_destroy_decompress(&d.info);
    }
    if (image.isNull() && error != nullptr) *error = reason;
    return image;
}

}  // namespace hastelyn::ui
