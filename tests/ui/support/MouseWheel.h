#pragma once
// One notch of the mouse wheel over a control, as from the mouse: an event the control ignores
// goes on to its parents.
#include <QApplication>
#include <QSpontaneKeyEvent>
#include <QWheelEvent>

namespace hastelyn::testing {

// A positive delta turns the wheel away from the user, a negative one towards the user.
inline void turnWheel(QWidget* over, int delta) {
    const QPointF pos(over->width() / 2.0, over->height() / 2.0);
    QWheelEvent event(pos, over->mapToGlobal(pos), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(over, &event);
}

}  // namespace hastelyn::testing
