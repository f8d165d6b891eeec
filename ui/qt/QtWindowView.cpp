#include "ui/qt/QtWindowView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace hastelyn::ui {

QWidget* QtWindowView::widget(const model::Control& control) const {
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

const model::Control* QtWindowView::control(const QWidget* widget) const {
    const auto found = rows_.find(widget);
    return found == rows_.end() ? nullptr : found->second;
}

void QtWindowView::setCaption(const model::Control& control, std::string_view text) {
    QWidget* w = widget(control);
    const QString shown = u8(text);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(shown);
    else if (auto* label = qobject_cast<QLabel*>(w)) label->setText(shown);
    else if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(shown);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) memo->setPlainText(displayText(text));
    else if (w != nullptr) w->setWindowTitle(shown);
}

void QtWindowView::setEnabled(const model::Control& control, bool enabled) {
    if (QWidget* w = widget(control)) w->setEnabled(enabled);
}

void QtWindowView::setVisible(const model::Control& control, bool visible) {
    if (QWidget* w = widget(control)) w->setVisible(visible);
}

void QtWindowView::setChecked(const model::Control& control, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget(control))) button->setChecked(checked);
}

void QtWindowView::setColours(const model::Control& control, std::uint32_t background, std::uint32_t text) {
    QWidget* w = widget(control);
    if (w == nullptr) return;
    setBackground(w, background);
    QPalette palette = w->palette();
    palette.setColor(QPalette::WindowText, windowsColor(text));
    w->setPalette(palette);
}

void QtWindowView::focus(const model::Control& control) {
    if (QWidget* w = widget(control)) w->setFocus();
}

void QtWindowView::showPage(const model::Control& pages, int index) {
    if (auto* tabs = qobject_cast<QTabWidget*>(widget(pages))) tabs->setCurrentIndex(index);
}

}  // namespace hastelyn::ui
