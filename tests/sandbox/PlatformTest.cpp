#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/RegistryCalls.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

// Two programs on one machine take turns at the files the sandbox rewrites most (a hive,
// services.ini, a profile file), as fast as they can and with changes of the same length: each
// sees the other's change as soon as the call that made it has returned. When both are done,
// no temporary file is left.
TEST(SandboxPlatform, TwoProgramsOnOneMachineSeeEachOthersChangesAtOnce) {
    testing::TempFolder temp;
    testing::MiniMachine m;
    m.service("Svc", "Service A", 3).file("C:\\Data\\app.ini", "[S]\r\nk=0\r\n");
    m.writeTo(temp.path());
    {
        SandboxPlatform first(temp.path());
        SandboxPlatform second(temp.path());
        for (int i = 0; i < 40; ++i) {
            platform::Platform& one = (i % 2 == 0 ? first : second).platform();
            platform::Platform& other = (i % 2 == 0 ? second : first).platform();
            // One renames the service; the other's net command knows it by the new name at once,
            // and the first sees the state that command left.
            const std::string name = i % 2 == 0 ? "Service B" : "Service A";
            platform::KeyHandle key;
            ASSERT_EQ(one.registry.openKey(platform::RootKey::LocalMachine, "SYSTEM\\CurrentControlSet\\Services\\Svc",
                                           platform::KeyAccess::Full, key),
                      platform::win32error::Success);
            ASSERT_EQ(testing::set(one.registry, key, "DisplayName", platform::regtype::Sz, testing::sz(name)),
                      platform::win32error::Success);
            EXPECT_EQ(one.registry.closeKey(key), platform::win32error::Success);
            other.shell.winExec((i % 2 == 0 ? "net start \"" : "net stop \"") + name + "\"", platform::showcmd::Hide);
            platform::ObjectHandle manager, service;
            std::uint32_t state = 0;
            ASSERT_EQ(one.services.openManager(manager), platform::win32error::Success);
            ASSERT_EQ(one.services.openService(manager, "svc", service), platform::win32error::Success);
            EXPECT_TRUE(one.services.queryStatus(service, state).ok());
            EXPECT_EQ(state, i % 2 == 0 ? platform::servicestate::Running : platform::servicestate::Stopped)
                << "round " << i;
            EXPECT_TRUE(one.services.closeServiceHandle(service).ok());
            EXPECT_TRUE(one.services.closeServiceHandle(manager).ok());

            const std::string value = std::to_string(i % 10);
            ASSERT_TRUE(one.profiles.writeString("C:\\Data\\app.ini", "S", std::string_view("k"), value).ok());
            EXPECT_EQ(other.profiles.getString("C:\\Data\\app.ini", "S", "k", "", 16), value) << "round " << i;
        }
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.path()))
        EXPECT_FALSE(isAtomicTempName(entry.path().filename().string())) << "left behind: " << entry.path();
}

}  // namespace
}  // namespace hastelyn::sandbox
