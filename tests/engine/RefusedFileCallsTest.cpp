// The engine over a file system that refuses one kind of call, as a full or protected disk would.
#include <gtest/gtest.h>

#include "engine/Accelerate.h"
#include "engine/BootFile.h"
#include "engine/EnvironmentChecks.h"
#include "engine/Passes.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CommandErrorText.h"

namespace hastelyn::engine {
namespace {

using platform::CallResult;
namespace win32error = platform::win32error;

class RefusingFiles final : public platform::FileSystem {
public:
    explicit RefusingFiles(platform::FileSystem& inner) : inner_(inner) {}

    bool refuseDeletes = false;
    bool refuseCopies = false;

    std::uint32_t getFileAttributes(std::string_view path) override { return inner_.getFileAttributes(path); }
    CallResult setFileAttributes(std::string_view path, std::uint32_t attributes) override {
        return inner_.setFileAttributes(path, attributes);
    }
    CallResult findFiles(std::string_view pattern, std::vector<platform::FindData>& out) override {
        return inner_.findFiles(pattern, out);
    }
    CallResult deleteFile(std::string_view path) override {
        return refuseDeletes ? CallResult(win32error::AccessDenied) : inner_.deleteFile(path);
    }
    CallResult createNewFile(std::string_view path) override { return inner_.createNewFile(path); }
    CallResult copyFile(std::string_view from, std::string_view to, bool failIfExists) override {
        return refuseCopies ? CallResult(win32error::AccessDenied) : inner_.copyFile(from, to, failIfExists);
    }
    CallResult readFile(std::string_view path, std::string& content) override { return inner_.readFile(path, content); }
    CallResult replaceFile(std::string_view path, std::string_view content) override {
        return inner_.replaceFile(path, content);
    }
    std::uint32_t getDriveType(std::string_view root) override { return inner_.getDriveType(root); }
    CallResult getVolumeInformation(std::string_view root, platform::VolumeInfo& out) override {
        return inner_.getVolumeInformation(root, out);
    }
    CallResult getDiskFreeSpace(std::string_view root, platform::DiskSpace& out) override {
        return inner_.getDiskFreeSpace(root, out);
    }

private:
    platform::FileSystem& inner_;
};

// The XP image, read, through the refusing file system.
struct RefusingStart {
    RefusingStart() {
        Session& s = session;
        s.codes = foundation::detectEdition(s.platform.system.getVersion());
        s.model.disableRows(foundation::disabledControlsFor(s.codes));
        foundation::detectSystemPaths(s.platform, s.codes, s.settings, s.paths);
        runEnvironmentChecks(s);
        readPass(s);
    }

    EngineFixture fx{"xp"};
    RefusingFiles files{fx.platform().files};
    platform::Platform& real = fx.platform();
    platform::Platform platform{real.registry, real.profiles, files,       real.system,
                                real.shell,    real.windows,  real.services, real.meters};
    Session session{platform, fx.clipboard(), fx.dialogs()};
};

TEST(RefusedFileCalls, AnUnchangedAccelerateKeepsAndNamesTheRestorePointItCannotDelete) {
    RefusingStart start;
    start.files.refuseDeletes = true;
    const AccelerateOutcome outcome = BtnAccelerateClick(start.session);
    EXPECT_FALSE(outcome.changed);
    ASSERT_TRUE(outcome.restorePoint.ends_with(" (高速化設定前).ini")) << outcome.restorePoint;
    EXPECT_NE(start.real.files.getFileAttributes(outcome.restorePoint), platform::fileattr::Invalid);
}

TEST(RefusedFileCalls, ABootFileWhoseCopyCannotBeMadeIsNotEdited) {
    RefusingStart start;
    start.files.refuseCopies = true;
    const std::string boot = start.session.paths.boot;
    const std::string before = start.fx.driveCText("boot.ini");
    EXPECT_EQ(testing::commandErrorOf([&] { BootFile(start.session).write("boot loader", "timeout", "7"); }),
              "ファイル \"" + boot + "\" の控えを \"" + BootFile(start.session).copyPath() + "\" に作れませんでした。" +
                  start.real.system.errorText(win32error::AccessDenied));
    EXPECT_EQ(start.fx.driveCText("boot.ini"), before);
}

}  // namespace
}  // namespace hastelyn::engine
