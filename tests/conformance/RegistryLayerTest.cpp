// The program's registry layer (values as texts) on top of each backend.
#include "foundation/CommandError.h"
#include "foundation/RegistryValues.h"
#include "tests/conformance/ConformanceFixture.h"

namespace hastelyn::conformance {
namespace {

using foundation::CommandError;
using foundation::RegistryValues;
using foundation::RegKeyValues;
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
            {"Unknown", {0x1234, "\x01"}},
        };
        for (const auto& [name, value] : values) ASSERT_EQ(set(k, name, value.first, value.second), err::Success);
        for (const char* sub : {"Zeta", "alpha", "Beta"}) create(std::string("Test\\") + sub);
    }

    // The value's text; a reader holding the key open must give the same.
    std::string read(std::string_view name, std::string_view typeName) {
        RegistryValues layer(p());
        const std::string text = layer.ReadRegValue(HKCU, programKey("Test"), name, typeName);
        EXPECT_EQ(RegKeyValues(layer, HKCU, programKey("Test")).read(name, typeName), text) << name;
        return text;
    }
};

TEST_F(RegistryLayer, ReadsEveryTypeAsItsTextOrNullOrUnfitType) {
    EXPECT_EQ(read("MinusOne", "DWORD"), "-1");
    EXPECT_EQ(read("ShortDword", "DWORD"), "5");
    EXPECT_EQ(read("Two", "Binary"), "00000201");
    EXPECT_EQ(read("Mask", "Binary"), "80073E9E");
    EXPECT_EQ(read("Text", "String"), "abc");
    EXPECT_EQ(read("NoNul", "String"), "abc");
    EXPECT_EQ(read("Japanese", "String"), "日本語");
    EXPECT_EQ(read("Expand", "String"), "%SystemRoot%\\x");
    EXPECT_EQ(read("AB", "MultiString"), "A\rB\r");
    EXPECT_EQ(read("Edge", "MultiString"), std::string(252, 'y') + "\r");  // 254 bytes fit in 255
    EXPECT_EQ(read("text", "String"), "abc");

    // A value of another type or size.
    EXPECT_EQ(read("Five", "Binary"), "UnfitType");
    EXPECT_EQ(read("Text", "Binary"), "UnfitType");
    EXPECT_EQ(read("Expand", "Binary"), "UnfitType");
    EXPECT_EQ(read("MinusOne", "Binary"), "UnfitType");
    EXPECT_EQ(read("MinusOne", "String"), "UnfitType");
    EXPECT_EQ(read("Text", "DWORD"), "UnfitType");
    EXPECT_EQ(read("Two", "DWORD"), "UnfitType");

    // Absence, and what cannot be read as asked.
    EXPECT_EQ(read("Empty", "String"), "NULL");
    EXPECT_EQ(read("Long", "MultiString"), "NULL");
    EXPECT_EQ(read("Text", "ExString"), "NULL");
    EXPECT_EQ(read("Text", "Nonsense"), "NULL");
    for (const char* type : {"DWORD", "Binary", "String", "MultiString"}) EXPECT_EQ(read("Missing", type), "NULL");
    RegistryValues layer(p());
    EXPECT_EQ(layer.ReadRegValue(HKCU, programKey("Nowhere"), "Text", "String"), "NULL");
    EXPECT_EQ(layer.ReadRegValue(HKCU, programKey("Nowhere"), "AB", "MultiString"), "NULL");
}

