#pragma once
// A main window on a small sandbox machine, made the way the program makes it, with dialogs
// answered by the test and the real (offscreen) clipboard.
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Session.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FakeSurfaces.h"
#include "ui/model/MainScreen.h"
#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtClipboard.h"

namespace hastelyn::testing {

// The settings file of the program on a test machine.
inline constexpr const char* kSettings = "C:\\Program Files\\Hastelyn\\Hastelyn.ini";

// A text of the program's tables as a string, to compare with the clipboard.
inline std::string sv(std::string_view text) { return std::string(text); }

// A machine whose settings file holds these lines of the general section.
inline MiniMachine withGeneralSettings(const std::string& lines) {
    MiniMachine m;
    m.file(kSettings, "[環境設定]\r\n" + lines);
    return m;
}

// Shows the window and makes it the active one, so focus changes reach it; false when the
// platform would not.
bool showActive(QWidget& window);

// Brings up the utilities and PC-information pages, whose controls are made when their page
// first comes up, and then the first page again.
void bringUpUtilityAndInfoPages(ui::TFrmMain& window);

class WindowFixture {
public:
    // The dialogs are answered by the test's script, or shown by the given provider.
    // Spoken texts also reach the synthesizer, when one is given, as "SpeechOutput" says.
    explicit WindowFixture(const MiniMachine& machine, ui::model::ScreenFacts screen = {800, 600, 32},
                           foundation::DialogProvider* dialogs = nullptr,
                           foundation::SpeechSynthesizer* synthesizer = nullptr);

    sandbox::SandboxPlatform& sandbox() { return *sandbox_; }
    engine::Session& session() { return *session_; }
    ui::TFrmMain& window() { return *window_; }
    ScriptedDialogs& dialogs() { return dialogs_; }
    const std::vector<std::string>& startErrors() const { return startErrors_; }
    const std::filesystem::path& folder() const { return folder_.path(); }
    std::string setting(std::string_view section, std::string_view key) { return session_->settings.read(section, key); }
    std::string clipboard() { return clipboard_.text(); }
    std::string journal() const { return fileText(folder_.path() / "journal.log"); }
    void setClipboard(std::string_view text) { clipboard_.setText(text); }

private:
    TempFolder folder_;
    std::unique_ptr<sandbox::SandboxPlatform> sandbox_;
    ui::QtClipboard clipboard_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<engine::Session> session_;
    std::unique_ptr<ui::TFrmMain> window_;
    std::vector<std::string> startErrors_;
};

}  // namespace hastelyn::testing
