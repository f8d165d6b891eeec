#pragma once
// What the main screen asks of the front end beyond any window's calls, and of the pages' part
// of the window (lists, utility and information controls, commentary, locks), which the screen
// runs at their places in the creation sequence.
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Edition.h"
#include "foundation/LockedItems.h"
#include "ui/model/WindowView.h"

namespace hastelyn::ui::model {

// Window-wide actions of the main window.
enum class MainAction {
    Close,            // ends the program
    Minimise,
    ParkInTray,       // hidden, an icon in the notification area brings it back
    StayOnTop,        // in front of other windows
    StayInLine,       // back among them
    ShowCompact,      // hidden, the compact window shown
    ShowPerformance,  // hidden, the compact window shown with its performance view open
    ShowRestore,      // the save-and-restore window
    ShowOptions,      // the options window on its first page
    ShowVersion,      // the options window on its version page
};

class MainView : public virtual WindowView {
public:
    virtual void act(MainAction action) = 0;
    // The window made for a 640 x 480 screen: smaller, and resizable.
    virtual void useSmallScreen() = 0;
    // The button glyphs in 16 colours, for an 8-bit display.
    virtual void useSixteenColourGlyphs() = 0;
};

// The pages' share of the window.
class MainPages {
public:
    virtual ~MainPages() = default;
    // The drives offered by the utility page's drive lists.
    virtual void setDrives(const std::vector<std::string>& drives) = 0;
    // The commentary's introduction, as its button shows it.
    virtual void showIntroduction() = 0;
    // The controls of the pages the edition has no use for, by component name.
    virtual void disableForEdition(const foundation::DisabledControls& disabled) = 0;
    virtual void readPcInformation() = 0;
    // Which lockable controls are enabled now; then the locks of the settings file applied.
    virtual foundation::LockableControls lockableControls() = 0;
    virtual void applyLocks(const foundation::LockableControls& marked) = 0;
    // The rows shown again from the item model (after a command or another program changed it).
    virtual void showRowsAgain() = 0;
    // The services page's detail of a service (an empty name: the page's explanation).
    virtual void showServiceDetail(std::string_view displayName) = 0;
};

}  // namespace hastelyn::ui::model
