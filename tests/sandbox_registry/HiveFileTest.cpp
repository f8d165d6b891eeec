#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/sandbox/registry/HiveFileReader.h"
#include "platform/sandbox/registry/HiveFileWriter.h"
#include "platform/sandbox/registry/RegistryText.h"
#include "tests/sandbox_registry/RegistryTestSupport.h"

namespace hastelyn::sandbox::test {
namespace {

std::unique_ptr<HiveKey> parse(std::string_view text) { return parseHiveFile(text, RootKey::LocalMachine); }

const HiveKey* at(const HiveKey& hive, std::initializer_list<std::string_view> path) {
    const HiveKey* key = &hive;
    for (const std::string_view name : path)
        if (key) key = key->findChild(name);
    return key;
}

std::optional<Value> valueOf(const HiveKey* key, std::string_view name) {
    const HiveValue* value = key ? key->findValue(name) : nullptr;
    if (!value) return std::nullopt;
    return Value{value->type, value->data};
}

std::string write(const HiveKey& hive) { return writeHiveFile(hive, "HKEY_LOCAL_MACHINE"); }

TEST(HiveFile, WriterLaysOutKeysInNtOrderParentsFirst) {
    HiveKey hive;
    HiveKey& software = hive.child("Software");
    software.child("b").setValue("s", regtype::Sz, sz("q\"\\"));
    HiveKey& a = software.child("A");
    a.setValue("", regtype::Sz, sz("x"));
    a.setValue("n", regtype::Dword, le32(1));
    a.child("C").setValue("e", regtype::ExpandSz, sz("A"));
    EXPECT_EQ(write(hive),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_LOCAL_MACHINE]\n\n"
              "[HKEY_LOCAL_MACHINE\\Software]\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\A]\n@=\"x\"\n\"n\"=dword:00000001\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\A\\C]\n\"e\"=hex(2):41,00,00,00\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\b]\n\"s\"=\"q\\\"\\\\\"\n\n");

