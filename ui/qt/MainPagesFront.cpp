#include "ui/qt/MainPagesFront.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "ui/model/MainPagesControls.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

MainPagesFront::MainPagesFront(TFrmMain& window, engine::Session& session)
    : QObject(&window), screen_(session, *this) {}

void MainPagesFront::nameForReaders(const model::Control& control, QWidget* widget) {
    const std::string_view name = model::pages::accessibleName(control);
    if (!name.empty()) widget->setAccessibleName(u8(name));
}

void MainPagesFront::setCaption(const model::Control& control, std::string_view text) {
    QWidget* w = widget(control);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
        // An unchanged text is not set again, so the reader's place in it stays.
        const QString shown = displayText(text);
        if (memo->toPlainText() != shown) memo->setPlainText(shown);
    } else if (auto* menu = qobject_cast<QMenu*>(w)) {
        menu->setTitle(u8(text));
    } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
        field->setText(u8(text));
        // A text longer than its field shows its beginning.
        field->setCursorPosition(0);
    } else {
        QtWindowView::setCaption(control, text);
    }
}

void MainPagesFront::setColours(const model::Control& control, std::uint32_t background, std::uint32_t text) {
    if (auto* field = qobject_cast<QLineEdit*>(widget(control))) {
        setFieldColor(field, windowsColor(background));
        QPalette palette = field->palette();
        palette.setColor(QPalette::Text, windowsColor(text));
        field->setPalette(palette);
        return;
    }
    QtWindowView::setColours(control, background, text);
}

void MainPagesFront::setReadOnly(const model::Control& field, bool readOnly) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget(field))) edit->setReadOnly(readOnly);
}

void MainPagesFront::setHint(const model::Control& control, std::string_view text) {
    if (QWidget* w = widget(control)) w->setToolTip(displayText(text));
}

void MainPagesFront::closeMenu(const model::Control& menu) {
    // As after Escape: the menu closes at once, also while it is still opening.
    if (QWidget* w = widget(menu))
        QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
}

}  // namespace hastelyn::ui
