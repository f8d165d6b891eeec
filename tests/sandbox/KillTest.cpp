// A process killed in the middle of its writes leaves every file it was writing whole: the old
// content or the new, never a mix.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdlib>
#include <random>
#include <string>

#include "platform/Win32Types.h"
#include "platform/sandbox/ProfileDocument.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/SandboxProfiles.h"
#include "platform/sandbox/registry/SandboxRegistry.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/RegistryCalls.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
using platform::KeyHandle;
using platform::RootKey;
namespace regtype = platform::regtype;

constexpr int kKeys = 100;
constexpr std::string_view kFile = "C:\\Data\\state.ini";
constexpr std::string_view kRegistryKey = "Software\\Hastelyn\\KillTest";

std::string number(int i) {
    std::string s = std::to_string(i);
    return std::string(3 - s.size(), '0') + s;
}

std::string keyName(int i) { return "Key" + number(i); }
std::string baseValue(int i) { return "value-" + number(i); }

bool isValueOf(int i, std::string_view value) {
    return value == baseValue(i) || value == baseValue(i) + "-a" || value == baseValue(i) + "-b";
}

// Writes without end: the counter and one of the other keys, in the profile file and in the
// registry, each change saved as it happens. After every round of writes one byte goes to
// progress (never waiting for the reader).
[[noreturn]] void writeForever(const fs::path& machineFolder, int progress) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    SandboxMachine machine(machineFolder);
    SandboxProfiles profiles(machine);
    SandboxRegistry registry(machineFolder / "registry", false);
    int counter = std::atoi(profiles.getString(kFile, "Data", "Counter", "0", 64).c_str());
    KeyHandle key;
    if (registry.createKey(RootKey::CurrentUser, kRegistryKey, key) != platform::win32error::Success) std::_Exit(3);
    while (true) {
        ++counter;
        const int i = counter % kKeys;
        const std::string value = baseValue(i) + (counter % 2 == 0 ? "-a" : "-b");
        if (!profiles.writeString(kFile, "Data", "Counter", std::to_string(counter)).ok()) std::_Exit(4);
        if (!profiles.writeString(kFile, "Data", keyName(i), value).ok()) std::_Exit(5);
        const auto dword = testing::le32(static_cast<std::uint32_t>(counter));
        EXPECT_EQ(testing::set(registry, key, "Counter", regtype::Dword, dword), platform::win32error::Success);
        EXPECT_EQ(testing::set(registry, key, keyName(i), regtype::Sz, testing::sz(value)), platform::win32error::Success);
        const char done = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(progress, &done, 1);
    }
}

// The counter the profile file holds after checking that the file is whole.
int checkProfile(const fs::path& file) {
    const auto bytes = readWholeFile(file);
    EXPECT_TRUE(bytes);
    if (!bytes) return -1;
    EXPECT_TRUE(bytes->starts_with("[Data]\r\n"));
    EXPECT_TRUE(bytes->ends_with("\r\n"));
    const ProfileDocument doc = ProfileDocument::parse(*bytes);
    EXPECT_EQ(doc.keyNames("Data").size(), static_cast<std::size_t>(kKeys + 1));
    for (int i = 0; i < kKeys; ++i) {
        const auto value = doc.value("Data", keyName(i));
        EXPECT_TRUE(value && isValueOf(i, *value)) << keyName(i) << "=" << value.value_or("<missing>");
    }
    const auto counter = doc.value("Data", "Counter");
    EXPECT_TRUE(counter && !counter->empty() && counter->find_first_not_of("0123456789") == std::string_view::npos)
        << counter.value_or("<missing>");
    return counter ? std::atoi(std::string(*counter).c_str()) : -1;
}

// The counter the registry holds after checking that its values are whole.
std::uint32_t checkRegistry(const fs::path& machineFolder) {
    SandboxRegistry registry(machineFolder / "registry", false);
    KeyHandle key;
    EXPECT_EQ(registry.openKey(RootKey::CurrentUser, kRegistryKey, platform::KeyAccess::Query, key),
              platform::win32error::Success);
    const std::optional<testing::RegValue> counter = testing::query(registry, key, "Counter");
    EXPECT_TRUE(counter && counter->first == regtype::Dword && counter->second.size() == 4);
    for (int i = 0; i < kKeys; ++i) {
        const std::optional<testing::RegValue> value = testing::query(registry, key, keyName(i));
        const std::string_view text = value ? std::string_view(value->second).substr(0, value->second.size() - 1) : "";
        EXPECT_TRUE(value && value->first == regtype::Sz && isValueOf(i, text)) << keyName(i) << "=" << text;
    }
    EXPECT_EQ(registry.closeKey(key), platform::win32error::Success);
    return counter ? testing::u32At(counter->second, 0) : 0;
}

TEST(KillTest, WritesKilledAtAnyMomentLeaveWholeFiles) {
    testing::TempFolder temp;
    testing::MiniMachine m;
    std::string ini = "[Data]\r\n";
    std::string hive = "[HKEY_CURRENT_USER\\" + std::string(kRegistryKey) + "]\r\n\"Counter\"=dword:00000000\r\n";
    for (int i = 0; i < kKeys; ++i) {
        ini += keyName(i) + "=" + baseValue(i) + "\r\n";
        hive += "\"" + keyName(i) + "\"=\"" + baseValue(i) + "\"\r\n";
    }
    ini += "Counter=0\r\n";
    m.file(std::string(kFile), ini);
    m.hive(RootKey::CurrentUser, hive);
    m.writeTo(temp.path());
    const fs::path file = m.hostPath(temp.path(), kFile);

    // Each writer is killed after a random number of rounds it reported, wherever it then is:
    // the kill never depends on how fast this machine is.
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> rounds(1, 12);
    int lastCounter = 0;
    std::uint32_t lastRegistryCounter = 0;
    for (int round = 0; round < 12; ++round) {
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(progress[0]);
            ::fcntl(progress[1], F_SETFL, O_NONBLOCK);
            writeForever(temp.path(), progress[1]);
        }
        ::close(progress[1]);
        const int wanted = rounds(random);
        int reported = 0;
        char bytes[16];
        while (reported < wanted) {
            const ssize_t n = ::read(progress[0], bytes, sizeof bytes);
            if (n <= 0) break;  // the writer ended
            reported += static_cast<int>(n);
        }
        ::kill(child, SIGKILL);
        ::close(progress[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself with " << WEXITSTATUS(status);
        ASSERT_GE(reported, 1);

        const int counter = checkProfile(file);
        EXPECT_GE(counter, lastCounter) << "round " << round;
        lastCounter = counter;
        const std::uint32_t registryCounter = checkRegistry(temp.path());
        EXPECT_GE(registryCounter, lastRegistryCounter) << "round " << round;
        lastRegistryCounter = registryCounter;
        if (HasFailure()) break;
    }
    EXPECT_GT(lastCounter, 0) << "the writer never got to write";
    EXPECT_GT(lastRegistryCounter, 0u) << "the writer never got to write";
}

}  // namespace
}  // namespace hastelyn::sandbox
