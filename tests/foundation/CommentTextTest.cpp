// The commentary's reflow and hint line breaker, and the search addresses.
#include <gtest/gtest.h>

#include <string>

#include "foundation/CommentText.h"
#include "foundation/WebSearch.h"
#include "platform/Text.h"

namespace hastelyn::foundation {
namespace {

TEST(Reflow, JoinsParagraphLinesAndKeepsParagraphsListsAndTheLastBreak) {
    // A two-line paragraph, an empty line, a note whose continuation is indented.
    EXPECT_EQ(reflowComment("一行目、\r\n二行目。\r\n\r\n※ 注意の\r\n　続きです。"),
              "一行目、二行目。\r\n\r\n※ 注意の続きです。");
    // List lines and lines that begin with a half-width space keep the break before them.
    EXPECT_EQ(reflowComment("手順：\r\n・一つ目\r\n・二つ目\r\n [1] 番号\r\n続き"), "手順：\r\n・一つ目\r\n・二つ目\r\n [1] 番号続き");
    // Full-width spaces go everywhere, not only at line starts; the break that ends the text
    // stays; three breaks in a row keep the blank line and join what follows it.
    EXPECT_EQ(reflowComment("全角　空白\r\n"), "全角空白\r\n");
    EXPECT_EQ(reflowComment("a\r\n\r\n\r\nb"), "a\r\n\r\nb");
    // A lone CR is no break: nothing around it is removed.
    EXPECT_EQ(reflowComment("a\rb\r\nc"), "a\rbc");
    EXPECT_EQ(reflowComment(""), "");
}

std::string repeat(std::string_view unit, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += unit;
    return s;
}

TEST(HintBreaker, BreaksInnerLinesOnlyAtHundredShiftJisBytesWithoutSplittingACharacter) {
    const std::string ascii = repeat("a", 250);
    // First piece 100 bytes, later pieces 102.
    EXPECT_EQ(breakHintLines("head\r\n" + ascii + "\r\ntail"),
              "head\r\n" + repeat("a", 100) + "\r\n" + repeat("a", 102) + "\r\n" + repeat("a", 48) + "\r\ntail");

    // One ASCII byte first puts byte 100 in the middle of a double-byte character: the
    // character stays whole in the first piece, which then holds 101 bytes.
    const std::string mixed = "a" + repeat("あ", 60);
    const std::string broken = breakHintLines("x\r\n" + mixed + "\r\ny");
    const std::size_t first = broken.find("\r\n", 3);
    EXPECT_EQ(text::shiftJisLength(broken.substr(3, first - 3)), 101u);
    EXPECT_TRUE(text::isValidUtf8(broken));
    std::string rejoined = broken;
    for (std::size_t at; (at = rejoined.find("\r\n", 3)) != rejoined.rfind("\r\n");) rejoined.erase(at, 2);
    EXPECT_EQ(rejoined, "x\r\n" + mixed + "\r\ny");

    // A line of up to 100 bytes, or one that a moved cut would leave empty, is not broken (no
    // empty line, nothing put between a CR and its LF); 101 bytes give 100 and 1.
    for (const std::string& line : {repeat("a", 99), repeat("a", 100), repeat("a", 99) + "あ"}) {
        const std::string text = "x\r\n" + line + "\r\ny";
        EXPECT_EQ(breakHintLines(text), text) << line.size();
    }
    EXPECT_EQ(breakHintLines("x\r\n" + repeat("a", 101) + "\r\ny"), "x\r\n" + repeat("a", 100) + "\r\na\r\ny");

    // The first and the last line, and texts of fewer than three lines, stay whole.
    const std::string longLine = repeat("い", 80);
    for (const std::string& text : {longLine, longLine + "\r\n" + longLine, longLine + "\r\nshort\r\n" + longLine}) {
        EXPECT_EQ(breakHintLines(text), text);
    }
}

TEST(WebSearch, WordsArePercentEncodedInShiftJisSoTheyArriveWhole) {
    EXPECT_EQ(searchAddress("Google", "R&D テスト").value(),
              "https://www.google.co.jp/search?num=50&lr=lang_ja&ie=Shift_JIS&oe=Shift_JIS&q=R%26D%20%83e%83X%83g");
    EXPECT_EQ(searchAddress("e-Words", "a+b=c").value(), "http://e-words.jp/view.asp?word=a%2Bb%3Dc");
    EXPECT_TRUE(searchAddress("ASCII", "").value().ends_with("/gh/search/?pattern="));
    // The site's own search looks through the help pages beside the program: no address.
    EXPECT_FALSE(searchAddress("Pelmora", "x").has_value());
    EXPECT_FALSE(searchAddress("google", "x").has_value());  // keys compare exactly
    EXPECT_EQ(helpPagePath("C:\\Program Files\\Hastelyn\\Hastelyn.exe", "service.htm"),
              "C:\\Program Files\\Hastelyn\\help\\service.htm");
    EXPECT_EQ(helpPagePath("D:\\Hastelyn.exe", "index.htm"), "D:\\help\\index.htm");
}

}  // namespace
}  // namespace hastelyn::foundation
