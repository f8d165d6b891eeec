// hastelyn-cli options: the settings the options window edits, printed and changed with the
// rules of its apply buttons, on the XP image.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

#include "foundation/Settings.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/FileText.h"

namespace hastelyn {
namespace {

using testing::ProgramResult;

class OptionsCli : public Cli {
protected:
    std::filesystem::path settingsFile() const { return folder_.path() / "drives/C/Program Files/Hastelyn/Hastelyn.ini"; }
    void store(const std::string& text) { std::ofstream(settingsFile(), std::ios::binary) << text; }
    std::string setting(std::string_view section, std::string_view key) {
        sandbox::SandboxPlatform machine(folder_.path());
        foundation::ProfileValues profiles(machine.platform());
        return foundation::Settings(profiles, "C:\\Program Files\\Hastelyn\\Hastelyn.ini").read(section, key);
    }
};

TEST_F(OptionsCli, PrintsTheGeneralKeysAndTheLockedItems) {
    store("[環境設定]\r\nFontSize=abc\r\nColorStyle=Red\r\n[DisabledItem]\r\nSystem2=pre_true\r\nService=false\r\n");
    const ProgramResult text = run({"options"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const std::vector<std::string> rows = lines(text.out);
    ASSERT_EQ(rows.size(), 19u + 64u);
    EXPECT_EQ(rows[0], "FontSize\tabc");  // as stored: the window reads it as its rules say
    EXPECT_EQ(rows[11], "ColorStyle\tRed");
    EXPECT_EQ(rows[18], "TabStyle\tNULL");
    EXPECT_EQ(rows[20], "System2\tpre_true");
    EXPECT_EQ(rows.back(), "Service\tfalse");

    const ProgramResult json = run({"options", "--json"});
    ASSERT_EQ(json.exitCode, 0);
    const nlohmann::json object = nlohmann::json::parse(json.out);
    EXPECT_EQ(object.at("command"), "options");
    EXPECT_EQ(object.at("settings").size(), 19u);
    EXPECT_EQ(object.at("settings").at("FontSize"), "abc");
    EXPECT_TRUE(object.at("settings").at("TabStyle").is_null());
    EXPECT_EQ(object.at("locked").size(), 64u);
    EXPECT_EQ(object.at("locked").at("System2"), "pre_true");
    EXPECT_EQ(object.at("locked").at("Service"), "false");
}

TEST_F(OptionsCli, SetWritesAsTheApplyButtonsDo) {
    store("[環境設定]\r\nLineFeed=Off\r\n");
    const ProgramResult result =
        run({"options", "--set", "FontSize=9", "--set", "LineFeed=", "--set", "Sound=Off", "--set", "DlgReboot=On",
             "--set", "BootPath=Q:\\nowhere", "--set", "Transparent=", "--set", "TabStyle=FlatButtons"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "changed\nFontSize\tNULL → 9\nLineFeed\tOff → NULL\nDlgReboot\tNULL → On\nSound\tNULL → Off\n"
                          "BootPath\tC:\\boot.ini → Q:\\nowhere\nTransparent\tNULL → \nTabStyle\tNULL → FlatButtons\n");
    // A value the key already has is no change.
    EXPECT_EQ(run({"options", "--set", "FontSize=9", "--set", "LineFeed="}).out, "unchanged\n");
    const std::pair<const char*, const char*> written[] = {{"FontSize", "9"},      {"LineFeed", "NULL"},
                                                           {"Sound", "Off"},       {"DlgReboot", "On"},
                                                           {"BootPath", "Q:\\nowhere"}, {"Transparent", ""},
                                                           {"TabStyle", "FlatButtons"}};
    for (const auto& [key, value] : written) EXPECT_EQ(setting("環境設定", key), value) << key;

    // A fixed style writes its six colours; a colour alone makes the style "Optional", keeping
    // the other stored colours; Default restores the design and deletes the style.
    ASSERT_EQ(run({"options", "--set", "ColorStyle=Blue"}).exitCode, 0);
    EXPECT_EQ(setting("環境設定", "ColorStyle"), "Blue");
    EXPECT_EQ(setting("環境設定", "CompactColor"), "$00CE9A63");
    ASSERT_EQ(run({"options", "--set", "TitleColor=$000000FF"}).exitCode, 0);
    EXPECT_EQ(setting("環境設定", "ColorStyle"), "Optional");
    EXPECT_EQ(setting("環境設定", "TitleColor"), "clRed");
    EXPECT_EQ(setting("環境設定", "CompactColor"), "$00CE9A63");
    ASSERT_EQ(run({"options", "--set", "ColorStyle=Default"}).exitCode, 0);
    EXPECT_EQ(setting("環境設定", "ColorStyle"), "NULL");
    EXPECT_EQ(setting("環境設定", "TitleColor"), "$00639AFF");
}

TEST_F(OptionsCli, ValuesTheWindowCouldNotWriteAreRefusedBeforeAnyWrite) {
    store("[環境設定]\r\nFontSize=10\r\n");
    const std::string before = testing::fileText(settingsFile());
    for (const char* bad : {"FontSize=13", "FontSize=09", "Sound=", "LineFeed=On", "Transparent=256", "Transparent=-1",
                            "TabStyle=tabs", "ColorStyle=Purple", "MenuColor=$1000000", "DisableLSC=true", "FontSize"}) {
        const ProgramResult result = run({"options", "--set", "FontSize=8", "--set", bad});
        EXPECT_EQ(result.exitCode, 2) << bad;
        EXPECT_NE(result.err.find("hastelyn-cli: options: "), std::string::npos) << bad;
    }
    EXPECT_EQ(run({"options", "--set", "ColorStyle=Red", "--set", "TitleColor=clRed"}).exitCode, 2);
    EXPECT_EQ(run({"options", "--lock", "System11"}).exitCode, 2);
    EXPECT_EQ(testing::fileText(settingsFile()), before);
}

TEST_F(OptionsCli, LocksFollowTheLockedItemsPageRules) {
    store("[DisabledItem]\r\nSystem2=pre_true\r\nDesktop3=true\r\n");
    const ProgramResult result = run({"options", "--lock", "System1", "--lock", "System2", "--unlock", "Desktop3",
                                      "--unlock", "Service", "--lock", "PCInfo3", "--json"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("System2 はプログラムが無効にした項目のため、変更できません。"), std::string::npos) << result.err;
    const nlohmann::json object = nlohmann::json::parse(result.out);
    EXPECT_EQ(object.at("changed"), nlohmann::json::parse(R"([{"key": "System1", "before": null, "after": "true"},
        {"key": "Desktop3", "before": "true", "after": null}, {"key": "PCInfo3", "before": null, "after": "true"},
        {"key": "Service", "before": null, "after": "false"}])"));
    EXPECT_EQ(object.at("refused").at(0).at("row"), "System2");
    EXPECT_EQ(object.at("locked").at("System1"), "true");
    EXPECT_EQ(setting("DisabledItem", "System1"), "true");
    EXPECT_EQ(setting("DisabledItem", "System2"), "pre_true");
    EXPECT_EQ(setting("DisabledItem", "Desktop3"), "NULL");
    EXPECT_EQ(setting("DisabledItem", "Service"), "false");
    EXPECT_EQ(setting("DisabledItem", "PCInfo3"), "true");
    // The next run finds System1 locked and the services list unlocked.
    int services = 0;
    for (const std::string& line : lines(run({"status"}).out)) {
        const std::string enabled = line.substr(line.find('\t') + 3, 1);  // ROW, ticked, enabled
        if (line.rfind("System1\t", 0) == 0) {
            EXPECT_EQ(enabled, "0") << line;
        }
        if (line.rfind("Service:", 0) == 0) {
            EXPECT_EQ(enabled, "1") << line;
            ++services;
        }
    }
    EXPECT_GT(services, 0);
}

}  // namespace
}  // namespace hastelyn
