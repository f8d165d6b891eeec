#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/ProfileDocument.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "platform/sandbox/SandboxProfiles.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileStamp.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/SandboxFixture.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
namespace win32error = platform::win32error;

class Profiles : public ::testing::Test {
protected:
    fs::path host(std::string_view windowsPath) const { return sandbox_.hostPath(windowsPath); }

    void put(std::string_view windowsPath, std::string_view bytes) const {
        ASSERT_TRUE(writeFileAtomically(host(windowsPath), bytes));
    }

    std::string contents(std::string_view windowsPath) const {
        return readWholeFile(host(windowsPath)).value_or("<missing>");
    }

    std::string get(std::string_view section, std::string_view key, std::string_view def = "NULL",
                    std::size_t size = 2048, std::string_view file = "C:\\Data\\test.ini") {
        return profiles_.getString(file, section, key, def, size);
    }

    std::vector<std::string> keys(std::string_view section, std::size_t size = 16384,
                                  std::string_view file = "C:\\Data\\test.ini") {
        return profiles_.getKeyNames(file, section, size);
    }

    bool write(std::string_view section, std::optional<std::string_view> key, std::optional<std::string_view> value,
               std::string_view file = "C:\\Data\\test.ini") {
        return profiles_.writeString(file, section, key, value).ok();
    }

    testing::SandboxFixture sandbox_{testing::MiniMachine().folder("C:\\Data")};
    SandboxProfiles& profiles_ = sandbox_.profiles();
};

using Names = std::vector<std::string>;

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

