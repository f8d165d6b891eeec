// hastelyn-mkpictures: draws the program's pictures and writes them into a folder.
//   hastelyn-mkpictures <folder> [<folder for Windows>]
//       normally resources/pictures and resources/pictures-win32 of the source tree
// The second folder gets the same pictures as the Windows program carries them: bitmaps for the
// JPEGs, icons for the glyphs and the program icon.
// The pictures are drawn from code with one font, so every run writes the same bytes.
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <set>

#include <jpeglib.h>

#include "tools/pictures/Drawing.h"
#include "tools/pictures/WindowsFormats.h"

namespace pictures = hastelyn::pictures;

namespace {

constexpr int kJpegQuality = 92;
constexpr int kDotsPerMeter = 3780;  // 96 dpi, written into the PNG files

// Encodes with libjpeg: full-resolution colour (no chroma subsampling, so small coloured text
// keeps clean edges) and optimised Huffman tables. libjpeg's own error handler ends the tool
// with its message, which is all a build tool needs.
QByteArray encodeJpeg(const QImage& picture) {
    QImage flat(picture.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(flat.width());
    info.image_height = static_cast<JDIMENSION>(flat.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kJpegQuality, TRUE);
    info.optimize_coding = TRUE;
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = flat.scanLine(static_cast<int>(info.next_scanline));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

QByteArray encodePng(QImage picture) {
    picture.setDotsPerMeterX(kDotsPerMeter);
    picture.setDotsPerMeterY(kDotsPerMeter);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) return {};
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).path())) return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

// The Windows program's copy of a picture: "title.jpg" -> "title.bmp", "glyphs/x.png" ->
// "glyphs/x.ico", the version letters as a 32-bit bitmap; the program icon's sizes go into one
// "hastelyn.ico" (collected by the caller).
QString windowsName(const QString& name) {
    const QString stem = name.left(name.lastIndexOf(QLatin1Char('.')));
    if (name.endsWith(QLatin1String(".jpg")) || name == QLatin1String("about-version.png"))
        return stem + QStringLiteral(".bmp");
    return stem + QStringLiteral(".ico");
}

QByteArray encodeForWindows(const QString& name, const QImage& image) {
    if (name.endsWith(QLatin1String(".jpg"))) return pictures::encodeBmp24(image);
    if (name == QLatin1String("about-version.png")) return pictures::encodeBmp32(image);
    return pictures::encodeIco({image});
}

bool isProgramIcon(const QString& name) { return name.startsWith(QLatin1String("icon")); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: hastelyn-mkpictures <folder> [<folder for Windows>]\n");
        return 2;
    }
    // Nothing is shown; the offscreen platform needs no display and gives the same fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString windowsFolder = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    std::vector<QImage> programIcon;
    const auto writeForWindows = [&windowsFolder](const QString& name, const QByteArray& bytes) {
        const QString path = QDir(windowsFolder).filePath(name);
        if (writeFile(path, bytes)) return true;
        std::fprintf(stderr, "hastelyn-mkpictures: cannot write %s\n", qPrintable(path));
        return false;
    };

    try {
        pictures::requirePictureFont();
        std::vector<pictures::Picture> all = pictures::banners();
        for (pictures::Picture& glyph : pictures::glyphs()) all.push_back(std::move(glyph));

        std::set<QString> written;
        for (const pictures::Picture& picture : all) {
            const QImage image = picture.draw();
            const QString name = QString::fromStdString(picture.path);
            const QByteArray bytes = name.endsWith(QLatin1String(".jpg")) ? encodeJpeg(image) : encodePng(image);
            if (bytes.isEmpty() || !writeFile(folder.filePath(name), bytes)) {
                std::fprintf(stderr, "hastelyn-mkpictures: cannot write %s\n", qPrintable(folder.filePath(name)));
                return 1;
            }
            written.insert(name);
            if (!windowsFolder.isEmpty() && isProgramIcon(name)) {
                programIcon.push_back(image);
            } else if (!windowsFolder.isEmpty() && !writeForWindows(windowsName(name), encodeForWindows(name, image))) {
                return 1;
            }
            std::printf("%-28s %3d×%-3d %6lld bytes\n", picture.path.c_str(), image.width(), image.height(),
                        static_cast<long long>(bytes.size()));
        }
        if (!windowsFolder.isEmpty() && !programIcon.empty() &&
            !writeForWindows(QStringLiteral("hastelyn.ico"), pictures::encodeIco(programIcon)))
            return 1;
        const QString advances = QStringLiteral("about-version.txt");
        if (!writeFile(folder.filePath(advances), pictures::versionLetterAdvances())) {
            std::fprintf(stderr, "hastelyn-mkpictures: cannot write %s\n", qPrintable(folder.filePath(advances)));
            return 1;
        }
        written.insert(advances);
        // A picture that is no longer drawn would still be carried by the program: say so.
        QDirIterator files(folder.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString name = folder.relativeFilePath(files.next());
            if (written.count(name) == 0) std::fprintf(stderr, "not drawn by this tool: %s\n", qPrintable(name));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hastelyn-mkpictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
