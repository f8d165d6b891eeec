#include "ui/qt/Widgets.h"

#include <QPalette>
#include <QRegularExpression>

namespace hastelyn::ui {

QColor windowsColor(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

void setBackground(QWidget* widget, std::uint32_t bgr) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, windowsColor(bgr));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

namespace {

// A colour declared in a style sheet. Made on first use: most widgets have no style sheet.
const QRegularExpression& colourDeclaration() {
    static const QRegularExpression declared(QStringLiteral("(^|[;{\\s])color\\s*:\\s*[^;}]*"));
    return declared;
}

}  // namespace

void setTextColour(QWidget* widget, std::uint32_t bgr) {
    QString sheet = widget->styleSheet();
    if (!sheet.isEmpty() && sheet.contains(colourDeclaration())) {
        widget->setStyleSheet(sheet.replace(colourDeclaration(), QStringLiteral("\\1color: ") + windowsColor(bgr).name()));
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, windowsColor(bgr));
    palette.setColor(QPalette::ButtonText, windowsColor(bgr));
    widget->setPalette(palette);
}

void setFieldColor(QWidget* field, const QColor& color) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, color);
    field->setPalette(palette);
}

}  // namespace hastelyn::ui
