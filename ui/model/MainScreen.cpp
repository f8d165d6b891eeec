#include "ui/model/MainScreen.h"

#include <utility>

#include "engine/Accelerate.h"
#include "engine/MachineChanges.h"
#include "foundation/SpokenTexts.h"
#include "foundation/WebSearch.h"
#include "ui/model/CommandErrors.h"
#include "ui/model/MainControls.h"

namespace hastelyn::ui::model {

MainScreen::MainScreen(engine::Session& session, MainView& view, MainPages& pages)
    : session_(session), view_(view), pages_(pages) {}

void MainScreen::shown() { startupDue_ = true; }

void MainScreen::startupTimer() {
    startupDue_ = false;
    const std::string program = session_.platform.system.programPath();
    foundation::runStartupPrompt(session_.settings, session_.speech,
                                 session_.platform.files.getDriveType(program.substr(0, 3)));
}

void MainScreen::clicked(const Control& control) {
    if (const int page = main::pageOf(control); page >= 0) {
        // The page, then the focus to the page control, which speaks it as the focus comes in.
        showPage(page);
        view_.focus(main::PgAccel);
    } else if (&control == &main::BtnRestore) {
        view_.act(MainAction::ShowRestore);
    } else if (&control == &main::BtnOption) {
        view_.act(MainAction::ShowOptions);
    } else if (&control == &main::ImgAbout) {
        view_.act(MainAction::ShowVersion);
    } else if (&control == &main::BtnHelp) {
        openHelp();
    } else if (&control == &main::BtnClose) {
        closeProgram();
    } else if (&control == &main::BtnClose_s) {
        view_.act(MainAction::Close);
    } else if (&control == &main::BtnMinimum) {
        view_.act(MainAction::Minimise);
    } else if (&control == &main::BtnTray) {
        view_.act(MainAction::ParkInTray);
    } else if (&control == &main::BtnCompact) {
        view_.act(MainAction::ShowCompact);
    } else if (&control == &main::BtnPerformance) {
        view_.act(MainAction::ShowPerformance);
    } else if (&control == &main::BtnAccelerate) {
        accelerate();
    }
}

void MainScreen::stayOnTop(bool down) { view_.act(down ? MainAction::StayOnTop : MainAction::StayInLine); }

void MainScreen::showPage(int page) {
    page_ = page;
    view_.showPage(main::PgAccel, page);
}

void MainScreen::pageChosen(int page) {
    if (page < 0 || page >= static_cast<int>(main::kPages.size())) return;
    showPage(page);
    // Within the page control already, the focus does not come in anew: the page is said here.
    // From elsewhere in the window the focus coming to the page control says it.
    if (place_ == FocusPlace::Pages) speakPage();
    view_.focus(main::PgAccel);
}

void MainScreen::wheel(int delta) {
    // Away from the user the previous page, towards the user the next, round the ends; silently.
    const int count = static_cast<int>(main::kPages.size());
    showPage((page_ + (delta > 0 ? -1 : 1) + count) % count);
}

void MainScreen::speakPage() {
    session_.speech.speak(main::kPages[static_cast<std::size_t>(page_)]->spoken);
    // The 9x family has no services: the page shows what the list would be.
    if (page_ == main::kServicePage && session_.codes.platform == "9x") pages_.showServiceDetail("");
}

void MainScreen::focusMoved(FocusPlace place, const Control* control) {
    const FocusPlace from = std::exchange(place_, place);
    // Back from a message box or another program the control that had the focus has it again:
    // nothing new to say.
    if (place == FocusPlace::Elsewhere || from == FocusPlace::Elsewhere || control == nullptr) return;
    if (control == &main::PgAccel) {
        // The tabs themselves: the page is said when the focus comes from outside the pages.
        if (from != FocusPlace::Pages) speakPage();
        return;
    }
    // The close button is first in the Tab walk: it must not speak over the start-up speech.
    if (control == &main::BtnClose && startupDue_) return;
    if (!control->spoken.empty()) session_.speech.speak(control->spoken);
}

void MainScreen::key(foundation::MainKey key, std::optional<bool> focusedRowTicked, std::string_view commentary) {
    focusedRowTicked_ = focusedRowTicked;
    commentary_ = commentary;
    foundation::handleMainWindowKey(key, *this, session_.speech, session_.settings);
    commentary_ = {};
}

void MainScreen::focusFirstMenuButton() { view_.focus(main::BtnSystem); }

void MainScreen::closeMainWindow() { view_.act(MainAction::Close); }

void MainScreen::closeProgram() {
    session_.speech.speak(foundation::spoken::kExit);
    view_.act(MainAction::Close);
}

void MainScreen::openHelp() {
    // The help pages beside the program; the shell's answer is not looked at (a missing page is
    // the shell's to report).
    (void)session_.platform.shell.shellExecute(
        "open", foundation::helpPagePath(session_.platform.system.programPath(), "index.htm"), "", "",
        platform::showcmd::Normal);
}

void MainScreen::countItems() {
    view_.setCaption(main::LblAll, std::to_string(session_.model.allCount()));
    view_.setCaption(main::LblRest, std::to_string(session_.model.restCount()));
}

void MainScreen::accelerate() {
    accelerating_ = true;
    runCommand(session_.dialogs, [this] { engine::BtnAccelerateClick(session_, [this] { countItems(); }); });
    accelerating_ = false;
    // The command reads the rows again first when another program changed the machine: the lists
    // and the counters show what it read, whether or not this run changed anything.
    pages_.showRowsAgain();
    countItems();
}

void MainScreen::activated() {
    // While the pass awaits a command the window runs; its rows are the pass's until it ends.
    if (accelerating_ || engine::rereadChangedRows(session_).empty()) return;
    pages_.showRowsAgain();
    countItems();
}

}  // namespace hastelyn::ui::model
