#pragma once
// A machine built from one of the carried images (or a MiniMachine), with a session started on
// it the way the program starts: edition, system paths, environment checks. Dialogs are
// answered from a script.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/EnvironmentChecks.h"
#include "engine/Passes.h"
#include "engine/Session.h"
#include "engine/TweakItem.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FakeSurfaces.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"
#include "tools/machine/MachineImages.h"

namespace hastelyn::testing {

class EngineFixture {
public:
    // An image by name ("xp", "98", ...).
    explicit EngineFixture(std::string_view image) {
        const std::string problem = images::buildMachine(image, folder_.path());
        if (!problem.empty()) throw std::runtime_error(problem);
        start();
    }
    explicit EngineFixture(const MiniMachine& machine) {
        machine.writeTo(folder_.path());
        start();
    }

    engine::Session& session() { return *session_; }
    platform::Platform& platform() { return sandbox_->platform(); }
    sandbox::SandboxPlatform& sandbox() { return *sandbox_; }
    ScriptedDialogs& dialogs() { return dialogs_; }
    FakeClipboard& clipboard() { return clipboard_; }
    const std::filesystem::path& folder() const { return folder_.path(); }

    // A new session on the same machine, as at the next start of the program (fresh model).
    void restart() { start(); }

    std::string read(platform::RootKey root, std::string_view key, std::string_view name, std::string_view type) {
        return session_->registry.ReadRegValue(root, key, name, type);
    }
    std::string journal() const { return fileText(folder_.path() / "journal.log"); }
    static std::string fileText(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    // Ticks (or unticks) every enabled row of a category in the model.
    void tickAll(std::size_t category, bool ticked) {
        for (engine::Row& row : session_->model.tweakList(category).rows)
            if (row.enabled) row.ticked = ticked;
    }

    // Row numbers (from 1) of the rows of a category that pass the test.
    template <typename Test>
    std::vector<int> rowsWhere(std::size_t category, Test test) {
        std::vector<int> out;
        const std::vector<engine::Row>& rows = session_->model.tweakList(category).rows;
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (test(rows[r])) out.push_back(static_cast<int>(r) + 1);
        return out;
    }
    std::vector<int> tickedRows(std::size_t category) {
        return rowsWhere(category, [](const engine::Row& row) { return row.ticked; });
    }
    engine::Row& row(std::size_t category, int number) {
        return session_->model.tweakList(category).rows.at(static_cast<std::size_t>(number) - 1);
    }
    // restart() followed by a read pass.
    void restartAndRead() {
        start();
        engine::readPass(*session_);
    }
    // Ticks every row of a category, disabled ones too, applies, and reads again on a fresh
    // model: every row that counts must read ticked, and every disabled row must keep the
    // values rowValues(number) gives. Returns the values of every row from before the apply.
    template <typename Counts, typename RowValues>
    std::map<int, std::vector<std::string>> expectTickAllApplied(std::size_t category, Counts counts,
                                                                 RowValues rowValues) {
        std::map<int, std::vector<std::string>> before;
        for (int r = 1; r <= 10; ++r) before[r] = rowValues(r);
        for (engine::Row& r : session_->model.tweakList(category).rows) r.ticked = true;
        engine::applyPass(*session_);
        restartAndRead();
        EXPECT_EQ(rowsWhere(category, [&](const engine::Row& r) { return counts(r) && r.ticked; }),
                  rowsWhere(category, counts));
        for (int r : rowsWhere(category, [](const engine::Row& x) { return !x.enabled; }))
            EXPECT_EQ(rowValues(r), before[r]) << "disabled row " << r;
        return before;
    }
    // Unticks every enabled row of a category, applies, and reads again on a fresh model: the
    // rows that count and are still in force.
    template <typename Counts>
    std::vector<int> untickAllApplied(std::size_t category, Counts counts) {
        tickAll(category, false);
        engine::applyPass(*session_);
        restartAndRead();
        return rowsWhere(category, [&](const engine::Row& r) { return counts(r) && r.ticked; });
    }
    // The same machine with a restricted account from now on (a new session).
    void restrictAccount() {
        const std::filesystem::path ini = folder_.path() / "machine.ini";
        std::string text = fileText(ini);
        const std::size_t at = text.find("Account=Administrator");
        if (at == std::string::npos) throw std::runtime_error("machine.ini names no administrator account");
        text.replace(at, 21, "Account=Restricted");
        std::ofstream(ini, std::ios::binary) << text;
        start();
    }
    // A file of drive C: as its host folder (drives/C) holds it.
    std::string driveCText(std::string_view path) const { return fileText(folder_.path() / "drives/C" / path); }
    // Writes the restore-point keys of every row of a category into a file, or restores them.
    void backupCategory(std::size_t category, const std::string& path) {
        engine::RestorePointFile file(session_->profiles, path);
        for (const auto& item : engine::tweakItems()[category]) item->backup(*session_, file);
    }
    void restoreCategory(std::size_t category, const std::string& path) {
        engine::RestorePointFile file(session_->profiles, path);
        for (const auto& item : engine::tweakItems()[category]) item->restore(*session_, file);
    }

private:
    void start() {
        session_.reset();
        sandbox_ = std::make_unique<sandbox::SandboxPlatform>(folder_.path());
        session_ = std::make_unique<engine::Session>(sandbox_->platform(), clipboard_, dialogs_);
        engine::Session& s = *session_;
        s.codes = foundation::detectEdition(s.platform.system.getVersion());
        s.model.disableRows(foundation::disabledControlsFor(s.codes));
        foundation::detectSystemPaths(s.platform, s.codes, s.settings, s.paths);
        engine::runEnvironmentChecks(s);
    }

    TempFolder folder_;
    FakeClipboard clipboard_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<sandbox::SandboxPlatform> sandbox_;
    std::unique_ptr<engine::Session> session_;
};

}  // namespace hastelyn::testing
