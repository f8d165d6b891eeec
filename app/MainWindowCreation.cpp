#include "app/MainWindowCreation.h"

#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "engine/EnvironmentChecks.h"
#include "engine/Passes.h"
#include "foundation/LockedItems.h"
#include "foundation/Migration.h"
#include "ui/qt/LockedControls.h"
#include "ui/qt/UtilityPages.h"
#include "ui/qt/Widgets.h"

namespace hastelyn::app {
namespace {

using ui::TFrmMain;

// Step 1: a 640 x 480 screen gets a smaller window with a sizeable border, in the middle of
// the screen again.
void fitSmallScreen(TFrmMain& window, const ScreenFacts& screen) {
    if (screen.width != 640 || screen.height != 480) return;
    window.setWindowFlags(Qt::Window);
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.resize(590, 430);
    window.centreOnScreen();
}

// Step 2: on an 8-bit display the button glyphs go to 16 colours.
void convertGlyphsToSixteenColours(TFrmMain& window, const ScreenFacts& screen) {
    if (screen.depth != 8) return;
    QList<QRgb> palette;
    for (QRgb c : {0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u, 0xC0C0C0u,
                   0x808080u, 0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu, 0xFF00FFu, 0x00FFFFu, 0xFFFFFFu})
        palette.append(qRgb(qRed(c), qGreen(c), qBlue(c)));
    for (const char* name : glyphButtonNames()) {
        auto* button = window.findChild<QPushButton*>(name);
        if (button == nullptr || button->icon().isNull()) continue;
        const QImage glyph = button->icon().pixmap(button->iconSize()).toImage();
        button->setIcon(QIcon(QPixmap::fromImage(glyph.convertToFormat(QImage::Format_Indexed8, palette))));
    }
}

// Step 4: every fixed drive from C to Z in both drive lists; all 24 letters when none is fixed.
void fillFixedDriveLists(TFrmMain& window, engine::Session& session) {
    QStringList drives;
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (session.platform.files.getDriveType(std::string(1, letter) + ":") == platform::drivetype::Fixed)
            drives << QString(QChar(letter)) + ui::u8(" ドライブ");
    if (drives.isEmpty())
        for (char letter = 'C'; letter <= 'Z'; ++letter) drives << QString(QChar(letter)) + ui::u8(" ドライブ");
    window.LstHDDefrag->addItems(drives);
    window.LstHDConvert->addItems(drives);
}

// Step 5: the commentary panel as after a click on its button.
void showCommentary(TFrmMain& window) {
    if (auto* comment = window.findChild<QPushButton*>("BtnComment")) comment->click();
}

// Step 6: the edition, and what it switches off.
void detectEdition(TFrmMain& window, engine::Session& session) {
    session.codes = foundation::detectEdition(session.platform.system.getVersion());
    const foundation::DisabledControls disabled = foundation::disabledControlsFor(session.codes);
    session.model.disableRows(disabled);
    ui::disableForEdition(window, disabled);
}

// Step 9: the PC information fields.
void readPcInformation(TFrmMain& window) { ui::showPcInformation(window); }

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

const std::vector<const char*>& glyphButtonNames() {
    static const std::vector<const char*> names = {
        "BtnClose_s", "BtnMinimum", "BtnTray",    "BtnCompact", "BtnTop",   "BtnSystem",   "BtnDesktop",
        "BtnExplorer", "BtnPower",  "BtnOthers",  "BtnService", "BtnUtility", "BtnInfo",   "BtnRestore",
        "BtnHelp",    "BtnOption",  "BtnClose",   "BtnComment", "BtnMoreInfo", "BtnNet",   "BtnMS",
        "BtnGroup",   "BtnReg",     "BtnFormat",  "BtnCUIDefrag", "BtnConvert"};
    return names;
}

std::vector<std::string> createMainWindow(TFrmMain& window, engine::Session& session, const ScreenFacts& screen) {
    std::vector<std::string> errors;
    fitSmallScreen(window, screen);                                                         // 1
    convertGlyphsToSixteenColours(window, screen);                                          // 2
    window.PgAccel->setCurrentIndex(0);                                                     // 3
    fillFixedDriveLists(window, session);                                                   // 4
    showCommentary(window);                                                                 // 5
    detectEdition(window, session);                                                         // 6
    step(errors, [&] {                                                                      // 7
        foundation::detectSystemPaths(session.platform, session.codes, session.settings, session.paths);
    });
    step(errors, [&] { engine::runEnvironmentChecks(session); });                           // 8
    readPcInformation(window);                                                              // 9
    engine::readPass(session);                                                              // 10
    const foundation::LockableControls marked = ui::lockableControls(window, session);
    step(errors, [&] { foundation::markPreLocked(session.settings, marked); });             // 11
    ui::applyLockedItems(window, session, marked);                                          // 12
    window.countItems();                                                                    // 13
    step(errors, [&] {                                                                      // 14
        foundation::migrateOlderSettings(session.settings, session.platform.system.currentDirectory());
    });
    return errors;
}

}  // namespace hastelyn::app
