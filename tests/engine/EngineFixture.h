#pragma once
// A machine built from one of the carried images (or a MiniMachine), with a session started on
// it the way the program starts: edition, system paths, environment checks. Dialogs are
// answered from a script.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/EnvironmentChecks.h"
#include "engine/Passes.h"
#include "engine/RestorePointFile.h"
#include "engine/Session.h"
#include "engine/TweakItem.h"
#include "foundation/OpenKey.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FakeSurfaces.h"
#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"
#include "tools/machine/MachineImages.h"

namespace hastelyn::testing {

using foundation::Exists;
using foundation::RegType;

// Given to a constructor: the start is followed by a read pass.
inline constexpr bool kAndRead = true;

// An XP machine whose System ① (a DWORD under the memory key) is off and can be changed; its
// settings file, when there is one, holds `settings` under the general section.
inline MiniMachine systemOneOffMachine(const std::optional<std::string>& settings = std::nullopt) {
    MiniMachine m;
    m.hive(platform::RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management]",
            "\"DisablePagingExecutive\"=dword:00000000"});
    if (settings) m.file("C:\\Program Files\\Hastelyn\\Hastelyn.ini", "[環境設定]\r\n" + *settings);
    return m;
}

class EngineFixture {
public:
    // An image by name ("xp", "98", ...).
    explicit EngineFixture(std::string_view image, bool andRead = false) {
        const std::string problem = images::buildMachine(image, folder_.path());
        if (!problem.empty()) throw std::runtime_error(problem);
        testing::keepShellOpensInside(folder_.path());
        andRead ? restartAndRead() : start();
    }
    explicit EngineFixture(const MiniMachine& machine, bool andRead = false) {
        machine.writeTo(folder_.path());
        andRead ? restartAndRead() : start();
    }

    engine::Session& session() { return *session_; }
    platform::Platform& platform() { return sandbox_->platform(); }
    sandbox::SandboxPlatform& sandbox() { return *sandbox_; }
    ScriptedDialogs& dialogs() { return dialogs_; }
    FakeClipboard& clipboard() { return clipboard_; }
    const std::filesystem::path& folder() const { return folder_.path(); }

    // A new session on the same machine, as at the next start of the program (fresh model).
    void restart() { start(); }
    // restart() followed by a read pass.
    void restartAndRead() {
        start();
        engine::readPass(*session_);
    }

    std::string read(platform::RootKey root, std::string_view key, std::string_view name, RegType type) {
        return session_->registry.ReadRegValue(root, key, name, type);
    }
    bool keyExists(platform::RootKey root, std::string_view parent, std::string_view name) {
        return session_->registry.RegKeyOrValueExists(root, parent, name, Exists::Key);
    }
    // A value's bytes in lower-case hex; "" when it is missing or, given `type`, of another type.
    std::string bytes(platform::RootKey root, std::string_view key, std::string_view name,
                      std::optional<std::uint32_t> type = {}) {
        foundation::OpenKey open(platform().registry, root, key, platform::KeyAccess::Query);
        std::uint8_t data[64];
        std::uint32_t found = 0, size = sizeof data;
        if (!open || platform().registry.queryValue(open.handle(), name, &found, data, &size) != 0 ||
            (type && *type != found))
            return "";
        std::string hex;
        for (std::uint32_t i = 0; i < size; ++i) hex += {"0123456789abcdef"[data[i] >> 4], "0123456789abcdef"[data[i] & 15]};
        return hex;
    }
    std::string journal() const { return fileText(folder_.path() / "journal.log"); }
    // Every file of the machine folder but the journal, and its bytes.
    std::map<std::string, std::string> machineFiles() const {
        auto files = filesBelow(folder_.path());
        files.erase("journal.log");
        return files;
    }
    // A file of drive C: as its host folder (drives/C) holds it.
    std::string driveCText(std::string_view path) const { return fileText(folder_.path() / "drives/C" / path); }

