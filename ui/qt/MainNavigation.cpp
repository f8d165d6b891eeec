// The main window's focus as its screen is told it, and what a row chosen in a list shows and says.
#include <QListWidget>

#include "ui/qt/MainPagesFront.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/UtilityPages.h"
#include "ui/qt/Widgets.h"
#include "ui/model/MainControls.h"
#include "ui/qt/MainWindowView.h"

namespace hastelyn::ui {
void TFrmMain::focusChanged(QWidget* /*old*/, QWidget* now) {
    if (now == nullptr || now->window() != this) {
        screen_->focusMoved(model::FocusPlace::Elsewhere, nullptr);
        return;
    }
    const model::FocusPlace place = isInside(now, PgAccel) ? model::FocusPlace::Pages : model::FocusPlace::Window;
    // A control of the window, else one of the utility and PC-information pages or the
    // commentary (their rows are the pages' screen's).
    const model::Control* row = view_->rowOf(now);
    screen_->focusMoved(place, row != nullptr ? row : pagesFront->controlOf(now));
}

void TFrmMain::listClicked(QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0) return;
    // The caption of the list's own page names the category.
    const int page = PgAccel->indexOf(list->parentWidget());
    auto* checkList = qobject_cast<CheckListView*>(list);
    const model::PageList kind = list == LstService   ? model::PageList::Services
                                 : list == LstUtility ? model::PageList::Utilities
                                 : list == LstInfo    ? model::PageList::Info
                                                      : model::PageList::Tweak;
    pagesFront->screen().rowChosen(kind, model::main::kPages[static_cast<std::size_t>(page)]->caption, row,
                                   list->item(row)->text().toStdString(),
                                   checkList != nullptr ? checkList->selectedRowTicked() : std::nullopt);
}

void TFrmMain::wireListClicks(QListWidget* list) {
    // As a list box's click: a new row chosen by the mouse or the arrow keys, or a click on
    // the row that was already current.
    connect(list, &QListWidget::currentRowChanged, this, [this, list](int row) {
        if (row >= 0) listClicked(list);
    });
    connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
        if (pressedList_ == list && list->row(item) == rowBeforePress_) listClicked(list);
    });
    list->viewport()->installEventFilter(this);
}

}  // namespace hastelyn::ui
