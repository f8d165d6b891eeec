#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QWindow>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>

#include <algorithm>

#include "engine/Accelerate.h"
#include "engine/MachineChanges.h"
#include "foundation/KeyboardMap.h"
#include "foundation/SpokenTexts.h"
#include "foundation/WebSearch.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Application.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/Forms.h"
#include "ui/qt/MainMenuTable.h"
#include "ui/qt/MenuShape.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/SmallScreen.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"

namespace hastelyn::ui {
namespace {

constexpr std::uint32_t kMenuColor = 10276814;   // 0x009CCFCE
constexpr std::uint32_t kAccelColor = 10276863;  // 0x009CCFFF
constexpr int kCounterLeft = 215;
constexpr int kCounterTop = 231;

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

// A bitmap button: glyph, bold caption.
QPushButton* bitmapButton(QWidget* parent, const char* name, std::string_view caption, std::string_view glyphName,
                          int left, int top, const char* colour) {
    QPushButton* b = button(parent, name, u8(caption), left, top, 129, 36);
    b->setIcon(glyph(glyphName));
    b->setIconSize({16, 16});
    QFont font = b->font();
    font.setBold(true);
    font.setPixelSize(12);
    b->setFont(font);
    b->setStyleSheet(QString("color: %1").arg(QLatin1String(colour)));
    return b;
}

}  // namespace

TFrmMain::TFrmMain(engine::Session& session, QWidget* parent) : QWidget(parent), session_(session) {
    setObjectName("FrmMain");
    setWindowTitle("Hastelyn");
    setWindowIcon(appIcon());
    // No title bar of the desktop's: the window has its own title strip. The frame stays, and
    // the fixed size keeps it from resizing the window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint);
    setFixedSize(659, 525);
    centreOnScreen();
    setBackground(this, model::colours::kWhite);
    trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    buildTitleStrip();
    buildMenu();
    buildWorkArea();
    setTabOrder();

    TmrSpeak = new QTimer(this);
    TmrSpeak->setObjectName("TmrSpeak");
    TmrSpeak->setInterval(3000);
    TmrSpeak->setSingleShot(true);
    connect(TmrSpeak, &QTimer::timeout, this, &TFrmMain::speakStartup);

    nameForAccessibility(this);
    // Key preview: the keyboard map sees every key before the focused control. The mouse on
    // the title, the about picture and the lists is watched; focus changes are spoken.
    Application::addKeyPreview(this);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &TFrmMain::focusChanged);
    // The first menu button has the focus when the window comes up.
    BtnSystem->setFocus(Qt::OtherFocusReason);
    keepOnSmallScreens(this);  // reachable by the mouse on a 640 x 480 screen
}

TFrmMain::~TFrmMain() {
    Application::removeKeyPreview(this);
    qApp->removeEventFilter(this);
    if (trayIcon_ != nullptr) trayIcon_->hide();
}

void TFrmMain::buildMenu() {
    place<MenuShape>(this, "ShpMenu", 1, 70, 144, 459, windowsColor(kMenuColor));
    for (const MenuButtonEntry& entry : menuButtons()) {
        QPushButton* b = bitmapButton(this, entry.name, entry.caption, entry.glyph, 8, entry.top,
                                      entry.page >= 0 && entry.page < 5 ? "navy" : "black");
        b->setToolTip(u8(entry.hint));
        if (entry.page >= 0) connect(b, &QPushButton::clicked, this, [this, page = entry.page] { showPageFromMenu(page); });
    }
    BtnSystem = findChild<QPushButton*>("BtnSystem");
    BtnClose = findChild<QPushButton*>("BtnClose");
    connect(BtnClose, &QPushButton::clicked, this, &TFrmMain::closeProgram);
    connect(findChild<QPushButton*>("BtnHelp"), &QPushButton::clicked, this, &TFrmMain::openHelp);
    connect(findChild<QPushButton*>("BtnRestore"), &QPushButton::clicked, this, [] {
        if (FrmRestore != nullptr) FrmRestore->showCentred();
    });
    connect(findChild<QPushButton*>("BtnOption"), &QPushButton::clicked, this, [] {
        if (FrmSub != nullptr) FrmSub->showPage("TbOption");
    });
}

