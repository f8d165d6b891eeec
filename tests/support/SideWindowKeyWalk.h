#pragma once
// The walk over the compact and save-and-restore windows with the keys alone, from the main
// window and back to it, and the text each key must leave on the clipboard; run against every
// front end as the main window's walk is (KeyWalk.h).
//
// It expects what that walk expects of the main window (a window just made, "Sound" "On", the
// first menu button focused), the compact and save-and-restore windows made and hidden, and a
// machine with at least one processor, drive and adapter to show.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/SpokenTexts.h"
#include "tests/support/KeyWalk.h"
#include "ui/model/CompactControls.h"
#include "ui/model/RestoreControls.h"
#include "ui/model/RestoreTexts.h"

namespace hastelyn::testing::keywalk {

namespace side {

struct Step {
    Key key;
    // The text the key leaves on the clipboard; none: the clipboard as it was.
    std::optional<std::string> says;
    std::string_view window;     // the program's window that is active after the key
    std::string_view focus = {};  // the row with the focus in it; empty: not looked at
    // In place of the key, the main window's control of this row pressed by the mouse (a command
    // no key reaches).
    std::string_view click = {};
};

namespace detail {

namespace compact = ui::model::compact;
namespace restore = ui::model::restore;

inline constexpr std::string_view kMain = ui::model::main::FrmMain.name;
inline constexpr std::string_view kCompact = compact::FrmCompact.name;
inline constexpr std::string_view kRestore = restore::controls::FrmRestore.name;

inline std::string text(std::string_view said) { return std::string(said); }

// The compact window speaks nothing: the strip walked with Tab, the panel opened and closed by
// its button, Escape leaving the window as it is, and back to the main window by the strip.
inline std::vector<Step> compactSteps() {
    using K = Key;
    std::vector<Step> walk{{K::Enter, {}, kCompact, compact::BtnHelp.name, ui::model::main::BtnCompact.name}};
    for (const ui::model::Control* row : {&compact::BtnVersion, &compact::BtnCompact, &compact::BtnPerformance})
        walk.push_back({K::Tab, {}, kCompact, row->name});
    walk.push_back({K::Enter, {}, kCompact, compact::BtnPerformance.name});
    // With the panel open: the three buttons at the strip's end, the panel's lists, round again.
    for (const ui::model::Control* row : {&compact::BtnTray, &compact::BtnMinimum, &compact::BtnClose_s, &compact::CmbCPUList,
                                        &compact::CmbHDList, &compact::CmbNICList, &compact::BtnHelp})
        walk.push_back({K::Tab, {}, kCompact, row->name});
    walk.push_back({K::ShiftTab, {}, kCompact, compact::CmbNICList.name});
    walk.push_back({K::Tab, {}, kCompact, compact::BtnHelp.name});
    for (const ui::model::Control* row : {&compact::BtnVersion, &compact::BtnCompact, &compact::BtnPerformance})
        walk.push_back({K::Tab, {}, kCompact, row->name});
    walk.push_back({K::Space, {}, kCompact, compact::BtnPerformance.name});
    walk.push_back({K::Escape, {}, kCompact, compact::BtnPerformance.name});
    walk.push_back({K::ShiftTab, {}, kCompact, compact::BtnCompact.name});
    walk.push_back({K::Enter, {}, kMain, ui::model::main::BtnSystem.name});
    return walk;
}

// From the main window's menu to its save-and-restore button and into the window: the Tab walk
// of the close button, the page control and the page's buttons; the arrows turning the pages,
// not beyond either end; F4 speaking the memo; Escape closing the window.
inline std::vector<Step> restoreSteps() {
    using K = Key;
    namespace c = restore::controls;
    namespace t = restore::texts;
    std::vector<Step> walk;
    for (const std::string_view name : {"BtnDesktop", "BtnExplorer", "BtnPower", "BtnOthers", "BtnUtility", "BtnInfo",
                                        "BtnRestore"})
        walk.push_back({K::Tab, text(keywalk::detail::focusText(name)), kMain, name});
    walk.push_back({K::Enter, text(t::kWindowShown), kRestore, c::BtnCancel.name});
    walk.push_back({K::Tab, text(t::kPcPageEntered), kRestore, c::PgRestore.name});
    for (const ui::model::Control* row : {&c::BtnBackup, &c::BtnRecovery, &c::BtnCancel})
        walk.push_back({K::Tab, text(row->spoken), kRestore, row->name});
    // Back into the page from outside it: its last button speaks.
    for (const ui::model::Control* row : {&c::BtnRecovery, &c::BtnBackup})
        walk.push_back({K::ShiftTab, text(row->spoken), kRestore, row->name});
    walk.push_back({K::ShiftTab, text(t::kPcPageEntered), kRestore, c::PgRestore.name});
    walk.push_back({K::Left, {}, kRestore, c::PgRestore.name});
    walk.push_back({K::Right, text(t::kMailPageEntered), kRestore, c::PgRestore.name});
    walk.push_back({K::Right, {}, kRestore, c::PgRestore.name});
    for (const ui::model::Control* row : {&c::BtnBackupOE, &c::BtnRecoveryOE})
        walk.push_back({K::Tab, text(row->spoken), kRestore, row->name});
    walk.push_back({K::F4, foundation::spoken::commentForSpeech(t::kMailPageExplanation), kRestore, c::BtnRecoveryOE.name});
    walk.push_back({K::Tab, text(c::BtnCancel.spoken), kRestore, c::BtnCancel.name});
    walk.push_back({K::Tab, text(t::kMailPageEntered), kRestore, c::PgRestore.name});
    walk.push_back({K::Left, text(t::kPcPageEntered), kRestore, c::PgRestore.name});
    walk.push_back({K::F4, foundation::spoken::commentForSpeech(t::kPcPageExplanation), kRestore, c::PgRestore.name});
    walk.push_back({K::Escape, text(t::kWindowClosed), kMain, "BtnRestore"});
    walk.push_back({K::Tab, text(keywalk::detail::focusText("BtnHelp")), kMain, "BtnHelp"});
    return walk;
}

inline void walk(Front& front, std::string_view name, const std::vector<Step>& steps, std::vector<std::string>& differences) {
    constexpr std::string_view kMarker = "(before the key)";
    int number = 0;
    for (const Step& step : steps) {
        ++number;
        const std::string at = std::string(name) + " step " + std::to_string(number) + " (" +
                               (step.click.empty() ? keywalk::detail::keyName(step.key) : "click " + std::string(step.click)) + "): ";
        front.setClipboard(kMarker);
        if (step.click.empty())
            front.press(step.key);
        else
            front.click(step.click);
        const std::string expected = step.says.value_or(std::string(kMarker));
        if (const std::string said = front.clipboard(); said != expected)
            differences.push_back(at + "said \"" + said + "\", not \"" + expected + "\"");
        if (const std::string window = front.activeWindow(); window != step.window)
            differences.push_back(at + "the window \"" + window + "\" is active, not \"" + std::string(step.window) + "\"");
        if (!step.focus.empty() && front.focusedName() != step.focus)
            differences.push_back(at + "the focus is on \"" + front.focusedName() + "\", not on \"" + std::string(step.focus) + "\"");
    }
}

}  // namespace detail

}  // namespace side

// Walks the compact window, then the save-and-restore window; one line for each way the front
// end differed from the walks, none when it agreed.
inline std::vector<std::string> walkSideWindows(Front& front) {
    std::vector<std::string> differences;
    side::detail::walk(front, "compact", side::detail::compactSteps(), differences);
    side::detail::walk(front, "save and restore", side::detail::restoreSteps(), differences);
    return differences;
}

}  // namespace hastelyn::testing::keywalk
