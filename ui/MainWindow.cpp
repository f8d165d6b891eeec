#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

#include "engine/Services.h"
#include "engine/Accelerate.h"
#include "foundation/KeyboardMap.h"
#include "foundation/SpokenTexts.h"
#include "ui/CommandErrors.h"
#include "ui/Widgets.h"

namespace hastelyn::ui {
namespace {

constexpr std::uint32_t kTitleColor = 6527743;   // 0x00639AFF
constexpr std::uint32_t kAccelColor = 10276863;  // 0x009CCFFF

foundation::MainKey mainKeyOf(int key) {
    switch (key) {
        case Qt::Key_Alt: return foundation::MainKey::Alt;
        case Qt::Key_Escape: return foundation::MainKey::Escape;
        case Qt::Key_Space: return foundation::MainKey::Space;
        case Qt::Key_F1: return foundation::MainKey::F1;
        case Qt::Key_F2: return foundation::MainKey::F2;
        case Qt::Key_F3: return foundation::MainKey::F3;
        case Qt::Key_F4: return foundation::MainKey::F4;
        case Qt::Key_F5: return foundation::MainKey::F5;
        case Qt::Key_F6: return foundation::MainKey::F6;
        default: return foundation::MainKey::Other;
    }
}

}  // namespace

TFrmMain::TFrmMain(engine::Session& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName("FrmMain");
    setWindowTitle("Hastelyn");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint | Qt::WindowSystemMenuHint);
    setFixedSize(659, 525);
    setBackground(this, 0xFFFFFF);

    buildTitleStrip();
    buildMenu();
    buildWorkArea();

    TmrSpeak = new QTimer(this);
    TmrSpeak->setObjectName("TmrSpeak");
    TmrSpeak->setInterval(3000);
    TmrSpeak->setSingleShot(true);
    connect(TmrSpeak, &QTimer::timeout, this, &TFrmMain::speakStartup);

    // Key preview: the keyboard map sees every key before the focused control.
    qApp->installEventFilter(this);
}

TFrmMain::~TFrmMain() { qApp->removeEventFilter(this); }

void TFrmMain::buildTitleStrip() {
    QWidget* title = place<QWidget>(this, "PnlTitle", 0, 0, 663, 64);
    setBackground(title, kTitleColor);
    auto* image = place<QLabel>(title, "ImgTitle", 7, 7, 555, 50);
    image->setText("<b style='font-size:28px;color:white'>Hastelyn</b>");
    image->setToolTip(u8("Hastelyn"));
    const struct {
        const char* name;
        const char* caption;
        int left, top;
    } speedButtons[] = {
        {"BtnCompact", "▭", 567, 0}, {"BtnTray", "▾", 591, 0}, {"BtnMinimum", "_", 615, 0},
        {"BtnClose_s", "×", 639, 0}, {"BtnTop", "↑", 567, 24}, {"BtnPerformance", "▦", 591, 24},
    };
    for (const auto& b : speedButtons) {
        QPushButton* speed = button(title, b.name, u8(b.caption), b.left, b.top, 23, 22);
        speed->setFlat(true);
        speed->setFocusPolicy(Qt::NoFocus);
    }
    connect(title->findChild<QPushButton*>("BtnClose_s"), &QPushButton::clicked, this, [this] { close(); });
    connect(title->findChild<QPushButton*>("BtnMinimum"), &QPushButton::clicked, this, [this] { showMinimized(); });
}

void TFrmMain::buildMenu() {
    auto* menu = place<QWidget>(this, "ShpMenu", 1, 70, 144, 459);
    setBackground(menu, 10276814);
    const struct {
        const char* name;
        const char* caption;
        int top;
    } buttons[] = {
        {"BtnSystem", "システム", 76},         {"BtnDesktop", "デスクトップ", 111},   {"BtnExplorer", "エクスプローラ", 146},
        {"BtnPower", "起動・終了", 181},       {"BtnOthers", "その他", 216},          {"BtnService", "不要サービス", 259},
        {"BtnUtility", "ユーティリティ", 294}, {"BtnInfo", "パソコン情報", 329},      {"BtnRestore", "保存と復元", 372},
        {"BtnOption", "環境設定", 407},        {"BtnHelp", "ヘルプを見る", 442},      {"BtnClose", "終了する", 485},
    };
    int page = 0;
    for (const auto& b : buttons) {
        QPushButton* menuButton = button(this, b.name, u8(b.caption), 8, b.top, 129, 36);
        if (page < 8) {
            connect(menuButton, &QPushButton::clicked, this, [this, page] {
                PgAccel->setCurrentIndex(page);
                PgAccel->setFocus();
            });
        }
        ++page;
    }
    BtnSystem = findChild<QPushButton*>("BtnSystem");
    BtnClose = findChild<QPushButton*>("BtnClose");
    connect(BtnClose, &QPushButton::clicked, this, &TFrmMain::closeProgram);
    connect(findChild<QPushButton*>("BtnHelp"), &QPushButton::clicked, this, &TFrmMain::openHelp);
}

