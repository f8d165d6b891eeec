// The eight pages of the main window.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "engine/PcInformation.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/qt/MainPagesFront.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/UtilityPages.h"
#include "ui/qt/RowList.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"

namespace hastelyn::ui {
namespace {

namespace main = model::main;
namespace pages = model::pages;

// The lists' text size; a list whose rows would not fit at it is drawn a little smaller.
constexpr int kListPixels = 13;

QWidget* addPage(QTabWidget* pages, const model::Control& row) {
    auto* page = new QWidget(pages);
    page->setObjectName(u8(row.name));
    pages->addTab(page, u8(row.caption));
    return page;
}

// Every list fills its page: no border, cream, navy 13-pixel text, rows 18 pixels high.
template <typename List>
List* fillPage(List* list) {
    list->setGeometry(0, 0, 486, 181);
    list->setFrameShape(QFrame::NoFrame);
    setBackground(list->viewport(), model::colours::kCream);
    QPalette colours = list->palette();
    colours.setColor(QPalette::Text, windowsColor(model::colours::kNavy));
    colours.setColor(QPalette::Base, windowsColor(model::colours::kCream));
    list->setPalette(colours);
    QFont font = list->font();
    font.setPixelSize(kListPixels);
    list->setFont(font);
    list->setRowHeight(18);
    return list;
}

}  // namespace

void TFrmMain::buildTweakPages() {
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c) {
        const engine::Category& category = engine::tweakCategories()[c];
        QWidget* page = addPage(PgAccel, *main::kPages[c]);
        auto* list = fillPage(new CheckListView(session_.model.tweakList(c), page));
        list->setObjectName(u8(category.listName));
        tweakLists[c] = list;
        wireListClicks(list);
        list->fitRows(kListPixels);
    }
}

void TFrmMain::buildServicePage() {
    QWidget* page = addPage(PgAccel, main::TbService);
    LstService = fillPage(new CheckListView(session_.model.services(), page));
    LstService->setObjectName("LstService");
    wireListClicks(LstService);
}

void TFrmMain::buildUtilityPage() { addPage(PgAccel, main::TbUtility); }

void TFrmMain::buildInfoPage() { addPage(PgAccel, main::TbInfo); }

void TFrmMain::makePageControls(int index) {
    QWidget* page = PgAccel->widget(index);
    const bool utility = index == main::kUtilityPage && LstUtility == nullptr;
    const bool info = index == main::kInfoPage && LstInfo == nullptr;
    if (page == nullptr || !(utility || info)) return;
    // Made on a hidden page, so that showing it shows them with it.
    const bool shown = page->isVisible();
    if (shown) page->hide();
    if (utility) makeUtilityControls(page);
    if (info) makeInfoControls(page);
    finishPage(index);
    if (shown) page->show();
}

void TFrmMain::makeUtilityControls(QWidget* page) {
    MainPagesFront& front = *pagesFront;
    // Made in the Tab order of the page: the list, the ten buttons, the two drive lists, then
    // the quick-format box.
    LstUtility = fillPage(front.build<RowList>(page, pages::LstUtility));
    wireListClicks(LstUtility);
    for (std::size_t i = 0; i < pages::kUtilityButtons.size(); ++i) {
        LstUtility->addItem(u8(pages::kUtilityLabels[i]));
        utilityButtons[i] = front.build<QPushButton>(page, *pages::kUtilityButtons[i]);
    }
    LstHDDefrag = front.build<RowList>(page, pages::LstHDDefrag);
    LstHDConvert = front.build<RowList>(page, pages::LstHDConvert);
    ChcQuickFormat = front.build<QCheckBox>(page, pages::ChcQuickFormat);
    LstUtility->fitRows(kListPixels);
    wireUtilityPage(*this);
}

void TFrmMain::makeInfoControls(QWidget* page) {
    MainPagesFront& front = *pagesFront;
    LstInfo = fillPage(front.build<RowList>(page, pages::LstInfo));
    wireListClicks(LstInfo);
    for (std::size_t i = 0; i < pages::kInfoFields.size(); ++i) {
        LstInfo->addItem(u8(engine::pcInfoRows()[i].label));
        auto* field = front.build<QLineEdit>(page, *pages::kInfoFields[i]);
        if (i < engine::kPcInfoEditableCount) field->setMaxLength(pages::kInfoFieldLength);
        infoFields[i] = field;
    }
    // Made in the Tab order: the change button before the detail button above it.
    for (const model::Control* row : {&pages::BtnChange, &pages::BtnDetail})
        front.build<QPushButton>(page, *row);
    LstInfo->fitRows(kListPixels);
    wirePcInfoPage(*this);
}

}  // namespace hastelyn::ui
