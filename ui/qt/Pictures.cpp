#include "ui/qt/Pictures.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <string>

#include "ui/qt/EmbeddedPictures.h"
#include "ui/qt/JpegImage.h"
#include "ui/qt/PngImage.h"
#include "ui/model/ProgramVersion.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

namespace {

const EmbeddedFile* find(std::string_view path) {
    const std::span<const EmbeddedFile> files = embeddedPictures();
    const auto at = std::lower_bound(files.begin(), files.end(), path,
                                     [](const EmbeddedFile& file, std::string_view p) { return file.path < p; });
    return at != files.end() && at->path == path ? &*at : nullptr;
}

QIcon iconOf(std::initializer_list<std::string_view> paths) {
    QIcon icon;
    for (std::string_view path : paths) {
        const QImage image = picture(path);
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace

QImage picture(std::string_view name) {
    const EmbeddedFile* file = find(name);
    if (file == nullptr) return {};
    if (name.ends_with(".jpg")) return decodeJpeg(file->data, file->size);
    return decodePng(file->data, file->size);
}

QImage aboutBadge() {
    QImage badge = picture("about.jpg");
    if (badge.isNull()) return badge;
    badge = badge.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&badge);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Under the heading, in the badge's own lettering.
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(11);
    // The version is Latin letters and digits, all in the badge's font: no fallback fonts are
    // looked up for it.
    font.setStyleStrategy(QFont::NoFontMerging);
    painter.setFont(font);
    painter.setPen(QColor(150, 88, 40));
    painter.drawText(QPointF(36, 30), QStringLiteral("Ver ") + u8(model::programVersion()));
    return badge;
}

QIcon glyph(std::string_view name) {
    const std::string path = "glyphs/" + std::string(name) + ".png";
    return iconOf({path});
}

QIcon appIcon() { return iconOf({"icon16.png", "icon32.png", "icon48.png"}); }

}  // namespace hastelyn::ui
