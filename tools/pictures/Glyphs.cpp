// The 16×16 button glyphs: flat shapes with one ink for outlines, drawn on a 16-unit grid
// (outlines on half pixels, so one-pixel lines stay sharp).
#include <QPainterPathStroker>
#include <QTransform>

#include "tools/pictures/Drawing.h"

namespace hastelyn::pictures {

namespace {

QPen inkPen(double width = 1.0) { return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void fillAndOutline(QPainter& p, const QPainterPath& shape, const QColor& fill) {
    p.setPen(inkPen());
    p.setBrush(fill);
    p.drawPath(shape);
}

QPainterPath circle(QPointF centre, double radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// Main menu.

void system(QPainter& p) {
    QPainterPath gear = circle({8, 8}, 5.0);
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRect(-1.4, -7.5, 2.8, 3.5);
        gear = gear.united(QTransform().translate(8, 8).rotate(i * 45.0).map(tooth));
    }
    fillAndOutline(p, gear.subtracted(circle({8, 8}, 2.0)), QColor(96, 118, 146));
}

void desktop(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 9), 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(kSky);
    p.drawRect(QRectF(3, 4, 10, 6));
    p.setBrush(kInk);
    p.drawRect(QRectF(7, 11.5, 2, 2));
    p.drawRect(QRectF(4.5, 13.5, 7, 1.5));
}

void explorer(QPainter& p) {
    const QPen edge(QColor(150, 100, 10), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(edge);
    p.setBrush(QColor(222, 158, 24));
    p.drawPolygon(QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {14.5, 13.5}}));
}

void power(QPainter& p) {
    p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 3, 11, 11), 125 * 16, 290 * 16);
    p.drawLine(QPointF(8, 1.5), QPointF(8, 7.5));
}

void others(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(1.5, 3.5, 13, 9), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (double x : {4.8, 8.0, 11.2}) p.drawEllipse(QPointF(x, 8), 1.3, 1.3);
}

void service(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
    const QColor states[] = {kGreen, kGreen, kRed};
    for (int row = 0; row < 3; ++row) {
        const double y = 5 + 3 * row;
        p.setPen(Qt::NoPen);
        p.setBrush(states[row]);
        p.drawEllipse(QPointF(4.5, y), 1.4, 1.4);
        p.setPen(inkPen(1.2));
        p.drawLine(QPointF(7, y), QPointF(12, y));
    }
}

void utility(QPainter& p) {
    QPainterPath handle;
    handle.moveTo(3, 13);
    handle.lineTo(9, 7);
    QPainterPathStroker stroker;
    stroker.setWidth(3.2);
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath wrench = stroker.createStroke(handle).united(circle({10.5, 5.5}, 4));
    wrench = wrench.subtracted(circle({12.8, 3.2}, 2.3));
    fillAndOutline(p, wrench.simplified(), kSteel);
}

void info(QPainter& p) {
    p.setPen(inkPen());
    for (double at : {5.5, 8.0, 10.5}) {
        p.drawLine(QPointF(at, 1.5), QPointF(at, 3.5));
        p.drawLine(QPointF(at, 12.5), QPointF(at, 14.5));
        p.drawLine(QPointF(1.5, at), QPointF(3.5, at));
        p.drawLine(QPointF(12.5, at), QPointF(14.5, at));
    }
    p.setBrush(kInk);
    p.drawRect(QRectF(3.5, 3.5, 9, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawRect(QRectF(6, 6, 4, 4));
}

// A circular arrow turning back, its head at the top of the circle pointing left.
void turningBack(QPainter& p, const QColor& colour) {
    p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 3, 11, 11), 95 * 16, 270 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({{8.5, 0.2}, {8.5, 6.8}, {4.2, 3.5}}));
}

void restore(QPainter& p) { turningBack(p, kBlue); }

void option(QPainter& p) {
    const double knobs[] = {10.5, 5.0, 9.0};
    for (int row = 0; row < 3; ++row) {
        const double y = 3.5 + 4.5 * row;
        p.setPen(inkPen(1.2));
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
        p.setPen(inkPen());
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(knobs[row], y), 1.9, 1.9);
    }
}

void letterInDisc(QPainter& p, const QString& letter, const QColor& disc) {
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    p.setBrush(Qt::white);
    p.drawPath(centredText(letter, pictureFont(12, true), {8, 8}));
}

void help(QPainter& p) { letterInDisc(p, QStringLiteral("?"), kBlue); }

void close(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 8, 13));
    p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(5, 8), QPointF(11.5, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({{15.5, 8}, {11, 4}, {11, 12}}));
}

void accelerate(QPainter& p) {
    p.setPen(QPen(kOrange, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF({{10, 0.5}, {3, 9}, {7.5, 9}, {5.5, 15.5}, {13, 6.5}, {8.5, 6.5}, {11, 0.5}}));
}

// Title strip.

void compact(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(kInk);
    p.drawRect(QRectF(1.5, 2.5, 13, 2.5));
    p.setPen(QPen(kGreen, 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(3.5, 8), QPointF(11, 8));
    p.setPen(QPen(kOrange, 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(3.5, 11), QPointF(8, 11));
}

void tray(QPainter& p) {
    p.setPen(inkPen(1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{2, 9.5}, {2, 13.75}, {14, 13.75}, {14, 9.5}}));
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8, 1.5), QPointF(8, 7.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{4.5, 7}, {11.5, 7}, {8, 11}}));
}

