#include <gtest/gtest.h>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

TEST(SandboxPlatform, ServesEveryPartFromOneMachineFolder) {
    testing::TempFolder temp;
    testing::MiniMachine m;
    m.restrictedAccount()
        .file("C:\\WINDOWS\\win.ini", "[windows]\r\nrun=x.exe\r\n")
        .hive(platform::RootKey::LocalMachine, {"[HKEY_LOCAL_MACHINE\\Software\\Test]", "\"Name\"=\"value\""});
    m.writeTo(temp.path());

    SandboxPlatform sandbox(temp.path());
    platform::Platform& p = sandbox.platform();
    EXPECT_EQ(p.profiles.getString("win.ini", "windows", "run", "", 260), "x.exe");
    EXPECT_EQ(p.files.getFileAttributes("C:\\WINDOWS\\WIN.INI"), platform::fileattr::Normal);
    EXPECT_EQ(p.system.windowsDirectory(), "C:\\WINDOWS");
    EXPECT_EQ(p.shell.winExec("notepad", platform::showcmd::Normal), 33u);

    // The registry lives in registry/ and knows the account is restricted.
    platform::KeyHandle key;
    EXPECT_EQ(p.registry.openKey(platform::RootKey::LocalMachine, "Software\\Test", platform::KeyAccess::Query, key),
              platform::win32error::Success);
    char data[16] = {};
    std::uint32_t size = sizeof(data);
    EXPECT_EQ(p.registry.queryValue(key, "Name", nullptr, reinterpret_cast<std::uint8_t*>(data), &size),
              platform::win32error::Success);
    EXPECT_STREQ(data, "value");
    p.registry.closeKey(key);
    EXPECT_EQ(p.registry.openKey(platform::RootKey::LocalMachine, "Software\\Test", platform::KeyAccess::Full, key),
              platform::win32error::AccessDenied);

    // A profile write failure and the file functions share one last error.
    EXPECT_FALSE(p.profiles.writeString("Q:\\x.ini", "a", std::string_view("b"), std::string_view("c")));
    EXPECT_EQ(p.files.lastError(), platform::win32error::PathNotFound);
}

TEST(SandboxPlatform, FolderWithoutMachineIsRefusedByName) {
    testing::TempFolder temp;
    try {
        SandboxPlatform sandbox(temp.path() / "nowhere");
        FAIL() << "no machine, yet a platform";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find((temp.path() / "nowhere").string()), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace hastelyn::sandbox
