#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxFileSystem.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/SandboxProfiles.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileStamp.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
namespace win32error = platform::win32error;

class Profiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_.folder("C:\\Data");
        m_.file("C:\\Data\\locked.ini", "[A]\r\nk=1\r\n", platform::fileattr::ReadOnly);
        m_.writeTo(temp_.path());
        machine_ = std::make_unique<SandboxMachine>(temp_.path());
        profiles_ = std::make_unique<SandboxProfiles>(*machine_);
    }

    fs::path host(std::string_view windowsPath) const { return m_.hostPath(temp_.path(), windowsPath); }

    void put(std::string_view windowsPath, std::string_view bytes) const {
        ASSERT_TRUE(writeFileAtomically(host(windowsPath), bytes));
    }

    std::string contents(std::string_view windowsPath) const {
        return readWholeFile(host(windowsPath)).value_or("<missing>");
    }

    std::string get(std::string_view section, std::string_view key, std::string_view def = "NULL",
                    std::size_t size = 2048, std::string_view file = "C:\\Data\\test.ini") {
        return profiles_->getString(file, section, key, def, size);
    }

    std::vector<std::string> keys(std::string_view section, std::size_t size = 16384,
                                  std::string_view file = "C:\\Data\\test.ini") {
        return profiles_->getKeyNames(file, section, size);
    }

    bool write(std::string_view section, std::optional<std::string_view> key, std::optional<std::string_view> value,
               std::string_view file = "C:\\Data\\test.ini") {
        return profiles_->writeString(file, section, key, value);
    }

    testing::TempFolder temp_;
    testing::MiniMachine m_;
    std::unique_ptr<SandboxMachine> machine_;
    std::unique_ptr<SandboxProfiles> profiles_;
};

using Names = std::vector<std::string>;

TEST_F(Profiles, ValuesAreTrimmedUnquotedAndFoundWhateverTheCase) {
    put("C:\\Data\\test.ini",
        "[Settings]\r\n"
        "  Name =  value with spaces  \r\n"
        "Quoted=\"  padded  \"\r\n"
        "Single='x'\r\n"
        "Empty=\"\"\r\n"
        "Lone=\"\r\n"
        "Mixed=\"a'\r\n"
        "Inner=a \"b\" c\r\n"
        "\tTabbed\t=\tt\t\r\n"
        "Nothing=\r\n");
    EXPECT_EQ(get("SETTINGS", " name "), "value with spaces");
    EXPECT_EQ(get("settings", "QUOTED"), "  padded  ");
    EXPECT_EQ(get("Settings", "Single"), "x");
    EXPECT_EQ(get("Settings", "Empty", "NULL"), "");
    EXPECT_EQ(get("Settings", "Lone"), "\"");
    EXPECT_EQ(get("Settings", "Mixed"), "\"a'");
    EXPECT_EQ(get("Settings", "Inner"), "a \"b\" c");
    EXPECT_EQ(get("Settings", "tabbed"), "t");
    EXPECT_EQ(get("Settings", "Nothing", "NULL"), "");

    // The default for a missing key, section or file, its trailing spaces dropped.
    EXPECT_EQ(get("Settings", "Absent", "def  "), "def");
    EXPECT_EQ(get("Other", "Name", "NULL"), "NULL");
    EXPECT_EQ(get("Settings", "Name", "NULL", 2048, "C:\\Data\\none.ini"), "NULL");
    EXPECT_EQ(get("Settings", "Name", "NULL", 2048, "Q:\\none.ini"), "NULL");
}

TEST_F(Profiles, ValuesAreCutInShiftJisBytesNeverSplittingACharacter) {
    const std::string ascii(3000, 'a');
    std::string kana;
    for (int i = 0; i < 1100; ++i) kana += "あ";
    put("C:\\Data\\test.ini", "[S]\r\nascii=" + ascii + "\r\nkana=" + kana + "\r\nedge=" + std::string(2046, 'b') +
                                  "漢\r\nhalf=ｱｲｳ\r\n");
    EXPECT_EQ(get("S", "ascii"), std::string(2047, 'a'));
    const std::string cut = get("S", "kana");
    EXPECT_EQ(text::shiftJisLength(cut), 2046u);  // 1023 whole characters; the next would need 2049
    EXPECT_TRUE(text::isValidUtf8(cut));
    EXPECT_EQ(get("S", "edge"), std::string(2046, 'b'));  // "漢" needs two bytes, one is left
    EXPECT_EQ(get("S", "half", "", 3), "ｱｲ");              // half-width katakana count one byte
    EXPECT_EQ(get("S", "ascii", "", 5), "aaaa");
    EXPECT_EQ(get("S", "ascii", "", 1), "");
    EXPECT_EQ(get("S", "ascii", "", 0), "");
    EXPECT_EQ(get("S", "absent", "あいう", 6), "あい");
}

