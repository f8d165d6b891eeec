// The main window's own title strip and what its buttons do: move, minimise, close, the
// notification-area icon, always on top, the compact window; and the mouse wheel.
#include <QLabel>
#include <QPushButton>
#include <QWheelEvent>

#include "ui/qt/Forms.h"
#include "ui/qt/MainMenuTable.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/TrayParking.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::ui {
namespace {

constexpr std::uint32_t kTitleColor = 6527743;  // 0x00639AFF

}  // namespace

void TFrmMain::buildTitleStrip() {
    PnlTitle = place<QWidget>(this, "PnlTitle", 0, 0, 663, 64);
    setBackground(PnlTitle, kTitleColor);
    PnlTitle->installEventFilter(this);
    ImgTitle = place<QLabel>(PnlTitle, "ImgTitle", 7, 7, 555, 50);
    ImgTitle->setPixmap(QPixmap::fromImage(picture("title.jpg")));
    ImgTitle->setToolTip(u8("Hastelyn - Windows 高速化ツール"));
    ImgTitle->installEventFilter(this);
    for (const SpeedButtonEntry& entry : speedButtons()) {
        QPushButton* speed = button(PnlTitle, entry.name, {}, entry.left, entry.top, 23, 22);
        speed->setFlat(true);
        speed->setFocusPolicy(Qt::NoFocus);
        speed->setIcon(glyph(entry.glyph));
        speed->setIconSize({16, 16});
        speed->setToolTip(u8(entry.hint));
        speed->setAccessibleName(u8(entry.accessibleName));
    }
    BtnTop = PnlTitle->findChild<QPushButton*>("BtnTop");
    BtnTop->setCheckable(true);
    connect(BtnTop, &QPushButton::toggled, this, &TFrmMain::BtnTopClick);
    connect(PnlTitle->findChild<QPushButton*>("BtnClose_s"), &QPushButton::clicked, this, [this] { close(); });
    connect(PnlTitle->findChild<QPushButton*>("BtnMinimum"), &QPushButton::clicked, this, [this] { showMinimized(); });
    connect(PnlTitle->findChild<QPushButton*>("BtnTray"), &QPushButton::clicked, this, &TFrmMain::BtnTrayClick);
    connect(PnlTitle->findChild<QPushButton*>("BtnCompact"), &QPushButton::clicked, this, &TFrmMain::BtnCompactClick);
    connect(PnlTitle->findChild<QPushButton*>("BtnPerformance"), &QPushButton::clicked, this,
            &TFrmMain::BtnPerformanceClick);
}

void TFrmMain::BtnTrayClick() {
    parkInTray(*this, trayIcon_, trayAvailable(), [this](int reason) { trayActivated(reason); });
}

void TFrmMain::trayActivated(int reason) { unparkFromTray(*this, trayIcon_, reason); }

void TFrmMain::BtnTopClick(bool down) {
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, down);
    // Changing a window's flags hides it; it comes back where it was.
    if (shown) show();
}

void TFrmMain::BtnCompactClick() {
    hide();
    if (FrmCompact != nullptr) FrmCompact->show();
}

void TFrmMain::BtnPerformanceClick() {
    hide();
    if (FrmCompact == nullptr) return;
    FrmCompact->show();
    FrmCompact->BtnPerformance->setChecked(true);
    FrmCompact->BtnPerformanceClick();
}

void TFrmMain::wheelEvent(QWheelEvent* event) {
    // Away from the user: the previous page; towards the user: the next one, round the ends.
    // Nothing is spoken.
    const int count = PgAccel->count();
    const int step = event->angleDelta().y() > 0 ? -1 : 1;
    turnPageQuietly((PgAccel->currentIndex() + step + count) % count);
    event->accept();
}

}  // namespace hastelyn::ui
