// The JPEG pictures of the windows and the program icon.
#include <QFontMetricsF>
#include <QTransform>

#include "tools/pictures/Drawing.h"

namespace hastelyn::pictures {

namespace {

const QColor kShadow(196, 96, 36);
const QColor kStreak(255, 255, 255, 170);

QImage canvas(int width, int height, const QColor& background) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    return image;
}

// Bold text leaning forward, as the program name is written.
QPainterPath leaning(QPainterPath path) {
    const QRectF box = path.boundingRect();
    QTransform lean;
    lean.translate(box.left(), box.bottom());
    lean.shear(-0.18, 0);
    lean.translate(-box.left(), -box.bottom());
    return lean.map(path);
}

// White lettering with a darker orange drop shadow, for the orange pictures.
void whiteLettering(QPainter& painter, const QPainterPath& path) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kShadow);
    painter.drawPath(path.translated(1.5, 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(path);
}

// Speed streaks running into the given right edge.
void streaks(QPainter& painter, double right, double top, double gap, double width) {
    painter.setPen(QPen(kStreak, width, Qt::SolidLine, Qt::RoundCap));
    const double starts[] = {right - 22, right - 30, right - 16};
    for (int i = 0; i < 3; ++i) painter.drawLine(QPointF(starts[i], top + i * gap), QPointF(right, top + i * gap));
}

// The largest size up to `size` at which the text fits in `width`.
QFont fitting(const QString& text, int size, bool bold, double width) {
    QFont font = pictureFont(size, bold);
    while (size > 8 && textPath(text, font, {}).boundingRect().width() > width) font = pictureFont(--size, bold);
    return font;
}

QImage title() {
    QImage image = canvas(555, 50, kStrip);
    QPainter painter(&image);
    prepare(painter);
    streaks(painter, 34, 17, 8, 3);

    const QPainterPath name = leaning(textPath(QStringLiteral("Hastelyn"), pictureFont(34, true), QPointF(40, 38)));
    whiteLettering(painter, name);

    const double after = name.boundingRect().right() + 16;
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBrown);
    painter.drawPath(textPath(QStringLiteral("Windows 高速化ツール"), pictureFont(16, true), QPointF(after, 37)));
    return image;
}

// The round "i" mark: a filled disc with the letter drawn from two shapes.
void infoMark(QPainter& painter, QPointF centre, double radius, const QColor& disc) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::white);
    const double stem = radius * 0.28;
    painter.drawEllipse(QPointF(centre.x(), centre.y() - radius * 0.5), stem * 0.62, stem * 0.62);
    painter.drawRoundedRect(QRectF(centre.x() - stem / 2, centre.y() - radius * 0.2, stem, radius * 0.85), stem / 3,
                            stem / 3);
}

QImage about() {
    QImage image = canvas(140, 36, kCream);
    QPainter painter(&image);
    prepare(painter);
    infoMark(painter, QPointF(17.5, 18), 13, kOrange);

    const QString heading = QStringLiteral("Hastelyn について");
    painter.setBrush(kBrown);
    painter.drawPath(textPath(heading, fitting(heading, 12, true, 140 - 36 - 3), QPointF(36, 16)));
    // The version goes on at run time, from the build, in the letters below (ui/qt/Pictures.cpp).
    return image;
}

// The version line: 11-pixel letters in the heading's brown-orange, each in a cell as wide as
// its advance, rounded to whole pixels; the baseline 12 pixels down a 15-pixel strip.
const QString kVersionLetters = QStringLiteral("Ver .0123456789");
constexpr int kVersionStripHeight = 15;
constexpr int kVersionBaseline = 12;

std::vector<int> versionAdvances() {
    const QFontMetricsF metrics(pictureFont(11, false));
    std::vector<int> advances;
    for (const QChar letter : kVersionLetters) advances.push_back(qRound(metrics.horizontalAdvance(letter)));
    return advances;
}

