// Profile files keep names the ANSI code page lacks by turning Unicode, and stay ANSI otherwise;
// results are cut in bytes of the ANSI code page. Win32Profiles runs on a system without
// Japanese in its code page (Wine's default, 1252); JapaneseSystemProfiles on one whose code page
// is 932 (ctest runs it with a Japanese locale).
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"
#include "tests/win32/Win32TestSupport.h"

namespace hastelyn::win32test {
namespace {

using namespace std::string_literals;
namespace fileattr = platform::fileattr;

class ProfileFixture : public ::testing::Test {
protected:
    std::string file(std::string_view name) { return folder_.path() + "\\" + std::string(name); }
    platform::ProfileFiles& profiles() { return windows_.platform().profiles; }
    bool write(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
        return profiles().writeString(path, section, key, value).ok();
    }
    std::string read(const std::string& path, std::string_view section, std::string_view key,
                     std::size_t size = 2048) {
        return profiles().getString(path, section, key, "NULL", size);
    }
    // A Unicode file's text as UTF-8, after its byte-order mark; nothing for any other file.
    static std::optional<std::string> unicodeText(const std::string& bytes) {
        if (!bytes.starts_with("\xFF\xFE")) return std::nullopt;
        return win32::narrow(
            std::wstring_view(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2));
    }

    ScratchFolder folder_{"HastelynWin32 プロファイル"};
    win32::Win32Platform windows_;
};

using Win32Profiles = ProfileFixture;
using JapaneseSystemProfiles = ProfileFixture;

TEST_F(Win32Profiles, ANameTheCodePageLacksTurnsTheFileUnicodeAndKeepsWhatItHeld) {
    if (GetACP() == 932) GTEST_SKIP() << "the ANSI code page has Japanese";
    const std::string ini = file("設定.ini");
    ASSERT_TRUE(write(ini, "General", "Sound", "On"));
    ASSERT_TRUE(windows_.platform().files.setFileAttributes(ini, fileattr::Hidden | fileattr::Archive).ok());
    EXPECT_EQ(readFileBytes(ini), "[General]\r\nSound=On\r\n") << "ASCII keeps the file ANSI";

    ASSERT_TRUE(write(ini, "環境設定", "音声", "オン"));
    ASSERT_TRUE(write(ini, "General", "Colour", "Old"));
    const std::optional<std::string> text = unicodeText(readFileBytes(ini).value_or(""));
    ASSERT_TRUE(text) << "no byte-order mark";
    EXPECT_EQ(*text, "[General]\r\nSound=On\r\nColour=Old\r\n[環境設定]\r\n音声=オン\r\n");
    EXPECT_EQ(windows_.platform().files.getFileAttributes(ini) & (fileattr::Hidden | fileattr::ReadOnly),
              fileattr::Hidden);
    EXPECT_EQ(read(ini, "環境設定", "音声"), "オン");
    EXPECT_EQ(profiles().getKeyNames(ini, "環境設定", 16384), (std::vector<std::string>{"音声"}));

    // A new file whose first write needs Unicode starts as one; writeStrings does as the single
    // writes do, in one go.
    const std::string points = file("復元ポイント.ini");
    const std::vector<platform::ProfileWrite> writes = {
        {"デスクトップ", "2", "400"}, {"不要サービス", "BITS", "停止中"}, {"デスクトップ", "9a", "false"}};
    ASSERT_TRUE(profiles().writeStrings(points, writes).ok());
    const std::string single = file("single.ini");
    for (const platform::ProfileWrite& w : writes) ASSERT_TRUE(write(single, w.section, w.key, w.value));
    EXPECT_EQ(unicodeText(readFileBytes(points).value_or("")),
              "[デスクトップ]\r\n2=400\r\n9a=false\r\n[不要サービス]\r\nBITS=停止中\r\n");
    EXPECT_EQ(readFileBytes(points), readFileBytes(single));
}

TEST_F(Win32Profiles, CutsCountBytesOfTheAnsiCodePage) {
    if (GetACP() != 1252) GTEST_SKIP() << "made for code page 1252";
    const std::string ini = file("cut.ini");
    // "é" is one byte in code page 1252 and two in UTF-8.
    ASSERT_TRUE(write(ini, "a", "v", "éééé"));
    ASSERT_TRUE(write(ini, "a", "éé", "1"));
    ASSERT_TRUE(write(ini, "a", "k", "2"));
    EXPECT_EQ(read(ini, "a", "v", 4), "ééé");
    EXPECT_EQ(read(ini, "a", "v", 5), "éééé");
    // "v\0éé\0k\0\0" takes 8 bytes: one less loses "k", three less half of "éé".
    EXPECT_EQ(profiles().getKeyNames(ini, "a", 8), (std::vector<std::string>{"v", "éé", "k"}));
    EXPECT_EQ(profiles().getKeyNames(ini, "a", 7), (std::vector<std::string>{"v", "éé"}));
    EXPECT_EQ(profiles().getKeyNames(ini, "a", 5), (std::vector<std::string>{"v", "é"}));
}

TEST_F(JapaneseSystemProfiles, FilesStayShiftJisAndDoubleByteCharactersCountTwo) {
    if (GetACP() != 932) GTEST_SKIP() << "needs code page 932: run with LC_ALL=ja_JP.UTF-8 under Wine";
    const std::string ini = file("設定.ini");
    ASSERT_TRUE(write(ini, "環境設定", "音声", "日本語"));
    EXPECT_EQ(readFileBytes(ini), text::toShiftJis("[環境設定]\r\n音声=日本語\r\n"));
    EXPECT_EQ(read(ini, "環境設定", "音声", 6), "日本");
    EXPECT_EQ(read(ini, "環境設定", "音声", 7), "日本語");
    // "音声\0\0" takes 6 bytes; 5 leave room for one character of the name.
    EXPECT_EQ(profiles().getKeyNames(ini, "環境設定", 6), (std::vector<std::string>{"音声"}));
    EXPECT_EQ(profiles().getKeyNames(ini, "環境設定", 5), (std::vector<std::string>{"音"}));
}

}  // namespace
}  // namespace hastelyn::win32test
