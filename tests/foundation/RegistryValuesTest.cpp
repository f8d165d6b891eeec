#include <gtest/gtest.h>

#include "foundation/CommandError.h"
#include "foundation/RegistryValues.h"
#include "platform/recording/RecordingRegistry.h"
#include "tests/support/CommandErrorText.h"
#include "tests/support/SandboxFixture.h"

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
    // The registry's own rules are the conformance suite's; these tests are about the layer.
    const std::initializer_list<std::string_view> lines = {
        "[HKEY_LOCAL_MACHINE\\Software\\Test]",
        "\"MinusOne\"=dword:ffffffff",
        "\"Text\"=\"abc\"",
        "\"AB\"=multi:\"A\",\"B\"",
        "[HKEY_LOCAL_MACHINE\\Software\\Test\\Zeta]",
    };
    m.hive(HKLM, lines);
    m.hive(HKCU, {"[HKEY_CURRENT_USER\\Software\\Test]", "\"Text\"=\"user\""});
    m.hive(HKCR, {"[HKEY_CLASSES_ROOT\\CLSID\\{X}]", "@=\"Handler\""});
    return m;
}

// A registry whose keys open and are made as usual, but which refuses every value write, as a
// key whose permissions allow opening and forbid setting would. The recording layer, passing
// everything through, forwards the rest.
class RefusingValueWrites final : public recording::RecordingRegistry {
public:
    RefusingValueWrites(platform::Registry& inner, recording::ChangeLog& changes)
        : RecordingRegistry(inner, recording::RecordingMode::PassThrough, changes) {}
    long setValue(platform::KeyHandle, std::string_view, std::uint32_t, const std::uint8_t*, std::uint32_t) override {
        return platform::win32error::AccessDenied;
    }
};

TEST(RegistryValues, AWholeRootIsNeverDeleted) {
    SandboxFixture fx(machineWithValues());
    RegistryValues reg(fx.platform());
    for (const char* path : {"\\", "", "\\\\"}) reg.DeleteRegKey(HKLM, path);
    EXPECT_TRUE(reg.RegKeyOrValueExists(HKLM, "\\Software", "Test", Exists::Key));
    reg.MoveRegKey(HKLM, "\\", "\\Software\\Root");
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, "\\Software", "Root", Exists::Key));
    EXPECT_TRUE(reg.RegKeyOrValueExists(HKLM, "\\Software", "Test", Exists::Key));
}

