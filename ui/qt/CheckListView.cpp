#include "ui/qt/CheckListView.h"

#include <QBrush>
#include <QPalette>

namespace hastelyn::ui {
namespace {

const QColor kGrayText(128, 128, 128);

}  // namespace

CheckListView::CheckListView(engine::CheckList& list, QWidget* parent) : RowList(parent), list_(list) {
    setFrameShape(QFrame::NoFrame);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemChanged, this, &CheckListView::rowChanged);
    refresh();
}

void CheckListView::refresh() {
    refreshing_ = true;
    const int selected = currentRow();
    while (count() > static_cast<int>(list_.rows.size())) delete takeItem(count() - 1);
    for (std::size_t i = 0; i < list_.rows.size(); ++i) {
        const engine::Row& row = list_.rows[i];
        // Only what changed is set: each change is laid out and drawn again.
        QListWidgetItem* it = item(static_cast<int>(i));
        if (it == nullptr) it = new QListWidgetItem(this);
        if (const QString label = QString::fromStdString(row.label); it->text() != label) it->setText(label);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (row.enabled) flags |= Qt::ItemIsUserCheckable;
        if (it->flags() != flags) it->setFlags(flags);
        const Qt::CheckState tick = row.ticked ? Qt::Checked : Qt::Unchecked;
        if (it->data(Qt::CheckStateRole) != QVariant(static_cast<int>(tick))) it->setCheckState(tick);
        // A row that cannot be changed is grey text (the system's grey text colour) whatever
        // colour the list's style gives the others; the others keep the list's own colour.
        const QVariant foreground = row.enabled ? QVariant() : QVariant(QBrush(kGrayText));
        if (it->data(Qt::ForegroundRole) != foreground) it->setData(Qt::ForegroundRole, foreground);
    }
    if (selected >= 0 && selected < count()) setCurrentRow(selected);
    refreshing_ = false;
}

std::optional<bool> CheckListView::selectedRowTicked() const {
    const int row = currentRow();
    if (row < 0 || row >= static_cast<int>(list_.rows.size())) return std::nullopt;
    return list_.rows[static_cast<std::size_t>(row)].ticked;
}

void CheckListView::rowChanged(QListWidgetItem* changed) {
    if (refreshing_) return;
    const int row = this->row(changed);
    if (row < 0 || row >= static_cast<int>(list_.rows.size())) return;
    engine::Row& model = list_.rows[static_cast<std::size_t>(row)];
    const bool ticked = changed->checkState() == Qt::Checked;
    if (!model.enabled && ticked != model.ticked) {
        // A disabled row keeps its tick whatever reaches the widget.
        refresh();
        return;
    }
    model.ticked = ticked;
}

}  // namespace hastelyn::ui
