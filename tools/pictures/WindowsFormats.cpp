#include "tools/pictures/WindowsFormats.h"

#include <QPainter>

#include <cstdint>

namespace hastelyn::pictures {
namespace {

void put16(QByteArray& out, std::uint16_t value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8));
}

void put32(QByteArray& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.append(static_cast<char>((value >> shift) & 0xFF));
}

// BITMAPINFOHEADER, uncompressed; `height` is the field's value (an icon's counts its mask too).
void putInfoHeader(QByteArray& out, int width, int height, int bits, std::uint32_t imageSize) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint16_t>(bits));
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, 3780);  // 96 dpi
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
}

int rowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

QByteArray withFileHeader(const QByteArray& dib) {
    QByteArray out;
    out.append("BM");
    put32(out, static_cast<std::uint32_t>(14 + dib.size()));
    put32(out, 0);
    put32(out, 14 + 40);  // the pixels follow the info header: no colour table
    out.append(dib);
    return out;
}

// Rows bottom-up, blue-green-red(-alpha), each padded to four bytes.
QByteArray pixels(const QImage& image, int bits) {
    QByteArray out;
    const int padding = rowBytes(image.width(), bits) - image.width() * bits / 8;
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.append(static_cast<char>(qBlue(line[x])));
            out.append(static_cast<char>(qGreen(line[x])));
            out.append(static_cast<char>(qRed(line[x])));
            if (bits == 32) out.append(static_cast<char>(qAlpha(line[x])));
        }
        out.append(padding, '\0');
    }
    return out;
}

QByteArray mask(const QImage& image) {
    QByteArray out;
    const int stride = rowBytes(image.width(), 1);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) < 128) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

}  // namespace

QByteArray encodeBmp24(const QImage& picture) {
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    const QByteArray bits = pixels(flat, 24);
    QByteArray dib;
    putInfoHeader(dib, flat.width(), flat.height(), 24, static_cast<std::uint32_t>(bits.size()));
    return withFileHeader(dib + bits);
}

QByteArray encodeBmp32(const QImage& picture) {
    const QByteArray bits = pixels(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied), 32);
    QByteArray dib;
    putInfoHeader(dib, picture.width(), picture.height(), 32, static_cast<std::uint32_t>(bits.size()));
    return withFileHeader(dib + bits);
}

QByteArray encodeIco(const std::vector<QImage>& pictures) {
    std::vector<QByteArray> images;
    for (const QImage& picture : pictures) {
        // Icons carry straight (not premultiplied) alpha.
        const QImage straight = picture.convertToFormat(QImage::Format_ARGB32);
        const QByteArray colour = pixels(straight, 32);
        const QByteArray shape = mask(straight);
        QByteArray image;
        putInfoHeader(image, straight.width(), straight.height() * 2, 32,
                      static_cast<std::uint32_t>(colour.size() + shape.size()));
        images.push_back(image + colour + shape);
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1);  // an icon
    put16(out, static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.append(static_cast<char>(pictures[i].width() & 0xFF));  // 256 is written as 0
        out.append(static_cast<char>(pictures[i].height() & 0xFF));
        out.append('\0');  // no palette
        out.append('\0');
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const QByteArray& image : images) out.append(image);
    return out;
}

}  // namespace hastelyn::pictures