TEST(RegistryValues, RestrictedAccountSeesMachineKeysAsAbsent) {
    SandboxFixture fx(machineWithValues(true));
    RegistryValues reg(fx.platform());
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "MinusOne", RegType::DWORD), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", RegType::String), "NULL");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "AB", RegType::MultiString), "A\rB\r");
    EXPECT_EQ(reg.GetRegValueType(HKLM, kKey, "Text"), std::nullopt);
    EXPECT_TRUE(reg.GetRegSubKeys(HKLM, kKey)->empty());
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKLM, kKey, "Zeta", Exists::Key));
    EXPECT_FALSE(reg.RegKeyOrValueExists(HKCR, "\\CLSID", "{X}", Exists::Key));

    // A refused DWORD write is skipped, and noted for whoever must not claim it; a refused string
    // write ends the command.
    EXPECT_NO_THROW(reg.WriteRegValue(HKLM, kKey, "D", "1", RegType::DWORD));
    EXPECT_EQ(reg.takeSkippedRefusal(), "レジストリの値 \"D\" (HKEY_LOCAL_MACHINE\\Software\\Test) に書き込めませんでした。" +
                                            fx.platform().system.errorText(platform::win32error::AccessDenied));
    EXPECT_EQ(reg.takeSkippedRefusal(), std::nullopt);
    const std::string refused =
        testing::commandErrorOf([&] { reg.WriteRegValue(HKLM, kKey, "Text", "x", RegType::String); });
    EXPECT_NE(refused.find("\"Text\""), std::string::npos) << refused;
    EXPECT_THROW(reg.WriteRegValue(HKCR, "\\CLSID\\{X}", "", "y", RegType::String), CommandError);
    EXPECT_THROW(reg.WriteRegValue(HKLM, kKey, "B", "01", RegType::Binary), CommandError);
    // Deletions and moves are skipped silently; the deletion of what is not there is no refusal.
    reg.DeleteRegValue(HKLM, kKey, "Absent");
    reg.DeleteRegKey(HKLM, "\\Software\\Test\\Absent");
    EXPECT_EQ(reg.takeSkippedRefusal(), std::nullopt);
    EXPECT_NO_THROW(reg.DeleteRegValue(HKLM, kKey, "Text"));
    EXPECT_NE(reg.takeSkippedRefusal().value_or("").find("\"Text\" (HKEY_LOCAL_MACHINE\\Software\\Test) を削除できませんでした。"),
              std::string::npos);
    EXPECT_NO_THROW(reg.DeleteRegKey(HKLM, "\\Software\\Test\\Zeta"));
    EXPECT_NE(reg.takeSkippedRefusal().value_or("").find("レジストリキー \"HKEY_LOCAL_MACHINE\\Software\\Test\\Zeta\" を削除"),
              std::string::npos);
    EXPECT_NO_THROW(reg.MoveRegKey(HKLM, "\\Software\\Test\\Zeta", "\\Software\\Test\\;Zeta"));

    // The user's own hive stays writable.
    reg.WriteRegValue(HKCU, "\\Software\\Test", "Text", "mine", RegType::String);
    EXPECT_EQ(reg.ReadRegValue(HKCU, "\\Software\\Test", "Text", RegType::String), "mine");

    // The hive on disk is untouched by the refused writes.
    const std::string text = testing::fileText(fx.folder() / "registry" / "HKEY_LOCAL_MACHINE.reg");
    EXPECT_EQ(text.find("\"D\""), std::string::npos);
    EXPECT_NE(text.find("Zeta"), std::string::npos);

    // Every written type turns a refusal into one message, naming the value and its key; a
    // Binary text that is not hexadecimal names the value before anything is written.
    const std::string one =
        testing::commandErrorOf([&] { reg.WriteRegData(HKLM, kKey, "V", {1, std::string("x\0", 2)}); });
    EXPECT_TRUE(one.starts_with(
        "レジストリの値 \"V\" (HKEY_LOCAL_MACHINE\\Software\\Test) に書き込めませんでした。"))
        << one;
    EXPECT_EQ(testing::commandErrorOf([&] { reg.WriteRegValue(HKLM, kKey, "V", "x", RegType::String); }), one);
    EXPECT_EQ(testing::commandErrorOf([&] { reg.WriteRegValue(HKLM, kKey, "V", "%x%", RegType::ExString); }), one);
    EXPECT_EQ(testing::commandErrorOf([&] { reg.WriteRegValue(HKLM, kKey, "V", "B0", RegType::Binary); }), one);
    EXPECT_EQ(testing::commandErrorOf([&] { reg.WriteRegValue(HKLM, kKey, "V", "XY", RegType::Binary); }),
              "レジストリの値 \"V\" に書き込むデータが正しくありません。'$XY' は正しい整数値ではありません。");
    for (RegType skipped : {RegType::DWORD, RegType::MultiString})
        EXPECT_EQ(testing::commandErrorOf([&] { reg.WriteRegValue(HKLM, kKey, "V", "1", skipped); }), "(no error)");
}

// The key opened for the write, and still the value is refused: the same message as when the key
// would not open, nothing written, and a refused number skipped.
TEST(RegistryValues, AWriteRefusedOnAKeyThatOpenedEndsTheCommand) {
    SandboxFixture fx(machineWithValues());
    recording::ChangeLog changes;
    RefusingValueWrites refusing(fx.platform().registry, changes);
    const platform::Platform& real = fx.platform();
    platform::Platform p{refusing,     real.profiles, real.files,    real.system,
                         real.shell, real.windows,  real.services, real.meters};
    RegistryValues reg(p);
    EXPECT_EQ(testing::commandErrorOf([&] { reg.WriteRegValue(HKLM, "\\Software\\Test\\New", "Text", "x", RegType::String); }),
              "レジストリの値 \"Text\" (HKEY_LOCAL_MACHINE\\Software\\Test\\New) に書き込めませんでした。" +
                  real.system.errorText(platform::win32error::AccessDenied));
    EXPECT_TRUE(reg.RegKeyOrValueExists(HKLM, "\\Software\\Test", "New", Exists::Key)) << "the key was made";
    EXPECT_THROW(reg.WriteRegValue(HKLM, kKey, "Text", "x", RegType::String), CommandError);
    EXPECT_NO_THROW(reg.WriteRegValue(HKLM, kKey, "MinusOne", "5", RegType::DWORD));
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "Text", RegType::String), "abc");
    EXPECT_EQ(reg.ReadRegValue(HKLM, kKey, "MinusOne", RegType::DWORD), "-1");
}

}  // namespace
}  // namespace hastelyn::foundation
