#include <gtest/gtest.h>

#include "foundation/CommandError.h"
#include "foundation/RegistryValues.h"
#include "tests/foundation/SandboxFixture.h"

namespace hastelyn::foundation {
namespace {

using platform::RootKey;
using testing::MiniMachine;
using testing::SandboxFixture;

constexpr auto HKLM = RootKey::LocalMachine;
constexpr auto HKCU = RootKey::CurrentUser;
constexpr auto HKCR = RootKey::ClassesRoot;
const char* const kKey = "\\Software\\Test\\";

MiniMachine machineWithValues(bool restricted = false) {
    MiniMachine m;
    m.restrictedAccount(restricted);
    const std::initializer_list<std::string_view> lines = {
        "[HKEY_LOCAL_MACHINE\\Software\\Test]",
        "\"MinusOne\"=dword:ffffffff",
        "\"Two\"=hex:01,02",
        "\"Five\"=hex:01,02,03,04,05",
        "\"Empty\"=\"\"",
        "\"Text\"=\"abc\"",
        "\"Expand\"=expand:\"%SystemRoot%\\\\x\"",
        "\"AB\"=multi:\"A\",\"B\"",
        "\"Mask\"=hex:9e,3e,07,80",
        "\"ShortDword\"=hex(4):05,00",
        "\"Unknown\"=hex(1234):01",
        "[HKEY_LOCAL_MACHINE\\Software\\Test\\Zeta]",
        "[HKEY_LOCAL_MACHINE\\Software\\Test\\alpha]",
        "[HKEY_LOCAL_MACHINE\\Software\\Test\\Beta]",
    };
    m.hive(HKLM, lines);
    m.hive(HKCU, {"[HKEY_CURRENT_USER\\Software\\Test]", "\"Text\"=\"user\""});
    m.hive(HKCR, {"[HKEY_CLASSES_ROOT\\CLSID\\{X}]", "@=\"Handler\""});
    return m;
}

TEST(RegistryValues, ReadsEveryTypeAsItsText) {
    SandboxFixture fx(machineWithValues());
    RegistryValues reg(fx.platform());
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "MinusOne", "DWORD"), "-1");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Two", "Binary"), "00000201");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Mask", "Binary"), "80073E9E");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Five", "Binary"), "UnfitType");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", "Binary"), "UnfitType");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "MinusOne", "Binary"), "UnfitType");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "MinusOne", "String"), "UnfitType");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", "DWORD"), "UnfitType");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "ShortDword", "DWORD"), "5");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Empty", "String"), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Expand", "String"), "%SystemRoot%\\x");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", "ExString"), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", "Nonsense"), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "AB", "MultiString"), "A\rB\r");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Missing", "DWORD"), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Missing", "Binary"), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, "\\Software\\Nowhere", "Text", "String"), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, "\\Software\\Nowhere", "AB", "MultiString"), "NULL");
    // Names are case-insensitive.
    EXPECT_EQ(reg.ReadRegValue(HKLM, "\\SOFTWARE\\test", "text", "String"), "abc");
}

TEST(RegistryValues, MultiStringReadStopsAt255Bytes) {
    MiniMachine m;
    const std::string longEntry(300, 'x');
    m.hive(HKLM, {"[HKEY_LOCAL_MACHINE\\Software\\Test]", "\"Long\"=multi:\"" + longEntry + "\"",
                  "\"Edge\"=multi:\"" + std::string(252, 'y') + "\""});
    SandboxFixture fx(m);
    RegistryValues reg(fx.platform());
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Long", "MultiString"), "NULL");
    // 252 characters, NUL, NUL: 254 bytes fit.
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Edge", "MultiString"), std::string(252, 'y') + "\r");
}

