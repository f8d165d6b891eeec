#include <gtest/gtest.h>

#include "platform/Text.h"

namespace hastelyn::text {
namespace {

TEST(Text, FileTextFallsBackToShiftJisOnlyForInvalidUtf8) {
    EXPECT_EQ(decodeFileText("\xE7\x92\xB0\xE5\xA2\x83"), "環境");
    // "環境設定" as Shift_JIS bytes.
    EXPECT_EQ(decodeFileText("\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8"), "環境設定");
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF[a]"), "[a]");
    // Bytes that are neither UTF-8 nor Shift_JIS still give text, never a throw.
    EXPECT_FALSE(decodeFileText(std::string("\x80\xFF\x00\xA0", 4)).empty());
}

TEST(Text, CaseFoldingIsAsciiOnly) {
    EXPECT_TRUE(equalsNoCase("Software", "SOFTWARE"));
    EXPECT_FALSE(equalsNoCase("ａ", "Ａ"));
    EXPECT_LT(compareNoCase("abc", "ABD"), 0);
    EXPECT_LT(compareNoCase("Z", "_"), 0);
    EXPECT_EQ(findNoCase("a,HIDE,b", "hide"), 2u);
    EXPECT_TRUE(containsNoCase("Radeon 9600", "RADEON"));
    EXPECT_FALSE(containsNoCase("", "x"));
    EXPECT_FALSE(equalsNoCase("abc", "ab"));
}

// The two orders differ only for the characters between "Z" and "a"; the registry's key order
// and the services list each depend on theirs.
TEST(Text, FoldingWayDecidesTheOrderAroundTheLetters) {
    EXPECT_GT(compareFolded("A_x", "AZx", CaseFold::ToUpper), 0);
    EXPECT_LT(compareFolded("a_x", "azx", CaseFold::ToLower), 0);
    EXPECT_LT(compareFolded("a_x", "AZX", CaseFold::ToLower), 0);
    EXPECT_EQ(compareFolded("Wuauserv", "wuAUSERV", CaseFold::ToLower), 0);
    EXPECT_LT(compareFolded("ab", "abc", CaseFold::ToUpper), 0);
    EXPECT_GT(compareFolded("\xE3", "z", CaseFold::ToUpper), 0) << "bytes compare unsigned";
    static_assert(foldCase('q', CaseFold::ToUpper) == 'Q' && foldCase('Q', CaseFold::ToLower) == 'q');
}

}  // namespace
}  // namespace hastelyn::text