void TFrmMain::buildWorkArea() {
    QWidget* accel = place<QWidget>(this, "PnlAccel", 150, 70, 513, 459);
    setBackground(accel, kAccelColor);
    PgAccel = place<TwoRowPageControl>(accel, "PgAccel", 10, 0, 493, 212);
    buildTweakPages();
    buildServicePage();
    buildUtilityPage();
    buildInfoPage();
    connect(PgAccel, &QTabWidget::currentChanged, this, [this] {
        // A page chosen with the tabs' keys is spoken as if the focus came in anew.
        if (!quietPageChange_ && PgAccel->tabBar()->hasFocus()) PgAccelEnter();
    });
    connect(PgAccel->tabBar(), &QTabBar::tabBarClicked, this, &TFrmMain::pageTabClicked);

    auto* hint = place<QLabel>(accel, "Label2", 28, 215, 480, 14);
    hint->setText(u8("高速化したい項目をチェックします。項目を選択すると、[詳しい解説]欄に説明が表示されます。"));
    hint->setStyleSheet("color: blue");
    // The counter line: its labels one after the other from the left of the first, each as
    // wide as its text (the counts at least 16 pixels), so no font cuts a text off.
    const struct {
        const char* name;
        const char* text;
    } counters[] = {
        {"Label4", "■ 高速化が見込める項目："}, {"LblRest", "-"}, {"Label3", "Tips　/　全項目："},
        {"LblAll", "-"},                       {"Label5", "Tips"},
    };
    for (std::size_t i = 0; i < counterLine_.size(); ++i) {
        QLabel* label = place<QLabel>(accel, counters[i].name, kCounterLeft, kCounterTop, 0, 14);
        label->setText(u8(counters[i].text));
        label->setStyleSheet("color: red");
        counterLine_[i] = label;
    }
    LblRest = counterLine_[1];
    LblAll = counterLine_[3];
    LblRest->setAlignment(Qt::AlignCenter);
    LblAll->setAlignment(Qt::AlignCenter);
    layOutCounterLine();

    BtnAccelerate = bitmapButton(accel, "BtnAccelerate", "高速化設定", "accelerate", 226, 248, "black");
    BtnAccelerate->setToolTip(u8("チェックされた項目を高速化します。"));
    connect(BtnAccelerate, &QPushButton::clicked, this, [this] {
        accelerating_ = true;
        runCommand([this] { engine::BtnAccelerateClick(session_, [this] { countItems(); }); });
        accelerating_ = false;
        // The command reads the rows again first when another program changed the machine: the
        // lists and the counters show what it read, whether or not this run changed anything.
        refreshLists();
        countItems();
    });
    ImgAbout = place<QLabel>(accel, "ImgAbout", 361, 248, 140, 36);
    ImgAbout->setPixmap(QPixmap::fromImage(aboutBadge()));
    ImgAbout->setCursor(Qt::PointingHandCursor);
    ImgAbout->setToolTip(u8("ソフトのバージョンやホームページアドレスなどを表示します。"));
    ImgAbout->installEventFilter(this);
    buildCommentary(accel);
}

