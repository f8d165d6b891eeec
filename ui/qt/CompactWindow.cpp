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

#include "ui/qt/Accessibility.h"
#include "ui/qt/CommandErrors.h"
#include "ui/qt/Forms.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/TrayParking.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

constexpr std::uint32_t kCompactColor = 10276814;  // 0x009CCFCE, the main window's menu colour
constexpr QSize kStripSize(127, 29);
constexpr QSize kPanelSize(286, 402);
constexpr int kRefreshMilliseconds = 1000;

struct StripButton {
    const char* name;
    int left;
    std::string_view hint;
    std::string_view accessibleName;
    std::string_view glyph;
    void (TFrmCompact::*click)();
};

}  // namespace

TFrmCompact::TFrmCompact(engine::Session& session) : meters_(session) {
    setObjectName("FrmCompact");
    setWindowTitle("Hastelyn");
    setWindowIcon(appIcon());
    // No title bar of the desktop's: the strip is the title. The frame stays, and the fixed
    // size keeps it from resizing the window.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint);
    setToolTip(u8("Hastelynコンパクトモード"));
    setFixedSize(kStripSize);
    setBackground(this, kCompactColor);
    trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    TmrFreq = new QTimer(this);
    TmrFreq->setObjectName("TmrFreq");
    TmrFreq->setInterval(kRefreshMilliseconds);
    connect(TmrFreq, &QTimer::timeout, this, [this] {
        meters_.refresh();
        // A processor error empties the CPU list.
        if (CmbCPUList->count() != static_cast<int>(meters_.cpuList().items.size())) showLists();
        showFigures();
    });
    meters_.timerEnabled = [this](bool on) { on ? TmrFreq->start() : TmrFreq->stop(); };
    meters_.reportError = [](const std::string& text) { reportError(text); };

    buildStrip();
    buildPanel();
    GrpPerformance->hide();
    nameForAccessibility(this);
    keepOnSmallScreens(this);  // reachable by the mouse on a 640 x 480 screen
}

TFrmCompact::~TFrmCompact() {
    if (trayIcon_ != nullptr) trayIcon_->hide();
}

void TFrmCompact::buildStrip() {
    Image1 = place<QLabel>(this, "Image1", 0, 0, 23, 22);
    Image1->setPixmap(appIcon().pixmap(16, 16));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setToolTip(u8("Hastelynコンパクトモード"));
    Image1->installEventFilter(this);

    using F = TFrmCompact;
    static const StripButton kButtons[] = {
        {"BtnHelp", 24, "ソフトの紹介や使い方が書かれたヘルプを開きます。", "ヘルプ", "menu-help",
         &F::BtnHelpClick},
        {"BtnVersion", 48, "ソフトのバージョンやホームページアドレスなどを表示します。", "バージョン情報",
         "menu-info", &F::BtnVersionClick},
        {"BtnCompact", 72, "Hastelynを元の大きさに戻します。", "元の大きさに戻す", "title-compact",
         &F::BtnCompactClick},
        {"BtnPerformance", 96, "パフォーマンス情報を表示します。", "パフォーマンス情報", "title-performance",
         &F::BtnPerformanceClick},
        {"BtnTray", 207, "Hastelynをタスクトレイに収納します。", "タスクトレイに収納", "title-tray",
         &F::BtnTrayClick},
        {"BtnMinimum", 231, "Hastelynを最小化します。", "最小化", "title-minimise", &F::BtnMinimumClick},
        {"BtnClose_s", 255, "Hastelynを終了します。", "終了", "title-close", &F::BtnCloseClick},
    };
    for (const StripButton& entry : kButtons) {
        QPushButton* speed = button(this, entry.name, {}, entry.left, 0, 23, 22);
        speed->setFlat(true);
        // Unlike the main window's title buttons these are reached with Tab: the strip has no
        // keys of its own, and Enter or the space bar presses the focused one.
        speed->setFocusPolicy(Qt::TabFocus);
        speed->setIcon(glyph(entry.glyph));
        speed->setIconSize({16, 16});
        speed->setToolTip(u8(entry.hint));
        speed->setAccessibleName(u8(entry.accessibleName));
        connect(speed, &QPushButton::clicked, this, entry.click);
    }
    BtnPerformance = findChild<QPushButton*>("BtnPerformance");
    BtnPerformance->setCheckable(true);
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

void TFrmCompact::BtnPerformanceClick() {
    if (BtnPerformance->isChecked()) {
        meters_.openView();
        setFixedSize(kPanelSize);
    } else {
        meters_.closeView();
        setFixedSize(kStripSize);
    }
    GrpPerformance->setVisible(meters_.viewOpen());
    showLists();
    showFigures();
    syncSampling(isVisible());
}

void TFrmCompact::syncSampling(bool shown) {
    const bool wanted = shown && !isMinimized() && meters_.viewOpen();
    if (wanted)
        meters_.startSampling();
    else
        meters_.stopSampling();
}

void TFrmCompact::moveOverMainWindow() {
    if (FrmMain == nullptr) return;
    const QRect main = FrmMain->frameGeometry();
    move(main.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
}

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
    if (!event->spontaneous()) moveOverMainWindow();
    syncSampling(true);
}

void TFrmCompact::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A spontaneous hide is the desktop minimising the window; changeEvent sees that.
    if (!event->spontaneous()) syncSampling(false);
}

void TFrmCompact::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) syncSampling(isVisible());
}

}  // namespace hastelyn::ui
