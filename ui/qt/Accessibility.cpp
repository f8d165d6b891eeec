#include "ui/qt/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextDocumentFragment>

#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

// The caption of the page a control sits on, if it sits on a page.
QString pageCaptionOf(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr && w->parentWidget() != nullptr; w = w->parentWidget()) {
        // A page's parent is the page control's stack, whose parent is the page control.
        const QWidget* stack = w->parentWidget();
        if (auto* pages = qobject_cast<const QTabWidget*>(stack->parentWidget())) {
            const int index = pages->indexOf(const_cast<QWidget*>(w));
            if (index >= 0) return pages->tabText(index);
        }
    }
    return {};
}

QString plain(const QString& text) {
    QString result = Qt::mightBeRichText(text) ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
    result.remove('&');
    return result.trimmed();
}

QString nameOf(QWidget* widget) {
    if (auto* b = qobject_cast<QAbstractButton*>(widget)) {
        const QString caption = plain(b->text());
        return caption.isEmpty() ? b->toolTip() : caption;
    }
    // A label with text is named by its text as it stands at the moment (the counters change);
    // only a picture is named, by its hint.
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().isEmpty() ? label->toolTip() : QString();
    if (qobject_cast<QListWidget*>(widget) != nullptr) {
        const QString page = pageCaptionOf(widget);
        return page.isEmpty() ? QString() : page + u8(" 一覧");
    }
    if (qobject_cast<QPlainTextEdit*>(widget) != nullptr) return u8("詳しい解説");
    if (qobject_cast<QTabWidget*>(widget) != nullptr) return u8("ページ");
    return {};
}

// A window made of a plain widget reads as a window (a frame), not as a part of one, so that a
// screen reader says which window the focus came to. Dialogs read as dialogs already.
// Qt's own windows (menus, hints) keep their roles.
QAccessibleInterface* windowAccessible(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->isWindow() || qobject_cast<QDialog*>(widget) != nullptr ||
        !className.startsWith(QLatin1String("hastelyn::ui::")))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

}  // namespace

void nameForAccessibility(QWidget* root) {
    static const bool windowsRead = [] {
        QAccessible::installFactory(windowAccessible);
        return true;
    }();
    (void)windowsRead;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->accessibleName().isEmpty()) {
            const QString name = nameOf(widget);
            if (!name.isEmpty()) widget->setAccessibleName(name);
        }
        if (widget->accessibleDescription().isEmpty() && !widget->toolTip().isEmpty())
            widget->setAccessibleDescription(plain(widget->toolTip()));
    }
}

}  // namespace hastelyn::ui
