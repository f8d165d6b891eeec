// The commentary panel under the pages: its texts and their shaping, the introduction, the
// more-information button and the search menu.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

#include "engine/Services.h"
#include "foundation/CommentText.h"
#include "foundation/HelpSearch.h"
#include "foundation/WebSearch.h"
#include "ui/qt/CommentItem.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/CommentItem2.h"
#include "ui/qt/Forms.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"

namespace hastelyn::ui {
namespace {

constexpr std::uint32_t kTeal = 0x808000;  // the memo's text

// The panel's place on the tweak area, as the form lays it out: a heading with the two small
// buttons beside it, the memo below them.
constexpr int kPanelLeft = 10;
constexpr int kHeadingTop = 274;
constexpr int kHeadingWidth = 90;
constexpr int kHeadingHeight = 14;
constexpr int kSmallButtonTop = 270;
constexpr int kSmallButtonWidth = 22;
constexpr int kSmallButtonHeight = 20;
constexpr int kCommentButtonLeft = 100;
constexpr int kMoreInfoButtonLeft = 124;
constexpr int kMemoTop = 291;
constexpr int kMemoWidth = 493;
constexpr int kMemoHeight = 160;
constexpr int kMemoPixelSize = 13;

// Rows of the utilities list whose tools have a page of more information.
constexpr int kSystemConfigurationRow = 2;  // ③
constexpr int kGroupPolicyRow = 4;          // ⑤

// A menu caption shows "&" as itself.
QString menuCaption(const QString& text) {
    QString caption = text;
    caption.replace('&', QLatin1String("&&"));
    return caption;
}

const struct {
    const char* name;
    const char* caption;
    const char* engineKey;
} kSearchItems[] = {
    {"e_words", "IT用語辞典 e-Words", "e-Words"},
    {"Ascii", "ASCII24 デジタル用語辞典", "ASCII"},
    {"google", "Google日本語のページ", "Google"},
    {"Pelmora", "Pelmora サイト内検索", "Pelmora"},
};

}  // namespace

void TFrmMain::buildCommentary(QWidget* accel) {
    auto* heading = place<QLabel>(accel, "Label1", kPanelLeft, kHeadingTop, kHeadingWidth, kHeadingHeight);
    heading->setText(u8("■ 詳しい解説"));
    BtnComment = button(accel, "BtnComment", {}, kCommentButtonLeft, kSmallButtonTop, kSmallButtonWidth,
                        kSmallButtonHeight);
    BtnComment->setIcon(glyph("commentary"));
    BtnComment->setFlat(true);
    BtnComment->setToolTip(u8("[詳しい解説] の説明を表示します。"));
    BtnComment->setFocusPolicy(Qt::NoFocus);
    connect(BtnComment, &QPushButton::clicked, this, [this] { setCommentary(std::string(kCommentIntroduction)); });
    BtnMoreInfo = button(accel, "BtnMoreInfo", {}, kMoreInfoButtonLeft, kSmallButtonTop, kSmallButtonWidth,
                         kSmallButtonHeight);
    BtnMoreInfo->setIcon(glyph("more-info"));
    BtnMoreInfo->setFlat(true);
    BtnMoreInfo->setToolTip(u8("選択項目に関する、補足情報を表示します。"));
    BtnMoreInfo->setFocusPolicy(Qt::NoFocus);
    BtnMoreInfo->hide();
    connect(BtnMoreInfo, &QPushButton::clicked, this, &TFrmMain::BtnMoreInfoClick);

    Comment = place<QPlainTextEdit>(accel, "Comment", kPanelLeft, kMemoTop, kMemoWidth, kMemoHeight);
    Comment->setReadOnly(true);
    Comment->setFocusPolicy(Qt::ClickFocus);
    Comment->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFieldColor(Comment, windowsColor(model::colours::kCream));
    QFont font = Comment->font();
    font.setPixelSize(kMemoPixelSize);
    Comment->setFont(font);
    QPalette palette = Comment->palette();
    palette.setColor(QPalette::Text, windowsColor(kTeal));
    Comment->setPalette(palette);

    PpSearch = new QMenu(Comment);
    PpSearch->setObjectName("PpSearch");
    search = PpSearch->addMenu(u8("選択範囲を検索"));
    search->setObjectName("search");
    for (const auto& item : kSearchItems) {
        QAction* action = search->addAction(u8(item.caption));
        action->setObjectName(item.name);
        connect(action, &QAction::triggered, this, [this, key = item.engineKey] { openSearch(key); });
    }
    Comment->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PpSearch, &QMenu::aboutToShow, this, &TFrmMain::PpSearchPopup);
    connect(Comment, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PpSearch->popup(Comment->viewport()->mapToGlobal(pos)); });
}

