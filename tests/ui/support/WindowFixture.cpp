#include "tests/ui/support/WindowFixture.h"

namespace hastelyn::testing {

bool ScriptedDialogs::show(foundation::DialogKind kind, std::string_view text) {
    shown.emplace_back(kind, std::string(text));
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

WindowFixture::WindowFixture(const MiniMachine& machine, app::ScreenFacts screen) {
    machine.writeTo(folder_.path());
    sandbox_ = std::make_unique<sandbox::SandboxPlatform>(folder_.path());
    session_ = std::make_unique<engine::Session>(sandbox_->platform(), clipboard_, dialogs_);
    window_ = std::make_unique<ui::TFrmMain>(*session_);
    startErrors_ = app::createMainWindow(*window_, *session_, screen);
}

}  // namespace hastelyn::testing