    // Long data goes on in continuation lines within 80 columns, and reads back whole.
    HiveKey big;
    big.child("K").setValue("Long", regtype::Binary, std::string(300, '\x5a'));
    big.child("K").setValue("Text", regtype::MultiSz, std::string(100, 'm') + '\0' + '\0');
    const std::string text = write(big);
    std::size_t start = 0, longest = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        longest = std::max(longest, end - start);
    EXPECT_LE(longest, 80u);
    EXPECT_NE(text.find(",\\\n  5a,"), std::string::npos);
    EXPECT_TRUE(*parse(text) == big);
}

TEST(HiveFile, ReaderTakesRegeditQuirksAndAuthoringForms) {
    const std::string text =
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
        "\"orphan\"=\"no key yet\"\r\n"
        "; a comment\r\n"
        "[HKLM\\Software\\App]\r\n"
        "\"Path\"=expand:\"%ProgramFiles%\\App\"\r\n"
        "\"List\"=multi:\"one\", \"two\",\\\r\n"
        "    \"three\"\r\n"
        "\"Bin\"=hex:0A, FF ,\\\r\n"
        "  1,\r\n"
        "\"M\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
        "\"Gone\"=dword:1\r\n"
        "\"Hand\"=\"C:\\Windows\"\r\n"
        "[HKEY_CURRENT_USER\\Software\\App]\r\n"
        "\"User\"=\"not this hive\"\r\n"
        "[hkey_local_machine\\SOFTWARE\\app]\r\n"
        "\"Path\"=\"later wins\"\r\n"
        "\"gone\"=-\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Old\\Deep]\r\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n";
    const auto hive = parse(text);
    const HiveKey* app = at(*hive, {"Software", "App"});
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(hive->children().begin()->first, "Software");
    EXPECT_EQ(at(*hive, {"Software"})->children().size(), 1u);
    EXPECT_EQ(app->valueCount(), 5u);
    EXPECT_EQ(app->valueAt(0)->name, "Path");
    EXPECT_EQ(valueOf(app, "path"), (Value{regtype::Sz, sz("later wins")}));
    EXPECT_EQ(valueOf(app, "List"), (Value{regtype::MultiSz, std::string("one\0two\0three\0\0", 15)}));
    EXPECT_EQ(valueOf(app, "Bin"), (Value{regtype::Binary, "\x0a\xff\x01"}));
    EXPECT_EQ(valueOf(app, "M"), (Value{regtype::MultiSz, std::string("a\0b\0\0", 5)}));
    EXPECT_EQ(valueOf(app, "Hand"), (Value{regtype::Sz, sz("C:\\Windows")}));
    EXPECT_EQ(valueOf(app, "Gone"), std::nullopt);

    const auto hand = parse("[HKLM\\K]\n\"E\"=expand:\"%A%\"\n\"Empty\"=multi:\n");
    EXPECT_EQ(valueOf(at(*hand, {"K"}), "E"), (Value{regtype::ExpandSz, sz("%A%")}));
    EXPECT_EQ(valueOf(at(*hand, {"K"}), "Empty"), (Value{regtype::MultiSz, std::string(1, '\0')}));

    // REGEDIT4 files keep string data as 8-bit text in the code page (Shift_JIS here).
    const auto old = parse("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n\"e\"=hex(2):25,41,25,00\n\"j\"=hex(1):82,a0,00\n");
    EXPECT_EQ(valueOf(at(*old, {"K"}), "e"), (Value{regtype::ExpandSz, sz("%A%")}));
    EXPECT_EQ(valueOf(at(*old, {"K"}), "j"), (Value{regtype::Sz, sz("\xE3\x81\x82")}));
}

TEST(HiveFile, BadInputIsSkippedAndTheRestKept) {
    std::string text =
        "garbage \x01\x02 line\n"
        "[HKEY_LOCAL_MACHINE\\Good]\n"
        "no equals sign\n"
        "\"a\" \"b\"\n"
        "\"unterminated=\"x\n"
        "\"v1\"=\"ok\"\n"
        "\"odd\"=hex:1,zz\n"
        "\"three\"=hex:123\n"
        "\"dw\"=dword:123456789\n"
        "\"ty\"=hex(xyz):00\n"
        "\"str\"=\"open\n"
        "\"nul\"=\"a#b\"\n"
        "\"v2\"=dword:2\n"
        "[HKEY_LOCAL_MACHINE\\Broken\n"
        "\"lost\"=\"x\"\n"
        "[HKEY_LOCAL_MACHINE\\Good]\n"
        "\"long\"=\"";
    text[text.find("a#b") + 1] = '\0';
    text += std::string(1 << 20, 'L') + "\"\n\"hex\"=hex:" + std::string(1 << 20, ',') + "\n";
    text += "\"tail\"=hex:01,\\";
    const auto hive = parse(text);
    const HiveKey* good = at(*hive, {"Good"});
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(hive->children().size(), 1u);
    std::vector<std::string> names;
    good->forEachValue([&](const HiveValue& v) { names.push_back(v.name); });
    EXPECT_EQ(names, (std::vector<std::string>{"v1", "nul", "v2", "long", "tail"}));
    EXPECT_EQ(valueOf(good, "nul")->second, std::string("a\0b\0", 4));
    EXPECT_EQ(valueOf(good, "long")->second.size(), (1u << 20) + 1);
    EXPECT_EQ(valueOf(good, "tail"), (Value{regtype::Binary, "\x01"}));

    // Deeper than 512 levels or a 256-character name: the key line is skipped with its values.
    std::string deep = "[HKLM";
    for (int i = 0; i < 513; ++i) deep += "\\d";
    EXPECT_TRUE(parse(deep + "]\n\"v\"=\"x\"\n[HKLM\\" + std::string(256, 'n') + "]\n\"v\"=\"x\"\n")
                    ->children()
                    .empty());
}

// A regedit export is UTF-16LE after its byte-order mark; in a file without one, each line is
// UTF-8 where it is valid and Shift_JIS where not, so one line spoils no other.
TEST(HiveFile, UnicodeExportsAndMixedLinesReadAsTheyAreMeant) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\ソフト]\r\n"
                             "\"名前\"=\"値\"\r\n\"n\"=dword:00000010\r\n";
    const auto unicode = parse("\xFF\xFE" + utf8ToUtf16le(text));
    EXPECT_EQ(valueOf(at(*unicode, {"ソフト"}), "名前"), (Value{regtype::Sz, sz("値")}));
    EXPECT_EQ(valueOf(at(*unicode, {"ソフト"}), "n"), (Value{regtype::Dword, le32(16)}));

    const auto mixed = parse(text::toShiftJis("[HKEY_LOCAL_MACHINE\\ソフト]\n") + "\"名前\"=\"値\"\n" +
                             text::toShiftJis("\"古い\"=\"データ\"") + "\n");
    EXPECT_EQ(valueOf(at(*mixed, {"ソフト"}), "名前"), (Value{regtype::Sz, sz("値")}));
    EXPECT_EQ(valueOf(at(*mixed, {"ソフト"}), "古い"), (Value{regtype::Sz, sz("データ")}));
}

