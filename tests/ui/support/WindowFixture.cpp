#include "tests/ui/support/WindowFixture.h"

#include <QTest>

#include "ui/model/MainControls.h"

namespace hastelyn::testing {

bool showActive(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return false;
    window.activateWindow();
    return QTest::qWaitFor([&] { return window.isActiveWindow(); });
}

void bringUpUtilityAndInfoPages(ui::TFrmMain& window) {
    for (int page : {ui::model::main::kUtilityPage, ui::model::main::kInfoPage, 0}) window.PgAccel->setCurrentIndex(page);
}

WindowFixture::WindowFixture(const MiniMachine& machine, ui::model::ScreenFacts screen, foundation::DialogProvider* dialogs,
                             foundation::SpeechSynthesizer* synthesizer) {
    machine.writeTo(folder_.path());
    sandbox_ = std::make_unique<sandbox::SandboxPlatform>(folder_.path());
    session_ = std::make_unique<engine::Session>(sandbox_->platform(), clipboard_,
                                                 dialogs != nullptr ? *dialogs : static_cast<foundation::DialogProvider&>(dialogs_),
                                                 synthesizer);
    window_ = std::make_unique<ui::TFrmMain>(*session_);
    startErrors_ = window_->screen().create(screen);
}

}  // namespace hastelyn::testing
