#include "ui/qt/TrayParking.h"

#include <QSystemTrayIcon>
#include <QWidget>

#include "ui/qt/Pictures.h"

namespace hastelyn::ui {

void parkInTray(QWidget& window, QSystemTrayIcon*& icon, bool trayAvailable,
                const std::function<void(int reason)>& activated) {
    if (!trayAvailable) {
        window.showMinimized();
        return;
    }
    if (icon == nullptr) {
        icon = new QSystemTrayIcon(appIcon(), &window);
        icon->setObjectName("TrayIcon");
        icon->setToolTip(window.windowTitle().left(63));  // the tip holds 63 characters at most
        QObject::connect(icon, &QSystemTrayIcon::activated, &window,
                         [activated](QSystemTrayIcon::ActivationReason reason) { activated(static_cast<int>(reason)); });
    }
    icon->show();
    window.hide();
}

void unparkFromTray(QWidget& window, QSystemTrayIcon* icon, int reason) {
    if (reason != QSystemTrayIcon::Trigger || icon == nullptr || !icon->isVisible()) return;
    icon->hide();
    window.show();
}

}  // namespace hastelyn::ui
