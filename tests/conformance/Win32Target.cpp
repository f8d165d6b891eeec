// The conformance suite's target on Windows (Wine in the cross build): the Win32 backend on the
// system itself, with a scratch folder under the temporary folder and a scratch key below
// HKEY_CURRENT_USER\Software, both made for each test and removed after it. The names carry the
// process id, so that tests running side by side in one Wine prefix do not meet.
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Win32Types.h"
#include "platform/win32/Win32Platform.h"
#include "tests/conformance/ConformanceTarget.h"
#include "tests/win32/Win32TestSupport.h"

namespace hastelyn::conformance {
namespace {

enum class When { UnderWine, ReadOnlyFilesWritable };

struct Skip {
    std::string_view caseName;
    When when;
    std::string_view reason;
};

constexpr Skip kSkips[] = {
    {"RegistryCalls.SubkeysEnumerateInTheNtRegistryOrder/UnderscoreAfterLetters", When::UnderWine,
     "Wine lists subkeys in the order of their lower-case names, so \"_x\" comes before \"a\""},
    {"FileCalls.TheReadOnlyAttributeProtectsAFileUntilCleared/Hidden", When::UnderWine,
     "Wine's CopyFile replaces a hidden file; Windows refuses with ERROR_ACCESS_DENIED"},
    {"FileCalls.TheReadOnlyAttributeProtectsAFileUntilCleared/ReadOnlyEnforced", When::ReadOnlyFilesWritable,
     "Wine run by root lets read-only files be written and replaced (it enforces the attribute through the "
     "file's Unix permissions, which do not bind root)"},
    {"ProfileCalls.AReadOnlyFileRefusesWritesUntilTheAttributeGoes/ReadOnlyEnforced", When::ReadOnlyFilesWritable,
     "Wine run by root lets read-only files be written (it enforces the attribute through the file's Unix "
     "permissions, which do not bind root)"},
    {"MeterCalls.ProcessorTimeComesAsPerformanceDataObject238/Processor", When::UnderWine,
     "Wine's HKEY_PERFORMANCE_DATA serves no object of its own: asked for \"238\" it gives a data block "
     "without objects"},
};

// Whether this system lets a file with the read-only attribute be opened for writing.
bool readOnlyFilesWritable() {
    static const bool writable = [] {
        const win32test::ScratchFolder folder("HastelynReadOnlyProbe");
        const std::string path = folder.path() + "\\probe.txt";
        win32test::writeFileBytes(path, "x");
        win32::Win32Platform probe;
        // A probe: an attribute that did not change shows in the write that follows.
        (void)probe.platform().files.setFileAttributes(path, platform::fileattr::ReadOnly);
        const bool result = win32test::writeFileBytes(path, "y");
        (void)probe.platform().files.setFileAttributes(path, platform::fileattr::Normal);
        return result;
    }();
    return writable;
}

class Win32Target final : public ConformanceTarget {
public:
    Win32Target() : folder_("HastelynConformance"), key_("HastelynConformance") {}

    platform::Platform& platform() override { return windows_.platform(); }
    std::string scratchFolder() override { return folder_.path(); }
    std::string scratchKey() override { return key_.path(); }
    // The remote procedure call service runs on every Windows system and in every Wine prefix;
    // the installer service is started only while something installs.
    std::string runningServiceName() override { return "RpcSs"; }
    std::string stoppedServiceName() override { return "MSIServer"; }

    std::optional<std::string> readFile(std::string_view path) override { return win32test::readFileBytes(path); }
    void writeFile(std::string_view path, std::string_view bytes) override {
        if (!win32test::writeFileBytes(path, bytes)) throw std::runtime_error("cannot write " + std::string(path));
    }

    bool skips(std::string_view caseName, std::string* reason) override {
        for (const Skip& skip : kSkips) {
            if (caseName != skip.caseName || (skip.when == When::UnderWine && !win32test::runningUnderWine()) ||
                (skip.when == When::ReadOnlyFilesWritable && !readOnlyFilesWritable()))
                continue;
            *reason = skip.reason;
            return true;
        }
        return false;
    }

private:
    win32test::ScratchFolder folder_;
    win32test::ScratchKey key_;
    win32::Win32Platform windows_;
};

}  // namespace

std::unique_ptr<ConformanceTarget> makeConformanceTarget() { return std::make_unique<Win32Target>(); }

}  // namespace hastelyn::conformance
