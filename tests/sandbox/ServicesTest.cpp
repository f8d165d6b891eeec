// Services of the sandbox machine: their states through the service control manager, "net start"
// and "net stop", and what a restart does to them.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxCommands.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/RegistryCalls.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;
using platform::servicestate::Running;
using platform::servicestate::Stopped;

// The state of a service as the program asks for it, or the error of the open that failed (as
// a negative number). Every handle is closed again.
long status(platform::Platform& p, std::string_view name) {
    platform::ObjectHandle manager;
    if (const long error = p.services.openManager(manager); error != win32error::Success) return -error;
    platform::ObjectHandle service;
    const long error = p.services.openService(manager, name, service);
    std::uint32_t state = 0;
    const bool queried = error == win32error::Success && p.services.queryStatus(service, state).ok();
    if (service) {
        EXPECT_TRUE(p.services.closeServiceHandle(service).ok());
    }
    EXPECT_TRUE(p.services.closeServiceHandle(manager).ok());
    return error != win32error::Success ? -error : queried ? static_cast<long>(state) : 0;
}

void setServiceValue(platform::Platform& p, std::string_view service, std::string_view name, std::uint32_t type,
                     const std::string& data) {
    platform::KeyHandle key;
    ASSERT_EQ(p.registry.createKey(platform::RootKey::LocalMachine,
                                   "SYSTEM\\CurrentControlSet\\Services\\" + std::string(service), key),
              win32error::Success);
    EXPECT_EQ(testing::set(p.registry, key, name, type, data), win32error::Success);
    EXPECT_EQ(p.registry.closeKey(key), platform::win32error::Success);
}

void setStart(platform::Platform& p, std::string_view service, std::uint32_t start) {
    setServiceValue(p, service, "Start", platform::regtype::Dword, testing::le32(start));
}

void net(platform::Platform& p, const std::string& arguments) {
    EXPECT_EQ(p.shell.winExec("net " + arguments, platform::showcmd::Hide), 33u) << "net starts whatever it does";
}

testing::MiniMachine servicesMachine() {
    testing::MiniMachine m;
    m.service("Alpha", "Beta", 3)  // its display name is another service's key name
        .service("Beta", "Automatic One", 2)
        .service("Boot", "Boot Driver", 0, "")
        .service("Manual", "Security Center", 3)
        .service("NoStart", "No Start Value", std::nullopt)
        .service("Off", "Disabled One", 4)
        .service("Quoted", "Say \"Hi\" Service", 3)
        .service("Twin", "Security Center", 2);  // the same display name as Manual
    return m;
}

TEST(Services, StateComesFromTheStartTypeAtBootAndNetChangesIt) {
    testing::SandboxFixture sandbox{servicesMachine()};
    platform::Platform& p = sandbox.platform();

    const std::pair<const char*, long> atBoot[] = {
        {"Beta", Running}, {"Boot", Running}, {"Manual", Stopped},
        {"NoStart", Stopped}, {"Off", Stopped}, {"Twin", Running},
        {"Services\\Beta", -win32error::InvalidName}, {"", -win32error::InvalidName},
    };
    for (const auto& [name, expected] : atBoot) EXPECT_EQ(status(p, name), expected) << name;

    // A new start type alone starts or stops nothing before the next restart.
    setStart(p, "Beta", 4);
    EXPECT_EQ(status(p, "Beta"), Running);

    net(p, "stop \"Automatic One\"");
    EXPECT_EQ(status(p, "Beta"), Stopped);
    net(p, "stop \"Automatic One\"");
    net(p, "start \"Automatic One\"");  // disabled now
    net(p, "STOP \"Beta\"");            // the display name of Alpha, which is stopped
    net(p, "start Beta");
    EXPECT_EQ(status(p, "Alpha"), Running);
    net(p, "stop \"security center\"");  // Manual, the first of two in registry order
    net(p, "start \"Say \"Hi\" Service\"");
    net(p, "start Say \"Hi\" Service");
    net(p, "start NoStart");
    net(p, "stop Twin /y");
    net(p, "start \"No Such Service\"");
    net(p, "use x: \\\\server\\share");  // net's other work is no service change
    EXPECT_EQ(status(p, "Quoted"), Running);
    EXPECT_EQ(status(p, "Manual"), Stopped);
    EXPECT_EQ(status(p, "Twin"), Stopped);
    EXPECT_EQ(status(p, "NoStart"), Running);

    EXPECT_EQ(testing::journalLines(sandbox.folder(), "Net"), (std::vector<std::string>{
                                         "Net\tstop\tAutomatic One\t0",
                                         "Net\tstop\tAutomatic One\t3521",
                                         "Net\tstart\tAutomatic One\t1058",
                                         "Net\tstop\tBeta\t3521",
                                         "Net\tstart\tBeta\t0",
                                         "Net\tstop\tsecurity center\t3521",
                                         "Net\tstart\tSay \"Hi\" Service\t0",
                                         "Net\tstart\tSay \"Hi\" Service\t2182",
                                         "Net\tstart\tNoStart\t0",
                                         "Net\tstop\tTwin\t0",
                                         "Net\tstart\tNo Such Service\t2185",
                                     }));
    EXPECT_EQ(readWholeFile(sandbox.folder() / "services.ini"),
              "[State]\r\nAlpha=4\r\nBeta=1\r\nBoot=4\r\nManual=1\r\nNoStart=4\r\nOff=1\r\nQuoted=4\r\nTwin=1\r\n");
    EXPECT_EQ(sandbox.services().openHandleCount(), 0u);

    // The other ways of starting a program reach net as well.
    platform::ObjectHandle process;
    EXPECT_EQ(p.shell.createProcess("C:\\WINDOWS\\system32\\NET.EXE start \"Automatic One\"", process), win32error::Success);
    EXPECT_TRUE(p.shell.closeProcess(process));
    EXPECT_EQ(p.shell.shellExecute("open", "net", "start Manual", "", platform::showcmd::Hide), 42);
    EXPECT_EQ(testing::journalLines(sandbox.folder(), "Net").back(), "Net\tstart\tManual\t0");

    // A display name changed after the last command counts at once, here and in another process.
    setServiceValue(p, "Alpha", "DisplayName", platform::regtype::Sz, std::string("Renamed Alpha", 14));
    net(p, "stop Beta");  // no display name now: the key Beta, which is stopped
    net(p, "stop \"Renamed Alpha\"");
    SandboxPlatform other(sandbox.folder());
    setServiceValue(other.platform(), "Quoted", "DisplayName", platform::regtype::Sz, "Other Name");
    net(p, "stop \"Other Name\"");
    const std::vector<std::string> lines = testing::journalLines(sandbox.folder(), "Net");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"Net\tstop\tBeta\t3521", "Net\tstop\tRenamed Alpha\t0", "Net\tstop\tOther Name\t0"}));
}

