#pragma once
// What happens while the main window is made, in its fixed order: later steps read what
// earlier ones left in the lists and in the settings file.
#include <string>
#include <vector>

#include "engine/Session.h"
#include "ui/qt/MainWindow.h"

namespace hastelyn::app {

struct ScreenFacts {
    int width = 0;
    int height = 0;
    int depth = 32;  // bits per pixel
};

// Runs the fourteen steps. A step whose settings write is refused does not stop the others;
// the error texts are returned for the program to show.
std::vector<std::string> createMainWindow(ui::TFrmMain& window, engine::Session& session, const ScreenFacts& screen);

// The buttons whose glyphs go to 16 colours on an 8-bit display.
const std::vector<const char*>& glyphButtonNames();

}  // namespace hastelyn::app
