#pragma once
// A machine built from one of the carried images (or a MiniMachine), with a session started on
// it the way the program starts: edition, system paths, environment checks. Dialogs are
// answered from a script.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include "engine/EnvironmentChecks.h"
#include "engine/Passes.h"
#include "engine/Session.h"
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