TEST(RegistryValues, WritesTakeTextsAndSkipWhatIsNotAValue) {
    SandboxFixture fx(machineWithValues());
    RegistryValues reg(fx.platform());
    reg.WriteRegValue(HKLM, kKey, "D", "-1", "DWORD");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "D", "DWORD"), "-1");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "D"), "DWORD");
    reg.WriteRegValue(HKLM, kKey, "D", "4294967295", "DWORD");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "D", "DWORD"), "-1");
    reg.WriteRegValue(HKLM, kKey, "D", "$FF", "DWORD");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "D", "DWORD"), "255");

    reg.WriteRegValue(HKLM, kKey, "B", "80073E9E", "Binary");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "B", "Binary"), "80073E9E");
    reg.WriteRegValue(HKLM, kKey, "B", "B5", "Binary");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "B", "Binary"), "000000B5");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "B"), "Binary");

    reg.WriteRegValue(HKLM, kKey, "E", "%SystemRoot%\\System32\\shmedia.dll", "ExString");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "E"), "ExString");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "E", "String"), "%SystemRoot%\\System32\\shmedia.dll");

    // A DWORD read as a string gives "UnfitType"; writing it back changes nothing.
    const std::string unfit = reg.ReadRegValue(HKLM, kKey, "MinusOne", "String");
    reg.WriteRegValue(HKLM, kKey, "MinusOne", unfit, "String");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "MinusOne"), "DWORD");
    reg.WriteRegValue(HKLM, kKey, "Text", "NULL", "String");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", "String"), "abc");
    // A multi-string is never written; the key is still made as for any write.
    reg.WriteRegValue(HKLM, "\\Software\\Made", "M", "A\rB\r", "MultiString");
    EXPECT_EQ(reg.GetRegValueType(HKLM, "\\Software\\Made", "M"), "Unknown");
    EXPECT_TRUE(reg.RegKeyOrValueExists(HKLM, "\\Software", "Made", "Key"));

    // Missing parents are created; the write survives a fresh sandbox on the same folder.
    reg.WriteRegValue(HKCU, "\\Control Panel\\Desktop\\New\\Deep", "Wallpaper", "壁紙.bmp", "String");
    sandbox::SandboxPlatform again(fx.folder());
    RegistryValues reread(again.platform());
    EXPECT_EQ(reread.ReadRegValue(HKCU, "\\Control Panel\\Desktop\\New\\Deep", "Wallpaper", "String"), "壁紙.bmp");
    EXPECT_EQ(reread.ReadRegValue(HKLM, kKey, "B", "Binary"), "000000B5");
}

TEST(RegistryValues, NonHexBinaryTextEndsTheCommandAndWritesNothing) {
    SandboxFixture fx(machineWithValues());
    RegistryValues reg(fx.platform());
    try {
        reg.WriteRegValue(HKLM, kKey, "Mask", "XYZ", "Binary");
        FAIL() << "no error";
    } catch (const CommandError& e) {
        EXPECT_NE(std::string(e.what()).find("Mask"), std::string::npos) << e.what();
    }
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Mask", "Binary"), "80073E9E");
}

TEST(RegistryValues, TypesKeysAndExistence) {
    SandboxFixture fx(machineWithValues());
    RegistryValues reg(fx.platform());
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "Text"), "String");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "Expand"), "ExString");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "AB"), "Unknown");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "Unknown"), "Unknown");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "Missing"), "Unknown");
    EXPECT_EQ(reg.GetRegValueType(HKLM, "\\Nowhere", "Text"), "Unknown");

    EXPECT_EQ(*reg.GetRegSubKeys(HKLM, kKey), (std::vector<std::string>{"alpha", "Beta", "Zeta"}));
    EXPECT_TRUE(reg.GetRegSubKeys(HKLM, "\\Nowhere")->empty());

    EXPECT_TRUE(reg.RegKeyOrValueExists(HKLM, kKey, "ZETA", "Key"));
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, kKey, "Text", "Key"));
    EXPECT_TRUE(reg.RegKeyOrValueExists(HKLM, kKey, "text", "Value"));
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, kKey, "Zeta", "Value"));
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, kKey, "Text", "value"));
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, "\\Nowhere", "x", "Key"));

    reg.DeleteRegValue(HKLM, kKey, "Text");
    reg.DeleteRegValue(HKLM, kKey, "Text");
    reg.DeleteRegValue(HKLM, "\\Nowhere", "Text");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", "String"), "NULL");
}

