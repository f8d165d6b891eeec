// The main window's accelerate command over every row it can tick, then the restore point it
// made put back by the restore command: every row's values, as the rows' own restore-point
// entries record them, are as before, and the lists show the ticks of before.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "engine/SaveAndRestore.h"
#include "platform/win32/WideText.h"
#include "tests/ui_win32/MainWindowFixture.h"
#include "ui/model/MainControls.h"

namespace hastelyn::win32test {
namespace {

namespace main = ui::model::main;

// Every key of a restore point (UTF-16 with its mark, as the profile calls write it), as
// "[section]key", with its text.
using Entries = std::map<std::string, std::string>;

Entries entriesOf(const std::string& bytes) {
    Entries entries;
    std::wstring wide(bytes.size() / 2, L'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
    if (wide.starts_with(L'\xFEFF')) wide.erase(0, 1);
    std::istringstream in(win32::narrow(wide));
    std::string section;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('[')) section = line;
        else if (const std::size_t equals = line.find('='); equals != std::string::npos)
            entries[section + line.substr(0, equals)] = line.substr(equals + 1);
    }
    return entries;
}

std::size_t changedEntries(const Entries& before, const Entries& after) {
    std::size_t changed = 0;
    for (const auto& [key, text] : before) changed += !after.contains(key) || after.at(key) != text;
    return changed;
}

// Rows a Wine prefix cannot carry, by category and row, each with its reason. Ticked, they
// would stay as they are; the accelerate says so and counts no change.
struct Skipped {
    std::size_t category;
    int row;
    const char* reason;
};
constexpr Skipped kWineCannotCarry[] = {
    {0, 2, "System ③: Wine's Windows subsystem line has no desktop heap sizes to swap"},
    {1, 9, "Desktop ⑩: Wine has no security-centre service (wscsvc)"},
    {3, 4, "Start-up ⑤: Wine has no boot.ini (the file-not-found error)"},
    {3, 9, "Start-up ⑩: Wine has no boot.ini (the file-not-found error)"},
};
// System ⑨, on sysoc.inf, which Wine has not either, reads as in force without its file: it is
// never ticked here, and its restore says the file was not found.

const char* cannotCarry(std::size_t category, int row) {
    for (const Skipped& s : kWineCannotCarry)
        if (s.category == category && s.row == row) return s.reason;
    return nullptr;
}

// The compressed folders' row (Explorer ⑧) records its state in the settings file, where a
// machine never accelerated has none; the restore writes it ("false": registered, as before).
constexpr const char* kRecordTheRestoreWrites = "[エクスプローラ]8";

// The restore window's file dialog, which the user answers with the restore point.
struct ChosenFile : engine::FileOpenDialog {
    std::string path;
    std::optional<std::string> choose(std::string_view, std::string_view, std::string_view) override { return path; }
};

class MainWindowRoundTrip : public MainWindowTest {
protected:
    void TearDown() override {
        // A test that failed half-way still leaves the prefix as it found it.
        if (session_ && !restored_ && readFileBytes(beforePath())) engine::ApplyRestorePoint(*session_, beforePath());
        MainWindowTest::TearDown();
    }
    std::string beforePath() const { return folder_.path() + "\\before.ini"; }
    // What the rows' own restore-point entries read of the machine now.
    Entries snapshot(const std::string& path) {
        engine::WriteRestorePoint(*session_, path);
        return entriesOf(readFileBytes(path).value_or(""));
    }
    bool restored_ = false;
};

TEST_F(MainWindowRoundTrip, EveryRowAcceleratedThenTheRestorePointPutBack) {
    const Entries before = snapshot(beforePath());
    ASSERT_GT(before.size(), 50u);
    std::vector<std::vector<bool>> ticksBefore;
    std::vector<std::pair<std::size_t, int>> tickedRows;
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c) {
        SendMessageW(window_->handle(*main::kMenuButtons[c]), BM_CLICK, 0, 0);
        pump();
        const winui::ListView view = list(c);
        ticksBefore.emplace_back();
        for (int i = 0; i < view.count(); ++i) {
            ticksBefore.back().push_back(view.checked(i));
            if (!row(c, i).enabled || row(c, i).ticked || cannotCarry(c, i)) continue;
            // The list's own state change, as a click on the box or Space makes it.
            view.setChecked(i, true);
            EXPECT_TRUE(row(c, i).ticked) << row(c, i).label;
            tickedRows.emplace_back(c, i);
        }
    }
    ASSERT_GT(tickedRows.size(), 30u);

    SendMessageW(window_->handle(main::BtnAccelerate), BM_CLICK, 0, 0);
    pump();
    for (const auto& [kind, text] : dialogs_.shown) EXPECT_NE(kind, foundation::DialogKind::Error) << text;
    // Read again from the machine, every ticked row is in force, and its values changed.
    engine::clearTicks(*session_);
    engine::readPass(*session_);
    for (const auto& [c, i] : tickedRows) EXPECT_TRUE(row(c, i).ticked) << row(c, i).label;
    const Entries after = snapshot(folder_.path() + "\\after.ini");
    EXPECT_GE(changedEntries(before, after), tickedRows.size());

    // The restore window's command on the restore point the accelerate command made.
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(win32::widen(folder_.path() + "\\*(高速化設定前).ini").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    ChosenFile chosen;
    chosen.path = folder_.path() + "\\" + win32::narrow(found.cFileName);
    dialogs_.confirmations = 0;
    dialogs_.shown.clear();
    engine::AfterRestore refresh;
    refresh.showCounts = [this] { window_->showRowsAgain(); };
    EXPECT_EQ(engine::BtnRecoveryClick(*session_, chosen, refresh), engine::RecoveryOutcome::Restored);
    restored_ = true;

    // Every value as it was, an absent one absent again (the exact entries say "absent").
    Entries again = snapshot(folder_.path() + "\\again.ini");
    if (!before.contains(kRecordTheRestoreWrites)) {
        EXPECT_EQ(again[kRecordTheRestoreWrites], "false");
        again.erase(kRecordTheRestoreWrites);
    }
    EXPECT_EQ(again, before);
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
        for (int i = 0; i < list(c).count(); ++i)
            EXPECT_EQ(list(c).checked(i), ticksBefore[c][static_cast<std::size_t>(i)]) << row(c, i).label;
}

}  // namespace
}  // namespace hastelyn::win32test
