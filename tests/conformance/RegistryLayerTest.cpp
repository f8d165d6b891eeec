// The program's registry layer (values as texts) on top of each backend.
#include "foundation/CommandError.h"
#include "foundation/RegistryValues.h"
#include "tests/conformance/ConformanceFixture.h"
#include "tests/support/CommandErrorText.h"

namespace hastelyn::conformance {
namespace {

using foundation::CommandError;
using foundation::RegistryValues;
using foundation::RegKeyValues;
using foundation::Exists;
using foundation::RegType;
constexpr auto HKCU = RootKey::CurrentUser;

class RegistryLayer : public Conformance {
protected:
    void SetUp() override {
        Conformance::SetUp();
        if (IsSkipped()) return;
        const KeyHandle k = create("Test");
        const std::vector<std::pair<std::string, Value>> values = {
            {"MinusOne", {regtype::Dword, le32(0xFFFFFFFF)}},
            {"Two", {regtype::Binary, "\x01\x02"}},
            {"Five", {regtype::Binary, "\x01\x02\x03\x04\x05"}},
            {"Mask", {regtype::Binary, "\x9e\x3e\x07\x80"}},
            {"ShortDword", {regtype::Dword, std::string("\x05\x00", 2)}},
            {"Empty", {regtype::Sz, sz("")}},
            {"Text", {regtype::Sz, sz("abc")}},
            {"NoNul", {regtype::Sz, "abc"}},
            {"Japanese", {regtype::Sz, sz("日本語")}},
            {"Expand", {regtype::ExpandSz, sz("%SystemRoot%\\x")}},
            {"AB", {regtype::MultiSz, std::string("A\0B\0\0", 5)}},
            {"Long", {regtype::MultiSz, std::string(300, 'x') + std::string(2, '\0')}},
            {"Edge", {regtype::MultiSz, std::string(252, 'y') + std::string(2, '\0')}},
            {"Fits", {regtype::MultiSz, std::string(253, 'w') + std::string(2, '\0')}},
            {"OneOver", {regtype::MultiSz, std::string(254, 'z') + std::string(2, '\0')}},
            {"Unknown", {0x1234, "\x01"}},
        };
        for (const auto& [name, value] : values) ASSERT_EQ(set(k, name, value.first, value.second), err::Success);
        for (const char* sub : {"Zeta", "alpha", "Beta"}) create(std::string("Test\\") + sub);
    }