TEST(HiveFile, WrittenHiveReadsBackTheSame) {
    std::string source =
        "[HKLM\\K]\n\"n\\\"q\"=\"v\"\n\"\"=\"default\"\n\"nul\"=\"x#y\"\n\"crlf\"=hex(1):0d,00,0a,00\n"
        "\"odd\"=hex(2):41\n\"sur\"=hex(1):00,d8,41,00\n\"t\"=hex(ffffffff):\n\"short\"=hex(4):01,02\n\"e\"=hex:\n"
        "\"none\"=hex(0):07\n\"jm\"=hex(7):e5,65,2c,67,00,00,00,00\n"
        "[HKLM\\K\\Ünï]\n[HKLM\\K\\a]b]\n[HKLM\\K\\ sp ]\n\"x\"=dword:ffffffff\n";
    source[source.find("x#y") + 1] = '\0';
    const auto hive = parse(source);
    EXPECT_EQ(valueOf(at(*hive, {"K"}), "nul")->second, std::string("x\0y\0", 4));
    EXPECT_EQ(valueOf(at(*hive, {"K"}), "odd"), (Value{regtype::ExpandSz, ""}));
    EXPECT_EQ(valueOf(at(*hive, {"K"}), "sur"), (Value{regtype::Sz, "?A"}));
    const std::string text = write(*hive);
    const auto again = parse(text);
    EXPECT_TRUE(*again == *hive) << text;
    EXPECT_EQ(write(*again), text);
    EXPECT_NE(at(*again, {"K", "a]b"}), nullptr);
    EXPECT_NE(at(*again, {"K", " sp "}), nullptr);
}

// Every key keeps its value lines between writes; whatever changes, a write gives what a key
// never written before gives.
TEST(HiveFile, KeptValueLinesFollowEveryChange) {
    const std::vector<std::string> names = {"", "A", "b", "Long", "q\"x"};
    const std::vector<std::string> keys = {"K", "k\\Sub", "K\\Other", "Z"};
    std::mt19937 random(11);
    auto number = [&random](std::size_t below) { return std::uniform_int_distribution<std::size_t>(0, below - 1)(random); };
    auto keyAt = [](HiveKey& root, const std::string& path) -> HiveKey& {
        HiveKey* key = &root;
        for (std::size_t start = 0, end; start <= path.size(); start = end + 1) {
            end = std::min(path.find('\\', start), path.size());
            key = &key->child(path.substr(start, end - start));
        }
        return *key;
    };

    HiveKey hive;
    for (int step = 0; step < 300; ++step) {
        HiveKey& key = keyAt(hive, keys[number(keys.size())]);
        const std::string& name = names[number(names.size())];
        switch (number(7)) {
            case 0: key.setValue(name, regtype::Dword, le32(static_cast<std::uint32_t>(number(4)))); break;
            case 1: key.setValue(name, regtype::Sz, sz(std::string(1, static_cast<char>('a' + number(3))))); break;
            case 2: key.setValue(name, regtype::Binary, std::string(number(200), 'b')); break;
            case 3: key.removeValue(name); break;
            case 4: key.clear(); break;
            case 5: hive.child("K").removeChild("Sub"); break;
            default: {
                HiveKey source;
                source.setValue(name, regtype::ExpandSz, sz("%x%"));
                source.child("Sub").setValue("m", regtype::MultiSz, std::string("a\0\0", 3));
                key.mergeFrom(source);
            }
        }
        ASSERT_EQ(write(hive), write(*hive.clone())) << "step " << step;
    }
}

}  // namespace
}  // namespace hastelyn::sandbox::test
