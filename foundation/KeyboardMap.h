#pragma once
// The main window's keyboard map: it sees every key before the focused control and never
// swallows one.
#include <cstdint>
#include <optional>
#include <string>

#include "foundation/Settings.h"
#include "foundation/Speech.h"

namespace hastelyn::foundation {

enum class MainKey { Alt, Escape, Space, F1, F2, F3, F4, F5, F6, Other };

// What the keys act on; the main window provides it.
class MainWindowActions {
public:
    virtual ~MainWindowActions() = default;
    virtual void focusFirstMenuButton() = 0;
    virtual void closeMainWindow() = 0;
    // The tick of the selected row when one of the five tweak lists has the focus (tested in
    // list order), read before the list toggles it.
    virtual std::optional<bool> focusedTweakRowTicked() = 0;
    virtual void openHelp() = 0;
    virtual void pressAccelerate() = 0;
    virtual std::string commentText() = 0;
};

void handleMainWindowKey(MainKey key, MainWindowActions& window, Speech& speech, Settings& settings);

// The first start's prompt, 3 seconds after the main window appears. programDriveType is the
// drive type of the drive the program runs from.
void runStartupPrompt(Settings& settings, Speech& speech, std::uint32_t programDriveType);

}  // namespace hastelyn::foundation