TEST(RegistryValues, DeleteAndMoveWholeKeys) {
    SandboxFixture fx(machineWithValues());
    RegistryValues reg(fx.platform());
    reg.WriteRegValue(HKLM, "\\Software\\Ext\\{FB5F}\\Sub", "V", "7", "DWORD");
    reg.WriteRegValue(HKLM, "\\Software\\Ext\\{FB5F}", "Name", "Messenger", "String");

    reg.MoveRegKey(HKLM, "\\Software\\Ext\\{FB5F}", "\\Software\\Ext\\;{FB5F}");
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, "\\Software\\Ext", "{FB5F}", "Key"));
    EXPECT_EQ(reg.ReadRegValue(HKLM, "\\Software\\Ext\\;{FB5F}", "Name", "String"), "Messenger");
    EXPECT_EQ(reg.ReadRegValue(HKLM, "\\Software\\Ext\\;{FB5F}\\Sub", "V", "DWORD"), "7");
    // An old key that does not exist moves nothing.
    reg.MoveRegKey(HKLM, "\\Software\\Ext\\{FB5F}", "\\Software\\Ext\\Other");
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, "\\Software\\Ext", "Other", "Key"));
    EXPECT_THROW(reg.MoveRegKey(HKLM, "\\Software\\Ext", "\\Software\\Ext\\Inner"), CommandError);
    EXPECT_TRUE(reg.RegKeyOrValueExists(HKLM, "\\Software\\Ext", ";{FB5F}", "Key"));

    reg.DeleteRegKey(HKLM, "\\Software\\Ext\\;{FB5F}");
    EXPECT_TRUE(reg.GetRegSubKeys(HKLM, "\\Software\\Ext")->empty());
    reg.DeleteRegKey(HKLM, "\\");  // never a whole root
    EXPECT_TRUE(reg.RegKeyOrValueExists(HKLM, "\\Software", "Test", "Key"));
    reg.DeleteRegKey(HKCR, "\\CLSID\\{X}");
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKCR, "\\CLSID", "{X}", "Key"));
}

TEST(RegistryValues, RestrictedAccountSeesMachineKeysAsAbsent) {
    SandboxFixture fx(machineWithValues(true));
    RegistryValues reg(fx.platform());
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "MinusOne", "DWORD"), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", "String"), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "AB", "MultiString"), "A\rB\r");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "Text"), "Unknown");
    EXPECT_TRUE(reg.GetRegSubKeys(HKLM, kKey)->empty());
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, kKey, "Zeta", "Key"));
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKCR, "\\CLSID", "{X}", "Key"));

    // A refused DWORD write is skipped; a refused string write ends the command.
    EXPECT_NO_THROW(reg.WriteRegValue(HKLM, kKey, "D", "1", "DWORD"));
    try {
        reg.WriteRegValue(HKLM, kKey, "Text", "x", "String");
        FAIL() << "no error";
    } catch (const CommandError& e) {
        EXPECT_NE(std::string(e.what()).find("\"Text\""), std::string::npos) << e.what();
    }
    EXPECT_THROW(reg.WriteRegValue(HKCR, "\\CLSID\\{X}", "", "y", "String"), CommandError);
    EXPECT_THROW(reg.WriteRegValue(HKLM, kKey, "B", "01", "Binary"), CommandError);
    // Deletions and moves are skipped silently.
    EXPECT_NO_THROW(reg.DeleteRegValue(HKLM, kKey, "Text"));
    EXPECT_NO_THROW(reg.DeleteRegKey(HKLM, "\\Software\\Test\\Zeta"));
    EXPECT_NO_THROW(reg.MoveRegKey(HKLM, "\\Software\\Test\\Zeta", "\\Software\\Test\\;Zeta"));

    // The user's own hive stays writable.
    reg.WriteRegValue(HKCU, "\\Software\\Test", "Text", "mine", "String");
    EXPECT_EQ(reg.ReadRegValue(HKCU, "\\Software\\Test", "Text", "String"), "mine");

    sandbox::SandboxPlatform admin(fx.folder());
    // The hive on disk is untouched by the refused writes.
    std::ifstream hive(fx.folder() / "registry" / "HKEY_LOCAL_MACHINE.reg");
    const std::string text((std::istreambuf_iterator<char>(hive)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.find("\"D\""), std::string::npos);
    EXPECT_NE(text.find("Zeta"), std::string::npos);
}

}  // namespace
}  // namespace hastelyn::foundation
