#pragma once
// The program's four windows, made in their fixed order: the main window and its creation
// sequence, then the compact, save-and-restore and options windows. They live for the whole
// run; the main window shows the others through its commands.
#include <windows.h>

#include <string>
#include <vector>

#include "engine/Session.h"
#include "ui/model/MainScreen.h"
#include "ui/win32/CompactWindow.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/OptionsWindow.h"
#include "ui/win32/RestoreWindow.h"

namespace hastelyn::winui {

class ProgramWindows {
public:
    ProgramWindows(engine::Session& session, const ui::model::ScreenFacts& screen);

    // One message of the thread's queue, to the window it is for.
    void process(MSG& message);

    MainWindow main;
    // What the main window's creation sequence could not do.
    const std::vector<std::string> startErrors;
    CompactWindow compact;
    RestoreWindow restore;
    OptionsWindow options;
};

}  // namespace hastelyn::winui
