#include "foundation/KeyboardMap.h"

#include "foundation/SpokenTexts.h"
#include "platform/Win32Types.h"

namespace hastelyn::foundation {

void handleMainWindowKey(MainKey key, MainWindowActions& window, Speech& speech, Settings& settings) {
    switch (key) {
        case MainKey::Alt:
            window.focusFirstMenuButton();
            break;
        case MainKey::Escape:
            speech.speak(spoken::kExit);
            window.closeMainWindow();
            break;
        case MainKey::Space:
            // The tick as it is before the list toggles it on the key press.
            if (const std::optional<bool> ticked = window.focusedTweakRowTicked()) {
                speech.speakAlways(*ticked ? spoken::kTicked : spoken::kNotTicked);
            }
            break;
        case MainKey::F1:
            window.openHelp();
            break;
        case MainKey::F2:
            window.pressAccelerate();
            break;
        case MainKey::F3:
            speech.speakAlways(spoken::kOverview);
            break;
        case MainKey::F4:
            speech.speakAlways(spoken::commentForSpeech(window.commentText()));
            break;
        case MainKey::F5:
            speech.speakAlways(spoken::kOperation);
            break;
        case MainKey::F6:
            // A refused write ends the key's work; the top-level handler shows the error.
            speech.speakAlways(spoken::kSpeechOn);
            settings.write(kGeneralSection, "Sound", "On");
            break;
        case MainKey::Other:
            break;
    }
}

void runStartupPrompt(Settings& settings, Speech& speech, std::uint32_t programDriveType) {
    // From a CD-ROM the settings file cannot be written, so the first start asks nothing and
    // leaves "Sound" absent.
    if (settings.general("Sound") == "NULL" && programDriveType != platform::drivetype::CdRom) {
        speech.speakAlways(spoken::kFirstPrompt);
        settings.write(kGeneralSection, "Sound", "Off");
    }
    if (settings.general("Sound") == "On") speech.speak(spoken::kF5Prompt);
}

}  // namespace hastelyn::foundation
