#pragma once
// JPEG decoding with libjpeg, for the program's pictures.
#include <QImage>
#include <QString>

#include <cstddef>

namespace hastelyn::ui {

// Decodes a JPEG file held in memory (baseline or progressive; grey, YCbCr or RGB) into a
// Format_RGB888 image, or Format_Grayscale8 for a grey one. A file libjpeg cannot read, one it can only read with damage (a truncated
// file, stray bytes in the data), a colour space other than those, or one over 16384 pixels a
// side or 32 megapixels gives a null image and, when `error` is given, the reason.
QImage decodeJpeg(const unsigned char* data, std::size_t size, QString* error = nullptr);

}  // namespace hastelyn::ui
