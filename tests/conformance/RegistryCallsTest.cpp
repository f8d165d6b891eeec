// The registry interface itself, as RegOpenKeyExA, RegQueryValueExA, RegEnumKeyExA, SHDeleteKeyA
// and SHCopyKeyA behave on Windows.
#include <algorithm>

#include "tests/conformance/ConformanceFixture.h"

namespace hastelyn::conformance {
namespace {

using RegistryCalls = Conformance;

TEST_F(RegistryCalls, EveryTypeKeepsItsTypeAndExactBytes) {
    const std::vector<std::pair<std::string, Value>> values = {
        {"", {regtype::Sz, sz("default")}},
        {"Dword", {regtype::Dword, le32(0x8000001F)}},
        {"Binary4", {regtype::Binary, std::string("\x9e\x3e\x07\x80", 4)}},
        {"Binary2", {regtype::Binary, std::string("\x01\x02", 2)}},
        {"Binary5", {regtype::Binary, std::string("\x01\x02\x03\x04\x05", 5)}},
        {"BinaryEmpty", {regtype::Binary, ""}},
        {"Expand", {regtype::ExpandSz, sz("%SystemRoot%\\system32")}},  // never expanded
        {"Multi", {regtype::MultiSz, std::string("a\0bc\0\0", 6)}},
        {"Lines", {regtype::Sz, sz("a\r\nb \"q\" \\")}},
        {"ShortDword", {regtype::Dword, std::string("\x05\x00", 2)}},
        {"None", {regtype::None, "\x07"}},
        {"Unknown", {0x1234, std::string("\x00\x01\x02", 3)}},
    };
    const KeyHandle k = create("Types");
    for (const auto& [name, value] : values) ASSERT_EQ(set(k, name, value.first, value.second), err::Success) << name;

    // Through the handle that wrote them and through a fresh one.
    const KeyHandle again = open("types");
    for (const auto& [name, value] : values) {
        EXPECT_EQ(query(k, name), value) << name;
        EXPECT_EQ(query(again, name), value) << name;
    }
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(reg().queryValue(again, "Missing", &type, nullptr, &size), err::FileNotFound);
    EXPECT_EQ(reg().queryValue(again, "Dword", nullptr, nullptr, nullptr), err::Success);
    std::uint8_t byte = 0;
    EXPECT_EQ(reg().queryValue(again, "Dword", nullptr, &byte, nullptr), err::InvalidParameter);

    // Every value is listed, under the name it was written with.
    EXPECT_EQ(set(k, "DWORD", regtype::Dword, le32(1)), err::Success);
    Names expected;
    for (const auto& entry : values) expected.push_back(entry.first);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(valueNames(again), expected);
    std::string name;
    EXPECT_EQ(reg().enumValue(again, static_cast<std::uint32_t>(values.size()), name), err::NoMoreItems);

    EXPECT_EQ(reg().deleteValue(k, "Binary2"), err::Success);
    EXPECT_EQ(reg().deleteValue(k, "Binary2"), err::FileNotFound);
    EXPECT_EQ(query(again, "Binary2"), std::nullopt);
}

// What a string set without its terminating NUL gives back: the size counts the NUL only when
// it was stored ("this size includes any terminating null character or characters unless the
// data was stored without them").
TEST_F(RegistryCalls, StringsComeBackWithTheNulsTheyWereStoredWith) {
    const std::pair<std::string, Value> values[] = {
        {"With", {regtype::Sz, sz("abc")}},    {"Without", {regtype::Sz, "abc"}},
        {"ExpandWithout", {regtype::ExpandSz, "%TEMP%"}}, {"Empty", {regtype::Sz, sz("")}},
        {"Nothing", {regtype::Sz, ""}},        {"TwoNuls", {regtype::Sz, std::string("a\0\0", 3)}},
    };
    const KeyHandle k = create("Strings");
    for (const auto& [name, value] : values) ASSERT_EQ(set(k, name, value.first, value.second), err::Success) << name;
    for (const auto& [name, value] : values) EXPECT_EQ(query(k, name), value) << name;
    EXPECT_EQ(query(k, ""), std::nullopt) << "a key has no default value of its own";
}

// The size protocol callers rely on: a size query (no buffer) or a buffer too small
// (MoreData) reports a size that is enough, and a buffer of that size gets the data and its
// exact size. Binary data reports its exact size every time; for strings the ANSI calls of NT
// may report more (the size of the text as stored), so only "enough" is asked of them.
TEST_F(RegistryCalls, SizeQueriesAndMoreDataReportEnoughRoom) {
    const KeyHandle k = create("Sizes");
    const std::vector<std::pair<std::string, Value>> values = {
        {"Binary", {regtype::Binary, "12345"}},
        {"Ascii", {regtype::Sz, sz("abcdefgh")}},
        {"Japanese", {regtype::Sz, sz("日本語の値")}},
        {"Multi", {regtype::MultiSz, std::string("日本\0語\0\0", 12)}},
        {"Expand", {regtype::ExpandSz, sz("%WINDIR%\\表示")}},
    };
    for (const auto& [name, value] : values) ASSERT_EQ(set(k, name, value.first, value.second), err::Success);

    for (const auto& [name, value] : values) {
        SCOPED_TRACE(name);
        const auto exact = static_cast<std::uint32_t>(value.second.size());
        const bool binary = value.first == regtype::Binary;
        std::uint32_t type = 0, size = 0;
        ASSERT_EQ(reg().queryValue(k, name, &type, nullptr, &size), err::Success);
        EXPECT_EQ(type, value.first);
        if (binary) {
            EXPECT_EQ(size, exact);
        }
        EXPECT_GE(size, exact);

        std::string small(exact - 1, '\0');
        std::uint32_t smallSize = exact - 1;
        EXPECT_EQ(reg().queryValue(k, name, &type, reinterpret_cast<std::uint8_t*>(small.data()), &smallSize),
                  err::MoreData);
        if (binary) {
            EXPECT_EQ(smallSize, exact);
        }
        EXPECT_GE(smallSize, exact);

        std::string buffer(size, '\0');
        ASSERT_EQ(reg().queryValue(k, name, &type, reinterpret_cast<std::uint8_t*>(buffer.data()), &size),
                  err::Success);
        EXPECT_EQ(size, exact);
        EXPECT_EQ(buffer.substr(0, size), value.second);
    }
}

TEST_F(RegistryCalls, NamesAreCaseInsensitiveAndKeepTheirFirstCase) {
    const KeyHandle k = create("MixedCase");
    ASSERT_EQ(set(k, "Setting", regtype::Sz, sz("one")), err::Success);
    ASSERT_EQ(set(k, "Other", regtype::Sz, sz("x")), err::Success);
    ASSERT_EQ(set(k, "SETTING", regtype::Sz, sz("two")), err::Success);
    create("MIXEDCASE\\Sub");
    const KeyHandle again = open("mixedcase");
    EXPECT_EQ(query(again, "setting"), (Value{regtype::Sz, sz("two")}));
    EXPECT_EQ(valueNames(again), (Names{"Other", "Setting"}));
    EXPECT_EQ(subkeys(again), Names{"Sub"});
    EXPECT_EQ(subkeys(open("")), Names{"MixedCase"});

    // Japanese key and value names and data round-trip; a Shift_JIS trail byte 0x5C ("表", "ソ")
    // is no path separator.
    const KeyHandle japanese = create("ソフト\\表示");
    ASSERT_EQ(set(japanese, "値の名前", regtype::Sz, sz("日本語のデータ")), err::Success);
    EXPECT_EQ(subkeys(open("ソフト")), Names{"表示"});
    EXPECT_EQ(valueNames(open("ソフト\\表示")), Names{"値の名前"});
    EXPECT_EQ(query(open("ソフト\\表示"), "値の名前"), (Value{regtype::Sz, sz("日本語のデータ")}));

    KeyHandle h;
    EXPECT_EQ(reg().openKey(RootKey::CurrentUser, key("Missing"), KeyAccess::Query, h), err::FileNotFound);
    EXPECT_FALSE(h);
    EXPECT_EQ(reg().openKey(RootKey::CurrentUser, key("ソフト\\表"), KeyAccess::Query, h), err::FileNotFound);
}

// Windows leaves the order open, but the NT registry keeps subkeys sorted by their upper-case
// names, whatever order they were made in; the program lists them in that order.
TEST_F(RegistryCalls, SubkeysEnumerateInTheNtRegistryOrder) {
    for (const char* name : {"b", "あ", "Z", "a1", "A", "10", "9"}) create(std::string("Order\\") + name);
    const KeyHandle order = open("Order");
    EXPECT_EQ(subkeys(order), (Names{"10", "9", "A", "a1", "b", "Z", "あ"}));
    std::string name;
    EXPECT_EQ(reg().enumKey(order, 4, name), err::Success);
    EXPECT_EQ(name, "b");
    EXPECT_EQ(reg().enumKey(order, 1, name), err::Success);
    EXPECT_EQ(name, "9");
    EXPECT_EQ(reg().enumKey(order, 7, name), err::NoMoreItems);

    if (checks("UnderscoreAfterLetters")) {
        // Upper-case comparison puts "_" (0x5F) after the letters (0x41-0x5A).
        for (const char* sub : {"_x", "a", "Y"}) create(std::string("Fold\\") + sub);
        EXPECT_EQ(subkeys(open("Fold")), (Names{"a", "Y", "_x"}));
    }
}

TEST_F(RegistryCalls, TreesAreCopiedAndDeletedWhole) {
    const KeyHandle a = create("A");
    ASSERT_EQ(set(a, "v", regtype::Sz, sz("a")), err::Success);
    ASSERT_EQ(set(create("A\\S\\T"), "deep", regtype::Dword, le32(1)), err::Success);
    create("A\\S\\U");

    // Into a new key: everything below comes along.
    const KeyHandle copy = create("Copy");
    ASSERT_EQ(reg().copyTree(a, "", copy), err::Success);
    EXPECT_EQ(query(open("Copy"), "v"), (Value{regtype::Sz, sz("a")}));
    EXPECT_EQ(subkeys(open("Copy\\S")), (Names{"T", "U"}));
    EXPECT_EQ(query(open("Copy\\S\\T"), "deep"), (Value{regtype::Dword, le32(1)}));

    // Into a key that has values already: those of the source replace theirs, the rest stay.
    const KeyHandle merged = create("Merged");
    ASSERT_EQ(set(merged, "v", regtype::Sz, sz("old")), err::Success);
    ASSERT_EQ(set(merged, "keep", regtype::Sz, sz("k")), err::Success);
    ASSERT_EQ(reg().copyTree(a, "S", merged), err::Success);
    ASSERT_EQ(reg().copyTree(a, "", merged), err::Success);
    EXPECT_EQ(query(merged, "v"), (Value{regtype::Sz, sz("a")}));
    EXPECT_EQ(query(merged, "keep"), (Value{regtype::Sz, sz("k")}));
    EXPECT_EQ(subkeys(open("Merged")), (Names{"S", "T", "U"}));
    EXPECT_NE(reg().copyTree(a, "None", merged), err::Success);

    // Deleting takes the subtree, and only it.
    EXPECT_EQ(reg().deleteTree(a, "s"), err::Success);
    EXPECT_EQ(subkeys(open("A")), Names{});
    EXPECT_NE(reg().deleteTree(a, "S"), err::Success);
    EXPECT_EQ(query(open("A"), "v"), (Value{regtype::Sz, sz("a")}));
    EXPECT_EQ(subkeys(open("Copy\\S")), (Names{"T", "U"}));
    const KeyHandle scratch = open("", KeyAccess::Full);
    EXPECT_EQ(reg().deleteTree(scratch, "Copy\\S"), err::Success);
    EXPECT_EQ(subkeys(open("Copy")), Names{});
}

}  // namespace
}  // namespace hastelyn::conformance
