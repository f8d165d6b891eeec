#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QWindow>
#include <QLabel>
#include <QScreen>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>

#include <algorithm>

#include "foundation/KeyboardMap.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Application.h"
#include "ui/qt/MainWindowView.h"
#include "ui/qt/MenuShape.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/SmallScreen.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"
#include "ui/model/MainControls.h"
#include "ui/qt/MainPagesFront.h"
#include "ui/model/MainTexts.h"

namespace hastelyn::ui {
namespace {

namespace main = model::main;

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

// The controls of a page that Tab stops at, in the order they were made.
QList<QWidget*> tabStops(QWidget* page) {
    QList<QWidget*> stops;
    for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->focusPolicy() & Qt::TabFocus) stops.append(control);
    return stops;
}

// The last Tab stop of the pages before this one; the tabs when they have none. (Not the page
// control itself: Qt would take the last of its controls already in the chain, wherever that
// stands, for it.)
QWidget* lastInTabOrder(QTabWidget* pages, int before) {
    for (int page = before - 1; page >= 0; --page)
        if (const QList<QWidget*> stops = tabStops(pages->widget(page)); !stops.isEmpty()) return stops.last();
    return pages->tabBar();
}

// A bitmap button of a row: glyph, bold caption.
QPushButton* bitmapButton(QtWindowView& view, QWidget* parent, const model::Control& row, std::uint32_t colour) {
    QPushButton* b = view.make<QPushButton>(parent, row);
    b->setIcon(glyph(row.glyph));
    b->setIconSize({16, 16});
    QFont font = b->font();
    font.setBold(true);
    font.setPixelSize(12);
    b->setFont(font);
    setTextColour(b, colour);
    return b;
}

}  // namespace

TFrmMain::TFrmMain(engine::Session& session, QWidget* parent)
    : QWidget(parent), session_(session), view_(std::make_unique<MainWindowView>(*this, session)),
      screen_(std::make_unique<model::MainScreen>(session, *view_, *view_)) {
    setObjectName(u8(main::FrmMain.name));
    setWindowTitle(u8(main::FrmMain.caption));
    setWindowIcon(appIcon());
    // No title bar of the desktop's: the window has its own title strip. The frame stays, and
    // the fixed size keeps it from resizing the window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint);
    setFixedSize(main::FrmMain.rect.width, main::FrmMain.rect.height);
    centreOnScreen();
    setBackground(this, model::colours::kWhite);
    trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    pagesFront = new MainPagesFront(*this, session_);
    buildTitleStrip();
    buildMenu();
    buildWorkArea();
    setTabOrder();

    TmrSpeak = new QTimer(this);
    TmrSpeak->setObjectName("TmrSpeak");
    TmrSpeak->setInterval(3000);
    TmrSpeak->setSingleShot(true);
    connect(TmrSpeak, &QTimer::timeout, this, [this] { screen_->startupTimer(); });

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
    place<MenuShape>(this, main::ShpMenu, windowsColor(model::colours::kMenu));
    for (const model::Control* row : main::kMenuButtons) {
        QPushButton* b = bitmapButton(*view_, this, *row, main::pageOf(*row) >= 0 && main::pageOf(*row) < 5 ? model::colours::kNavy : model::colours::kBlack);
        connect(b, &QPushButton::clicked, this, [this, row] { screen_->clicked(*row); });
    }
    BtnSystem = static_cast<QPushButton*>(view_->widget(main::BtnSystem));
    BtnClose = static_cast<QPushButton*>(view_->widget(main::BtnClose));
}

