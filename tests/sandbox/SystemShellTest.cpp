#include <gtest/gtest.h>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/SandboxShell.h"
#include "platform/sandbox/SandboxSystemInfo.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

// Claims "net" and fails it when told to; remembers what it saw.
class FakeNet : public CommandInterpreter {
public:
    std::optional<long> run(const CommandStart& start) override {
        if (start.program != "net" && start.program != "net.exe") return std::nullopt;
        seen.push_back(std::string(start.kind) + "|" + std::string(start.program) + "|" + std::string(start.arguments));
        return failWith;
    }
    void exitWindows(std::uint32_t flags) override { restarts.push_back(flags); }

    long failWith = 0;
    std::vector<std::string> seen;
    std::vector<std::uint32_t> restarts;
};

TEST(SystemInfoAndShell, TellTheMachinesFactsAndJapaneseErrorTextsAndRecordEveryStart) {
    testing::TempFolder temp;
    testing::MiniMachine m;
    m.edition("nt4");
    m.programPath = "D:\\Tools\\Hastelyn.exe";
    m.drive('D', "Fixed", "FAT32").driveFolder('D', "tools-drive");
    m.writeTo(temp.path());
    SandboxMachine machine(temp.path());
    SandboxSystemInfo info(machine);
    EXPECT_EQ(info.windowsDirectory(), "C:\\WINNT");
    EXPECT_EQ(info.programPath(), "D:\\Tools\\Hastelyn.exe");
    EXPECT_EQ(info.currentDirectory(), "D:\\Tools");

    EXPECT_EQ(info.errorText(2), "指定されたファイルが見つかりません。");
    EXPECT_EQ(info.errorText(4242), "エラー 4242");
    EXPECT_EQ(info.errorText(-1), "エラー -1");

    // The shell records every start and lets interpreters claim theirs.
    SandboxShell shell(machine);
    auto net = std::make_unique<FakeNet>();
    FakeNet& fake = *net;
    shell.addInterpreter(std::move(net));

    EXPECT_EQ(shell.winExec("net stop \"Security Center\"", platform::showcmd::Hide), 33u);
    EXPECT_EQ(shell.winExec("\"C:\\Program Files\\x.exe\"  /a b", platform::showcmd::Normal), 33u);
    fake.failWith = platform::win32error::FileNotFound;
    EXPECT_EQ(shell.winExec("  net start Schedule", platform::showcmd::Hide), 2u);
    fake.failWith = 1060;  // codes from 32 up cannot be told apart from success: 0
    EXPECT_EQ(shell.winExec("net start Nothing", platform::showcmd::Hide), 0u);
    fake.failWith = 0;
    EXPECT_EQ(shell.shellExecute("open", "http://example.com/", "", "", platform::showcmd::Normal), 42);
    EXPECT_EQ(shell.shellExecute("", "net.exe", "stop x", "C:\\", platform::showcmd::Hide), 42);
    EXPECT_TRUE(shell.enableShutdownPrivilege());
    EXPECT_TRUE(shell.exitWindows(platform::exitflag::Reboot));

    EXPECT_EQ(fake.seen, (std::vector<std::string>{"WinExec|net|stop \"Security Center\"", "WinExec|net|start Schedule",
                                                   "WinExec|net|start Nothing", "ShellExecute|net.exe|stop x"}));
    EXPECT_EQ(fake.restarts, std::vector<std::uint32_t>{platform::exitflag::Reboot});
    EXPECT_EQ(readWholeFile(machine.journalPath()),
              "WinExec\t0\tnet stop \"Security Center\"\n"
              "WinExec\t1\t\"C:\\Program Files\\x.exe\"  /a b\n"
              "WinExec\t0\t  net start Schedule\n"
              "WinExec\t0\tnet start Nothing\n"
              "ShellExecute\topen\thttp://example.com/\t\t\t1\n"
              "ShellExecute\t\tnet.exe\tstop x\tC:\\\t0\n"
              "ExitWindows\t2\n");

    EXPECT_EQ(splitCommandLine("\"C:\\a b\\c.exe\" -x"), (std::pair<std::string_view, std::string_view>{"C:\\a b\\c.exe", "-x"}));
    EXPECT_EQ(splitCommandLine("\"unclosed"), (std::pair<std::string_view, std::string_view>{"unclosed", ""}));
    EXPECT_EQ(splitCommandLine(""), (std::pair<std::string_view, std::string_view>{"", ""}));
}

}  // namespace
}  // namespace hastelyn::sandbox
