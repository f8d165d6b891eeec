// hastelyn-cli whose writes fail part-way: a file-size limit in the process (SIGXFSZ ignored, so
// a write past the limit fails with EFBIG instead of ending it), as on a full disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/cli/CliFixture.h"

namespace hastelyn {
namespace {

TEST_F(Cli, AWriteThatFailsPartWayEndsTheCommandAndChangesNothing) {
    const testing::ProgramResult before = run({"status"});
    ASSERT_EQ(before.exitCode, 0) << before.err;

    // dash counts the limit in blocks of 512 bytes: 2 KiB, less than any restore point.
    const testing::ProgramResult limited = testing::runProgram(
        "/bin/sh", {"-c", "ulimit -f 4 && trap '' XFSZ && exec \"$0\" \"$@\"", HASTELYN_CLI, "accelerate", "--tick-all",
                    "--yes"},
        environment());
    EXPECT_EQ(limited.exitCode, 1) << limited.out << limited.err;
    EXPECT_NE(limited.err.find("に書き込めませんでした。ディスクに十分な空き領域がありません。"), std::string::npos)
        << limited.err;
    const std::vector<std::string> said = lines(limited.out);
    EXPECT_EQ(std::count(said.begin(), said.end(), "changed"), 0) << limited.out;

    // Every row reads as before, and no restore point, whole or torn, is left.
    EXPECT_EQ(run({"status"}).out, before.out);
    sandbox::SandboxPlatform machine(folder_.path());
    std::vector<platform::FindData> points;
    EXPECT_EQ(machine.platform().files.findFiles("C:\\Program Files\\Hastelyn\\復元ポイント*", points).code(),
              platform::win32error::FileNotFound);
}

}  // namespace
}  // namespace hastelyn
