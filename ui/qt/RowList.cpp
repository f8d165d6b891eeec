#include "ui/qt/RowList.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QItemSelectionModel>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>

#include <algorithm>
#include <optional>
#include <utility>

#include "ui/qt/RowListAccessible.h"

namespace hastelyn::ui {
namespace {

class RowHeight final : public QStyledItemDelegate {
public:
    RowHeight(QObject* parent, int pixels) : QStyledItemDelegate(parent), pixels_(pixels) {}
    void setPixels(int pixels) { pixels_ = pixels; }
    int pixels() const { return pixels_; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), pixels_};
    }

private:
    int pixels_;
};

}  // namespace

RowList::RowList(QWidget* parent) : QListWidget(parent) {
    // Screen readers find the rows with their ticks and whether they can be changed.
    static const bool accessible = [] {
        QAccessible::installFactory(rowListAccessible);
        return true;
    }();
    (void)accessible;
}

void RowList::setRowHeight(int pixels) {
    if (auto* rows = dynamic_cast<RowHeight*>(itemDelegate())) {
        rows->setPixels(pixels);
        doItemsLayout();
    } else {
        setItemDelegate(new RowHeight(this, pixels));
    }
}

void RowList::focusInEvent(QFocusEvent* event) {
    if (currentIndex().isValid() || selectionModel() == nullptr) {
        QListWidget::focusInEvent(event);
        return;
    }
    // The item view makes the first row current when the keyboard brings the focus in; that
    // row is taken back before anyone hears of it. The arrow keys then start at row one.
    {
        const QSignalBlocker quiet(selectionModel());
        QListWidget::focusInEvent(event);
        selectionModel()->clearCurrentIndex();
    }
    viewport()->update();
}

void RowList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    viewport()->update();
}

void RowList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!hasFocus() || currentIndex().isValid() || count() == 0) return;
    QPainter painter(viewport());
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = visualItemRect(item(0));
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

int RowList::roomAt(int top, int height) const {
    // top and height within the list's contents; rows are laid out top down from there (also
    // before the list is shown).
    const QRect contents = contentsRect();
    const QRect onPage(geometry().left() + contents.left(), geometry().top() + top, contents.width(), height);
    int room = contents.width();
    if (parentWidget() == nullptr) return room;
    for (const QWidget* control : parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == this || control->isHidden()) continue;
        const QRect area = control->geometry();
        if (area.top() <= onPage.bottom() && area.bottom() >= onPage.top() && area.left() > onPage.left())
            room = std::min(room, area.left() - onPage.left());
    }
    return room;
}

bool RowList::rowsFit() const {
    // One size hint per row gives both its height (where the next row starts) and its need.
    // A size hint shapes the row's text, work that a row with room to spare can do without:
    // with rows of one height, the first row measured gives what a row needs beside its text,
    // and a row whose text's advances, summed, leave more room than kerning could take fits.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const auto* rows = dynamic_cast<const RowHeight*>(itemDelegate());
    const QFontMetricsF metrics(option.font);
    std::optional<qreal> besideText;
    bool firstTicked = false;
    int top = contentsRect().top();
    for (int row = 0; row < count(); ++row) {
        const QModelIndex index = model()->index(row, 0);
        const bool ticked = index.data(Qt::CheckStateRole).isValid();
        qreal advances = 0;
        for (const QChar c : index.data(Qt::DisplayRole).toString()) advances += metrics.horizontalAdvance(c);
        if (rows != nullptr && besideText && ticked == firstTicked &&
            *besideText + advances * 33 / 32 + 4 <= roomAt(top, rows->pixels())) {
            top += rows->pixels();
            continue;
        }
        const QSize need = itemDelegate()->sizeHint(option, index);
        if (need.width() > roomAt(top, need.height())) return false;
        if (!besideText) {
            besideText = need.width() - advances;
            firstTicked = ticked;
        }
        top += need.height();
    }
    return true;
}

void RowList::fitRows(int pixelSize) {
    fitPixels_ = pixelSize;
    if (isVisible()) fitNow();
}

void RowList::showEvent(QShowEvent* event) {
    if (fitPixels_ > 0) fitNow();
    QListWidget::showEvent(event);
}

void RowList::fitNow() {
    const int pixelSize = std::exchange(fitPixels_, 0);
    ensurePolished();
    QFont shown = font();
    for (int size = pixelSize; size >= 10; --size) {
        shown.setPixelSize(size);
        setFont(shown);
        if (rowsFit()) return;
    }
}

}  // namespace hastelyn::ui
