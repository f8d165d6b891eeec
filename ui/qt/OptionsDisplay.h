#pragma once
// The display settings as the windows show them: the page style of the three page controls,
// the six colour targets, the commentary memo's font and hint, the main window's opacity.
#include <QColor>

#include <array>
#include <cstdint>

#include "engine/OptionSettings.h"
#include "engine/Session.h"
#include "foundation/DisplaySettings.h"

class QTabWidget;
class QWidget;

namespace hastelyn::ui {

class TFrmMain;
class TFrmCompact;
class TFrmRestore;

// The Windows colour value 00BBGGRR of a colour.
std::uint32_t windowsValue(const QColor& color);

// The windows the display settings reach.
struct DisplayTargets {
    TFrmMain& main;
    TFrmCompact& compact;
    TFrmRestore& restore;
    QWidget& sub;
    QTabWidget& subPages;
    QWidget& subFocusPanel;

    // PnlTitle, ShpMenu, PnlAccel, the options window (with its focus panel), the
    // save-and-restore window, the compact window.
    void setColor(std::size_t target, std::uint32_t color);
    // Their colours now (the menu's from the shape's brush).
    engine::StyleColors colors() const;
    void setTabStyle(foundation::TabStyle style);
    // Layered windows exist on 2000 and XP only; elsewhere the window stays as it is.
    void setMainOpacity(const engine::Session& session, int opacity);
    // Hidden and shown again, so that every part of it repaints.
    void repaintMain();
};

void applyTabStyle(QTabWidget* pages, foundation::TabStyle style);

// The stored display settings reaching every window when the options window is made.
void applyDisplaySettings(engine::Session& session, DisplayTargets& targets);

}  // namespace hastelyn::ui