TEST_F(Profiles, KeyListsFollowTheWindowsBufferRules) {
    put("C:\\Data\\test.ini",
        "[s]\r\n"
        "name1=val1\r\n"
        "name2=\r\n"
        "name3\r\n"         // no '=': not a key
        "; note=x\r\n"      // a comment
        "=no name\r\n"
        "name4=val4\r\n"
        "NAME1=again\r\n"   // listed again, as Windows does
        "[t]\r\n"
        "x=1\r\n");
    EXPECT_EQ(keys("S"), (Names{"name1", "name2", "name4", "NAME1"}));
    // name1\0name2\0name4\0NAME1\0\0 takes 25 bytes.
    EXPECT_EQ(keys("s", 25), (Names{"name1", "name2", "name4", "NAME1"}));
    EXPECT_EQ(keys("s", 24), (Names{"name1", "name2", "name4", "NAME"}));
    EXPECT_EQ(keys("s", 16), (Names{"name1", "name2", "na"}));  // as Windows: "name1\0name2\0na\0\0"
    EXPECT_EQ(keys("s", 8), (Names{"name1"}));
    EXPECT_EQ(keys("s", 2), Names{});
    EXPECT_EQ(keys("missing"), Names{});
    EXPECT_EQ(keys("s", 16384, "C:\\Data\\none.ini"), Names{});

    // 2100 names of 7 characters need 16801 bytes: a 16384-byte buffer holds 2047 of them whole
    // and 6 bytes of the next.
    std::string big = "[Big]\r\n";
    for (int i = 0; i < 2100; ++i) big += "Key" + std::to_string(1000 + i) + "=v\r\n";
    put("C:\\Data\\big.ini", big);
    const Names many = keys("Big", 16384, "C:\\Data\\big.ini");
    ASSERT_EQ(many.size(), 2048u);
    EXPECT_EQ(many[2046], "Key3046");
    EXPECT_EQ(many.back(), "Key304");

    // A cut never splits a double-byte character.
    put("C:\\Data\\kana.ini", "[k]\r\nあいう=1\r\n");
    EXPECT_EQ(keys("k", 6, "C:\\Data\\kana.ini"), Names{"あい"});
    EXPECT_EQ(keys("k", 5, "C:\\Data\\kana.ini"), Names{"あ"});
}

TEST_F(Profiles, ShiftJisFilesReadAndComeBackAsUtf8) {
    put("C:\\Data\\test.ini", text::toShiftJis("[設定]\r\n名前=値です\r\nその他=1\r\n"));
    EXPECT_EQ(get("設定", "名前"), "値です");
    EXPECT_EQ(keys("設定"), (Names{"名前", "その他"}));
    ASSERT_TRUE(write("設定", "追加"s, "新しい値"s));
    EXPECT_EQ(contents("C:\\Data\\test.ini"), "[設定]\r\n名前=値です\r\nその他=1\r\n追加=新しい値\r\n");
}

TEST_F(Profiles, DuplicatesAndLinesWithoutEqualsAsWindowsReadsThem) {
    put("C:\\Data\\test.ini",
        "before=preamble\r\n"
        "[A]\r\n"
        "dup=first\r\n"
        "Dup=second\r\n"
        "bare\r\n"
        "[B]\r\n"
        "b=1\r\n"
        "[a]\r\n"
        "dup=third\r\n"
        "only=in second A\r\n");
    EXPECT_EQ(get("A", "DUP"), "first");
    EXPECT_EQ(get("A", "only"), "NULL");  // only the first section of a name counts
    EXPECT_EQ(get("A", "bare"), "NULL");  // no '=': as absent
    EXPECT_EQ(get("", "before"), "NULL");  // lines before the first section belong to none
    EXPECT_EQ(keys("a"), (Names{"dup", "Dup"}));

    // A line without '=' stays as it is, the key goes after the last key; the first duplicate is
    // the one replaced; a key only in the second section of a name is still deleted.
    ASSERT_TRUE(write("A", "bare"s, "now"s));
    ASSERT_TRUE(write("A", "dup"s, "1st"s));
    ASSERT_TRUE(write("A", "only"s, std::nullopt));
    EXPECT_EQ(contents("C:\\Data\\test.ini"),
              "before=preamble\r\n"
              "[A]\r\n"
              "dup=1st\r\n"
              "Dup=second\r\n"
              "bare=now\r\n"
              "bare\r\n"
              "[B]\r\n"
              "b=1\r\n"
              "[a]\r\n"
              "dup=third\r\n");
}