TEST(Services, StatesAreSharedAndARestartAppliesTheStartTypes) {
    testing::SandboxFixture first{servicesMachine()};
    SandboxPlatform second(first.folder());
    platform::ObjectHandle manager;
    platform::ObjectHandle service;
    ASSERT_EQ(second.platform().services.openManager(manager), win32error::Success);
    ASSERT_EQ(second.platform().services.openService(manager, "Beta", service), win32error::Success);

    net(first.platform(), "stop \"Automatic One\"");
    net(first.platform(), "start Manual");
    std::uint32_t state = 0;
    ASSERT_TRUE(second.platform().services.queryStatus(service, state).ok());
    EXPECT_EQ(state, Stopped) << "an open handle sees the change of another process";

    // Shutting down or logging off keeps the states; a restart applies the start types anew.
    first.platform().shell.exitWindows(platform::exitflag::Shutdown);
    EXPECT_EQ(status(second.platform(), "Manual"), Running);
    setStart(first.platform(), "Off", 2);
    first.platform().shell.exitWindows(platform::exitflag::Reboot);
    ASSERT_TRUE(second.platform().services.queryStatus(service, state).ok());
    EXPECT_EQ(state, Running);
    EXPECT_EQ(status(second.platform(), "Manual"), Stopped);
    EXPECT_EQ(status(second.platform(), "Off"), Running);

    // A file rewritten in place to the same size within the clock's tick keeps its stamp (the
    // same inode, size and time, the time here set ahead so that it is surely recent): it is read
    // again all the same.
    const std::filesystem::path states = first.folder() / "services.ini";
    std::string text = readWholeFile(states).value_or("");
    const std::size_t manual = text.find("Manual=1");
    ASSERT_NE(manual, std::string::npos) << text;
    const auto stamped = std::filesystem::last_write_time(states) + std::chrono::seconds(10);
    std::filesystem::last_write_time(states, stamped);
    EXPECT_EQ(status(second.platform(), "Manual"), Stopped);
    text[manual + 7] = '4';
    std::ofstream(states, std::ios::binary | std::ios::in | std::ios::out) << text;
    std::filesystem::last_write_time(states, stamped);
    EXPECT_EQ(status(second.platform(), "Manual"), Running);
    EXPECT_TRUE(second.platform().services.closeServiceHandle(service).ok());
    EXPECT_TRUE(second.platform().services.closeServiceHandle(manager).ok());
    EXPECT_EQ(second.services().openHandleCount(), 0u);
}

TEST(Services, ManagerRefusesRestrictedAccounts9xAndWrongHandles) {
    testing::SandboxFixture restricted{servicesMachine().restrictedAccount()};
    platform::ObjectHandle manager{99};
    EXPECT_EQ(restricted.platform().services.openManager(manager), win32error::AccessDenied);
    EXPECT_FALSE(manager);
    net(restricted.platform(), "stop Beta");
    EXPECT_EQ(testing::journalLines(restricted.folder(), "Net"), std::vector<std::string>{"Net\tstop\tBeta\t5"});
    EXPECT_EQ(restricted.services().state("Beta"), Running);

    testing::SandboxFixture old{servicesMachine().edition("98")};
    EXPECT_EQ(status(old.platform(), "Beta"), -serviceerror::CallNotImplemented);
    EXPECT_FALSE(std::filesystem::exists(old.folder() / "services.ini"));

    testing::SandboxFixture sandbox{servicesMachine()};
    platform::ServiceManager& services = sandbox.platform().services;
    platform::ObjectHandle service;
    std::uint32_t state = 0;
    EXPECT_EQ(services.openService({12345}, "Beta", service), win32error::InvalidHandle);
    ASSERT_EQ(services.openManager(manager), win32error::Success);
    ASSERT_EQ(services.openService(manager, "Beta", service), win32error::Success);
    platform::ObjectHandle nested;
    EXPECT_EQ(services.openService(service, "Beta", nested), win32error::InvalidHandle) << "not a manager";
    EXPECT_FALSE(services.queryStatus(manager, state).ok());
    EXPECT_TRUE(services.closeServiceHandle(service).ok());
    EXPECT_FALSE(services.closeServiceHandle(service).ok());
    EXPECT_FALSE(services.queryStatus(service, state).ok());
    EXPECT_TRUE(services.closeServiceHandle(manager).ok());
    EXPECT_EQ(sandbox.services().openHandleCount(), 0u);
}

}  // namespace
}  // namespace hastelyn::sandbox