void TFrmMain::showCommentary(std::string_view caption, int row) {
    std::optional<std::string_view> text = tweakCommentary(caption, row);
    if (!text) text = toolCommentary(caption, row);
    if (text) {
        setCommentary(std::string(*text));
    } else {
        postProcessCommentary();
    }
}

void TFrmMain::setCommentary(std::string text) {
    commentary_ = std::move(text);
    postProcessCommentary();
}

void TFrmMain::postProcessCommentary() {
    // The hint keeps the stored line breaks: it is taken before the reflow.
    if (session_.settings.general("CommentHint") == "On") Comment->setToolTip(displayText(commentary_));
    if (session_.settings.general("LineFeed") == "Off") commentary_ = foundation::reflowComment(commentary_);
    // An unchanged text is not set again, so the reader's place in it stays.
    const QString shown = displayText(commentary_);
    if (Comment->toPlainText() != shown) Comment->setPlainText(shown);
}

void TFrmMain::showServiceDetail(std::string_view displayName) {
    commentary_ = engine::ShowServiceDetail(session_, displayName);
    Comment->setPlainText(displayText(commentary_));
    if (session_.settings.general("CommentHint") == "On")
        Comment->setToolTip(displayText(foundation::breakHintLines(commentary_)));
}

void TFrmMain::BtnMoreInfoClick() {
    const QString page = PgAccel->currentWidget()->objectName();
    std::string_view name;
    if (page == "TbService") {
        name = "service.htm";
    } else if (page == "TbUtility" && LstUtility->currentRow() == kSystemConfigurationRow) {
        name = "startup.htm";
    } else if (page == "TbUtility" && LstUtility->currentRow() == kGroupPolicyRow) {
        name = "group_policy.htm";
    } else {
        return;
    }
    foundation::openAddress(session_.platform.shell,
                            foundation::helpPagePath(session_.platform.system.programPath(), name));
}

void TFrmMain::PpSearchPopup() {
    // The save-and-restore window's commentary while that window shows, else this one's.
    QPlainTextEdit* source = Comment;
    if (FrmRestore != nullptr && FrmRestore->isVisible() && FrmRestore->commentMemo() != nullptr)
        source = FrmRestore->commentMemo();
    QString selection = source->textCursor().selectedText();
    if (selection.isEmpty()) {
        // Nothing to look up: the menu closes at once, as after Escape.
        QCoreApplication::postEvent(PpSearch, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        return;
    }
    selection.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    search->setTitle(menuCaption(QLatin1Char('"') + selection + QLatin1Char('"') + u8(" を検索")));
    searchWord_ = selection.toStdString();
}

void TFrmMain::openSearch(std::string_view engineKey) {
    if (engineKey == "Pelmora") {
        // Our site is the help beside the program: its pages are searched here.
        runCommand([this] {
            foundation::openAddress(session_.platform.shell, foundation::searchHelp(session_.platform, searchWord_));
        });
        return;
    }
    if (const std::optional<std::string> address = foundation::searchAddress(engineKey, searchWord_))
        foundation::openAddress(session_.platform.shell, *address);
}

}  // namespace hastelyn::ui
