// The eight pages of the main window.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "ui/MainWindow.h"
#include "ui/RowList.h"
#include "ui/TwoRowTabBar.h"
#include "ui/Widgets.h"

namespace hastelyn::ui {
namespace {

constexpr std::uint32_t kListColor = 0xF0FBFF;  // cream
constexpr std::uint32_t kSilver = 0xC0C0C0;
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
    const struct {
        const char* label;
        const char* name;
        const char* hint;
    } rows[] = {
        {"① 動作が軽快なWindows Media Player 6.4で、音楽/動画を再生する", "BtnWMP6", "Windows Media Player 6.4"},
        {"② NetMeetingで、ネットワークにつながったパソコンを遠隔操作する", "BtnNet", "NetMeeting"},
        {"③ システム構成ユーティリティでスタートアップを管理して、高速起動", "BtnMS", "システム構成ユーティリティ"},
        {"④ セキュリティ対策や通信ソフトに必要な、IPアドレスを確認する", "BtnIP", "IPアドレス"},
        {"⑤ グループポリシーエディタで、Windowsのカスタマイズを管理する", "BtnGroup", "グループポリシーエディタ"},
        {"⑥ 使う機会や必要性が増えつつある、レジストリエディタを起動する", "BtnReg", "レジストリエディタ"},
        {"⑦ ディスクの管理で、ディスクに関する様々な操作を実行する", "BtnDiskMgmt", "ディスクの管理"},
        {"⑧ フロッピーディスクを高速にフォーマットする", "BtnFormat", "フォーマット"},
        {"⑨ 負担の軽いデフラグで、ハードディスクを最適化する", "BtnCUIDefrag", "デフラグ"},
        {"⑩ MFTを断片化させずに、ハードディスクをNTFSに変換", "BtnConvert", "NTFS変換"},
    };
    const char* circled[] = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨", "⑩"};
    const int tops[] = {4, 40, 76, 112, 148};
    for (int i = 0; i < 10; ++i) {
        LstUtility->addItem(u8(rows[i].label));
        QPushButton* b = button(page, rows[i].name, u8(circled[i]), i % 2 == 0 ? 384 : 434, tops[i / 2], 51, 37);
        b->setToolTip(u8(rows[i].hint));
        b->setAccessibleName(u8(rows[i].hint));
        utilityButtons[static_cast<std::size_t>(i)] = b;
    }
    ChcQuickFormat = place<QCheckBox>(page, "ChcQuickFormat", 308, 130, 76, 18);
    ChcQuickFormat->setText(u8("クイック"));
    LstHDDefrag = place<RowList>(page, "LstHDDefrag", 308, 148, 76, 18);
    LstHDDefrag->setAccessibleName(u8("デフラグするドライブ"));
    LstHDConvert = place<RowList>(page, "LstHDConvert", 308, 166, 76, 18);
    LstHDConvert->setAccessibleName(u8("NTFSに変換するドライブ"));
    LstUtility->fitRows(kListPixels);
}

void TFrmMain::buildInfoPage() {
    QWidget* page = addPage(PgAccel, "TbInfo", "パソコン情報");
    LstInfo = fillPage(new RowList(page));
    LstInfo->setObjectName("LstInfo");
    wireListClicks(LstInfo);
    const struct {
        const char* label;
        const char* name;
    } rows[] = {
        {"① 使用者", "EdtUser"},        {"② 会社名", "EdtCorp"},        {"③ コンピュータ名", "EdtComputer"},
        {"④ OS", "EdtProduct"},         {"⑤ OSのバージョン", "EdtVersion"}, {"⑥ プロダクトID", "EdtID"},
        {"⑦ プロダクトキー", "EdtKey"}, {"⑧ Windowsフォルダ", "EdtRoot"}, {"⑨ CPU", "EdtCPU"},
        {"⑩ プロセッサ情報", "EdtMHz"},
    };
    for (int i = 0; i < 10; ++i) {
        LstInfo->addItem(u8(rows[i].label));
        auto* field = place<QLineEdit>(page, rows[i].name, 114, 4 + 18 * i, 318, 18);
        // The row's label without its number.
        field->setAccessibleName(u8(rows[i].label).mid(2));
        if (i < 3) {
            field->setMaxLength(63);
        } else {
            field->setReadOnly(true);
            setFieldColor(field, windowsColor(kSilver));
        }
        infoFields[static_cast<std::size_t>(i)] = field;
    }
    button(page, "BtnDetail", u8("詳細"), 435, 134, 48, 24);
    button(page, "BtnChange", u8("変更"), 435, 160, 48, 24);
    LstInfo->fitRows(kListPixels);
}

}  // namespace hastelyn::ui
