#pragma once
// PNG decoding with libpng, for the program's pictures: the glyphs and icons are read without
// the image-format plugins a first QImageReader looks for.
#include <QImage>

#include <cstddef>

namespace hastelyn::ui {

// Decodes a PNG file held in memory into a Format_ARGB32 image; a file libpng cannot read, or
// one over 4096 pixels a side, gives a null image.
QImage decodePng(const unsigned char* data, std::size_t size);

}  // namespace hastelyn::ui
