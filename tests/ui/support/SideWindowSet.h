#pragma once
// The three side windows of a fixture's main window, made as the program makes them at start:
// the options window last, its making applying the display settings to all four.
#include "tests/ui/support/WindowFixture.h"
#include "ui/qt/CompactWindow.h"
#include "ui/qt/RestoreWindow.h"
#include "ui/qt/SideWindows.h"

namespace hastelyn::testing {

struct SideWindowSet {
    explicit SideWindowSet(WindowFixture& fx)
        : compact(fx.session()), restore(fx.session(), &fx.window()), sub(fx.session(), fx.window(), compact, restore) {}
    ui::TFrmCompact compact;
    ui::TFrmRestore restore;
    ui::TFrmSub sub;
};

inline QColor background(QWidget* widget) { return widget->palette().color(QPalette::Window); }

}  // namespace hastelyn::testing
