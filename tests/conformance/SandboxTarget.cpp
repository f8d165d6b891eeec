// The conformance suite's target on Linux: a small sandbox machine made afresh for every test in
// a temporary folder, removed with it.
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/sandbox/SandboxPlatform.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/conformance/ConformanceTarget.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::conformance {
namespace {

class SandboxTarget final : public ConformanceTarget {
public:
    SandboxTarget() {
        testing::MiniMachine m;
        m.folder("C:\\Scratch")
            .hive(platform::RootKey::CurrentUser, {"[HKEY_CURRENT_USER\\Software]"})
            .service("Alpha", "Alpha Service", 2)
            .service("Beta", "Beta Service", 3);
        m.writeTo(folder_.path());
        sandbox_ = std::make_unique<sandbox::SandboxPlatform>(folder_.path());
    }

    platform::Platform& platform() override { return sandbox_->platform(); }
    std::string scratchFolder() override { return "C:\\Scratch"; }
    std::string scratchKey() override { return "Software\\HastelynConformance"; }
    std::string runningServiceName() override { return "Alpha"; }
    std::string stoppedServiceName() override { return "Beta"; }

    std::optional<std::string> readFile(std::string_view path) override {
        const auto mapped = sandbox_->machine().mapPath(path);
        if (!mapped) return std::nullopt;
        return sandbox::readWholeFile(mapped->host);
    }

    void writeFile(std::string_view path, std::string_view bytes) override {
        const auto mapped = sandbox_->machine().mapPath(path);
        if (!mapped || !sandbox::writeFileAtomically(mapped->host, bytes))
            throw std::runtime_error("cannot write " + std::string(path));
    }

private:
    testing::TempFolder folder_;
    std::unique_ptr<sandbox::SandboxPlatform> sandbox_;
};

}  // namespace

std::unique_ptr<ConformanceTarget> makeConformanceTarget() { return std::make_unique<SandboxTarget>(); }

}  // namespace hastelyn::conformance
