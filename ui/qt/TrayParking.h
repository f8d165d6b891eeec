#pragma once
// A window put away into the notification area, shared by the main and the compact window.
#include <functional>

class QSystemTrayIcon;
class QWidget;

namespace hastelyn::ui {

// Hides the window behind an icon in the notification area, made on first use (object name
// "TrayIcon", the window's title as its tip) and handing its clicks to activated. Without a
// notification area the icon could never bring the window back: the window is minimised
// instead, so the task bar still has it.
void parkInTray(QWidget& window, QSystemTrayIcon*& icon, bool trayAvailable,
                const std::function<void(int reason)>& activated);

// The icon's mouse call-back: only the left button brings the window back; the other buttons
// leave the icon.
void unparkFromTray(QWidget& window, QSystemTrayIcon* icon, int reason);

}  // namespace hastelyn::ui
