// The eight pages of the main window.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "engine/PcInformation.h"
#include "engine/Utilities.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/UtilityPages.h"
#include "ui/qt/RowList.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"

namespace hastelyn::ui {
namespace {

constexpr std::uint32_t kListColor = 0xF0FBFF;  // cream
// The lists' text size; a list whose rows would not fit at it is drawn a little smaller.
constexpr int kListPixels = 13;

QWidget* addPage(QTabWidget* pages, const char* name, std::string_view caption) {
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, u8(caption));
    return page;
}

// Every list fills its page: no border, cream, navy 13-pixel text, rows 18 pixels high.
template <typename List>
List* fillPage(List* list) {
    list->setGeometry(0, 0, 486, 181);
    list->setFrameShape(QFrame::NoFrame);
    setBackground(list->viewport(), kListColor);
    QFont font = list->font();
    font.setPixelSize(kListPixels);
    list->setFont(font);
    list->setStyleSheet("QListWidget { color: navy; background: #FFFBF0; } QListWidget::item { height: 18px; }");
    return list;
}

}  // namespace

void TFrmMain::buildTweakPages() {
    const char* pageNames[] = {"TbSystem", "TbDesktop", "TbExplorer", "TbPower", "TbOthers"};
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c) {
        const engine::Category& category = engine::tweakCategories()[c];
        QWidget* page = addPage(PgAccel, pageNames[c], category.caption);
        auto* list = fillPage(new CheckListView(session_.model.tweakList(c), page));
        list->setObjectName(u8(category.listName));
        tweakLists[c] = list;
        wireListClicks(list);
        list->fitRows(kListPixels);
    }
}

void TFrmMain::buildServicePage() {
    QWidget* page = addPage(PgAccel, "TbService", "不要サービス");
    LstService = fillPage(new CheckListView(session_.model.services(), page));
    LstService->setObjectName("LstService");
    wireListClicks(LstService);
}

void TFrmMain::buildUtilityPage() {
    QWidget* page = addPage(PgAccel, "TbUtility", "ユーティリティ");
    LstUtility = fillPage(new RowList(page));
    LstUtility->setObjectName("LstUtility");
    wireListClicks(LstUtility);
    const char* circled[] = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨", "⑩"};
    const int tops[] = {4, 40, 76, 112, 148};
    for (int i = 0; i < 10; ++i) {
        const engine::UtilityRow& row = engine::utilityRows()[static_cast<std::size_t>(i)];
        LstUtility->addItem(u8(row.label));
        QPushButton* b = button(page, row.name, u8(circled[i]), i % 2 == 0 ? 384 : 434, tops[i / 2], 51, 37);
        b->setToolTip(u8(row.hint));
        b->setAccessibleName(u8(row.hint));
        utilityButtons[static_cast<std::size_t>(i)] = b;
    }
    // Made in the tab order: the two drive lists, then the quick-format box.
    LstHDDefrag = place<RowList>(page, "LstHDDefrag", 308, 148, 76, 18);
    LstHDDefrag->setAccessibleName(u8("デフラグするドライブ"));
    LstHDConvert = place<RowList>(page, "LstHDConvert", 308, 166, 76, 18);
    LstHDConvert->setAccessibleName(u8("NTFSに変換するドライブ"));
    ChcQuickFormat = place<QCheckBox>(page, "ChcQuickFormat", 308, 130, 76, 18);
    ChcQuickFormat->setText(u8("クイック"));
    LstUtility->fitRows(kListPixels);
    wireUtilityPage(*this);
}

void TFrmMain::buildInfoPage() {
    QWidget* page = addPage(PgAccel, "TbInfo", "パソコン情報");
    LstInfo = fillPage(new RowList(page));
    LstInfo->setObjectName("LstInfo");
    wireListClicks(LstInfo);
    for (int i = 0; i < 10; ++i) {
        const engine::PcInfoRow& row = engine::pcInfoRows()[static_cast<std::size_t>(i)];
        LstInfo->addItem(u8(row.label));
        auto* field = place<QLineEdit>(page, row.name, 114, 4 + 18 * i, 318, 18);
        // The row's label without its number.
        field->setAccessibleName(u8(row.label).mid(2));
        if (i < 3) {
            field->setMaxLength(63);
        } else {
            field->setReadOnly(true);
            setFieldColor(field, windowsColor(model::colours::kSilver));
        }
        infoFields[static_cast<std::size_t>(i)] = field;
    }
    // Made in the tab order: the change button before the detail button above it.
    button(page, "BtnChange", u8("変更"), 435, 160, 48, 24);
    button(page, "BtnDetail", u8("詳細"), 435, 134, 48, 24);
    LstInfo->fitRows(kListPixels);
    wirePcInfoPage(*this);
}

}  // namespace hastelyn::ui
