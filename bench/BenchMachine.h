#pragma once
// The default machine made once in a temporary folder for a benchmark run.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/sandbox/SandboxPlatform.h"
#include "tools/machine/MachineImages.h"

namespace hastelyn::bench {

// A setup step of a benchmark that must work: a failure ends the run with its error code.
inline void mustWork(long code, const char* what) {
    if (code != platform::win32error::Success) throw std::runtime_error(std::string(what) + ": error " + std::to_string(code));
}
inline void mustWork(platform::CallResult result, const char* what) { mustWork(result.code(), what); }

class BenchMachine {
public:
    BenchMachine() {
        std::string pattern = (std::filesystem::temp_directory_path() / "hastelyn-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
        folder_ = pattern;
        const std::string problem = images::buildMachine(images::kDefaultImage, folder_);
        if (!problem.empty()) throw std::runtime_error(problem);
        sandbox_ = std::make_unique<sandbox::SandboxPlatform>(folder_);
    }
    ~BenchMachine() {
        sandbox_.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    platform::Platform& platform() { return sandbox_->platform(); }
    sandbox::SandboxPlatform& sandbox() { return *sandbox_; }
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<sandbox::SandboxPlatform> sandbox_;
};

// One machine for the whole run.
inline BenchMachine& defaultMachine() {
    static BenchMachine instance;
    return instance;
}

}  // namespace hastelyn::bench
