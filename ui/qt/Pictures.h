#pragma once
// The program's own pictures (resources/pictures, drawn by tools/pictures), carried inside the
// program. Qt converts them to the screen's format when they are drawn, so they need no
// separate versions for 256-colour (8-bit) displays.
#include <QIcon>
#include <QImage>

#include <functional>
#include <string_view>

class QLabel;

namespace hastelyn::ui {

// A picture by its file name, such as "title.jpg" (555×50, the title strip), "about.jpg"
// (140×36, the about badge of the work area) or "restore.jpg" (300×60, the save-and-restore
// window's banner), "restore-pc.png" and "restore-mail.png" (32×32, the save-and-restore window's
// pages). Null when there is no such picture or it cannot be read.
QImage picture(std::string_view name);

// The about badge: "about.jpg" with "Ver" and the program's version written on it.
QImage aboutBadge();

// A 16×16 button glyph by name; a null icon when there is none. The names:
//   main menu          menu-system, menu-desktop, menu-explorer, menu-power, menu-others,
//                      menu-service, menu-utility, menu-info, menu-restore, menu-option,
//                      menu-help, menu-close
//   work area          accelerate, commentary (a page with a pointer), more-info ("e")
//   title strip        title-compact, title-tray, title-minimise, title-close, title-top,
//                      title-performance
//   save and restore   restore-backup, restore-recovery, restore-backup-oe, restore-recovery-oe
//                      (32×32, for the square buttons)
QIcon glyph(std::string_view name);

// The program icon at 16, 32 and 48 pixels, for the windows and the tray.
QIcon appIcon();

// The picture `make` gives, on the label from its first drawing on: it is made (decoded,
// drawn) only then, once the label's window has come up.
void showPictureWhenDrawn(QLabel* label, std::function<QImage()> make);

}  // namespace hastelyn::ui