void minimise(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(3, 10.5, 10, 2.5));
}

void titleClose(QPainter& p) {
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

// A push-pin leaning right: keeps the window on top.
void top(QPainter& p) {
    p.save();
    p.translate(8, 8);
    p.rotate(35);
    p.translate(-8, -8);
    p.setPen(inkPen(1.2));
    p.drawLine(QPointF(8, 10), QPointF(8, 15.5));
    QPainterPath head;
    head.addRect(5, 1, 6, 2);
    head.addRect(6, 3, 4, 5);
    head.addRect(3.5, 8, 9, 2);
    fillAndOutline(p, head.simplified(), kRed);
    p.restore();
}

void performance(QPainter& p) {
    const QColor colours[] = {kGreen, kYellow, kOrange};
    for (int bar = 0; bar < 3; ++bar) {
        const double height = 5 + 3.5 * bar;
        QPainterPath path;
        path.addRect(QRectF(2.5 + 4 * bar, 14.5 - height, 3, height));
        fillAndOutline(p, path, colours[bar]);
    }
    p.setPen(inkPen(1.2));
    p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
}

// Beside the commentary: what the commentary panel is (a speech balloon of text lines) and
// more information, the "e" that the commentary texts name.

void commentary(QPainter& p) {
    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(1.5, 1.5, 13, 10), 2.5, 2.5);
    QPainterPath tail;
    tail.moveTo(4, 11);
    tail.lineTo(3.5, 14.5);
    tail.lineTo(8, 11);
    tail.closeSubpath();
    fillAndOutline(p, balloon.united(tail), kPaper);
    p.setPen(QPen(kBlue, 1.2, Qt::SolidLine, Qt::RoundCap));
    for (double y : {4.5, 6.75, 9.0}) p.drawLine(QPointF(4, y), QPointF(y < 8 ? 12 : 9.5, y));
}

void moreInfo(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    p.setBrush(Qt::white);
    p.drawPath(centredText(QStringLiteral("e"), pictureFont(14, true), {8, 8}));
}

// Save-and-restore window: what is saved (the PC, the mail rules) and what is done with it.

void screen(QPainter& p) { desktop(p); }

void envelope(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 3.5, 13, 9));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{1.5, 3.5}, {8, 9}, {14.5, 3.5}}));
}

// A small arrow into the lower right corner: saving.
void savingArrow(QPainter& p) {
    p.setPen(inkPen());
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({{10.5, 7.5}, {13.5, 7.5}, {13.5, 11}, {15.5, 11}, {12, 15}, {8.5, 11}, {10.5, 11}}));
}

// The turning arrow, smaller, in the lower right corner: putting back.
void restoringArrow(QPainter& p) {
    p.save();
    p.translate(7, 7);
    p.scale(0.56, 0.56);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(8, 8.5), 7.5, 7.5);
    turningBack(p, kBlue);
    p.restore();
}

void backupPc(QPainter& p) {
    screen(p);
    savingArrow(p);
}

void recoverPc(QPainter& p) {
    screen(p);
    restoringArrow(p);
}

void backupMail(QPainter& p) {
    envelope(p);
    savingArrow(p);
}

void recoverMail(QPainter& p) {
    envelope(p);
    restoringArrow(p);
}

// A drawing on the 16-unit grid at size × size pixels.
Picture drawn(std::string path, int size, void (*draw)(QPainter&)) {
    return {std::move(path), [draw, size] {
                QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                QPainter painter(&image);
                prepare(painter);
                painter.scale(size / 16.0, size / 16.0);
                draw(painter);
                painter.end();
                return image.convertToFormat(QImage::Format_ARGB32);
            }};
}

Picture glyph(const char* name, void (*draw)(QPainter&)) { return drawn(std::string("glyphs/") + name + ".png", 16, draw); }

// The 32×32 glyphs of the save-and-restore window's square buttons and its page pictures.
Picture largeGlyph(const char* name, void (*draw)(QPainter&)) {
    return drawn(std::string("glyphs/") + name + ".png", 32, draw);
}

}  // namespace

std::vector<Picture> glyphs() {
    return {
        glyph("menu-system", system),
        glyph("menu-desktop", desktop),
        glyph("menu-explorer", explorer),
        glyph("menu-power", power),
        glyph("menu-others", others),
        glyph("menu-service", service),
        glyph("menu-utility", utility),
        glyph("menu-info", info),
        glyph("menu-restore", restore),
        glyph("menu-option", option),
        glyph("menu-help", help),
        glyph("menu-close", close),
        glyph("accelerate", accelerate),
        glyph("title-compact", compact),
        glyph("title-tray", tray),
        glyph("title-minimise", minimise),
        glyph("title-close", titleClose),
        glyph("title-top", top),
        glyph("title-performance", performance),
        glyph("commentary", commentary),
        glyph("more-info", moreInfo),
        largeGlyph("restore-backup", backupPc),
        largeGlyph("restore-recovery", recoverPc),
        largeGlyph("restore-backup-oe", backupMail),
        largeGlyph("restore-recovery-oe", recoverMail),
        drawn("restore-pc.png", 32, screen),
        drawn("restore-mail.png", 32, envelope),
    };
}

}  // namespace hastelyn::pictures
