#include "tools/pictures/Drawing.h"

#include <QFontInfo>

#include <stdexcept>

namespace hastelyn::pictures {

namespace {
const char* const kFamily = "Noto Sans CJK JP";
}

QFont pictureFont(int pixelSize, bool bold) {
    QFont font(QString::fromLatin1(kFamily));
    font.setPixelSize(pixelSize);  // pixels, so the screen's DPI plays no part
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setKerning(true);
    return font;
}

void requirePictureFont() {
    for (bool bold : {false, true}) {
        const QFontInfo info(pictureFont(16, bold));
        if (info.family() != QString::fromLatin1(kFamily) || info.bold() != bold) {
            throw std::runtime_error(std::string("the font ") + kFamily + (bold ? " Bold" : "") +
                                     " is missing (Debian package fonts-noto-cjk); found " +
                                     info.family().toStdString());
        }
    }
}

QPainterPath textPath(const QString& text, const QFont& font, QPointF baseline) {
    QPainterPath path;
    path.addText(baseline, font, text);
    return path;
}

QPainterPath centredText(const QString& text, const QFont& font, QPointF centre) {
    QPainterPath path = textPath(text, font, QPointF(0, 0));
    const QRectF ink = path.boundingRect();
    path.translate(centre - ink.center());
    return path;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

}  // namespace hastelyn::pictures
