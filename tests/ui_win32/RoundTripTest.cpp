// Accelerate in the main window over every row it can tick, then the restore point that made
// put back by the restore command: every row's values, as the rows' own restore-point entries
// record them (an absent value as "absent"), are as before, and the lists show the old ticks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "engine/SaveAndRestore.h"
#include "platform/Text.h"
#include "platform/win32/WideText.h"
#include "tests/ui_win32/MainWindowFixture.h"
#include "ui/model/MainControls.h"

namespace hastelyn::win32test {
namespace {

// Rows a Wine prefix cannot carry (category, row): ticked, they stay as they are.
// System ③: Wine's Windows subsystem line has no desktop heap sizes to swap.
// Desktop ⑩: Wine has no security-centre service.
// Start-up ⑤ and ⑩: Wine has no boot.ini (the accelerate says the file was not found).
// (System ⑨ edits sysoc.inf, which Wine lacks too: it reads as in force, so it is never ticked.)
constexpr std::pair<std::size_t, int> kWineCannotCarry[] = {{0, 2}, {1, 9}, {3, 4}, {3, 9}};

// The compressed folders' row (Explorer ⑧) keeps its state in the settings file, which a machine
// never accelerated lacks: the restore writes it, "false" (registered, as before).
constexpr const char* kRecordTheRestoreWrites = "[エクスプローラ]8";

// "[section]key" = text of every key of a restore point (UTF-16 with its mark).
using Entries = std::map<std::string, std::string>;

struct ChosenFile : engine::FileOpenDialog {
    std::string path;
    std::optional<std::string> choose(std::string_view, std::string_view, std::string_view) override { return path; }
};

class MainWindowRoundTrip : public MainWindowTest {
protected:
    void TearDown() override {
        // A test that failed half-way still leaves the prefix as it found it.
        if (session_ && !restored_ && readFileBytes(before_)) engine::ApplyRestorePoint(*session_, before_);
        MainWindowTest::TearDown();
    }
    Entries snapshot(const std::string& path) {
        engine::WriteRestorePoint(*session_, path);
        const std::string bytes = readFileBytes(path).value_or("");
        std::istringstream in(text::utf16leToUtf8(std::string_view(bytes).substr(bytes.starts_with("\xFF\xFE") ? 2 : 0)));
        Entries entries;
        std::string section;
        for (std::string line; std::getline(in, line);) {
            if (line.ends_with('\r')) line.pop_back();
            if (line.starts_with('[')) section = line;
            else if (const std::size_t equals = line.find('='); equals != std::string::npos)
                entries[section + line.substr(0, equals)] = line.substr(equals + 1);
        }
        return entries;
    }
    const std::string before_ = folder_.path() + "\\before.ini";
    bool restored_ = false;
};

TEST_F(MainWindowRoundTrip, EveryRowAcceleratedThenTheRestorePointPutBack) {
    const Entries before = snapshot(before_);
    std::vector<std::vector<bool>> ticksBefore(engine::kTweakCategoryCount);
    std::vector<std::pair<std::size_t, int>> ticked;
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c) {
        SendMessageW(window_->handle(*ui::model::main::kMenuButtons[c]), BM_CLICK, 0, 0);
        pump();
        for (int i = 0; i < list(c).count(); ++i) {
            ticksBefore[c].push_back(list(c).checked(i));
            if (!row(c, i).enabled || row(c, i).ticked || std::ranges::count(kWineCannotCarry, std::pair{c, i})) continue;
            list(c).setChecked(i, true);  // the list's own change, as a click on the box or Space
            EXPECT_TRUE(row(c, i).ticked) << row(c, i).label;
            ticked.emplace_back(c, i);
        }
    }
    ASSERT_GT(ticked.size(), 30u);
    SendMessageW(window_->handle(ui::model::main::BtnAccelerate), BM_CLICK, 0, 0);
    pump();
    for (const auto& [kind, text] : dialogs_.shown) EXPECT_NE(kind, foundation::DialogKind::Error) << text;
    // Read from the machine again, every ticked row is in force, and at least as many values changed.
    engine::clearTicks(*session_);
    engine::readPass(*session_);
    for (const auto& [c, i] : ticked) EXPECT_TRUE(row(c, i).ticked) << row(c, i).label;
    const Entries after = snapshot(folder_.path() + "\\after.ini");
    EXPECT_GE(std::ranges::count_if(before, [&](const auto& e) { return after.at(e.first) != e.second; }),
              static_cast<long>(ticked.size()));

    // The restore window's command, given the restore point the accelerate made.
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(win32::widen(folder_.path() + "\\*(高速化設定前).ini").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    ChosenFile chosen;
    chosen.path = folder_.path() + "\\" + win32::narrow(found.cFileName);
    dialogs_.confirmations = 0;  // its question answered Yes, the later ones No
    engine::AfterRestore refresh;
    refresh.showCounts = [this] { window_->showRowsAgain(); };
    EXPECT_EQ(engine::BtnRecoveryClick(*session_, chosen, refresh), engine::RecoveryOutcome::Restored);
    restored_ = true;
    Entries again = snapshot(folder_.path() + "\\again.ini");
    if (!before.contains(kRecordTheRestoreWrites) && again[kRecordTheRestoreWrites] == "false")
        again.erase(kRecordTheRestoreWrites);
    EXPECT_EQ(again, before);
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
        for (int i = 0; i < list(c).count(); ++i)
            EXPECT_EQ(list(c).checked(i), ticksBefore[c][static_cast<std::size_t>(i)]) << row(c, i).label;
}

}  // namespace
}  // namespace hastelyn::win32test
