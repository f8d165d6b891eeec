#include <gtest/gtest.h>

#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

TEST(EnvironmentChecks, RadeonSwitchesOffTheMemoryRowUnlessTheSettingSaysOtherwise) {
    EngineFixture radeon("2000");
    EXPECT_FALSE(radeon.row(0, 2).enabled);
    // The empty value makes the check run again at the next start.
    EXPECT_EQ(radeon.session().settings.general("DisableLSC"), "");

    for (const char* setting : {"false", "true"}) {
        SCOPED_TRACE(setting);
        testing::MiniMachine m;
        m.file("C:\\Program Files\\Hastelyn\\Hastelyn.ini", std::string("[環境設定]\r\nDisableLSC=") + setting + "\r\n");
        m.hive(platform::RootKey::LocalMachine,
               {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\ATI Technologies\\CDS\\0000\\0\\ASIC]", "\"Product Name\"=\"radeon 7000\""});
        EngineFixture fx(m);
        EXPECT_EQ(fx.row(0, 2).enabled, std::string(setting) == "false");
        EXPECT_EQ(fx.session().settings.general("DisableLSC"), setting);
    }

    EngineFixture plain("xp");
    EXPECT_TRUE(plain.row(0, 2).enabled);
    EXPECT_EQ(plain.session().settings.general("DisableLSC"), "NULL");
}

}  // namespace
}  // namespace hastelyn::engine
