#pragma once
// The main window's creation sequence, run by its screen on the widgets the window made.
#include <string>
#include <vector>

#include "engine/Session.h"
#include "ui/model/MainScreen.h"
#include "ui/qt/MainWindow.h"

namespace hastelyn::app {

using ScreenFacts = ui::model::ScreenFacts;

// Runs the fourteen steps. A step whose settings write is refused does not stop the others;
// the error texts are returned for the program to show.
std::vector<std::string> createMainWindow(ui::TFrmMain& window, engine::Session& session, const ScreenFacts& screen);

}  // namespace hastelyn::app
