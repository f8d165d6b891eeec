#pragma once
// A test machine for the layers above the platform: a MiniMachine written to a temporary
// folder and opened as a sandbox.
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::testing {

class SandboxFixture {
public:
    explicit SandboxFixture(const MiniMachine& description) : description_(description) {
        description_.writeTo(folder_.path());
        sandbox_ = std::make_unique<sandbox::SandboxPlatform>(folder_.path());
    }

    platform::Platform& platform() { return sandbox_->platform(); }
    sandbox::SandboxPlatform& sandbox() { return *sandbox_; }
    const std::filesystem::path& folder() const { return folder_.path(); }
    std::filesystem::path hostPath(std::string_view windowsPath) const {
        return description_.hostPath(folder_.path(), windowsPath);
    }
    std::string journal() const;

private:
    TempFolder folder_;
    MiniMachine description_;
    std::unique_ptr<sandbox::SandboxPlatform> sandbox_;
};

inline std::string SandboxFixture::journal() const {
    std::ifstream in(folder_.path() / "journal.log");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace hastelyn::testing
