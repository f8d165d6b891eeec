#pragma once
// Small helpers for building forms the way they are laid out: every control carries its
// component name as object name and sits at its given place.
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <string>
#include <type_traits>

#include "ui/model/Control.h"

namespace hastelyn::ui {

template <typename W, typename... Args>
W* place(QWidget* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
    W* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(left, top, width, height);
    return w;
}

// Text of a UTF-8 literal.
inline QString u8(std::string_view text);

// The widget of a control row: at its place, named as the row, with its caption (where the
// widget has one) and hint. A push button is pressed by Enter when it has the focus, as the
// spoken texts promise, in every window and not only in dialogs.
template <typename W, typename... Args>
W* place(QWidget* parent, const model::Control& control, Args&&... args) {
    const std::string name(control.name);
    W* w = place<W>(parent, name.c_str(), control.rect.left, control.rect.top, control.rect.width,
                    control.rect.height, std::forward<Args>(args)...);
    if constexpr (requires { w->setText(QString()); })
        if (!control.caption.empty()) w->setText(u8(control.caption));
    if (!control.hint.empty()) w->setToolTip(u8(control.hint));
    if constexpr (std::is_base_of_v<QPushButton, W>) w->setAutoDefault(true);
    return w;
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                           int height) {
    QPushButton* b = place<QPushButton>(parent, name, left, top, width, height);
    b->setText(caption);
    // Enter presses the button that has the focus, as the spoken texts promise, in every
    // window and not only in dialogs.
    b->setAutoDefault(true);
    return b;
}

// Text of a UTF-8 literal.
inline QString u8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text with CR LF line breaks as a Qt text field shows it (one line break each).
inline QString displayText(std::string_view text) { return u8(text).replace(QLatin1String("\r\n"), QLatin1String("\n")); }

// Whether widget is container or lies inside it.
inline bool isInside(const QWidget* widget, const QWidget* container) {
    for (; widget != nullptr; widget = widget->parentWidget())
        if (widget == container) return true;
    return false;
}

// Background colour of a Windows colour value 0x00BBGGRR.
QColor windowsColor(std::uint32_t bgr);
void setBackground(QWidget* widget, std::uint32_t bgr);
// Colour of a text, also where a style sheet gave it its colour.
void setTextColour(QWidget* widget, std::uint32_t bgr);
// Colour of an edit box's text area.
void setFieldColor(QWidget* field, const QColor& color);

}  // namespace hastelyn::ui