TEST_F(Profiles, WritesKeepEveryOtherLineInPlace) {
    put("C:\\Data\\test.ini",
        "; made by hand\n"
        "[A]\n"
        "  one = 1\n"
        "Two=2\n"
        "\n"
        "; about B\n"
        "[B]\n"
        "x=1");
    ASSERT_TRUE(write("a", "TWO"s, "  22"s));  // blanks before a value are dropped
    ASSERT_TRUE(write("A", "three"s, "3"s));   // after the last key, before the blank line
    ASSERT_TRUE(write("C", "k"s, "v"s));       // a new section at the end, no blank line
    ASSERT_TRUE(write("B", "y"s, ""s));
    EXPECT_EQ(contents("C:\\Data\\test.ini"),
              "; made by hand\r\n"
              "[A]\r\n"
              "  one = 1\r\n"
              "Two=22\r\n"
              "three=3\r\n"
              "\r\n"
              "; about B\r\n"
              "[B]\r\n"
              "x=1\r\n"
              "y=\r\n"
              "[C]\r\n"
              "k=v\r\n");

    // Writing what is already there leaves the file alone.
    const FileStamp before = stampOf(host("C:\\Data\\test.ini"));
    ASSERT_TRUE(write("A", "two"s, "22"s));
    EXPECT_EQ(stampOf(host("C:\\Data\\test.ini")), before);
}

TEST_F(Profiles, DeletesKeysAndSectionsLikeWindows) {
    // The sequence Windows is known to produce, byte for byte.
    ASSERT_TRUE(write("App1", "key1"s, "string1"s));
    ASSERT_TRUE(write("App1", "key2"s, "string2"s));
    ASSERT_TRUE(write("App1", "key3"s, "string3"s));
    ASSERT_TRUE(write("App2", "key4"s, "string4"s));
    ASSERT_TRUE(write("App3", "key5"s, "string5"s));
    EXPECT_EQ(contents("C:\\Data\\test.ini"),
              "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
              "[App3]\r\nkey5=string5\r\n");
    ASSERT_TRUE(write("App1", "key2"s, std::nullopt));
    ASSERT_TRUE(write("App1", "key2"s, std::nullopt));  // already gone: still fine
    EXPECT_EQ(contents("C:\\Data\\test.ini"),
              "[App1]\r\nkey1=string1\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n");
    ASSERT_TRUE(write("app1", std::nullopt, "ignored"s));
    ASSERT_TRUE(write("App2", std::nullopt, std::nullopt));
    EXPECT_EQ(contents("C:\\Data\\test.ini"), "[App3]\r\nkey5=string5\r\n");
    ASSERT_TRUE(write("App3", "key5"s, std::nullopt));
    EXPECT_EQ(contents("C:\\Data\\test.ini"), "[App3]\r\n");
    EXPECT_EQ(get("App3", "key5"), "NULL");

    // A removal on a missing file still makes it, empty, as Windows does.
    ASSERT_TRUE(write("X", std::nullopt, std::nullopt, "C:\\Data\\empty.ini"));
    EXPECT_EQ(contents("C:\\Data\\empty.ini"), "");
}

