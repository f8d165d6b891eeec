#include <gtest/gtest.h>

#include "foundation/CommandError.h"
#include "foundation/RegistryValues.h"
#include "foundation/SystemTools.h"

namespace hastelyn::foundation {
namespace {

TEST(TextConversion, HexTextToIntTakesUpToEightHexDigits) {
    EXPECT_EQ(HexTextToInt("B5"), 0xB5);
    EXPECT_EQ(HexTextToInt("1e"), 0x1E);
    EXPECT_EQ(HexTextToInt("FFFFFFFF"), -1);
    EXPECT_EQ(HexTextToInt("80073E9E"), static_cast<std::int32_t>(0x80073E9Eu));
    for (const char* bad : {"", "G1", "123456789", "$FF", " 1", "-1"}) {
        EXPECT_THROW(HexTextToInt(bad), CommandError) << bad;
    }
}

TEST(TextConversion, DwordTextIsSigned32BitDecimalOrDollarHex) {
    const std::pair<const char*, std::uint32_t> good[] = {
        {"-1", 0xFFFFFFFFu}, {"2147483647", 0x7FFFFFFFu}, {"-2147483648", 0x80000000u},
        {"$FF", 0xFFu},      {"$FFFFFFFF", 0xFFFFFFFFu},
    };
    std::uint32_t value = 0;
    for (const auto& [text, expected] : good) {
        EXPECT_TRUE(parseDwordText(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* bad : {"4294967295", "2147483648", "", "-", "$", "1.5", "12a", "UnfitType", "$123456789"}) {
        EXPECT_FALSE(parseDwordText(bad, value)) << bad;
    }
}

TEST(TextConversion, ContainsAnyCharComparesWholeCharactersWithoutCase) {
    const std::string nameSet = "/\\[]\":;|<>+=,?*";
    EXPECT_TRUE(ContainsAnyChar("a/b", nameSet));
    EXPECT_FALSE(ContainsAnyChar("ソフト 表", nameSet));  // trailing bytes never match
    EXPECT_FALSE(ContainsAnyChar("anything", ""));
    EXPECT_TRUE(ContainsAnyChar("ABC", "c"));
    EXPECT_TRUE(ContainsAnyChar("abc", "C"));
    EXPECT_FALSE(ContainsAnyChar("", "abc"));
}

}  // namespace
}  // namespace hastelyn::foundation
