#pragma once
// A test machine: a MiniMachine written to a temporary folder and opened as a sandbox, which the
// fixture is (fx.platform(), fx.services(), ...). The folder goes with it.
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::testing {

namespace detail {
struct WrittenMachine {
    explicit WrittenMachine(const MiniMachine& m) : description(m) { m.writeTo(temp.path()); }
    TempFolder temp;
    MiniMachine description;
};
}  // namespace detail

class SandboxFixture : private detail::WrittenMachine, public sandbox::SandboxPlatform {
public:
    explicit SandboxFixture(const MiniMachine& description)
        : WrittenMachine(description), SandboxPlatform(temp.path()) {}

    sandbox::SandboxPlatform& sandbox() { return *this; }
    const std::filesystem::path& folder() const { return temp.path(); }
    std::filesystem::path hostPath(std::string_view windowsPath) const {
        return description.hostPath(temp.path(), windowsPath);
    }
    std::string journal() const { return fileText(temp.path() / "journal.log"); }
};

}  // namespace hastelyn::testing