TEST_F(RegistryLayer, WritesTakeTextsAndSkipWhatIsNoValue) {
    RegistryValues layer(p());
    const std::string k = programKey("Test");
    layer.WriteRegValue(HKCU, k, "D", "-1", "DWORD");
    EXPECT_EQ(query(open("Test"), "D"), (Value{regtype::Dword, le32(0xFFFFFFFF)}));
    layer.WriteRegValue(HKCU, k, "D", "$FF", "DWORD");
    EXPECT_EQ(read("D", "DWORD"), "255");
    layer.WriteRegValue(HKCU, k, "D", "4294967295", "DWORD");  // not a signed 32-bit number: skipped
    EXPECT_EQ(read("D", "DWORD"), "255");

    layer.WriteRegValue(HKCU, k, "B", "80073E9E", "Binary");
    EXPECT_EQ(query(open("Test"), "B"), (Value{regtype::Binary, "\x9e\x3e\x07\x80"}));
    layer.WriteRegValue(HKCU, k, "B", "B5", "Binary");
    EXPECT_EQ(read("B", "Binary"), "000000B5");
    try {  // text that is no hex number ends the command, naming the value
        layer.WriteRegValue(HKCU, k, "B", "XYZ", "Binary");
        ADD_FAILURE() << "no error";
    } catch (const CommandError& e) {
        EXPECT_NE(std::string(e.what()).find("\"B\""), std::string::npos) << e.what();
    }
    EXPECT_EQ(read("B", "Binary"), "000000B5");

    layer.WriteRegValue(HKCU, k, "S", "壁紙.bmp", "String");
    EXPECT_EQ(query(open("Test"), "S"), (Value{regtype::Sz, sz("壁紙.bmp")}));
    layer.WriteRegValue(HKCU, k, "E", "%SystemRoot%\\System32\\shmedia.dll", "ExString");
    EXPECT_EQ(query(open("Test"), "E"), (Value{regtype::ExpandSz, sz("%SystemRoot%\\System32\\shmedia.dll")}));

    // "NULL" and "UnfitType" write nothing; a multi-string is never written, but the key is
    // made as for any write, missing parents included.
    layer.WriteRegValue(HKCU, k, "MinusOne", read("MinusOne", "String"), "String");
    EXPECT_EQ(read("MinusOne", "DWORD"), "-1");
    layer.WriteRegValue(HKCU, k, "Text", "NULL", "String");
    EXPECT_EQ(read("Text", "String"), "abc");
    layer.WriteRegValue(HKCU, programKey("Made\\Deep"), "M", "A\rB\r", "MultiString");
    EXPECT_EQ(subkeys(open("Made")), Names{"Deep"});
    EXPECT_EQ(valueNames(open("Made\\Deep")), Names{});
}

TEST_F(RegistryLayer, TypesSubkeysAndExistence) {
    RegistryValues layer(p());
    const std::string k = programKey("Test");
    const std::pair<const char*, const char*> types[] = {
        {"Text", "String"}, {"Expand", "ExString"}, {"MinusOne", "DWORD"}, {"Two", "Binary"},
        {"AB", "Unknown"},  {"Unknown", "Unknown"}, {"Missing", "Unknown"},
    };
    const RegKeyValues held(layer, HKCU, k);
    for (const auto& [name, type] : types) {
        EXPECT_EQ(layer.GetRegValueType(HKCU, k, name), type) << name;
        EXPECT_EQ(held.type(name), type) << name;
    }
    EXPECT_EQ(layer.GetRegValueType(HKCU, programKey("Nowhere"), "Text"), "Unknown");
    const RegKeyValues nowhere(layer, HKCU, programKey("Nowhere"));
    EXPECT_EQ(nowhere.type("Text"), "Unknown");
    EXPECT_EQ(nowhere.read("Text", "String"), "NULL");

    EXPECT_EQ(*layer.GetRegSubKeys(HKCU, k), (Names{"alpha", "Beta", "Zeta"}));
    EXPECT_TRUE(layer.GetRegSubKeys(HKCU, programKey("Nowhere"))->empty());

    EXPECT_TRUE(layer.RegKeyOrValueExists(HKCU, k, "ZETA", "Key"));
    EXPECT_FALSE(layer.RegKeyOrValueExists(HKCU, k, "Text", "Key"));
    EXPECT_TRUE(layer.RegKeyOrValueExists(HKCU, k, "text", "Value"));
    EXPECT_FALSE(layer.RegKeyOrValueExists(HKCU, k, "Zeta", "Value"));
    EXPECT_FALSE(layer.RegKeyOrValueExists(HKCU, k, "Text", "value"));
    EXPECT_FALSE(layer.RegKeyOrValueExists(HKCU, programKey("Nowhere"), "x", "Key"));

    layer.DeleteRegValue(HKCU, k, "Text");
    layer.DeleteRegValue(HKCU, k, "Text");
    layer.DeleteRegValue(HKCU, programKey("Nowhere"), "Text");
    EXPECT_EQ(read("Text", "String"), "NULL");
}

TEST_F(RegistryLayer, KeysAreDeletedAndMovedWithEverythingBelow) {
    RegistryValues layer(p());
    const std::string ext = programKey("Ext");
    layer.WriteRegValue(HKCU, programKey("Ext\\{FB5F}\\Sub"), "V", "7", "DWORD");
    layer.WriteRegValue(HKCU, programKey("Ext\\{FB5F}"), "Name", "メッセンジャー", "String");

    layer.MoveRegKey(HKCU, programKey("Ext\\{FB5F}"), programKey("Ext\\;{FB5F}"));
    EXPECT_EQ(subkeys(open("Ext")), Names{";{FB5F}"});
    EXPECT_EQ(layer.ReadRegValue(HKCU, programKey("Ext\\;{FB5F}"), "Name", "String"), "メッセンジャー");
    EXPECT_EQ(layer.ReadRegValue(HKCU, programKey("Ext\\;{FB5F}\\Sub"), "V", "DWORD"), "7");
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