    // The value's text; a reader holding the key open must give the same.
    std::string read(std::string_view name, RegType type) {
        RegistryValues layer(p());
        const std::string text = layer.ReadRegValue(HKCU, programKey("Test"), name, type);
        EXPECT_EQ(RegKeyValues(layer, HKCU, programKey("Test")).read(name, type), text) << name;
        return text;
    }
};

TEST_F(RegistryLayer, ReadsEveryTypeAsItsTextOrNullOrUnfitType) {
    EXPECT_EQ(read("MinusOne", RegType::DWORD), "-1");
    EXPECT_EQ(read("ShortDword", RegType::DWORD), "5");
    EXPECT_EQ(read("Two", RegType::Binary), "00000201");
    EXPECT_EQ(read("Mask", RegType::Binary), "80073E9E");
    EXPECT_EQ(read("Text", RegType::String), "abc");
    EXPECT_EQ(read("NoNul", RegType::String), "abc");
    EXPECT_EQ(read("Japanese", RegType::String), "日本語");
    EXPECT_EQ(read("Expand", RegType::String), "%SystemRoot%\\x");
    EXPECT_EQ(read("AB", RegType::MultiString), "A\rB\r");
    EXPECT_EQ(read("Edge", RegType::MultiString), std::string(252, 'y') + "\r");  // 254 bytes fit in 255
    EXPECT_EQ(read("text", RegType::String), "abc");

    // A value of another type or size.
    EXPECT_EQ(read("Five", RegType::Binary), "UnfitType");
    EXPECT_EQ(read("Text", RegType::Binary), "UnfitType");
    EXPECT_EQ(read("Expand", RegType::Binary), "UnfitType");
    EXPECT_EQ(read("MinusOne", RegType::Binary), "UnfitType");
    EXPECT_EQ(read("MinusOne", RegType::String), "UnfitType");
    EXPECT_EQ(read("Text", RegType::DWORD), "UnfitType");
    EXPECT_EQ(read("Two", RegType::DWORD), "UnfitType");

    // Absence, and what cannot be read as asked.
    EXPECT_EQ(read("Empty", RegType::String), "NULL");
    EXPECT_EQ(read("Long", RegType::MultiString), "NULL");
    EXPECT_EQ(read("Fits", RegType::MultiString), std::string(253, 'w') + "\r");  // 255 bytes
    EXPECT_EQ(read("OneOver", RegType::MultiString), "NULL");                       // 256 bytes
    EXPECT_EQ(read("Text", RegType::ExString), "NULL");
    for (RegType type : {RegType::DWORD, RegType::Binary, RegType::String, RegType::MultiString}) EXPECT_EQ(read("Missing", type), "NULL");
    RegistryValues layer(p());
    EXPECT_EQ(layer.ReadRegValue(HKCU, programKey("Nowhere"), "Text", RegType::String), "NULL");
    EXPECT_EQ(layer.ReadRegValue(HKCU, programKey("Nowhere"), "AB", RegType::MultiString), "NULL");
}

TEST_F(RegistryLayer, WritesTakeTextsAndSkipWhatIsNoValue) {
    RegistryValues layer(p());
    const std::string k = programKey("Test");
    layer.WriteRegValue(HKCU, k, "D", "-1", RegType::DWORD);
    EXPECT_EQ(query(open("Test"), "D"), (Value{regtype::Dword, le32(0xFFFFFFFF)}));
    layer.WriteRegValue(HKCU, k, "D", "$FF", RegType::DWORD);
    EXPECT_EQ(read("D", RegType::DWORD), "255");
    layer.WriteRegValue(HKCU, k, "D", "4294967295", RegType::DWORD);  // not a signed 32-bit number: skipped
    EXPECT_EQ(read("D", RegType::DWORD), "255");

    layer.WriteRegValue(HKCU, k, "B", "80073E9E", RegType::Binary);
    EXPECT_EQ(query(open("Test"), "B"), (Value{regtype::Binary, "\x9e\x3e\x07\x80"}));
    layer.WriteRegValue(HKCU, k, "B", "B5", RegType::Binary);
    EXPECT_EQ(read("B", RegType::Binary), "000000B5");
    // Text that is no hex number ends the command, naming the value.
    const std::string notHex =
        testing::commandErrorOf([&] { layer.WriteRegValue(HKCU, k, "B", "XYZ", RegType::Binary); });
    EXPECT_NE(notHex.find("\"B\""), std::string::npos) << notHex;
    EXPECT_EQ(read("B", RegType::Binary), "000000B5");

    layer.WriteRegValue(HKCU, k, "S", "壁紙.bmp", RegType::String);
    EXPECT_EQ(query(open("Test"), "S"), (Value{regtype::Sz, sz("壁紙.bmp")}));
    layer.WriteRegValue(HKCU, k, "E", "%SystemRoot%\\System32\\shmedia.dll", RegType::ExString);
    EXPECT_EQ(query(open("Test"), "E"), (Value{regtype::ExpandSz, sz("%SystemRoot%\\System32\\shmedia.dll")}));

    // "NULL" and "UnfitType" write nothing; a multi-string is never written, but the key is
    // made as for any write, missing parents included.
    layer.WriteRegValue(HKCU, k, "MinusOne", read("MinusOne", RegType::String), RegType::String);
    EXPECT_EQ(read("MinusOne", RegType::DWORD), "-1");
    layer.WriteRegValue(HKCU, k, "Text", "NULL", RegType::String);
    EXPECT_EQ(read("Text", RegType::String), "abc");
    // A key path holding a NUL reaches the registry cut there, as the ANSI API reads it.
    layer.WriteRegValue(HKCU, k + std::string("\0Other", 6), "Cut", "here", RegType::String);
    EXPECT_EQ(read("Cut", RegType::String), "here");
    EXPECT_EQ(layer.ReadRegValue(HKCU, k + std::string("\0Other", 6), "Cut", RegType::String), "here");
    layer.WriteRegValue(HKCU, programKey("Made\\Deep"), "M", "A\rB\r", RegType::MultiString);
    EXPECT_EQ(subkeys(open("Made")), Names{"Deep"});
    EXPECT_EQ(valueNames(open("Made\\Deep")), Names{});
}

TEST_F(RegistryLayer, TypesSubkeysAndExistence) {
    RegistryValues layer(p());
    const std::string k = programKey("Test");
    const std::pair<const char*, std::optional<RegType>> types[] = {
        {"Text", RegType::String}, {"Expand", RegType::ExString}, {"MinusOne", RegType::DWORD}, {"Two", RegType::Binary},
        {"AB", std::nullopt},  {"Unknown", std::nullopt}, {"Missing", std::nullopt},
    };
    const RegKeyValues held(layer, HKCU, k);
    for (const auto& [name, type] : types) {
        EXPECT_EQ(layer.GetRegValueType(HKCU, k, name), type) << name;
        EXPECT_EQ(held.type(name), type) << name;
    }
    EXPECT_EQ(layer.GetRegValueType(HKCU, programKey("Nowhere"), "Text"), std::nullopt);
    const RegKeyValues nowhere(layer, HKCU, programKey("Nowhere"));
    EXPECT_EQ(nowhere.type("Text"), std::nullopt);
    EXPECT_EQ(nowhere.read("Text", RegType::String), "NULL");

    EXPECT_EQ(*layer.GetRegSubKeys(HKCU, k), (Names{"alpha", "Beta", "Zeta"}));
    EXPECT_TRUE(layer.GetRegSubKeys(HKCU, programKey("Nowhere"))->empty());

    EXPECT_TRUE(layer.RegKeyOrValueExists(HKCU, k, "ZETA", Exists::Key));
    EXPECT_FALSE(layer.RegKeyOrValueExists(HKCU, k, "Text", Exists::Key));
    EXPECT_TRUE(layer.RegKeyOrValueExists(HKCU, k, "text", Exists::Value));
    EXPECT_FALSE(layer.RegKeyOrValueExists(HKCU, k, "Zeta", Exists::Value));
    EXPECT_FALSE(layer.RegKeyOrValueExists(HKCU, programKey("Nowhere"), "x", Exists::Key));

    layer.DeleteRegValue(HKCU, k, "Text");
    layer.DeleteRegValue(HKCU, k, "Text");
    layer.DeleteRegValue(HKCU, programKey("Nowhere"), "Text");
    EXPECT_EQ(read("Text", RegType::String), "NULL");
}

TEST_F(RegistryLayer, KeysAreDeletedAndMovedWithEverythingBelow) {
    RegistryValues layer(p());
    const std::string ext = programKey("Ext");
    layer.WriteRegValue(HKCU, programKey("Ext\\{FB5F}\\Sub"), "V", "7", RegType::DWORD);
    layer.WriteRegValue(HKCU, programKey("Ext\\{FB5F}"), "Name", "メッセンジャー", RegType::String);

    layer.MoveRegKey(HKCU, programKey("Ext\\{FB5F}"), programKey("Ext\\;{FB5F}"));
    EXPECT_EQ(subkeys(open("Ext")), Names{";{FB5F}"});
    EXPECT_EQ(layer.ReadRegValue(HKCU, programKey("Ext\\;{FB5F}"), "Name", RegType::String), "メッセンジャー");
    EXPECT_EQ(layer.ReadRegValue(HKCU, programKey("Ext\\;{FB5F}\\Sub"), "V", RegType::DWORD), "7");
    // A key that does not exist moves nothing; a key never moves below itself.
    layer.MoveRegKey(HKCU, programKey("Ext\\{FB5F}"), programKey("Ext\\Other"));
    EXPECT_EQ(subkeys(open("Ext")), Names{";{FB5F}"});
    EXPECT_THROW(layer.MoveRegKey(HKCU, ext, programKey("Ext\\Inner")), CommandError);
    EXPECT_EQ(subkeys(open("Ext")), Names{";{FB5F}"});

    layer.DeleteRegKey(HKCU, programKey("Ext\\;{FB5F}"));
    EXPECT_EQ(subkeys(open("Ext")), Names{});
    layer.DeleteRegKey(HKCU, programKey("Ext\\;{FB5F}"));
    layer.DeleteRegKey(HKCU, ext);
    EXPECT_EQ(subkeys(open("")), Names{"Test"});
}

}  // namespace
}  // namespace hastelyn::conformance
