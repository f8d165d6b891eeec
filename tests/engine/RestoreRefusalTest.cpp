// Restore points from elsewhere: a row puts back only what it could have written itself, checked
// before anything changes.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/ExactValues.h"
#include "engine/RestorePoint.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CommandErrorText.h"

namespace hastelyn::engine {
namespace {

const char* const kPoint = "C:\\Program Files\\Hastelyn\\復元ポイント crafted.ini";
const char* const kSubSystems = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\SubSystems";
const char* const kBootLine = "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS";
const std::string kLine = "\"Microsoft Windows XP Professional\" /noexecute=optin /fastdetect";

struct Key {
    std::string section, key, value;
};

// The XP image's subsystem line, with other words where it holds "3072,512".
std::string windowsLine(EngineFixture& fx, const std::string& sizes) {
    std::string line = fx.read(RootKey::LocalMachine, kSubSystems, "Windows", RegType::String);
    return line.replace(line.find("3072,512"), 8, sizes);
}
// A string value's exact entry: REG_EXPAND_SZ with its NUL.
std::string exactString(const std::string& text) {
    return "2:" + std::to_string(text.size() + 1) + ":" + hexText(text + '\0');
}
// A new restore point made by the program, with the given keys written over it.
void craft(EngineFixture& fx, const std::vector<Key>& keys) {
    std::filesystem::remove(fx.folder() / "drives/C/Program Files/Hastelyn/復元ポイント crafted.ini");
    WriteRestorePoint(fx.session(), kPoint);
    for (const Key& k : keys) fx.session().profiles.WriteProfileValue(kPoint, k.section, k.key, k.value);
}

TEST(RestoreRefusal, WhatNoRowWritesIsRefusedAndTheMachineStaysAsItWas) {
    EngineFixture fx("xp");
    const std::string evilLine = windowsLine(fx, "3072,512 ServerDll=C:\\evil\\evil.dll");
    struct Case {
        Key key;
        const char* row;
    };
    const Case cases[] = {
        {{"システム", "3", evilLine}, "[システム]3"},
        {{"システム", "3", windowsLine(fx, "2048,513")}, "[システム]3"},
        {{"正確な値", "システム:3:Windows", exactString(evilLine)}, "[システム]3"},
        {{"正確な値", "システム:3:Windows", "absent"}, "[システム]3"},
        {{"起動・終了", "5", kLine + " /kernel=evil.exe /noguiboot"}, "[起動・終了]5"},
        {{"起動・終了", "5", kLine + " /hal=evil.dll"}, "[起動・終了]5"},
        {{"起動・終了", "5", kLine + " /debug"}, "[起動・終了]5"},
        {{"起動・終了", "5", kLine + " /noguibootlog"}, "[起動・終了]5"},
        {{"起動・終了", "5", "\"Evil\" /fastdetect"}, "[起動・終了]5"},
        {{"起動・終了", "10", "-1"}, "[起動・終了]10"},
        {{"起動・終了", "10", "1000"}, "[起動・終了]10"},
        {{"システム9", "WBEM", "evil.dll,OcEntry,wbemoc.inf,hide,7"}, "[システム]9"},
        {{"システム9", "Evil", "evil.dll,OcEntry,evil.inf,hide,7"}, "[システム]9"},
        {{"システム9", "Fax", "fxsocm.dll,FaxOcmSetupProc,fxsocmhide.inf,,7"}, "[システム]9"},
        {{"正確な値", "システム:1:DisablePagingExecutive", "1:2:3100"}, "[システム]1"},
        {{"正確な値", "システム:1:DisablePagingExecutive", "4:8:0100000000000000"}, "[システム]1"},
        {{"正確な値", "システム:7.0:IdleEnable", "3:5:0100000000"}, "[システム]7"},
        {{"正確な値", "デスクトップ:7:Wallpaper", "4:4:01000000"}, "[デスクトップ]7"},
        {{"正確な値", "その他:6:UserPreferencesMask", "1:2:3100"}, "[その他]6"},
        {{"その他", "8", "123456789"}, "[その他]8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.section + " " + c.key.key + "=" + c.key.value);
        craft(fx, {c.key});
        const auto before = fx.machineFiles();
        EXPECT_EQ(testing::commandErrorOf([&] { ApplyRestorePoint(fx.session(), kPoint); }),
                  "復元ポイントの [" + c.key.section + "] の \"" + c.key.key + "\" は、" + c.row +
                      " の項目が書き込む値ではありません。何も変更しませんでした。");
        EXPECT_EQ(fx.machineFiles(), before);
        EXPECT_TRUE(fx.dialogs().shown.empty());
    }
}

// What the rows write, in any form ticks and unticks in any order leave, is put back.
TEST(RestoreRefusal, WhatTheRowsWriteIsPutBack) {
    EngineFixture fx("xp");
    Session& s = fx.session();
    const std::string ticked = windowsLine(fx, "2048,512");
    const std::string wbem = s.profiles.ReadProfileValue(s.paths.sysoc, "Components", "WBEM");
    craft(fx, {{"システム", "3", windowsLine(fx, "3072,512")},
               {"正確な値", "システム:3:Windows", exactString(ticked)},
               {"起動・終了", "5", "\"Microsoft Windows XP Professional\" /noguiboot /noexecute=optin /fastdetect"},
               {"起動・終了", "10", "10"},
               {"システム9", "WBEM", wbem},
               {"システム9", "Fax", "fxsocm.dll,FaxOcmSetupProc,fxsocm.inf,HIDE,7"},
               {"正確な値", "エクスプローラ:2:UpdateMode", "3:1:02"}});
    fx.dialogs().answers = {false};
    ApplyRestorePoint(s, kPoint);
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kSubSystems, "Windows", RegType::String), ticked);
    EXPECT_EQ(s.profiles.ReadProfileValue(s.paths.boot, "operating systems", kBootLine),
              "\"Microsoft Windows XP Professional\" /noguiboot /noexecute=optin /fastdetect");
    EXPECT_EQ(s.profiles.ReadProfileValue(s.paths.boot, "boot loader", "timeout"), "10");
    EXPECT_EQ(s.profiles.ReadProfileValue(s.paths.sysoc, "Components", "WBEM"), "ocgen.dll,OcEntry,wbemoc.inf,,7");
    EXPECT_EQ(s.settings.read("システム9", "Fax"), "fxsocm.dll,FaxOcmSetupProc,fxsocm.inf,HIDE,7");
    EXPECT_EQ(fx.bytes(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Control\\Update", "UpdateMode"), "02");
}

}  // namespace
}  // namespace hastelyn::engine
