#include "ui/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace hastelyn::ui {

std::string QtClipboard::text() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text().toStdString() : std::string();
}

void QtClipboard::setText(std::string_view text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace hastelyn::ui
