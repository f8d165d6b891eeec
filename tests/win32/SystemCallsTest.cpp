// Files, windows, mutexes, processes and system facts through the Win32 backend: Japanese names
// on the way in and out, and the Windows results the layers above test for.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win32/Win32TestSupport.h"

namespace hastelyn::win32test {
namespace {

namespace err = platform::win32error;
namespace fileattr = platform::fileattr;

constexpr std::uint32_t kWaitTimeout = 258;

class Win32Calls : public ::testing::Test {
protected:
    platform::Platform& p() { return windows_.platform(); }
    win32::Win32Platform windows_;
};

TEST_F(Win32Calls, FilesWithJapaneseNamesAreListedAndFailuresKeepTheirError) {
    const ScratchFolder folder("HastelynWin32 ファイル");
    ASSERT_TRUE(writeFileBytes(folder.path() + "\\復元ポイント 1.ini", "12345"));
    ASSERT_TRUE(writeFileBytes(folder.path() + "\\other.txt", ""));
    std::vector<platform::FindData> found;
    ASSERT_TRUE(p().files.findFiles(folder.path() + "\\復元*.ini", found).ok());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "復元ポイント 1.ini");
    EXPECT_EQ(found[0].size, 5u);
    EXPECT_EQ(found[0].attributes & fileattr::Directory, 0u);
    ASSERT_TRUE(p().files.copyFile(folder.path() + "\\復元ポイント 1.ini", folder.path() + "\\写し.ini", true).ok());
    EXPECT_EQ(readFileBytes(folder.path() + "\\写し.ini"), "12345");

    EXPECT_EQ(p().files.getFileAttributes(folder.path() + "\\無い\\x.ini"), fileattr::Invalid);
    EXPECT_NE(p().files.getFileAttributes(folder.path()), fileattr::Invalid);
    EXPECT_EQ(p().files.findFiles(folder.path() + "\\*.none", found).code(), err::FileNotFound);

}

TEST_F(Win32Calls, OwnWindowsAreFoundByClassAndTitleAndKeepTheirMessages) {
    platform::WindowSystem& windows = p().windows;
    const std::string title = "高速化テスト " + std::to_string(GetCurrentProcessId());
    const platform::WindowHandle window = windows.createWindow("HastelynTestWindow", title);
    ASSERT_TRUE(window);
    EXPECT_EQ(windows.findWindow("hastelyntestwindow", title), window) << "class names in any case";
    EXPECT_EQ(windows.findWindow("", title), window);
    EXPECT_FALSE(windows.findWindow("HastelynTestWindow", title + "x"));

    EXPECT_TRUE(windows.postMessage(window, platform::wm::Close, 0, 0));
    EXPECT_TRUE(windows.postMessage(window, 0x0400 + 7, 3, -4));
    EXPECT_EQ(windows.sendMessage(window, platform::wm::Activate, 1, 0), 0);
    const std::vector<platform::WindowMessage> messages = windows.takeMessages();
    std::string seen;
    for (const platform::WindowMessage& m : messages) seen += " " + std::to_string(m.message);
    ASSERT_EQ(messages.size(), 3u) << seen;
    EXPECT_EQ(messages[0].message, platform::wm::Activate) << "sent at once, before the posted ones are taken";
    EXPECT_EQ(messages[1].message, platform::wm::Close);
    EXPECT_EQ(messages[2].message, 0x0400u + 7);
    EXPECT_EQ(messages[2].wParam, 3u);
    EXPECT_EQ(messages[2].lParam, -4);
    EXPECT_EQ(windows.findWindow("", title), window) << "WM_CLOSE is the program's to act on";
    EXPECT_TRUE(windows.takeMessages().empty());

    EXPECT_FALSE(windows.destroyWindow(platform::WindowHandle{window.value + 2}));
    EXPECT_TRUE(windows.destroyWindow(window));
    EXPECT_FALSE(windows.findWindow("", title));
}

TEST_F(Win32Calls, MutexesAreSharedByNameUntilTheLastHandleCloses) {
    platform::WindowSystem& windows = p().windows;
    const std::string name = "Hastelyn 単一起動 " + std::to_string(GetCurrentProcessId());
    platform::ObjectHandle missing;
    EXPECT_EQ(windows.openMutex(name, missing), err::FileNotFound);
    EXPECT_FALSE(missing);

    platform::ObjectHandle first, second, opened;
    ASSERT_EQ(windows.createMutex(name, first), err::Success);
    EXPECT_EQ(windows.createMutex(name, second), err::AlreadyExists);
    EXPECT_TRUE(second) << "AlreadyExists comes with a handle";
    ASSERT_EQ(windows.openMutex(name, opened), err::Success);
    // Owned through any handle, as often as waited for.
    EXPECT_EQ(windows.waitForMutex(first), err::Success);
    EXPECT_EQ(windows.waitForMutex(opened), err::Success);
    EXPECT_TRUE(windows.releaseMutex(second));
    EXPECT_TRUE(windows.releaseMutex(first));
    EXPECT_FALSE(windows.releaseMutex(first)) << "no longer owned";
    for (const platform::ObjectHandle h : {first, second, opened}) EXPECT_TRUE(windows.closeHandle(h));
    EXPECT_EQ(windows.openMutex(name, missing), err::FileNotFound);
}

TEST_F(Win32Calls, ProgramsStartAndEndWithWindowsResults) {
    platform::Shell& shell = p().shell;
    platform::ObjectHandle process;
    ASSERT_EQ(shell.createProcess("cmd.exe /c exit 3", process), err::Success);
    ASSERT_TRUE(process);
    EXPECT_EQ(shell.waitForSingleObject(process, 60000), 0u);
    EXPECT_NE(shell.waitForSingleObject(process, 0), kWaitTimeout);
    EXPECT_TRUE(shell.closeProcess(process));

    EXPECT_EQ(shell.createProcess("hastelyn-no-such-program.exe /x", process), err::FileNotFound);
    EXPECT_FALSE(process);
    EXPECT_EQ(shell.winExec("hastelyn-no-such-program.exe", platform::showcmd::Hide), 2u);
    EXPECT_GT(shell.winExec("cmd.exe /c exit", platform::showcmd::Hide), 31u);
    EXPECT_EQ(shell.shellExecute("open", "hastelyn-no-such-program.exe", "", "", platform::showcmd::Hide), 2);
}

TEST_F(Win32Calls, SystemFactsAndErrorTexts) {
    const platform::OsVersion version = p().system.getVersion();
    EXPECT_EQ(version.platformId, 2u);
    EXPECT_GE(version.major, 5u);
    EXPECT_TRUE(p().system.programPath().ends_with("\\win32_tests.exe")) << p().system.programPath();
    EXPECT_TRUE(text::equalsNoCase(p().system.windowsDirectory().substr(1), ":\\windows"))
        << p().system.windowsDirectory();
    EXPECT_NE(p().system.currentDirectory().find(':'), std::string::npos);

    const std::string denied = p().system.errorText(err::AccessDenied);
    EXPECT_FALSE(denied.empty());
    EXPECT_EQ(denied.find_first_of("\r\n"), std::string::npos) << denied;
    EXPECT_EQ(p().system.errorText(0x2FFFFFF0), "エラー " + std::to_string(0x2FFFFFF0));
}

}  // namespace
}  // namespace hastelyn::win32test