void TFrmMain::buildWorkArea() {
    QWidget* accel = place<QWidget>(this, "PnlAccel", 150, 70, 513, 459);
    setBackground(accel, kAccelColor);
    PgAccel = place<QTabWidget>(accel, "PgAccel", 10, 0, 493, 212);
    buildTweakPages();
    buildServicePage();
    buildUtilityPage();
    buildInfoPage();

    auto* hint = place<QLabel>(accel, "Label2", 28, 215, 480, 14);
    hint->setText(u8("高速化したい項目をチェックします。項目を選択すると、[詳しい解説]欄に説明が表示されます。"));
    hint->setStyleSheet("color: blue");
    const struct {
        const char* name;
        const char* text;
        int left, width;
    } counters[] = {
        {"Label4", "■ 高速化が見込める項目：", 215, 144}, {"LblRest", "-", 359, 16},
        {"Label3", "Tips　/　全項目：", 375, 88},         {"LblAll", "-", 463, 16},
        {"Label5", "Tips", 479, 30},
    };
    for (const auto& c : counters) {
        auto* label = place<QLabel>(accel, c.name, c.left, 231, c.width, 14);
        label->setText(u8(c.text));
        label->setStyleSheet("color: red");
    }
    LblRest = accel->findChild<QLabel*>("LblRest");
    LblAll = accel->findChild<QLabel*>("LblAll");

    BtnAccelerate = button(accel, "BtnAccelerate", u8("高速化設定"), 226, 248, 129, 36);
    BtnAccelerate->setToolTip(u8("チェックされた項目を高速化します。"));
    connect(BtnAccelerate, &QPushButton::clicked, this, [this] {
        runCommand([this] { engine::BtnAccelerateClick(session_, [this] { countItems(); }); });
        refreshLists();
    });
    auto* about = place<QLabel>(accel, "ImgAbout", 361, 248, 140, 36);
    about->setCursor(Qt::PointingHandCursor);
    about->setToolTip(u8("ソフトのバージョンやホームページアドレスなどを表示します。"));
    auto* heading = place<QLabel>(accel, "Label1", 10, 272, 100, 16);
    heading->setText(u8("■ 詳しい解説"));
    button(accel, "BtnComment", "e", 110, 270, 20, 18);
    BtnMoreInfo = button(accel, "BtnMoreInfo", "i", 132, 270, 20, 18);
    BtnMoreInfo->hide();
    Comment = place<QPlainTextEdit>(accel, "Comment", 10, 291, 493, 160);
    Comment->setReadOnly(true);
    Comment->setFocusPolicy(Qt::ClickFocus);
}

void TFrmMain::refreshLists() {
    for (CheckListView* list : tweakLists) list->refresh();
    // A refill may move the current row; that is no choice of the user's.
    const QSignalBlocker quiet(LstService);
    LstService->refresh();
}

void TFrmMain::countItems() {
    LblAll->setText(QString::number(session_.model.allCount()));
    LblRest->setText(QString::number(session_.model.restCount()));
}

void TFrmMain::openHelp() {
    std::string help = session_.platform.system.programPath();
    const std::size_t dot = help.rfind('.');
    const std::size_t slash = help.find_last_of('\\');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) help.erase(dot);
    session_.platform.shell.shellExecute("open", help + ".chm", "", "", platform::showcmd::Normal);
}

void TFrmMain::closeProgram() {
    session_.speech.speak(foundation::spoken::kExit);
    close();
}

void TFrmMain::speakStartup() {
    const std::string program = session_.platform.system.programPath();
    const std::uint32_t driveType = session_.platform.files.getDriveType(program.substr(0, 3));
    foundation::runStartupPrompt(session_.settings, session_.speech, driveType);
}

void TFrmMain::LstServiceClick() {
    const int current = LstService->currentRow();
    const std::vector<engine::Row>& rows = session_.model.services().rows;
    if (current < 0 || current >= static_cast<int>(rows.size())) return;
    const engine::Row& row = rows[static_cast<std::size_t>(current)];
    showServiceDetail(row.label);
    session_.speech.speakRowSelection(engine::kServiceSection, row.label, row.ticked);
    BtnMoreInfo->show();
}

void TFrmMain::showServiceDetail(std::string_view displayName) {
    const QString detail = QString::fromStdString(engine::ShowServiceDetail(session_, displayName));
    Comment->setPlainText(detail);
    if (session_.settings.general("CommentHint") == "On") Comment->setToolTip(detail);
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && LstService != nullptr && watched == LstService->viewport())
        serviceRowBeforePress_ = LstService->currentRow();
    if (event->type() != QEvent::KeyPress || !isVisible()) return false;
    // Each key once: at the widget that has the focus in this window (or the window itself).
    QWidget* focus = QApplication::focusWidget();
    const bool receiverIsTarget = focus != nullptr ? watched == focus : watched == this;
    if (!receiverIsTarget) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    const foundation::MainKey key = mainKeyOf(static_cast<QKeyEvent*>(event)->key());
    if (key != foundation::MainKey::Other)
        foundation::handleMainWindowKey(key, *this, session_.speech, session_.settings);
    return false;
}

void TFrmMain::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

void TFrmMain::focusFirstMenuButton() { BtnSystem->setFocus(Qt::ShortcutFocusReason); }

void TFrmMain::closeMainWindow() { close(); }

std::optional<bool> TFrmMain::focusedTweakRowTicked() {
    for (CheckListView* list : tweakLists)
        if (list->hasFocus()) return list->selectedRowTicked();
    return std::nullopt;
}

void TFrmMain::pressAccelerate() { BtnAccelerate->click(); }

std::string TFrmMain::commentText() { return Comment->toPlainText().toStdString(); }

}  // namespace hastelyn::ui
