#pragma once
// The windows the options window reaches, as the Win32 front end draws them: the six colour
// targets (the main window's title strip, menu and work area; the three side windows), the
// main window's opacity (layered windows, where the system has them), the page style of every
// page control, the commentary memo's font and hint, the main window's locked controls.
#include <windows.h>

#include <cstdint>

#include "ui/model/OptionsDisplay.h"

namespace hastelyn::winui {

class MainWindow;
class SideWindow;

// The window made layered at that opacity (0 to 255), or not layered at 255. Layered windows
// came with Windows 2000: SetLayeredWindowAttributes is looked up, and without it nothing
// changes (false).
bool setWindowOpacity(HWND window, int opacity);
// Every page control among the window's children drawn as tabs, flat buttons or buttons.
void setTabStyle(HWND window, foundation::TabStyle style);

class DisplayTargets : public ui::model::OptionsTargets {
public:
    DisplayTargets(MainWindow& main, SideWindow& compact, SideWindow& restore, SideWindow& sub)
        : main_(main), compact_(compact), restore_(restore), sub_(sub) {}

    void setTargetColour(ui::model::ColourTarget target, std::uint32_t colour) override;
    void setMainOpacity(int opacity) override;
    void setTabStyle(foundation::TabStyle style) override;
    void setCommentFont(int pointSize) override;
    void setCommentHint(bool wholeText) override;
    void repaintMain() override;
    void applyLockedItems() override;

private:
    MainWindow& main_;
    SideWindow& compact_;
    SideWindow& restore_;
    SideWindow& sub_;
};

}  // namespace hastelyn::winui
