#include <gtest/gtest.h>

#include "foundation/SystemTools.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::foundation {
namespace {

using testing::MiniMachine;
using testing::SandboxFixture;

TEST(SystemTools, CountFolderEntriesCountsHiddenEntriesAndSubfolders) {
    MiniMachine m;
    m.file("D:\\data\\a.txt", "a")
        .file("D:\\data\\hidden.sys", "h", platform::fileattr::Hidden | platform::fileattr::System)
        .file("D:\\data\\sub\\b.txt", "b")
        .file("D:\\data\\sub\\deeper\\c.txt", "c")
        .folder("D:\\data\\empty", platform::fileattr::Hidden);
    MiniMachine::Drive d;
    d.letter = 'D';
    d.label = "DATA";
    m.drive(d);
    SandboxFixture fx(m);
    platform::FileSystem& files = fx.platform().files;
    // a.txt, hidden.sys, sub, sub\b.txt, sub\deeper, sub\deeper\c.txt, empty
    EXPECT_EQ(CountFolderEntries(files, "D:\\data"), 7);
    EXPECT_EQ(CountFolderEntries(files, "D:"), 8);
}

TEST(SystemTools, RegistryToolsAndTheRestartAreStartedAsEachEditionDoes) {
    SandboxFixture fx(MiniMachine{});
    const std::string file = "C:\\Program Files\\Hastelyn\\OE メールルールのバックアップ.hiv";
    const std::string key = "\\Identities\\{1}\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";
    ExportRegKey(fx.platform(), {"NT", "XP"}, "HKCU", key, file);
    ImportRegKey(fx.platform(), {"NT", "XP"}, "HKCU", key, file);
    ExportRegKey(fx.platform(), {"NT", "2k"}, "HKEY_CURRENT_USER", key, file);
    ImportRegKey(fx.platform(), {"9x", "98"}, "HKEY_CURRENT_USER", key, file);
    RestartWindows(fx.platform());
    const std::string expected =
        "ShellExecute\topen\treg\tsave \"HKCU" + key + "\" \"" + file + "\"\t\t0\n"
        "ShellExecute\topen\treg\trestore \"HKCU" + key + "\" \"" + file + "\"\t\t0\n"
        "ShellExecute\tOpen\tRegedit.exe\t/E \"" + file + "\" \"HKEY_CURRENT_USER" + key + "\"\t\t0\n"
        "ShellExecute\tOpen\tRegedit.exe\t/s \"" + file + "\"\t\t0\n"
        "ExitWindows\t2\n";
    EXPECT_EQ(fx.journal(), expected);
}

}  // namespace
}  // namespace hastelyn::foundation
