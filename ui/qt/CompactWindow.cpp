#include "ui/qt/CompactWindow.h"
#include "ui/qt/SmallScreen.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

#include "ui/model/CompactTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/Forms.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/TrayParking.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {

namespace c = model::compact;

TFrmCompact::TFrmCompact(engine::Session& session) {
    setObjectName(u8(c::FrmCompact.name));
    setWindowTitle(u8(c::FrmCompact.caption));
    setWindowIcon(appIcon());
    // No title bar of the desktop's: the strip is the title. The frame stays, and the fixed
    // size keeps it from resizing the window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint);
    setToolTip(u8(c::FrmCompact.hint));
    setFixedSize(c::FrmCompact.rect.width, c::FrmCompact.rect.height);
    trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    TmrFreq = new QTimer(this);
    TmrFreq->setObjectName("TmrFreq");
    TmrFreq->setInterval(model::CompactScreen::kRefreshMilliseconds);
    connect(TmrFreq, &QTimer::timeout, this, [this] { screen_->tick(); });

    view_.tie(c::FrmCompact, this);
    buildControls();
    screen_.emplace(session, view_);
    screen_->meters().reportError = [](const std::string& text) { reportError(text); };
    nameForAccessibility(this);
    keepOnSmallScreens(this);  // reachable by the mouse on a 640 x 480 screen
}

TFrmCompact::~TFrmCompact() {
    if (trayIcon_ != nullptr) trayIcon_->hide();
}

void TFrmCompact::buildControls() {
    for (const model::Control* row : c::kAll) {
        QWidget* parent = row->parent == c::FrmCompact.name ? this : nullptr;
        for (const model::Control* other : c::kAll)
            if (other->name == row->parent) parent = view_.widget(*other);
        QWidget* made = makeControl(parent, *row);
        const std::string_view read = c::readName(*row);
        if (!read.empty()) made->setAccessibleName(u8(read));
    }
    Image1 = static_cast<QLabel*>(widget(c::Image1));
    Image1->setPixmap(appIcon().pixmap(16, 16));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->installEventFilter(this);
    BtnPerformance = static_cast<QPushButton*>(widget(c::BtnPerformance));
    BtnPerformance->setCheckable(true);

    const std::pair<const model::Control*, void (TFrmCompact::*)()> clicks[] = {
        {&c::BtnHelp, &TFrmCompact::BtnHelpClick},       {&c::BtnVersion, &TFrmCompact::BtnVersionClick},
        {&c::BtnCompact, &TFrmCompact::BtnCompactClick}, {&c::BtnPerformance, &TFrmCompact::BtnPerformanceClick},
        {&c::BtnTray, &TFrmCompact::BtnTrayClick},       {&c::BtnMinimum, &TFrmCompact::BtnMinimumClick},
        {&c::BtnClose_s, &TFrmCompact::BtnCloseClick},
    };
    for (const auto& [row, click] : clicks)
        connect(static_cast<QPushButton*>(widget(*row)), &QPushButton::clicked, this, click);

    GrpPerformance = static_cast<QGroupBox*>(widget(c::GrpPerformance));
    CmbCPUList = static_cast<QComboBox*>(widget(c::CmbCPUList));
    CmbHDList = static_cast<QComboBox*>(widget(c::CmbHDList));
    CmbNICList = static_cast<QComboBox*>(widget(c::CmbNICList));
    connect(CmbCPUList, &QComboBox::currentIndexChanged, this, [this](int i) { screen_->cpuChosen(i); });
    connect(CmbHDList, &QComboBox::currentIndexChanged, this, [this](int i) { screen_->driveChosen(i); });
    connect(CmbNICList, &QComboBox::currentIndexChanged, this, [this](int i) { screen_->adapterChosen(i); });
}

void TFrmCompact::BtnHelpClick() {
    if (FrmMain != nullptr) FrmMain->openHelp();
}

void TFrmCompact::BtnVersionClick() {
    if (FrmSub != nullptr) FrmSub->showPage("TbVersion");
}

void TFrmCompact::BtnCompactClick() {
    hide();
    if (FrmMain != nullptr) FrmMain->show();
}

void TFrmCompact::BtnMinimumClick() { showMinimized(); }

void TFrmCompact::BtnCloseClick() {
    // Closing the main window ends the program.
    if (FrmMain != nullptr)
        FrmMain->close();
    else
        close();
}

void TFrmCompact::BtnTrayClick() {
    parkInTray(*this, trayIcon_, trayAvailable(), [this](int reason) { trayActivated(reason); });
}

void TFrmCompact::trayActivated(int reason) { unparkFromTray(*this, trayIcon_, reason); }

void TFrmCompact::BtnPerformanceClick() { screen_->performanceClicked(BtnPerformance->isChecked()); }

void TFrmCompact::dragWindow() {
    // The window follows the mouse, as a drag on a title bar.
    if (windowHandle() != nullptr) windowHandle()->startSystemMove();
}

bool TFrmCompact::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            dragWindow();
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
            BtnCompactClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFrmCompact::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragWindow();
    QWidget::mousePressEvent(event);
}

void TFrmCompact::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) BtnCompactClick();
    QWidget::mouseDoubleClickEvent(event);
}

void TFrmCompact::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous() && FrmMain != nullptr) {
        const QRect main = FrmMain->frameGeometry();
        screen_->centreOver({main.x(), main.y(), main.width(), main.height()});
    }
    screen_->windowState(true, isMinimized());
}

void TFrmCompact::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A spontaneous hide is the desktop minimising the window; changeEvent sees that.
    if (!event->spontaneous()) screen_->windowState(false, isMinimized());
}

void TFrmCompact::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && screen_) screen_->windowState(isVisible(), isMinimized());
}

}  // namespace hastelyn::ui
