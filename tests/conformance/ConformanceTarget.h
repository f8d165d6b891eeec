#pragma once
// What the platform conformance suite needs from a backend. The suite (the *Test.cpp files of
// this folder) is written once and runs against every backend: each backend links one file
// that defines makeConformanceTarget (SandboxTarget.cpp natively, Win32Target.cpp in the
// Windows build).
//
// Life cycle: every test makes its own target through makeConformanceTarget() and destroys it
// at its end. Making the target prepares a clean state (an empty scratch folder, no scratch
// key); destroying it removes what the test left behind (the folder's files, read-only ones
// included, and the scratch key with everything below it). Making a target throws
// std::runtime_error when the backend cannot be prepared; the test then fails with its message.
//
// The cases expect a Japanese system: texts cross the platform interface as UTF-8, and profile
// files written by hand (writeFile) are Shift_JIS, as the system code page 932 keeps them.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace hastelyn::conformance {

class ConformanceTarget {
public:
    virtual ~ConformanceTarget() = default;

    // The backend under test. It stays valid as long as the target.
    virtual platform::Platform& platform() = 0;

    // A Windows path, without a trailing backslash, of an empty folder that exists and that the
    // suite may fill with files (profile files, attribute tests): "C:\Scratch".
    virtual std::string scratchFolder() = 0;

    // The bytes of a file, read directly (not through the platform); nothing when there is no
    // such file. path is a Windows path inside the scratch folder.
    virtual std::optional<std::string> readFile(std::string_view path) = 0;
    // Makes or replaces a file with exactly these bytes, directly (as another program would), so
    // that the suite can read hand-written profile files. Throws std::runtime_error on failure.
    virtual void writeFile(std::string_view path, std::string_view bytes) = 0;

    // A key below HKEY_CURRENT_USER that the suite may use freely, without leading or trailing
    // backslash: "Software\HastelynConformance". It does not exist when the test starts; its
    // parent exists.
    virtual std::string scratchKey() = 0;

    // The key name (not the display name) of a service that exists and is running.
    virtual std::string runningServiceName() = 0;
    // The key name of a service that exists and is stopped; empty when the backend has none to
    // offer (the check that needs one is then left out).
    virtual std::string stoppedServiceName() { return {}; }

    // Whether to skip a check this backend is known to get wrong (a Wine gap, a privilege the
    // test account lacks); when true, *reason says why and is shown with the skip. caseName is
    // "Suite.Test" for a whole test (asked before it starts) or "Suite.Test/part" for one named
    // part of it; `conformance_tests --gtest_list_tests` lists the tests, and the parts are
    // named where the suite asks (checks() in ConformanceFixture.h).
    virtual bool skips(std::string_view caseName, std::string* reason) {
        (void)caseName;
        (void)reason;
        return false;
    }
};

// One definition per backend.
std::unique_ptr<ConformanceTarget> makeConformanceTarget();

}  // namespace hastelyn::conformance
