// Moving about the main window: the menu buttons and the pages, the texts spoken when a
// control gets the focus, and what a row chosen in a list shows and says.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTimer>

#include "foundation/SpokenTexts.h"
#include "ui/qt/CommentItem.h"
#include "ui/qt/CommentItem2.h"
#include "ui/qt/MainMenuTable.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/UtilityPages.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
void TFrmMain::showPageFromMenu(int page) {
    PgAccel->setCurrentIndex(page);
    PgAccel->setFocus(Qt::OtherFocusReason);
}

void TFrmMain::pageTabClicked(int page) {
    // With the focus on the tabs the page change itself speaks (as with the tabs' keys).
    if (page < 0 || PgAccel->tabBar()->hasFocus()) return;
    {
        const QScopedValueRollback quiet(quietPageChange_, true);
        PgAccel->setCurrentIndex(page);
    }
    // The focus comes to the pages, which speak the page clicked; from a list of a page the
    // focus was among the pages already, so no enter event speaks it.
    const bool among = isInside(QApplication::focusWidget(), PgAccel);
    PgAccel->setFocus(Qt::MouseFocusReason);
    if (among) PgAccelEnter();
}

void TFrmMain::turnPageQuietly(int page) {
    const QScopedValueRollback quiet(quietPageChange_, true);
    PgAccel->setCurrentIndex(page);
}

void TFrmMain::focusChanged(QWidget* old, QWidget* now) {
    if (now == nullptr || now->window() != this) return;
    if (isInside(now, PgAccel) && !isInside(old, PgAccel)) {
        PgAccelEnter();
        return;
    }
    speakFocusText(now);
}

void TFrmMain::speakFocusText(QWidget* widget) {
    if (widget == BtnAccelerate) {
        session_.speech.speak(kAccelerateSpoken);
        return;
    }
    for (const MenuButtonEntry& entry : menuButtons()) {
        if (widget->objectName() != QLatin1String(entry.name)) continue;
        // The close button is first in the tab order: at start it gets the focus while the
        // start-up speech is still to come, and must not speak over it.
        if (widget == BtnClose && TmrSpeak != nullptr && TmrSpeak->isActive()) return;
        session_.speech.speak(entry.spoken);
        return;
    }
    if (const std::string_view text = utilityPagesFocusText(widget); !text.empty()) session_.speech.speak(text);
}

void TFrmMain::PgAccelEnter() {
    const int index = PgAccel->currentIndex();
    if (index < 0 || index >= static_cast<int>(pages().size())) return;
    session_.speech.speak(pages()[static_cast<std::size_t>(index)].spoken);
    // The 9x family has no services: the page shows what the list would be.
    if (PgAccel->currentWidget()->objectName() == "TbService" && session_.codes.platform == "9x")
        showServiceDetail("");
}

void TFrmMain::listClicked(QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0) return;
    // The caption of the list's own page names the category.
    const int page = PgAccel->indexOf(list->parentWidget());
    const std::string caption(pages()[static_cast<std::size_t>(page)].caption);
    const std::string rowText = list->item(row)->text().toStdString();
    auto* checkList = qobject_cast<CheckListView*>(list);

    if (list == LstService) {
        showServiceDetail(rowText);
    } else {
        showCommentary(caption, row);
    }
    const std::string_view hints = list == LstUtility ? foundation::spoken::kUtilityHints
                                   : list == LstInfo  ? foundation::spoken::kInfoHints
                                                      : foundation::spoken::kRowHints;
    session_.speech.speakListSelection(caption, rowText,
                                       checkList != nullptr ? checkList->selectedRowTicked() : std::nullopt, hints);
    BtnMoreInfo->setVisible(list == LstService || (list == LstUtility && (row == 2 || row == 4)));
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
