#pragma once
// The main window's state and its reactions: the creation sequence, the menu and the pages, the
// text spoken when the focus moves, the wheel, the counters, the keyboard map, the title strip's
// buttons and the accelerate command. It talks back through its view and the pages' part.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Session.h"
#include "foundation/KeyboardMap.h"
#include "ui/model/MainView.h"

namespace hastelyn::ui::model {

struct ScreenFacts {
    int width = 0;
    int height = 0;
    int depth = 32;  // bits per pixel
};

// Where the keyboard focus is, as far as the screen cares: in another window (a message box,
// another program) or nowhere, on a control of this window outside the page control, or within
// the page control (its tabs, or a control of a page).
enum class FocusPlace { Elsewhere, Window, Pages };

class MainScreen : private foundation::MainWindowActions {
public:
    MainScreen(engine::Session& session, MainView& view, MainPages& pages);

    // The fourteen steps that make the window, in their order: later ones read what earlier ones
    // left in the lists and the settings file. A step whose settings write is refused ends that
    // step only; the error texts are returned for the program to show.
    std::vector<std::string> create(const ScreenFacts& screen);
    // The window appeared: the start-up speech is due (startupTimer, 3 s later).
    void shown();
    void startupTimer();

    // A button of the menu, of the title strip, or the accelerate button was clicked; the about
    // picture and the title's double-click count as their buttons (ImgAbout, BtnCompact).
    void clicked(const Control& control);
    // BtnTop went down or up.
    void stayOnTop(bool down);
    // A page chosen by the user with the page control's tabs or keys.
    void pageChosen(int page);
    // The mouse wheel: positive turned away from the user.
    void wheel(int delta);
    // The focus came to a control: `control` is its row, or null for one the screen has no row
    // for; `place` is where it now is.
    void focusMoved(FocusPlace place, const Control* control);
    // A key of the keyboard map, before the focused control gets it. focusedRowTicked: the tick
    // of the selected row when a tweak list has the focus; commentary: the panel's text.
    void key(foundation::MainKey key, std::optional<bool> focusedRowTicked, std::string_view commentary);
    // The window became the active one again: rows another program changed are read again.
    void activated();

    // The counters: rows of the five tweak lists, and those not ticked.
    void countItems();
    void accelerate();
    void openHelp() override;
    // Speaks the exit text and closes the window, which ends the program.
    void closeProgram();

    int page() const { return page_; }

private:
    void showPage(int page);
    void speakPage();
    void focusFirstMenuButton() override;
    void closeMainWindow() override;
    std::optional<bool> focusedTweakRowTicked() override { return focusedRowTicked_; }
    void pressAccelerate() override { accelerate(); }
    std::string commentText() override { return std::string(commentary_); }

    engine::Session& session_;
    MainView& view_;
    MainPages& pages_;
    int page_ = 0;
    FocusPlace place_ = FocusPlace::Elsewhere;
    bool startupDue_ = false;
    // The accelerate command is running (its dialogs and awaited commands let events in).
    bool accelerating_ = false;
    std::optional<bool> focusedRowTicked_;
    std::string_view commentary_;
};

}  // namespace hastelyn::ui::model
