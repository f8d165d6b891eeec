// The main window's creation sequence.
#include "engine/EnvironmentChecks.h"
#include "engine/Passes.h"
#include "foundation/LockedItems.h"
#include "foundation/Migration.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainScreen.h"
#include "ui/model/MainTexts.h"

namespace hastelyn::ui::model {
namespace {

// Every fixed drive from C to Z; all 24 letters when none is fixed.
std::vector<std::string> fixedDrives(platform::FileSystem& files) {
    std::vector<std::string> drives;
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (files.getDriveType(std::string(1, letter) + ":") == platform::drivetype::Fixed)
            drives.push_back(letter + std::string(main::kDriveSuffix));
    if (drives.empty())
        for (char letter = 'C'; letter <= 'Z'; ++letter) drives.push_back(letter + std::string(main::kDriveSuffix));
    return drives;
}

// Runs one step; a refused write ends that step only.
template <typename Step>
void step(std::vector<std::string>& errors, Step&& run) {
    try {
        run();
    } catch (const std::exception& e) {
        errors.emplace_back(e.what());
    }
}

}  // namespace

std::vector<std::string> MainScreen::create(const ScreenFacts& screen) {
    std::vector<std::string> errors;
    engine::Session& s = session_;
    if (screen.width == 640 && screen.height == 480) view_.useSmallScreen();                // 1
    if (screen.depth == 8) view_.useSixteenColourGlyphs();                                  // 2
    showPage(0);                                                                            // 3
    pages_.setDrives(fixedDrives(s.platform.files));                                        // 4
    pages_.showIntroduction();                                                              // 5
    s.codes = foundation::detectEdition(s.platform.system.getVersion());                   // 6
    const foundation::DisabledControls disabled = foundation::disabledControlsFor(s.codes);
    s.model.disableRows(disabled);
    pages_.disableForEdition(disabled);
    step(errors, [&] { foundation::detectSystemPaths(s.platform, s.codes, s.settings, s.paths); });  // 7
    step(errors, [&] { engine::runEnvironmentChecks(s); });                                // 8
    pages_.readPcInformation();                                                             // 9
    engine::readPass(s);                                                                    // 10
    const foundation::LockableControls marked = pages_.lockableControls();
    step(errors, [&] { foundation::markPreLocked(s.settings, marked); });                   // 11
    pages_.applyLocks(marked);                                                              // 12
    countItems();                                                                           // 13
    step(errors, [&] { foundation::migrateOlderSettings(s.settings, s.platform.system.currentDirectory()); });  // 14
    return errors;
}

}  // namespace hastelyn::ui::model
