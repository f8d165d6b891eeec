#pragma once
// The pictures in the formats the Windows program carries as resources: Windows has no JPEG or
// PNG decoder of its own before XP's GDI+, so the windows load bitmaps and icons.
#include <QByteArray>
#include <QImage>

#include <vector>

namespace hastelyn::pictures {

// A 24-bit bottom-up BMP file of the picture laid on white (what the JPEG shows, without its loss).
QByteArray encodeBmp24(const QImage& picture);
// A 32-bit BMP file with premultiplied alpha, as AlphaBlend draws it (AC_SRC_ALPHA).
QByteArray encodeBmp32(const QImage& picture);
// An icon file with one 32-bit image per picture and its one-bit mask (a pixel is masked where it
// is less than half opaque), so that Windows 2000, which ignores the alpha bytes, still draws the
// shape. Pictures are at most 256 pixels square.
QByteArray encodeIco(const std::vector<QImage>& pictures);

}  // namespace hastelyn::pictures
