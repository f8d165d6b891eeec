// The commentary panel under the pages: its widgets, made from their rows, and the events they
// forward to the pages' screen (the introduction button, the more-information button, the search
// menu).
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "engine/Services.h"
#include "ui/model/Colours.h"
#include "ui/model/MainPagesControls.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/Forms.h"
#include "ui/qt/MainPagesFront.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

namespace pages = model::pages;

constexpr int kMemoPixelSize = 13;

QPushButton* smallButton(MainPagesFront& front, QWidget* parent, const model::Control& row) {
    auto* b = front.build<QPushButton>(parent, row);
    b->setIcon(glyph(row.glyph));
    b->setFlat(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

void TFrmMain::buildCommentary(QWidget* accel) {
    MainPagesFront& front = *pagesFront;
    front.build<QLabel>(accel, pages::Label1);
    BtnComment = smallButton(front, accel, pages::BtnComment);
    connect(BtnComment, &QPushButton::clicked, this, [this] { pagesFront->screen().commentary().showIntroduction(); });
    BtnMoreInfo = smallButton(front, accel, pages::BtnMoreInfo);
    connect(BtnMoreInfo, &QPushButton::clicked, this, &TFrmMain::BtnMoreInfoClick);

    Comment = front.build<QPlainTextEdit>(accel, pages::Comment);
    Comment->setReadOnly(true);
    Comment->setFocusPolicy(Qt::ClickFocus);
    Comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFieldColor(Comment, windowsColor(model::colours::kCream));
    QFont font = Comment->font();
    font.setPixelSize(kMemoPixelSize);
    Comment->setFont(font);
    QPalette palette = Comment->palette();
    palette.setColor(QPalette::Text, windowsColor(model::colours::kTeal));
    Comment->setPalette(palette);

    PpSearch = new QMenu(Comment);
    PpSearch->setObjectName(u8(pages::PpSearch.name));
    front.adopt(pages::PpSearch, PpSearch);
    search = PpSearch->addMenu(u8(pages::SearchMenu.caption));
    search->setObjectName(u8(pages::SearchMenu.name));
    front.adopt(pages::SearchMenu, search);
    for (const pages::SearchEngine& engine : pages::kSearchEngines) {
        QAction* action = search->addAction(u8(engine.caption));
        action->setObjectName(u8(engine.name));
        connect(action, &QAction::triggered, this, [this, key = engine.engineKey] { openSearch(key); });
    }
    Comment->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PpSearch, &QMenu::aboutToShow, this, &TFrmMain::PpSearchPopup);
    connect(Comment, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PpSearch->popup(Comment->viewport()->mapToGlobal(pos)); });
    front.screen().showInitialState();
}

void TFrmMain::showCommentary(std::string_view caption, int row) { pagesFront->screen().commentary().show(caption, row); }

const std::string& TFrmMain::commentary() const { return pagesFront->screen().commentary().text(); }

const std::string& TFrmMain::searchWord() const { return pagesFront->screen().commentary().searchWord(); }

void TFrmMain::BtnMoreInfoClick() {
    pagesFront->screen().moreInfoClicked(PgAccel->currentIndex(), LstUtility != nullptr ? LstUtility->currentRow() : -1);
}

void TFrmMain::PpSearchPopup() {
    // The save-and-restore window's commentary while that window shows, else this one's.
    QPlainTextEdit* source = Comment;
    if (FrmRestore != nullptr && FrmRestore->isVisible() && FrmRestore->commentMemo() != nullptr)
        source = FrmRestore->commentMemo();
    QString selection = source->textCursor().selectedText();
    selection.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    pagesFront->screen().commentary().searchOpened(selection.toStdString());
}

void TFrmMain::openSearch(std::string_view engineKey) {
    runCommand([this, engineKey] { pagesFront->screen().searchChosen(engineKey); });
}

}  // namespace hastelyn::ui