// A circular arrow turning back (anticlockwise), its head at the start of the arc.
void restoreMark(QPainter& painter, QPointF centre, double radius, double width, const QColor& colour) {
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(circle, 100 * 16, 280 * 16);
    // Head at the arc's start (100°), pointing anticlockwise.
    const double head = width * 1.6;
    QTransform at;
    at.translate(centre.x(), centre.y());
    at.rotate(-100);
    at.translate(radius, 0);
    QPolygonF arrow;
    arrow << QPointF(-head, 0) << QPointF(head, 0) << QPointF(0, -head * 1.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(at.map(arrow));
}

QImage restore() {
    QImage image = canvas(300, 60, kStrip);
    QPainter painter(&image);
    prepare(painter);
    restoreMark(painter, QPointF(30, 31), 15, 5, kShadow);
    restoreMark(painter, QPointF(29, 30), 15, 5, Qt::white);

    const QPainterPath heading = textPath(QStringLiteral("保存と復元"), pictureFont(28, true), QPointF(60, 41));
    whiteLettering(painter, heading);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBrown);
    painter.drawPath(textPath(QStringLiteral("Hastelyn"), pictureFont(13, true),
                              QPointF(heading.boundingRect().right() + 12, 41)));
    return image;
}

// The program icon: an orange tile with a forward-leaning white H, speed streaks from 32 pixels up.
QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    prepare(painter);
    const double s = size / 48.0;
    const double border = size <= 16 ? 1.0 : 1.5 * s;
    painter.setPen(QPen(kShadow, border));
    painter.setBrush(kStrip);
    painter.drawRoundedRect(QRectF(border / 2, border / 2, size - border, size - border), 9 * s, 9 * s);

    QPainterPath h;
    if (size <= 16) {
        // Whole pixels at this size, upright, so the letter stays sharp.
        h.addRect(4, 3, 3, 10);
        h.addRect(9, 3, 3, 10);
        h.addRect(7, 7, 2, 2);
    } else {
        h.addRect(17 * s, 11 * s, 6 * s, 26 * s);
        h.addRect(31 * s, 11 * s, 6 * s, 26 * s);
        h.addRect(23 * s, 21 * s, 8 * s, 5 * s);
        h = leaning(h.simplified());
        streaks(painter, 14 * s, 17 * s, 7 * s, 2.5 * s);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(kShadow);
    if (size > 16) painter.drawPath(h.translated(s, s));
    painter.setBrush(Qt::white);
    painter.drawPath(h.simplified());
    return image;
}

}  // namespace

QImage versionLetters() {
    const std::vector<int> advances = versionAdvances();
    int width = 0;
    for (int advance : advances) width += advance;
    QImage strip(width, kVersionStripHeight, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    prepare(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 88, 40));
    const QFont font = pictureFont(11, false);
    int x = 0;
    for (qsizetype i = 0; i < kVersionLetters.size(); ++i) {
        painter.drawPath(textPath(QString(kVersionLetters[i]), font, QPointF(x, kVersionBaseline)));
        x += advances[static_cast<std::size_t>(i)];
    }
    return strip;
}

QByteArray versionLetterAdvances() {
    const std::vector<int> advances = versionAdvances();
    QByteArray text;
    for (qsizetype i = 0; i < kVersionLetters.size(); ++i)
        text += kVersionLetters[i].toLatin1() + QByteArray(" ") + QByteArray::number(advances[static_cast<std::size_t>(i)]) + "\n";
    return text;
}

std::vector<Picture> banners() {
    return {
        {"title.jpg", title},
        {"about.jpg", about},
        {"restore.jpg", restore},
        {"about-version.png", versionLetters},
        {"icon16.png", [] { return icon(16); }},
        {"icon32.png", [] { return icon(32); }},
        {"icon48.png", [] { return icon(48); }},
    };
}

}  // namespace hastelyn::pictures
