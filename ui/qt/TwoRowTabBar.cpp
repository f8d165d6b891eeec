#include "ui/qt/TwoRowTabBar.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QStyleOptionTab>
#include <QStyle>
#include <QStylePainter>
#include <QToolTip>

#include <algorithm>

namespace hastelyn::ui {

TwoRowTabBar::TwoRowTabBar(QWidget* parent) : QTabBar(parent) {
    setUsesScrollButtons(false);
    setExpanding(false);
    setElideMode(Qt::ElideNone);
    setDrawBase(false);
}

// Two rows must leave the page room for ten list rows of 18 pixels: each row is as low as
// the caption allows. A tab style of the settings (a style sheet with its own borders) makes
// the tabs as high as that style needs for the whole caption.
int TwoRowTabBar::rowHeight() const {
    const int plain = std::max(16, fontMetrics().height() + 3);
    if (count() == 0 || !style()->inherits("QStyleSheetStyle")) return plain;
    return std::max(plain, QTabBar::tabSizeHint(0).height());
}

int TwoRowTabBar::firstRowCount() const { return (count() + 1) / 2; }

QSize TwoRowTabBar::sizeHint() const {
    const int rows = count() > 1 ? 2 : 1;
    return {parentWidget() != nullptr ? parentWidget()->width() : 400, rows * rowHeight()};
}

QSize TwoRowTabBar::minimumSizeHint() const { return {0, sizeHint().height()}; }

QRect TwoRowTabBar::rowTabRect(int index) const {
    if (index < 0 || index >= count()) return {};
    const int first = firstRowCount();
    const bool inFirstRow = index < first;
    const int inRow = inFirstRow ? first : count() - first;
    const int position = inFirstRow ? index : index - first;
    // The current tab's row sits next to the page (the lower row); the other one above it.
    const int current = currentIndex();
    const bool currentInFirstRow = current < first;
    const bool lower = count() <= 1 || inFirstRow == currentInFirstRow;
    const int top = lower && count() > 1 ? rowHeight() : 0;
    const int left = width() * position / inRow;
    const int right = width() * (position + 1) / inRow;
    return {left, top, right - left, rowHeight()};
}

int TwoRowTabBar::rowTabAt(const QPoint& pos) const {
    for (int i = 0; i < count(); ++i)
        if (rowTabRect(i).contains(pos)) return i;
    return -1;
}

void TwoRowTabBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    // The current tab last, so its raised shape overlaps its neighbours.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < count(); ++i) {
            if ((i == currentIndex()) != (pass == 1)) continue;
            QStyleOptionTab option;
            initStyleOption(&option, i);
            option.rect = rowTabRect(i);
            // Without an index a style places the caption in the rectangle given, not where
            // the base class would lay the tab out in one row.
            option.tabIndex = -1;
            option.position = QStyleOptionTab::Middle;
            option.selectedPosition = QStyleOptionTab::NotAdjacent;
            option.state.setFlag(QStyle::State_HasFocus, i == currentIndex() && hasFocus());
            painter.drawControl(QStyle::CE_TabBarTab, option);
        }
    }
}

void TwoRowTabBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = rowTabAt(event->position().toPoint());
    if (index >= 0 && isTabEnabled(index)) {
        emit tabBarClicked(index);
        setCurrentIndex(index);
    }
    event->accept();
}

// The base class would drag and move tabs by its own idea of where they are.
void TwoRowTabBar::mouseMoveEvent(QMouseEvent* event) { event->accept(); }
void TwoRowTabBar::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void TwoRowTabBar::wheelEvent(QWheelEvent* event) { event->ignore(); }

bool TwoRowTabBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = rowTabAt(help->pos());
        if (index >= 0 && !tabToolTip(index).isEmpty()) {
            QToolTip::showText(help->globalPos(), tabToolTip(index), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QTabBar::event(event);
}

}  // namespace hastelyn::ui
