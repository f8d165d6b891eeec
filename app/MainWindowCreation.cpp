#include "app/MainWindowCreation.h"

namespace hastelyn::app {

std::vector<std::string> createMainWindow(ui::TFrmMain& window, engine::Session& /*session*/, const ScreenFacts& screen) {
    return window.screen().create(screen);
}

}  // namespace hastelyn::app