    engine::Row& row(std::size_t category, int number) {
        return session_->model.tweakList(category).rows.at(static_cast<std::size_t>(number) - 1);
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
    // Whether a row reads ticked at the next start (restartAndRead()).
    bool tickedAfterRestart(std::size_t category, int number) {
        restartAndRead();
        return row(category, number).ticked;
    }
    // Ticks (or unticks) every enabled row of a category in the model.
    void tickAll(std::size_t category, bool ticked) {
        for (engine::Row& row : session_->model.tweakList(category).rows)
            if (row.enabled) row.ticked = ticked;
    }
    // Ticks and unticks rows of a category, then applies.
    void apply(std::size_t category, std::initializer_list<int> ticked, std::initializer_list<int> unticked = {}) {
        for (int r : ticked) row(category, r).ticked = true;
        for (int r : unticked) row(category, r).ticked = false;
        engine::applyPass(*session_);
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
    // A restore point file through the session of the moment.
    engine::RestorePointFile restorePoint(const std::string& path) { return {session_->profiles, path}; }
    // Writes the restore-point keys of one row of a category (0: every row) into a file, as a
    // backup writes them (the exact values last), or puts them back from it as a restore does
    // (the exact values after the documented keys).
    void backupCategory(std::size_t category, const std::string& path, int number = 0) {
        engine::RestorePointBatch batch;
        for (int r = 1; r <= 10; ++r)
            if (number == 0 || number == r) engine::tweakItems()[category][r - 1]->backup(*session_, batch);
        batch.writeTo(session_->profiles, path);
    }
    void restoreCategory(std::size_t category, const std::string& path, int number = 0) {
        engine::RestorePointFile file = restorePoint(path);
        for (int r = 1; r <= 10; ++r)
            if (number == 0 || number == r) engine::tweakItems()[category][r - 1]->restore(*session_, file);
        for (int r = 1; r <= 10; ++r)
            if (number == 0 || number == r) engine::tweakItems()[category][r - 1]->restoreExact(*session_, file);
    }

    struct ImageCase {
        const char* image;
        std::vector<int> inForce;           // ticked at start
        std::vector<int> stayInForce = {};  // still in force after every row that counts was unticked
        std::vector<int> enabled = {};      // the rows switched on, when checked
        bool applied = true;                // whether every row is ticked and unticked too
    };
    // On each image: the rows in force at start are ticked. Rows switched off, set against their
    // state, and a row changed and changed back write nothing. Then, where applied: every
    // enabled row that counts, ticked and applied, reads back ticked on a fresh model; unticked,
    // it reads back unticked unless stayInForce names it (rows switched off keep what they read
    // at start).
    template <typename Counts>
    static void checkImages(std::size_t category, const std::vector<ImageCase>& cases, Counts counts) {
        for (const ImageCase& c : cases) {
            SCOPED_TRACE(c.image);
            EngineFixture fx(c.image, kAndRead);
            EXPECT_EQ(fx.tickedRows(category), c.inForce);
            const auto enabled = fx.rowsWhere(category, [](const engine::Row& r) { return r.enabled; });
            if (!c.enabled.empty()) {
                ASSERT_EQ(enabled, c.enabled);
            }
            std::vector<int> offInForce;
            for (int r : c.inForce)
                if (!fx.row(category, r).enabled) offInForce.push_back(r);

            for (int r = 1; r <= 10; ++r)
                if (!fx.row(category, r).enabled) fx.row(category, r).ticked = !fx.row(category, r).ticked;
            fx.row(category, 2).ticked = !fx.row(category, 2).ticked;
            fx.row(category, 2).ticked = !fx.row(category, 2).ticked;
            const auto before = fx.machineFiles();
            engine::applyPass(fx.session());
            EXPECT_EQ(fx.machineFiles(), before) << "rows switched off or changed back wrote something";
            if (!c.applied) continue;

            const auto countedTicks = [&] {
                fx.restartAndRead();
                return fx.rowsWhere(category, [&](const engine::Row& r) { return counts(r) && r.ticked; });
            };
            const auto countedOf = [&](std::vector<int> rows) {
                std::erase_if(rows, [&](int r) { return !counts(fx.row(category, r)); });
                std::sort(rows.begin(), rows.end());
                rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
                return rows;
            };
            fx.tickAll(category, true);
            engine::applyPass(fx.session());
            std::vector<int> all = enabled;
            all.insert(all.end(), offInForce.begin(), offInForce.end());
            EXPECT_EQ(countedTicks(), countedOf(all));
            fx.tickAll(category, false);
            engine::applyPass(fx.session());
            offInForce.insert(offInForce.end(), c.stayInForce.begin(), c.stayInForce.end());
            EXPECT_EQ(countedTicks(), countedOf(offInForce));
        }
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

namespace hastelyn::engine {

// The names the engine's tests use on every page.
using foundation::DialogKind;
using platform::RootKey;
using testing::EngineFixture;
using testing::MiniMachine;
using testing::countOf;
using testing::kAndRead;
// Dialogs shown, as ScriptedDialogs keeps them.
using Shown = std::vector<std::pair<DialogKind, std::string>>;

}  // namespace hastelyn::engine