// The buffer rules themselves are the conformance suite's; here the sandbox's Shift_JIS
// counting, names listed twice and a full 16384-byte buffer.
TEST_F(Profiles, KeyListsCountShiftJisBytesAndKeepDuplicates) {
    put("C:\\Data\\test.ini", "[s]\r\nname1=val1\r\n=no name\r\nname4=val4\r\nNAME1=again\r\n");
    EXPECT_EQ(keys("S"), (Names{"name1", "name4", "NAME1"}));
    // name1\0name4\0NAME1\0\0 takes 19 bytes.
    EXPECT_EQ(keys("s", 18), (Names{"name1", "name4", "NAME"}));
    EXPECT_EQ(keys("s", 8), (Names{"name1"}));
    EXPECT_EQ(keys("s", 2), Names{});

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

// Reading Shift_JIS files is the conformance suite's; a write keeps a Shift_JIS file Shift_JIS,
// but for a line Shift_JIS cannot hold.
TEST_F(Profiles, ShiftJisFilesStayShiftJis) {
    put("C:\\Data\\test.ini", text::toShiftJis("[設定]\r\n名前=値です\r\nその他=1\r\n"));
    ASSERT_TRUE(write("設定", "追加"s, "新しい値"s));
    ASSERT_TRUE(write("設定", "その他"s, "二"s));
    ASSERT_TRUE(write("設定", "絵"s, "\xF0\x9F\x98\x80"s));
    EXPECT_EQ(contents("C:\\Data\\test.ini"),
              text::toShiftJis("[設定]\r\n名前=値です\r\nその他=二\r\n追加=新しい値\r\n") + "絵=\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(get("設定", "絵"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(get("設定", "名前"), "値です");
}

// Settings made on Windows and edited here: one Shift_JIS line in a UTF-8 file, UTF-8 and
// UTF-16LE files with their byte-order marks. Each reads right, and a write changes its own line
// only, in the file's encoding, leaving every other byte as it was.
TEST_F(Profiles, EachLineKeepsItsEncodingAndEveryUnchangedByteStays) {
    const std::string sjisLine = text::toShiftJis("メモ=古い値");
    const std::string mixed = "[環境設定]\r\nSound=On\n" + sjisLine + "\r\n[システム9]\r\nA=1";
    put("C:\\Data\\mixed.ini", mixed);
    EXPECT_EQ(get("環境設定", "メモ", "NULL", 2048, "C:\\Data\\mixed.ini"), "古い値");
    EXPECT_EQ(keys("システム9", 16384, "C:\\Data\\mixed.ini"), Names{"A"});
    ASSERT_TRUE(write("環境設定", "Sound"s, "Off"s, "C:\\Data\\mixed.ini"));
    ASSERT_TRUE(write("システム9", "B"s, "2"s, "C:\\Data\\mixed.ini"));
    EXPECT_EQ(contents("C:\\Data\\mixed.ini"),
              "[環境設定]\r\nSound=Off\n" + sjisLine + "\r\n[システム9]\r\nA=1\r\nB=2\r\n");
    // Changed back, the file is what it was.
    ASSERT_TRUE(write("環境設定", "Sound"s, "On"s, "C:\\Data\\mixed.ini"));
    ASSERT_TRUE(write("システム9", "B"s, std::nullopt, "C:\\Data\\mixed.ini"));
    EXPECT_EQ(contents("C:\\Data\\mixed.ini"), mixed);

    put("C:\\Data\\bom.ini", "\xEF\xBB\xBF[環境設定]\nSound=On\n");
    ASSERT_TRUE(write("環境設定", "DlgReboot"s, "On"s, "C:\\Data\\bom.ini"));
    EXPECT_EQ(contents("C:\\Data\\bom.ini"), "\xEF\xBB\xBF[環境設定]\nSound=On\nDlgReboot=On\r\n");

    const auto utf16 = [](std::string_view ascii) {
        std::string out;
        for (const char c : ascii) out += std::string{c, '\0'};
        return out;
    };
    // "[設定]" and "名=値" in UTF-16LE, between lines of ASCII.
    const std::string section = "[\0\x2D\x8A\x9A\x5B]\0"s;
    const std::string named = "\x0D\x54=\0\x24\x50"s;
    put("C:\\Data\\unicode.ini", "\xFF\xFE" + section + utf16("\r\n") + named + utf16("\nk=1\r\n"));
    EXPECT_EQ(get("設定", "名", "NULL", 2048, "C:\\Data\\unicode.ini"), "値");
    ASSERT_TRUE(write("設定", "k"s, "2"s, "C:\\Data\\unicode.ini"));
    ASSERT_TRUE(write("新", "x"s, "y"s, "C:\\Data\\unicode.ini"));
    EXPECT_EQ(contents("C:\\Data\\unicode.ini"), "\xFF\xFE" + section + utf16("\r\n") + named + utf16("\nk=2\r\n[") +
                                                     "\xB0\x65"s + utf16("]\r\nx=y\r\n"));

    // UTF-16 without its mark is no Unicode file for Windows either: its lines (NULs and all) are
    // kept as they are, and a new section is added after them.
    const std::string unmarked = utf16("[a]\r\nk=1\r\n");
    put("C:\\Data\\unmarked.ini", unmarked);
    ASSERT_TRUE(write("b", "k"s, "v"s, "C:\\Data\\unmarked.ini"));
    EXPECT_EQ(contents("C:\\Data\\unmarked.ini").substr(0, unmarked.size()), unmarked);
    EXPECT_EQ(get("b", "k", "NULL", 2048, "C:\\Data\\unmarked.ini"), "v");
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
    // Every line keeps its line end; new lines end with CR LF, and so does the last line when
    // others follow it.
    EXPECT_EQ(contents("C:\\Data\\test.ini"),
              "; made by hand\n"
              "[A]\n"
              "  one = 1\n"
              "Two=22\n"
              "three=3\r\n"
              "\n"
              "; about B\n"
              "[B]\n"
              "x=1\r\n"
              "y=\r\n"
              "[C]\r\n"
              "k=v\r\n");

    // Writing what is already there leaves the file alone.
    const FileStamp before = stampOf(host("C:\\Data\\test.ini"));
    ASSERT_TRUE(write("A", "two"s, "22"s));
    EXPECT_EQ(stampOf(host("C:\\Data\\test.ini")), before);
}

// A read-only file and a missing folder are the conformance suite's.
TEST_F(Profiles, BareNamesLieInTheWindowsFolderAndRefusedWritesSayWhy) {
    ASSERT_TRUE(write("S", "k"s, "v"s, "hastelyn-test.ini"));
    EXPECT_EQ(contents("C:\\WINDOWS\\hastelyn-test.ini"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(get("s", "K", "", 10, "HASTELYN-TEST.INI"), "v");

    // A removal on a missing file still makes it.
    ASSERT_TRUE(write("X", std::nullopt, std::nullopt, "C:\\Data\\empty.ini"));
    EXPECT_EQ(contents("C:\\Data\\empty.ini"), "");
    ASSERT_TRUE(write("X", "k"s, std::nullopt, "C:\\Data\\empty2.ini"));
    EXPECT_EQ(contents("C:\\Data\\empty2.ini"), "");

    EXPECT_EQ(profiles_.writeString("Q:\\x.ini", "A", "k"s, "v"s).code(), win32error::PathNotFound);
    EXPECT_EQ(profiles_.writeString("", "A", "k"s, "v"s).code(), win32error::AccessDenied);
    EXPECT_EQ(profiles_.writeString("C:\\Data", "A", "k"s, "v"s).code(), win32error::AccessDenied);
}

TEST_F(Profiles, ParsedFilesStayInMemoryUntilTheyChangeOnDisk) {
    std::string text = "[Big]\r\n";
    for (int i = 0; i < 600; ++i) text += "Key" + std::to_string(i) + "=Value" + std::to_string(i) + "\r\n";
    put("C:\\Data\\test.ini", text);
    for (int i = 0; i < 600; ++i) ASSERT_EQ(get("Big", "key" + std::to_string(i)), "Value" + std::to_string(i));
    EXPECT_EQ(keys("Big").size(), 600u);
    EXPECT_EQ(profiles_.fileLoads(), 1u);

    // Its own writes keep the parsed file current without reading it again.
    for (int i = 0; i < 600; i += 2) ASSERT_TRUE(write("Big", "Key" + std::to_string(i), "New"s));
    EXPECT_EQ(get("Big", "Key598"), "New");
    EXPECT_EQ(profiles_.fileLoads(), 1u);

    // Another writer's change is seen.
    put("C:\\Data\\test.ini", "[Big]\r\nKey0=Other\r\n");
    EXPECT_EQ(get("Big", "Key0"), "Other");
    EXPECT_EQ(get("Big", "Key1"), "NULL");
    EXPECT_EQ(profiles_.fileLoads(), 2u);

    // A file rewritten in place to the same size within the clock's tick keeps its stamp (the
    // time here set ahead, so that it is surely recent): it is read again all the same.
    const fs::path file = host("C:\\Data\\test.ini");
    const auto stamped = fs::last_write_time(file) + std::chrono::seconds(10);
    fs::last_write_time(file, stamped);
    EXPECT_EQ(get("Big", "Key0"), "Other");
    std::ofstream(file, std::ios::binary | std::ios::in | std::ios::out) << "[Big]\r\nKey0=Again\r\n";
    fs::last_write_time(file, stamped);
    EXPECT_EQ(get("Big", "Key0"), "Again");
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
    // Every line not written stays as it was, bytes that are no text included.
    const std::size_t cut = garbage.find("]]]");
    EXPECT_EQ(written.substr(0, cut), garbage.substr(0, cut));
    EXPECT_EQ(written.substr(cut, 9), "added=1\r\n");
    EXPECT_EQ(written.substr(cut + 9, garbage.size() - cut), garbage.substr(cut));
    EXPECT_NE(written.find("\r\n[new]\r\nk=2\r\n"), std::string::npos);
}

// Writing many keys in one go must leave exactly the file that writing them one by one leaves,
// on a fresh file and on an untidy existing one.
TEST(ProfileBatch, EndsAsTheSingleWritesWould) {
    const std::string existing =
        "; comment\r\n[b]\r\nk1 = old \r\n\r\n[A]\r\nx=1\r\n[b]\r\nk2=second section\r\nbare line\r\n";
    const std::vector<platform::ProfileWrite> writes = {
        {"A", "y", "2"},       {"b", "K1", "new"}, {"c", "z", "3"},     {"B", "k3", "v"},
        {"a", "x", "changed"}, {"c", "z", "again"}, {"新しい", "鍵", "値"}, {"A", "y", "2"},
    };
    for (const bool fresh : {true, false}) {
        SCOPED_TRACE(fresh ? "fresh file" : "existing file");
        testing::TempFolder oneByOne, inOneGo;
        testing::MiniMachine m;
        if (!fresh) m.file("C:\\p.ini", existing);
        m.writeTo(oneByOne.path());
        m.writeTo(inOneGo.path());
        {
            SandboxPlatform single(oneByOne.path());
            for (const auto& w : writes) ASSERT_TRUE(single.platform().profiles.writeString("C:\\p.ini", w.section, w.key, w.value).ok());
            SandboxPlatform batch(inOneGo.path());
            ASSERT_TRUE(batch.platform().profiles.writeStrings("C:\\p.ini", writes).ok());
        }
        EXPECT_EQ(testing::fileText(m.hostPath(inOneGo.path(), "C:\\p.ini")), testing::fileText(m.hostPath(oneByOne.path(), "C:\\p.ini")));
    }
}

TEST(ProfileBatch, RefusedLikeASingleWrite) {
    testing::MiniMachine m;
    m.file("C:\\ro.ini", "[s]\r\nk=v\r\n", platform::fileattr::ReadOnly);
    testing::SandboxFixture sandbox{m};
    EXPECT_EQ(sandbox.platform().profiles.writeStrings("C:\\ro.ini", {{"s", "k", "w"}}).code(), platform::win32error::AccessDenied);
    EXPECT_FALSE(sandbox.platform().profiles.writeStrings("C:\\missing\\x.ini", {{"s", "k", "w"}}).ok());
    EXPECT_EQ(sandbox.platform().profiles.getString("C:\\ro.ini", "s", "k", "NULL", 2048), "v");
}

// Every section, every key name and every value, as the document gives them.
std::string everything(const ProfileDocument& doc) {
    std::string out;
    for (const std::string_view section : doc.sectionNames()) {
        out += "[" + std::string(section) + "]";
        for (const std::string_view key : doc.keyNames(section))
            out += " " + std::string(key) + "=" + std::string(doc.value(section, key).value_or("<none>"));
        out += "\n";
    }
    return out;
}

// A document edited many times answers and edits exactly as one read afresh from its text: new
// entries are indexed in place rather than by reading the whole document again.
TEST(ProfileIndex, EditedDocumentAnswersAsOneReadAfresh) {
    // Sections twice over, comments, lines without '=' and blank lines between entries; names
    // that make other kinds of lines once written ("[x]", ";c", "a=b") and values with breaks.
    const std::vector<std::string> sections = {"A", "b", "B ", "Last", "新しい"};
    const std::vector<std::string> keys = {"k", "K2", " blank ", "[x]", ";c", "a=b", "", "鍵", "n\0cut"s};
    const std::vector<std::string> values = {"1", "two", " lead", "line\r\nbreak", "", "値", "x=y"};
    std::mt19937 random(7);
    auto pick = [&random](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };

    // Line ends of every kind, the last line without one.
    for (const char* start : {"top=before any section\r\n[A]\r\nk=0\r\n; note\r\n\r\nbare line\r\n[b]\r\nz=1\r\n[Last]\r\n[a]\r\nk=dup\r\n",
                              "[A]\nk=0\r; note\n[b]\rz=1\r\n[Last]\n[a]\nk=dup"}) {
        ProfileDocument doc = ProfileDocument::parse(start);
        for (int step = 0; step < 400; ++step) {
            ProfileDocument fresh = ProfileDocument::parse(doc.text());
            ASSERT_EQ(everything(doc), everything(fresh)) << "step " << step;
            const std::string section = pick(sections);
            const std::string key = pick(keys);
            const int op = std::uniform_int_distribution<int>(0, 11)(random);
            bool changed = false;
            bool changedFresh = false;
            if (op >= 10) {  // several writes in one go, as one by one
                std::vector<platform::ProfileWrite> batch;
                for (int n = 0; n < 8; ++n) batch.push_back({pick(sections), pick(keys), pick(values)});
                if (op == 10) batch.back().value = std::string(pick(values)) + "\n[Last]";
                changed = doc.setValues(batch);
                for (const auto& w : batch) changedFresh = fresh.setValue(w.section, w.key, w.value) || changedFresh;
            } else if (op < 8) {
                const std::string value = pick(values);
                changed = doc.setValue(section, key, value);
                changedFresh = fresh.setValue(section, key, value);
            } else if (op == 8) {
                changed = doc.removeKey(section, key);
                changedFresh = fresh.removeKey(section, key);
            } else {
                changed = doc.removeSection(section);
                changedFresh = fresh.removeSection(section);
            }
            ASSERT_EQ(changed, changedFresh) << "step " << step;
            ASSERT_EQ(doc.text(), fresh.text()) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace hastelyn::sandbox
