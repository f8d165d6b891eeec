#include "ui/qt/RowListAccessible.h"

#include <QAccessibleWidget>
#include <QItemSelectionModel>
#include <QPointer>

#include <map>

#include "ui/qt/RowList.h"

namespace hastelyn::ui {
namespace {

// One row of a list.
class RowAccessible : public QAccessibleInterface {
public:
    RowAccessible(RowList* list, int row) : list_(list), row_(row) {}

    bool isValid() const override { return list_ != nullptr && row_ < list_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ != nullptr ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(list_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    int row() const { return row_; }
    const RowList* list() const { return list_.data(); }

    QString text(QAccessible::Text kind) const override {
        if (!isValid()) return {};
        const QListWidgetItem* item = list_->item(row_);
        if (kind == QAccessible::Name) return item->text();
        if (kind == QAccessible::Description) return item->toolTip();
        return {};
    }

    QRect rect() const override {
        if (!isValid()) return {};
        const QRect inView = list_->visualItemRect(list_->item(row_));
        return {list_->viewport()->mapToGlobal(inView.topLeft()), inView.size()};
    }

    QAccessible::Role role() const override { return checkable() ? QAccessible::CheckBox : QAccessible::ListItem; }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) return state;
        const QListWidgetItem* item = list_->item(row_);
        state.selectable = true;
        state.focusable = true;
        state.selected = item->isSelected();
        state.focused = list_->hasFocus() && list_->currentRow() == row_;
        state.invisible = !list_->isVisible() || !list_->viewport()->rect().intersects(list_->visualItemRect(item));
        state.disabled = !list_->isEnabled();
        if (checkable()) {
            state.checkable = true;
            state.checked = item->checkState() == Qt::Checked;
            // A check-list row that takes no tick (the edition's or a lock's) cannot be changed.
            state.disabled = state.disabled || !(item->flags() & Qt::ItemIsUserCheckable);
        }
        return state;
    }

private:
    bool checkable() const { return isValid() && list_->item(row_)->data(Qt::CheckStateRole).isValid(); }

    QPointer<RowList> list_;
    int row_;
};

// The list, whose children are its rows.
class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(RowList* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~ListAccessible() override {
        for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return list()->count(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= list()->count()) return nullptr;
        auto at = rows_.find(index);
        if (at == rows_.end())
            at = rows_.emplace(index, QAccessible::registerAccessibleInterface(new RowAccessible(list(), index))).first;
        return QAccessible::accessibleInterface(at->second);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* row = dynamic_cast<const RowAccessible*>(child);
        return row != nullptr && row->list() == list() && row->isValid() ? row->row() : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QListWidgetItem* item = list()->itemAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return item != nullptr ? child(list()->row(item)) : nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        return list()->hasFocus() && list()->currentRow() >= 0 ? child(list()->currentRow()) : nullptr;
    }

private:
    RowList* list() const { return static_cast<RowList*>(widget()); }

    mutable std::map<int, QAccessible::Id> rows_;
};

}  // namespace

QAccessibleInterface* rowListAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(RowList::staticMetaObject.className())) return nullptr;
    auto* list = qobject_cast<RowList*>(object);
    return list != nullptr ? new ListAccessible(list) : nullptr;
}

}  // namespace hastelyn::ui