void TFrmMain::buildWorkArea() {
    QWidget* accel = view_->make<QWidget>(this, main::PnlAccel);
    setBackground(accel, model::colours::kWorkArea);
    PgAccel = view_->make<TwoRowPageControl>(accel, main::PgAccel);
    buildTweakPages();
    buildServicePage();
    buildUtilityPage();
    buildInfoPage();
    // First of all, a page coming up has its controls.
    connect(PgAccel, &QTabWidget::currentChanged, this, &TFrmMain::makePageControls);
    // A page the user chose with the tabs or their keys; the screen's own changes are no choice.
    connect(PgAccel, &QTabWidget::currentChanged, this, [this](int page) {
        if (!view_->showingPage()) screen_->pageChosen(page);
    });
    connect(PgAccel->tabBar(), &QTabBar::tabBarClicked, this, [this](int page) {
        // With the focus on the tabs the page change itself is the choice.
        if (!PgAccel->tabBar()->hasFocus()) screen_->pageChosen(page);
    });

    setTextColour(view_->make<QLabel>(accel, main::Label2), model::colours::kBlue);
    // The counter line: its labels one after the other from the left of the first, each as
    // wide as its text (the counts at least 16 pixels), so no font cuts a text off.
    for (std::size_t i = 0; i < counterLine_.size(); ++i) {
        QLabel* label = view_->make<QLabel>(accel, *main::kCounterLine[i]);
        setTextColour(label, model::colours::kRed);
        counterLine_[i] = label;
    }
    LblRest = counterLine_[1];
    LblAll = counterLine_[3];
    LblRest->setAlignment(Qt::AlignCenter);
    LblAll->setAlignment(Qt::AlignCenter);
    layOutCounterLine();

    BtnAccelerate = bitmapButton(*view_, accel, main::BtnAccelerate, model::colours::kBlack);
    connect(BtnAccelerate, &QPushButton::clicked, this, [this] { screen_->clicked(main::BtnAccelerate); });
    ImgAbout = view_->make<QLabel>(accel, main::ImgAbout);
    showPictureWhenDrawn(ImgAbout, aboutBadge);
    ImgAbout->setCursor(Qt::PointingHandCursor);
    ImgAbout->installEventFilter(this);
    buildCommentary(accel);
}

void TFrmMain::setTabOrder() {
    // The window's own controls in the screen's walk; after the page control each page's
    // controls in the order they stand (the list, then the controls over it).
    QWidget* previous = nullptr;
    for (const model::Control* row : main::tabWalk()) {
        QWidget* next = view_->widget(*row);
        if (previous != nullptr) QWidget::setTabOrder(previous, next);
        previous = next;
        if (row != &main::PgAccel) continue;
        for (int page = 0; page < PgAccel->count(); ++page) finishPage(page);
        previous = lastInTabOrder(PgAccel, PgAccel->count());
    }
    QWidget::setTabOrder(previous, BtnClose);
}

void TFrmMain::finishPage(int page) {
    QWidget* previous = lastInTabOrder(PgAccel, page);
    for (QWidget* control : tabStops(PgAccel->widget(page))) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
    nameForAccessibility(PgAccel->widget(page));
    view_->showOnPage(PgAccel->widget(page));
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


void TFrmMain::countItems() { screen_->countItems(); }

void TFrmMain::layOutCounterLine() {
    int left = main::Label4.rect.left;
    for (QLabel* label : counterLine_) {
        int width = label->fontMetrics().horizontalAdvance(label->text()) + 1;
        if (label == LblRest || label == LblAll) width = std::max(width, 16);
        label->setGeometry(left, main::Label4.rect.top, width, main::Label4.rect.height);
        left += width;
    }
}

void TFrmMain::openHelp() { screen_->openHelp(); }


void TFrmMain::startSpeechTimer() {
    screen_->shown();
    TmrSpeak->start();
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event) {
    // Back from another program, which may have changed the machine.
    if (watched == this && event->type() == QEvent::WindowActivate) screen_->activated();
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
            screen_->clicked(main::ImgAbout);
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick && (watched == PnlTitle || watched == ImgTitle)) {
        screen_->clicked(main::BtnCompact);
        return true;
    }
    return false;
}

void TFrmMain::previewKey(QWidget* receiver, QKeyEvent* event) {
    if (!isVisible() || receiver->window() != this) return;
    const foundation::MainKey key = mainKeyOf(event->key());
    if (key != foundation::MainKey::Other) screen_->key(key, focusedTweakRowTicked(), commentary());
}

void TFrmMain::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

std::optional<bool> TFrmMain::focusedTweakRowTicked() {
    for (CheckListView* list : tweakLists)
        if (list->hasFocus()) return list->selectedRowTicked();
    return std::nullopt;
}

}  // namespace hastelyn::ui
