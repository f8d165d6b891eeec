#include <gtest/gtest.h>

#include <array>

#include "foundation/Edition.h"

namespace hastelyn::foundation {
namespace {

EditionCodes detect(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor) {
    return detectEdition(platform::OsVersion{platformId, major, minor, 0, ""});
}

TEST(Edition, CodesFollowPlatformIdAndVersion) {
    struct Case {
        std::uint32_t id, major, minor;
        const char* platform;
        const char* edition;
    };
    const Case cases[] = {
        {1, 4, 0, "9x", "95"},  {1, 4, 10, "9x", "98"}, {1, 4, 90, "9x", "Me"}, {1, 4, 3, "9x", ""},
        {2, 4, 0, "NT", "NT"},  {2, 5, 0, "NT", "2k"},  {2, 5, 1, "NT", "XP"},  {2, 5, 2, "NT", ""},
        {2, 6, 0, "NT", ""},    {2, 3, 51, "NT", ""},   {3, 5, 1, "", ""},      {0, 4, 0, "", ""},
    };
    for (const Case& c : cases) {
        const EditionCodes codes = detect(c.id, c.major, c.minor);
        EXPECT_EQ(codes.platform, c.platform) << c.id << " " << c.major << "." << c.minor;
        EXPECT_EQ(codes.edition, c.edition) << c.id << " " << c.major << "." << c.minor;
    }
}

TEST(Edition, DisabledRowsAddTheEditionToItsFamily) {
    const DisabledControls win95 = disabledControlsFor({"9x", "95"});
    EXPECT_EQ(win95.rows[0], (std::vector<int>{1, 2, 3, 4, 8, 9, 10}));
    EXPECT_EQ(win95.rows[2], (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(win95.utilityControls, (std::vector<std::string>{"BtnGroup", "BtnDiskMgmt", "BtnConvert", "BtnMS"}));

    const DisabledControls me = disabledControlsFor({"9x", "Me"});
    EXPECT_EQ(me.rows[3], (std::vector<int>{1, 2, 4, 5, 8, 9, 10}));
    EXPECT_EQ(me.rows[2], (std::vector<int>{1, 3, 4, 5, 6, 7, 9}));

    const DisabledControls unknown9x = disabledControlsFor({"9x", ""});
    EXPECT_EQ(unknown9x.rows[4], (std::vector<int>{4, 5}));

    const DisabledControls win2k = disabledControlsFor({"NT", "2k"});
    EXPECT_EQ(win2k.rows[0], (std::vector<int>{8, 10}));
    EXPECT_EQ(win2k.rows[1], (std::vector<int>{1, 3, 9, 10}));
    EXPECT_EQ(win2k.utilityControls, (std::vector<std::string>{"BtnMS", "LstHDDefrag"}));

    const DisabledControls xp = disabledControlsFor({"NT", "XP"});
    EXPECT_EQ(xp.rows[0], (std::vector<int>{10}));
    for (std::size_t list = 1; list < kTweakListCount; ++list) EXPECT_TRUE(xp.rows[list].empty());

    for (const EditionCodes& none : {EditionCodes{"NT", ""}, EditionCodes{"", ""}}) {
        const DisabledControls nothing = disabledControlsFor(none);
        for (const auto& rows : nothing.rows) EXPECT_TRUE(rows.empty());
        EXPECT_TRUE(nothing.utilityControls.empty());
    }

    // How many rows of each list and utility controls every edition switches off.
    struct Counts {
        EditionCodes codes;
        std::array<std::size_t, kTweakListCount> rows;
        std::size_t utilities;
    };
    const Counts counts[] = {
        {{"9x", "95"}, {7, 5, 8, 6, 2}, 4}, {{"9x", "98"}, {7, 5, 8, 6, 2}, 3}, {{"9x", "Me"}, {7, 5, 7, 7, 2}, 3},
        {{"NT", "NT"}, {3, 5, 5, 1, 2}, 3}, {{"NT", "2k"}, {2, 4, 4, 1, 0}, 2},
    };
    for (const Counts& c : counts) {
        const DisabledControls disabled = disabledControlsFor(c.codes);
        for (std::size_t list = 0; list < kTweakListCount; ++list)
            EXPECT_EQ(disabled.rows[list].size(), c.rows[list]) << c.codes.edition << " list " << list;
        EXPECT_EQ(disabled.utilityControls.size(), c.utilities) << c.codes.edition;
    }
}

}  // namespace
}  // namespace hastelyn::foundation
