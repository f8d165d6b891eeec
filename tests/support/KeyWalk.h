#pragma once
// One walk over the main window, and from it the compact and save-and-restore windows, with the
// keys alone, as a blind user goes, and the text each key must leave on the clipboard. The texts
// come from the program's tables and the model's state (a row's label and tick, the commentary),
// never from a toolkit, so the same walk runs against every front end and finds where one says
// something the other does not.
//
// The walk expects a window just made over a session whose "Sound" is "On", the first menu
// button focused, confirmations answered No, the Desktop list's third row locked
// ("DisabledItem" Desktop3=true) with the two rows above it free, and the services list locked
// as it is while its key is absent; the compact and save-and-restore windows made and hidden,
// and meters that open the compact window's panel without an error. The side windows are walked
// first, from the main window and back to it.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Accelerate.h"
#include "engine/PcInformation.h"
#include "engine/Session.h"
#include "foundation/Settings.h"
#include "foundation/SpokenTexts.h"
#include "foundation/WebSearch.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/model/CompactControls.h"
#include "ui/model/RestoreControls.h"
#include "ui/model/RestoreTexts.h"

namespace hastelyn::testing::keywalk {

enum class Key { Tab, ShiftTab, Alt, Enter, Space, Up, Down, Left, Right, F1, F2, F3, F4, F5, F6, Escape };

// A front end's main window as the walk drives it.
class Front {
public:
    virtual ~Front() = default;
    // The key goes down and up where a user's key goes: to the focused control, the window's
    // key preview first; what it started has run when this returns.
    virtual void press(Key key) = 0;
    virtual std::string clipboard() = 0;
    virtual void setClipboard(std::string_view text) = 0;
    // The row name of the control with the focus (the page control for its tabs); empty for none.
    virtual std::string focusedName() = 0;
    // The commentary panel's text.
    virtual std::string commentary() = 0;
    // What the shell was asked to open, oldest first.
    virtual std::vector<std::string> openedByShell() = 0;
    virtual bool closed() = 0;
    // The row name of the program's window that is active, empty for none; the main window's
    // control of that row pressed by the mouse.
    virtual std::string activeWindow() = 0;
    virtual void click(std::string_view name) = 0;
};

// What a key must leave on the clipboard.
enum class Says {
    Nothing,     // the clipboard as it was
    Control,     // the focus text of the control `focus`
    Page,        // the text of page `page`
    Row,         // the selection text of row `row` of the list on page `page`
    Tick,        // "。チェック。" or "。チェックなし。" for row `row` as it was before the key
    Overview,    // F3
    Commentary,  // F4: the commentary with its marks blanked
    Operation,   // F5
    SpeechOn,    // F6
    Question,    // F2: the accelerate command's question
    Exit,
    Text,        // the step's own text
};

// What else a key must have done.
enum class Then { Nothing, TickFlips, TickStays, HelpOpened, SoundOn, Closed };

struct Step {
    Key key;
    Says says;
    std::string_view focus = {};  // where the focus must be after the key; empty: not looked at
    int page = -1;
    int row = -1;
    Then then = Then::Nothing;
    std::string_view soundBefore = {};  // "Sound" written before the key, when given
    std::string text = {};
    std::string_view window = {};  // the row name of the program's window active after the key, when given
    std::string_view click = {};   // in place of the key, the main window's control of this row pressed by the mouse
};

inline constexpr int kDesktopPage = 1;
inline constexpr int kExplorerPage = 2;
inline constexpr int kLockedRow = 2;

namespace detail {

namespace main = ui::model::main;

inline std::vector<Step> mainSteps() {
    using K = Key;
    using S = Says;
    std::vector<Step> walk;
    // From the first menu button down the menu in the Tab order, each button saying itself, to
    // the pages, past the list (Tab chooses no row there) to the accelerate button and the
    // services button at the end of the walk; Shift+Tab back; Alt to the first menu button.
    for (const std::string_view name : {"BtnDesktop", "BtnExplorer", "BtnPower", "BtnOthers", "BtnUtility", "BtnInfo",
                                        "BtnRestore", "BtnHelp", "BtnOption"})
        walk.push_back({K::Tab, S::Control, name});
    walk.push_back({K::Tab, S::Page, "PgAccel", 0});
    walk.push_back({K::Tab, S::Nothing, "LstSystem"});
    walk.push_back({K::Tab, S::Control, "BtnAccelerate"});
    walk.push_back({K::Tab, S::Control, "BtnService"});
    walk.push_back({K::ShiftTab, S::Control, "BtnAccelerate"});
    walk.push_back({K::Alt, S::Control, "BtnSystem"});
    // Space or Enter on a menu button shows its page; the page control's arrows turn the pages,
    // not beyond the first.
    walk.push_back({K::Space, S::Page, "PgAccel", 0});
    walk.push_back({K::Left, S::Nothing, "PgAccel"});
    walk.push_back({K::Alt, S::Control, "BtnSystem"});
    walk.push_back({K::Tab, S::Control, "BtnDesktop"});
    walk.push_back({K::Enter, S::Page, "PgAccel", kDesktopPage});
    walk.push_back({K::Right, S::Page, "PgAccel", kExplorerPage});
    walk.push_back({K::Left, S::Page, "PgAccel", kDesktopPage});
    // Into the list: the arrows choose rows; Space says the tick before it flips, and on the
    // locked row says it and leaves it.
    walk.push_back({K::Tab, S::Nothing, "LstDesktop"});
    walk.push_back({K::Down, S::Row, "LstDesktop", kDesktopPage, 0});
    walk.push_back({K::Up, S::Nothing, "LstDesktop"});
    walk.push_back({K::Down, S::Row, "LstDesktop", kDesktopPage, 1});
    walk.push_back({K::Space, S::Tick, "LstDesktop", kDesktopPage, 1, Then::TickFlips});
    walk.push_back({K::Space, S::Tick, "LstDesktop", kDesktopPage, 1, Then::TickFlips});
    walk.push_back({K::Down, S::Row, "LstDesktop", kDesktopPage, kLockedRow});
    walk.push_back({K::Space, S::Tick, "LstDesktop", kDesktopPage, kLockedRow, Then::TickStays});
    walk.push_back({K::Up, S::Row, "LstDesktop", kDesktopPage, 1});
    // The function keys.
    walk.push_back({K::F3, S::Overview, "LstDesktop"});
    walk.push_back({K::F4, S::Commentary, "LstDesktop"});
    walk.push_back({K::F5, S::Operation, "LstDesktop"});
    walk.push_back({K::F2, S::Question});
    walk.push_back({K::F1, S::Nothing, {}, -1, -1, Then::HelpOpened});
    // Speech off: Tab is silent, Space and the function keys still speak; F6 turns it on.
    walk.push_back({K::Tab, S::Nothing, "BtnAccelerate", -1, -1, Then::Nothing, "Off"});
    walk.push_back({K::ShiftTab, S::Nothing, "LstDesktop"});
    walk.push_back({K::Down, S::Nothing, "LstDesktop"});
    walk.push_back({K::Space, S::Tick, "LstDesktop", kDesktopPage, kLockedRow, Then::TickStays});
    walk.push_back({K::Up, S::Nothing, "LstDesktop"});
    walk.push_back({K::Space, S::Tick, "LstDesktop", kDesktopPage, 1, Then::TickFlips});
    walk.push_back({K::Space, S::Tick, "LstDesktop", kDesktopPage, 1, Then::TickFlips});
    walk.push_back({K::F3, S::Overview});
    walk.push_back({K::F4, S::Commentary});
    walk.push_back({K::F6, S::SpeechOn, {}, -1, -1, Then::SoundOn});
    // The services list, locked: Space says nothing and leaves the tick; the utilities and
    // PC-information lists speak their own hints.
    walk.push_back({K::Tab, S::Control, "BtnAccelerate"});
    walk.push_back({K::Enter, S::Question, "BtnAccelerate"});
    walk.push_back({K::Tab, S::Control, "BtnService"});
    walk.push_back({K::Enter, S::Page, "PgAccel", main::kServicePage});
    walk.push_back({K::Tab, S::Nothing, "LstService"});
    walk.push_back({K::Down, S::Row, "LstService", main::kServicePage, 0});
    walk.push_back({K::Space, S::Nothing, "LstService", main::kServicePage, 0, Then::TickStays});
    walk.push_back({K::ShiftTab, S::Nothing, "PgAccel"});
    walk.push_back({K::Right, S::Page, "PgAccel", main::kUtilityPage});
    walk.push_back({K::Tab, S::Nothing, "LstUtility"});
    walk.push_back({K::Down, S::Row, "LstUtility", main::kUtilityPage, 0});
    walk.push_back({K::Down, S::Row, "LstUtility", main::kUtilityPage, 1});
    walk.push_back({K::ShiftTab, S::Nothing, "PgAccel"});
    walk.push_back({K::Right, S::Page, "PgAccel", main::kInfoPage});
    walk.push_back({K::Tab, S::Nothing, "LstInfo"});
    walk.push_back({K::Down, S::Row, "LstInfo", main::kInfoPage, 0});
    walk.push_back({K::Escape, S::Exit, {}, -1, -1, Then::Closed});
    return walk;
}

// A step in a side window: what the key says (empty: nothing), where the focus and the window
// must be after it.
inline Step on(std::string_view window, Key key, std::string_view focus, std::string says = {}) {
    Step step{key, says.empty() ? Says::Nothing : Says::Text, focus};
    step.text = std::move(says);
    step.window = window;
    return step;
}

// The compact window speaks nothing: the strip walked with Tab, the panel opened and closed by
// its button (the strip's end and the panel's lists joining the walk), Escape leaving the window
// as it is, back to the main window by the strip.
inline std::vector<Step> compactSteps() {
    namespace c = ui::model::compact;
    const std::string_view w = c::FrmCompact.name;
    std::vector<Step> walk{on(w, Key::Enter, c::BtnHelp.name)};
    walk.back().click = main::BtnCompact.name;
    for (const ui::model::Control* row : {&c::BtnVersion, &c::BtnCompact, &c::BtnPerformance, &c::BtnHelp})
        walk.push_back(on(w, Key::Tab, row->name));
    walk.push_back(on(w, Key::ShiftTab, c::BtnPerformance.name));
    walk.push_back(on(w, Key::Enter, c::BtnPerformance.name));
    for (const ui::model::Control* row : {&c::BtnTray, &c::BtnMinimum, &c::BtnClose_s, &c::CmbCPUList, &c::CmbHDList,
                                          &c::CmbNICList, &c::BtnHelp, &c::BtnVersion, &c::BtnCompact,
                                          &c::BtnPerformance})
        walk.push_back(on(w, Key::Tab, row->name));
    for (const Key key : {Key::Space, Key::Escape}) walk.push_back(on(w, key, c::BtnPerformance.name));
    walk.push_back(on(w, Key::ShiftTab, c::BtnCompact.name));
    walk.push_back(on(main::FrmMain.name, Key::Enter, main::BtnSystem.name));
    return walk;
}

// From the main window's menu into the save-and-restore window: the Tab walk of the close
// button, the page control and the page's buttons, the last of them first from outside; the
// arrows turning the pages, not beyond either end; F4 speaking the memo; Escape closing it.
inline std::vector<Step> restoreSteps() {
    namespace c = ui::model::restore::controls;
    namespace t = ui::model::restore::texts;
    const std::string_view w = c::FrmRestore.name;
    const std::string_view page = c::PgRestore.name;
    std::vector<Step> walk = mainSteps();
    walk.resize(7);  // the menu buttons down to BtnRestore
    walk.push_back(on(w, Key::Enter, c::BtnCancel.name, std::string(t::kWindowShown)));
    walk.push_back(on(w, Key::Tab, page, std::string(t::kPcPageEntered)));
    for (const ui::model::Control* row : {&c::BtnBackup, &c::BtnRecovery, &c::BtnCancel})
        walk.push_back(on(w, Key::Tab, row->name, std::string(row->spoken)));
    for (const ui::model::Control* row : {&c::BtnRecovery, &c::BtnBackup})
        walk.push_back(on(w, Key::ShiftTab, row->name, std::string(row->spoken)));
    walk.push_back(on(w, Key::ShiftTab, page, std::string(t::kPcPageEntered)));
    walk.push_back(on(w, Key::Left, page));
    walk.push_back(on(w, Key::Right, page, std::string(t::kMailPageEntered)));
    walk.push_back(on(w, Key::Right, page));
    for (const ui::model::Control* row : {&c::BtnBackupOE, &c::BtnRecoveryOE})
        walk.push_back(on(w, Key::Tab, row->name, std::string(row->spoken)));
    const auto memo = [](std::string_view text) { return foundation::spoken::commentForSpeech(text); };
    walk.push_back(on(w, Key::F4, c::BtnRecoveryOE.name, memo(t::kMailPageExplanation)));
    walk.push_back(on(w, Key::Tab, c::BtnCancel.name, std::string(c::BtnCancel.spoken)));
    walk.push_back(on(w, Key::Tab, page, std::string(t::kMailPageEntered)));
    walk.push_back(on(w, Key::Left, page, std::string(t::kPcPageEntered)));
    walk.push_back(on(w, Key::F4, page, memo(t::kPcPageExplanation)));
    walk.push_back(on(main::FrmMain.name, Key::Escape, "BtnRestore", std::string(t::kWindowClosed)));
    walk.push_back({Key::Tab, Says::Control, "BtnHelp"});
    walk.push_back({Key::Alt, Says::Control, "BtnSystem"});
    return walk;
}

inline std::vector<Step> steps() {
    std::vector<Step> walk = compactSteps();
    for (std::vector<Step> then : {restoreSteps(), mainSteps()}) walk.insert(walk.end(), then.begin(), then.end());
    return walk;
}

inline const char* keyName(Key key) {
    static constexpr const char* kNames[] = {"Tab", "Shift+Tab", "Alt", "Enter", "Space", "Up",     "Down", "Left",
                                             "Right", "F1",     "F2",  "F3",    "F4",    "F5", "F6", "Escape"};
    return kNames[static_cast<int>(key)];
}

inline std::string_view focusText(std::string_view name) {
    for (const ui::model::Control* c : main::tabWalk())
        if (c->name == name) return c->spoken;
    return {};
}

// The row's list in the model, or null for the utilities and PC-information lists.
inline engine::CheckList* checkList(engine::Session& session, int page) {
    if (page >= 0 && page < static_cast<int>(engine::kTweakCategoryCount))
        return &session.model.tweakList(static_cast<std::size_t>(page));
    return page == main::kServicePage ? &session.model.services() : nullptr;
}

inline engine::Row* rowOf(engine::Session& session, const Step& step) {
    engine::CheckList* list = checkList(session, step.page);
    if (list == nullptr || step.row < 0 || step.row >= static_cast<int>(list->rows.size())) return nullptr;
    return &list->rows[static_cast<std::size_t>(step.row)];
}

inline std::string rowText(engine::Session& session, const Step& step) {
    const std::string caption(main::kPages.at(static_cast<std::size_t>(step.page))->caption);
    if (const engine::Row* row = rowOf(session, step))
        return caption + row->label + std::string(row->ticked ? foundation::spoken::kTicked : foundation::spoken::kNotTicked) +
               std::string(foundation::spoken::kRowHints);
    const auto row = static_cast<std::size_t>(step.row);
    if (step.page == main::kUtilityPage)
        return caption + std::string(ui::model::pages::kUtilityLabels.at(row)) + std::string(foundation::spoken::kUtilityHints);
    return caption + std::string(engine::pcInfoRows()[row].label) + std::string(foundation::spoken::kInfoHints);
}

}  // namespace detail

// Walks the windows; gives one line for each way they differed from the walk, none when they agreed.
inline std::vector<std::string> walkWindows(Front& front, engine::Session& session) {
    std::vector<std::string> differences;
    const std::vector<engine::Row>& desktop = session.model.tweakList(kDesktopPage).rows;
    const std::vector<engine::Row>& services = session.model.services().rows;
    if (desktop.size() <= kLockedRow || !desktop[0].enabled || !desktop[1].enabled || desktop[kLockedRow].enabled)
        return {"the machine is not the walk's: the Desktop rows 1 and 2 free and row 3 locked"};
    if (services.empty() || services[0].enabled) return {"the machine is not the walk's: a service, locked"};
    constexpr std::string_view kMarker = "(before the key)";
    int number = 0;
    for (const Step& step : detail::steps()) {
        ++number;
        const auto differs = [&](const std::string& what) {
            const std::string key = step.click.empty() ? detail::keyName(step.key) : std::string(step.click);
            differences.push_back("step " + std::to_string(number) + " (" + key + "): " + what);
        };
        if (!step.soundBefore.empty()) session.settings.write(foundation::kGeneralSection, "Sound", step.soundBefore);
        engine::Row* row = detail::rowOf(session, step);
        const bool tickBefore = row != nullptr && row->ticked;
        const std::size_t openedBefore = front.openedByShell().size();
        front.setClipboard(kMarker);
        if (step.click.empty())
            front.press(step.key);
        else
            front.click(step.click);

        std::string expected;
        switch (step.says) {
            case Says::Nothing: expected = kMarker; break;
            case Says::Control: expected = detail::focusText(step.focus); break;
            case Says::Page: expected = ui::model::main::kPages.at(static_cast<std::size_t>(step.page))->spoken; break;
            case Says::Row: expected = detail::rowText(session, step); break;
            case Says::Tick: expected = tickBefore ? foundation::spoken::kTicked : foundation::spoken::kNotTicked; break;
            case Says::Overview: expected = foundation::spoken::kOverview; break;
            case Says::Commentary: expected = foundation::spoken::commentForSpeech(front.commentary()); break;
            case Says::Operation: expected = foundation::spoken::kOperation; break;
            case Says::SpeechOn: expected = foundation::spoken::kSpeechOn; break;
            case Says::Question: expected = engine::kAccelerateQuestionSpoken; break;
            case Says::Exit: expected = foundation::spoken::kExit; break;
            case Says::Text: expected = step.text; break;
        }
        if (const std::string said = front.clipboard(); said != expected)
            differs("said \"" + said + "\", not \"" + expected + "\"");
        if (step.says == Says::Commentary && front.commentary().empty()) differs("no commentary to speak");
        if (step.then == Then::Closed) {
            if (!front.closed()) differs("the window is still open");
            break;
        }
        if (!step.window.empty() && front.activeWindow() != step.window)
            differs("the window \"" + front.activeWindow() + "\" is active, not \"" + std::string(step.window) + "\"");
        if (!step.focus.empty() && front.focusedName() != step.focus)
            differs("the focus is on \"" + front.focusedName() + "\", not on \"" + std::string(step.focus) + "\"");
        if (step.then == Then::TickFlips && (row == nullptr || row->ticked == tickBefore)) differs("the tick stayed");
        if (step.then == Then::TickStays && (row == nullptr || row->ticked != tickBefore)) differs("the tick changed");
        if (step.then == Then::SoundOn && session.settings.general("Sound") != "On") differs("\"Sound\" is not \"On\"");
        const std::vector<std::string> opened = front.openedByShell();
        const std::string help = foundation::helpPagePath(session.platform.system.programPath(), "index.htm");
        if (step.then == Then::HelpOpened && (opened.size() != openedBefore + 1 || opened.back() != help))
            differs("the help page " + help + " was not opened");
        if (step.then != Then::HelpOpened && opened.size() != openedBefore) differs("the shell opened " + opened.back());
    }
    return differences;
}

}  // namespace hastelyn::testing::keywalk
