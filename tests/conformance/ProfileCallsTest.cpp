// Profile files through the interface itself, as GetPrivateProfileStringA and
// WritePrivateProfileStringA treat them. Files written by hand are ASCII or Shift_JIS, as a
// Japanese Windows system keeps them.
#include "tests/conformance/ConformanceFixture.h"

namespace hastelyn::conformance {
namespace {

using namespace std::string_literals;

// "[設定]\r\n名前=値です\r\nその他=1\r\n" in Shift_JIS.
const std::string kShiftJisFile =
    "[\x90\xDD\x92\xE8]\r\n"
    "\x96\xBC\x91\x4F=\x92\x6C\x82\xC5\x82\xB7\r\n"
    "\x82\xBB\x82\xCC\x91\xBC=1\r\n";

class ProfileCalls : public Conformance {
protected:
    std::string ini() { return file("test.ini"); }
    std::string get(std::string_view section, std::string_view key, std::string_view def = "NULL",
                    std::size_t size = 2048) {
        return p().profiles.getString(ini(), section, key, def, size);
    }
    Names keys(std::string_view section, std::size_t size = 16384) {
        return p().profiles.getKeyNames(ini(), section, size);
    }
    bool write(std::string_view section, std::optional<std::string_view> key, std::optional<std::string_view> value) {
        return p().profiles.writeString(ini(), section, key, value).ok();
    }
    std::string contents() { return target().readFile(ini()).value_or("<missing>"); }
};

TEST_F(ProfileCalls, ValuesAreTrimmedUnquotedAndFoundWhateverTheCase) {
    target().writeFile(ini(),
                       "[Settings]\r\n"
                       "  Name =  value with spaces  \r\n"
                       "Quoted=\"  padded  \"\r\n"
                       "Single='x'\r\n"
                       "Empty=\"\"\r\n"
                       "Lone=\"\r\n"
                       "Mixed=\"a'\r\n"
                       "Inner=a \"b\" c\r\n"
                       "\tTabbed\t=\tt\t\r\n"
                       "Nothing=\r\n"
                       "[Other]\r\n"
                       "Name=other\r\n");
    EXPECT_EQ(get("SETTINGS", " name "), "value with spaces");
    EXPECT_EQ(get("settings", "QUOTED"), "  padded  ");
    EXPECT_EQ(get("Settings", "Single"), "x");
    EXPECT_EQ(get("Settings", "Empty"), "");
    EXPECT_EQ(get("Settings", "Lone"), "\"");
    EXPECT_EQ(get("Settings", "Mixed"), "\"a'");
    EXPECT_EQ(get("Settings", "Inner"), "a \"b\" c");
    EXPECT_EQ(get("Settings", "tabbed"), "t");
    EXPECT_EQ(get("Settings", "Nothing"), "");
    EXPECT_EQ(get("other", "name"), "other");

    // The default for a missing key, section or file, its trailing blanks dropped.
    EXPECT_EQ(get("Settings", "Absent", "def  "), "def");
    EXPECT_EQ(get("Nowhere", "Name"), "NULL");
    EXPECT_EQ(p().profiles.getString(file("none.ini"), "Settings", "Name", "NULL", 2048), "NULL");

    // Cut to the buffer: size - 1 bytes.
    EXPECT_EQ(get("Settings", "Name", "", 6), "value");
    EXPECT_EQ(get("Settings", "Name", "", 1), "");

    // Japanese names and values of a Shift_JIS file.
    target().writeFile(ini(), kShiftJisFile);
    EXPECT_EQ(get("設定", "名前"), "値です");
    EXPECT_EQ(keys("設定"), (Names{"名前", "その他"}));
}

// A section's key names, listed whole while the buffer holds them and cut short after.
TEST_F(ProfileCalls, KeyListsFollowTheBufferRules) {
    target().writeFile(ini(),
                       "[s]\r\n"
                       "name1=val1\r\n"
                       "name2=\r\n"
                       "name3\r\n"  // no '=': no key
                       "; note=x\r\n"
                       "name4=val4\r\n"
                       "[t]\r\n"
                       "x=1\r\n");
    EXPECT_EQ(keys("S"), (Names{"name1", "name2", "name4"}));
    EXPECT_EQ(get("s", "name3"), "NULL");
    // "name1\0name2\0name4\0\0" takes 19 bytes; a smaller buffer cuts the last name short and
    // ends in two NULs.
    EXPECT_EQ(keys("s", 19), (Names{"name1", "name2", "name4"}));
    EXPECT_EQ(keys("s", 18), (Names{"name1", "name2", "name"}));
    EXPECT_EQ(keys("s", 16), (Names{"name1", "name2", "na"}));
    EXPECT_EQ(keys("missing"), Names{});
    EXPECT_EQ(p().profiles.getKeyNames(file("none.ini"), "s", 16384), Names{});
}

TEST_F(ProfileCalls, WritesAddReplaceAndDeleteAsWindowsLaysThemOut) {
    ASSERT_TRUE(write("App1", "key1"s, "string1"s));
    ASSERT_TRUE(write("App1", "key2"s, "string2"s));
    ASSERT_TRUE(write("App1", "key3"s, "string3"s));
    ASSERT_TRUE(write("App2", "key4"s, "string4"s));
    ASSERT_TRUE(write("App3", "key5"s, "string5"s));
    EXPECT_EQ(contents(),
              "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n"
              "[App3]\r\nkey5=string5\r\n");

    // Names match whatever their case and keep the case they were first written with.
    ASSERT_TRUE(write("APP1", "KEY1"s, "replaced"s));
    ASSERT_TRUE(write("app1", "key2"s, std::nullopt));
    ASSERT_TRUE(write("App1", "key2"s, std::nullopt));  // already gone: still fine
    EXPECT_EQ(contents(),
              "[App1]\r\nkey1=replaced\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n");
    ASSERT_TRUE(write("app1", std::nullopt, "ignored"s));
    ASSERT_TRUE(write("App2", std::nullopt, std::nullopt));
    EXPECT_EQ(contents(), "[App3]\r\nkey5=string5\r\n");

    // What is read back of values written with blanks and quotes.
    ASSERT_TRUE(write("App3", "blanks"s, "  two words  "s));
    ASSERT_TRUE(write("App3", "quoted"s, "\"  kept  \""s));
    EXPECT_EQ(get("App3", "blanks"), "two words");
    EXPECT_EQ(get("App3", "quoted"), "  kept  ");

    // Japanese sections, keys and values.
    ASSERT_TRUE(write("環境設定", "音声"s, "オン"s));
    ASSERT_TRUE(write("環境設定", "表示"s, "ソフト"s));
    EXPECT_EQ(get("環境設定", "音声"), "オン");
    EXPECT_EQ(get("環境設定", "表示"), "ソフト");
    EXPECT_EQ(keys("環境設定"), (Names{"音声", "表示"}));
}

TEST_F(ProfileCalls, AReadOnlyFileRefusesWritesUntilTheAttributeGoes) {
    target().writeFile(ini(), "[A]\r\nk=1\r\n");
    ASSERT_TRUE(p().files.setFileAttributes(ini(), fileattr::ReadOnly).ok());
    if (checks("ReadOnlyEnforced")) {
        EXPECT_EQ(p().profiles.writeString(ini(), "A", "k"s, "2"s).code(), err::AccessDenied);
        EXPECT_FALSE(write("A", std::nullopt, std::nullopt));
        EXPECT_EQ(contents(), "[A]\r\nk=1\r\n");
        EXPECT_EQ(get("A", "k"), "1");
    }

    ASSERT_TRUE(p().files.setFileAttributes(ini(), fileattr::Normal).ok());
    EXPECT_TRUE(write("A", "k"s, "2"s));
    EXPECT_EQ(contents(), "[A]\r\nk=2\r\n");

    // A file in a folder that does not exist is not made.
    EXPECT_EQ(p().profiles.writeString(file("No Folder\\x.ini"), "A", "k"s, "v"s).code(), err::PathNotFound);
    EXPECT_EQ(target().readFile(file("No Folder\\x.ini")), std::nullopt);
}

}  // namespace
}  // namespace hastelyn::conformance
