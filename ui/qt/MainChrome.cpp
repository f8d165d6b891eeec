// The main window's own title strip and what its buttons do: move, minimise, close, the
// notification-area icon, always on top, the compact window; and the mouse wheel.
#include <QLabel>
#include <QPushButton>
#include <QWheelEvent>

#include "ui/qt/Forms.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Pictures.h"
#include "ui/qt/TrayParking.h"
#include "ui/qt/SideWindows.h"
#include "ui/qt/TwoRowTabBar.h"
#include "ui/qt/Widgets.h"
#include "ui/model/Colours.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainTexts.h"
#include "ui/qt/MainWindowView.h"

namespace hastelyn::ui {
namespace main = model::main;

void TFrmMain::buildTitleStrip() {
    PnlTitle = view_->make<QWidget>(this, main::PnlTitle);
    setBackground(PnlTitle, model::colours::kTitleStrip);
    PnlTitle->installEventFilter(this);
    ImgTitle = view_->make<QLabel>(PnlTitle, main::ImgTitle);
    showPictureWhenDrawn(ImgTitle, [] { return picture(main::ImgTitle.glyph); });
    ImgTitle->installEventFilter(this);
    for (const model::Control* row : main::kTitleButtons) {
        auto* speed = view_->make<QPushButton>(PnlTitle, *row);
        speed->setFlat(true);
        speed->setFocusPolicy(Qt::NoFocus);
        speed->setIcon(glyph(row->glyph));
        speed->setIconSize({16, 16});
        speed->setAccessibleName(u8(main::accessibleName(*row)));
        if (row == &main::BtnTop) continue;
        connect(speed, &QPushButton::clicked, this, [this, row] { screen_->clicked(*row); });
    }
    BtnTop = static_cast<QPushButton*>(view_->widget(main::BtnTop));
    BtnTop->setCheckable(true);
    connect(BtnTop, &QPushButton::toggled, this, [this](bool down) { screen_->stayOnTop(down); });
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
    screen_->wheel(event->angleDelta().y());
    event->accept();
}

}  // namespace hastelyn::ui