TEST_F(Profiles, RefusedWritesSayWhyAndChangeNothing) {
    SandboxFileSystem files(*machine_);
    const std::string locked = contents("C:\\Data\\locked.ini");
    EXPECT_FALSE(write("A", "k"s, "2"s, "C:\\DATA\\LOCKED.INI"));
    EXPECT_EQ(files.lastError(), win32error::AccessDenied);  // one error slot for files and profiles
    EXPECT_FALSE(write("A", std::nullopt, std::nullopt, "C:\\Data\\locked.ini"));
    EXPECT_EQ(contents("C:\\Data\\locked.ini"), locked);
    EXPECT_EQ(get("A", "k", "", 10, "C:\\Data\\locked.ini"), "1");  // reading is fine

    EXPECT_FALSE(write("A", "k"s, "v"s, "C:\\NoSuchFolder\\x.ini"));
    EXPECT_EQ(files.lastError(), win32error::PathNotFound);
    EXPECT_FALSE(fs::exists(host("C:\\NoSuchFolder")));
    EXPECT_FALSE(write("A", "k"s, "v"s, "Q:\\x.ini"));
    EXPECT_EQ(files.lastError(), win32error::PathNotFound);
    EXPECT_FALSE(write("A", "k"s, "v"s, ""));
    EXPECT_EQ(files.lastError(), win32error::AccessDenied);
    EXPECT_FALSE(write("A", "k"s, "v"s, "C:\\Data"));
    EXPECT_EQ(files.lastError(), win32error::AccessDenied);

    // Clearing the read-only bit lets the write through.
    ASSERT_TRUE(files.setFileAttributes("C:\\Data\\locked.ini", platform::fileattr::Normal));
    EXPECT_TRUE(write("A", "k"s, "2"s, "C:\\Data\\locked.ini"));
    EXPECT_EQ(contents("C:\\Data\\locked.ini"), "[A]\r\nk=2\r\n");
}

TEST_F(Profiles, BareFileNamesLieInTheWindowsFolder) {
    ASSERT_TRUE(write("S", "k"s, "v"s, "hastelyn-test.ini"));
    EXPECT_EQ(contents("C:\\WINDOWS\\hastelyn-test.ini"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(get("s", "K", "", 10, "HASTELYN-TEST.INI"), "v");
}

TEST_F(Profiles, ParsedFilesStayInMemoryUntilTheyChangeOnDisk) {
    std::string text = "[Big]\r\n";
    for (int i = 0; i < 600; ++i) text += "Key" + std::to_string(i) + "=Value" + std::to_string(i) + "\r\n";
    put("C:\\Data\\test.ini", text);
    for (int i = 0; i < 600; ++i) ASSERT_EQ(get("Big", "key" + std::to_string(i)), "Value" + std::to_string(i));
    EXPECT_EQ(keys("Big").size(), 600u);
    EXPECT_EQ(profiles_->fileLoads(), 1u);

    // Its own writes keep the parsed file current without reading it again.
    for (int i = 0; i < 600; i += 2) ASSERT_TRUE(write("Big", "Key" + std::to_string(i), "New"s));
    EXPECT_EQ(get("Big", "Key598"), "New");
    EXPECT_EQ(profiles_->fileLoads(), 1u);

    // Another writer's change is seen.
    put("C:\\Data\\test.ini", "[Big]\r\nKey0=Other\r\n");
    EXPECT_EQ(get("Big", "Key0"), "Other");
    EXPECT_EQ(get("Big", "Key1"), "NULL");
    EXPECT_EQ(profiles_->fileLoads(), 2u);
    fs::remove(host("C:\\Data\\test.ini"));
    EXPECT_EQ(get("Big", "Key0"), "NULL");
}

TEST_F(Profiles, GarbageNeverStopsReadingOrWriting) {
    std::string garbage = "[ok]\r\nk=v\r\n";
    garbage += "["s + std::string(1 << 20, 'x') + "\r\n";        // a megabyte-long unclosed header
    garbage += "long=" + std::string(1 << 20, 'y') + "\r\n";
    garbage += "nul\0name=nul\0value\r\n"s;
    garbage += "\x81\xFF\x80=\xFE\r\n]]]\r\n[\r\n[]\r\n=\r\n\r\r\r\n\n[ok]\r\nk=later\r\n";
    put("C:\\Data\\test.ini", garbage);
    EXPECT_EQ(get("ok", "k"), "v");
    EXPECT_EQ(get("ok", "nul"), "nul");  // names and values end at a NUL byte
    EXPECT_EQ(get("ok", "long", "", 10), "yyyyyyyyy");
    const Names names = keys("ok");
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "k");
    EXPECT_EQ(names[1], "long");

    ASSERT_TRUE(write("ok", "added"s, "1"s));
    ASSERT_TRUE(write("new", "k"s, "2"s));
    EXPECT_EQ(get("ok", "added"), "1");
    EXPECT_EQ(get("new", "k"), "2");
    EXPECT_EQ(get("ok", "long", "", 4), "yyy");
    const std::string written = contents("C:\\Data\\test.ini");
    EXPECT_TRUE(text::isValidUtf8(written));
    EXPECT_NE(written.find("\r\n[new]\r\nk=2\r\n"), std::string::npos);
}

}  // namespace
}  // namespace hastelyn::sandbox