void TFrmMain::setTabOrder() {
    const char* order[] = {"BtnClose",  "BtnSystem", "BtnDesktop", "BtnExplorer", "BtnPower",
                           "BtnOthers", "BtnUtility", "BtnInfo",   "BtnRestore",  "BtnHelp",
                           "BtnOption"};
    QWidget* previous = nullptr;
    for (const char* name : order) {
        auto* next = findChild<QWidget*>(name);
        if (previous != nullptr) QWidget::setTabOrder(previous, next);
        previous = next;
    }
    // Then the work area: the pages, and on each page its list and then the controls over the
    // list in the order they stand; then the accelerate button. The commentary takes no focus
    // by Tab; the title strip has no focusable control; the services button closes the circle.
    QWidget::setTabOrder(previous, PgAccel);
    previous = PgAccel;
    for (int page = 0; page < PgAccel->count(); ++page) {
        for (QWidget* control : PgAccel->widget(page)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!(control->focusPolicy() & Qt::TabFocus)) continue;
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
    QWidget::setTabOrder(previous, BtnAccelerate);
    QWidget::setTabOrder(BtnAccelerate, findChild<QWidget*>("BtnService"));
    QWidget::setTabOrder(findChild<QWidget*>("BtnService"), BtnClose);
}

void TFrmMain::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // The window's own rectangle in the middle of what the desktop leaves free; a frame of the
    // desktop's goes round it, so the title strip is never off the screen at the top.
    const QRect free = screen->availableGeometry();
    move(free.left() + std::max(0, (free.width() - width()) / 2), free.top() + std::max(0, (free.height() - height()) / 2));
}

void TFrmMain::refreshLists() {
    for (CheckListView* list : tweakLists) list->refresh();
    // A refill may move the current row; that is no choice of the user's.
    const QSignalBlocker quiet(LstService);
    LstService->refresh();
}

void TFrmMain::readMachineAgain() {
    // While the pass awaits a command the window runs; its rows are the pass's until it ends.
    if (accelerating_ || engine::rereadChangedRows(session_).empty()) return;
    refreshLists();
    countItems();
}

void TFrmMain::countItems() {
    LblAll->setText(QString::number(session_.model.allCount()));
    LblRest->setText(QString::number(session_.model.restCount()));
    layOutCounterLine();
}

void TFrmMain::layOutCounterLine() {
    int left = kCounterLeft;
    for (QLabel* label : counterLine_) {
        int width = label->fontMetrics().horizontalAdvance(label->text()) + 1;
        if (label == LblRest || label == LblAll) width = std::max(width, 16);
        label->setGeometry(left, kCounterTop, width, 14);
        left += width;
    }
}

void TFrmMain::openHelp() {
    // The help pages beside the program; the shell's answer is not looked at (a missing page is
    // the shell's to report).
    (void)session_.platform.shell.shellExecute(
        "open", foundation::helpPagePath(session_.platform.system.programPath(), "index.htm"), "", "",
        platform::showcmd::Normal);
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

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
    // Back from another program, which may have changed the machine.
    if (watched == this && event->type() == QEvent::WindowActivate) readMachineAgain();
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (auto* list = qobject_cast<QListWidget*>(watched->parent());
            list != nullptr && watched == list->viewport() && list->window() == this) {
            pressedList_ = list;
            rowBeforePress_ = list->currentRow();
        }
        if ((watched == PnlTitle || watched == ImgTitle) && mouse->button() == Qt::LeftButton) {
            // The window follows the mouse, as a drag on a title bar.
            if (windowHandle() != nullptr) windowHandle()->startSystemMove();
            return true;
        }
        if (watched == ImgAbout && mouse->button() == Qt::LeftButton) {
            if (FrmSub != nullptr) FrmSub->showPage("TbVersion");
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick && (watched == PnlTitle || watched == ImgTitle)) {
        BtnCompactClick();
        return true;
    }
    return false;
}

void TFrmMain::previewKey(QWidget* receiver, QKeyEvent* event) {
    if (!isVisible() || receiver->window() != this) return;
    const foundation::MainKey key = mainKeyOf(event->key());
    if (key != foundation::MainKey::Other)
        foundation::handleMainWindowKey(key, *this, session_.speech, session_.settings);
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

std::string TFrmMain::commentText() { return commentary_; }

}  // namespace hastelyn::ui
