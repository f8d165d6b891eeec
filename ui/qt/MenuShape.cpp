#include "ui/qt/MenuShape.h"

#include <QPainter>

#include <algorithm>

namespace hastelyn::ui {

MenuShape::MenuShape(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {}

void MenuShape::setColour(QColor colour) {
    colour_ = colour;
    update();
}

void MenuShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour_, 3));
    painter.setBrush(QBrush(colour_, Qt::DiagCrossPattern));
    // The corners are rounded by an eighth of the shorter side, as a rounded rectangle shape.
    const qreal radius = std::min(width(), height()) / 8.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), radius, radius);
}

}  // namespace hastelyn::ui
