#include <gtest/gtest.h>

#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

using testing::EngineFixture;
using testing::MiniMachine;

const char* const kSettings = "C:\\Program Files\\Hastelyn\\Hastelyn.ini";
constexpr std::size_t kSystem = 0;
constexpr std::size_t kOthers = 4;

bool enabled(EngineFixture& fx, std::size_t category, std::size_t row) {
    return fx.session().model.tweakList(category).rows[row].enabled;
}

TEST(EnvironmentChecks, RadeonSwitchesOffTheMemoryRowUnlessTheSettingSaysOtherwise) {
    EngineFixture radeon("2000");
    EXPECT_FALSE(enabled(radeon, kSystem, 1));
    // The empty value makes the check run again at the next start.
    EXPECT_EQ(radeon.session().settings.general("DisableLSC"), "");

    for (const char* setting : {"false", "true"}) {
        SCOPED_TRACE(setting);
        MiniMachine m;
        m.file(kSettings, std::string("[環境設定]\r\nDisableLSC=") + setting + "\r\n");
        m.hive(platform::RootKey::LocalMachine,
               {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\ASIC]", "\"Product Name\"=\"radeon 7000\""});
        EngineFixture fx(m);
        EXPECT_EQ(enabled(fx, kSystem, 1), std::string(setting) == "false");
        EXPECT_EQ(fx.session().settings.general("DisableLSC"), setting);
    }

    EngineFixture plain("xp");
    EXPECT_TRUE(enabled(plain, kSystem, 1));
    EXPECT_EQ(plain.session().settings.general("DisableLSC"), "NULL");
}

TEST(EnvironmentChecks, MediaPlayerAndMessengerRowsNeedTheirKeys) {
    EngineFixture xp("xp");  // player 8, messenger extension active
    EXPECT_TRUE(enabled(xp, kOthers, 0));
    EXPECT_TRUE(enabled(xp, kOthers, 9));

    MiniMachine renamed;
    renamed.hive(platform::RootKey::LocalMachine,
                 {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\MediaPlayer\\7.0]",
                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\;{FB5F1910-F110-11d2-BB9E-00C04F795683}]"});
    EngineFixture aside(renamed);
    EXPECT_TRUE(enabled(aside, kOthers, 0));
    EXPECT_TRUE(enabled(aside, kOthers, 9));

    EngineFixture bare{MiniMachine{}};
    EXPECT_FALSE(enabled(bare, kOthers, 0));
    EXPECT_FALSE(enabled(bare, kOthers, 9));
}

}  // namespace
}  // namespace hastelyn::engine
