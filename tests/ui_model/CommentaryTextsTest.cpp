// The commentary tables: which captions and rows have a text, the texts that must read word for
// word, and the form every text keeps so that the paragraph reflow works on it and a Shift_JIS
// system can show it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Text.h"
#include "ui/model/CommentaryTexts.h"

namespace hastelyn::ui::model {
namespace {

constexpr std::string_view kTweakCaptions[] = {"システム", "デスクトップ", "エクスプローラ", "起動・終了",
                                               "その他"};
constexpr std::string_view kToolCaptions[] = {"ユーティリティ", "パソコン情報"};

struct NamedText {
    std::string name;
    std::string_view text;
};

std::vector<NamedText> everyText() {
    std::vector<NamedText> texts{{"introduction", kCommentIntroduction}};
    const auto name = [](std::string_view caption, int row) { return std::string(caption) + " " + std::to_string(row); };
    for (std::string_view caption : kTweakCaptions)
        for (int row = 0; row < 10; ++row)
            texts.push_back({name(caption, row), tweakCommentary(caption, row).value_or("")});
    for (std::string_view caption : kToolCaptions)
        for (int row = 0; row < 10; ++row)
            texts.push_back({name(caption, row), toolCommentary(caption, row).value_or("")});
    return texts;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return lines;
        start = end + 2;
    }
}

// " [1]", " [12]": a numbered step of a list.
bool startsWithStep(std::string_view line) {
    if (!line.starts_with(" [")) return false;
    std::size_t i = 2;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    return i > 2 && i < line.size() && line[i] == ']';
}

// What is wrong with the form of a commentary text, or an empty text when nothing is.
std::string formFault(std::string_view text) {
    if (text.empty()) return "no text";
    if (text.starts_with("\r\n") || text.ends_with("\r\n")) return "a line break at the start or the end";
    if (text.find("\r\n\r\n\r\n") != std::string_view::npos) return "more than one empty line in a row";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return "CR without LF";
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return "LF without CR";
        if (text[i] == '\t') return "a tab";
    }
    if (text::fromShiftJis(text::toShiftJis(text)) != text) return "characters Shift_JIS lacks";
    std::string_view previous;
    for (std::string_view line : linesOf(text)) {
        const std::string quoted = "\"" + std::string(line) + "\"";
        if (text::shiftJisLength(line) > 80) return "longer than 80 bytes: " + quoted;
        if (line.ends_with(" ") || line.ends_with("　")) return "trailing space: " + quoted;
        if (line.starts_with("　") && !previous.starts_with("※ ") && !previous.starts_with("　"))
            return "full-width indent outside a note: " + quoted;
        if (line.starts_with(" ") && !line.starts_with(" ・") && !startsWithStep(line))
            return "half-width space starting no list line: " + quoted;
        if (line.find("※") != std::string_view::npos && !line.starts_with("※ ")) return "misplaced note mark: " + quoted;
        previous = line;
    }
    return {};
}

std::string_view lastParagraph(std::string_view text) {
    const std::size_t gap = text.rfind("\r\n\r\n");
    return gap == std::string_view::npos ? text : text.substr(gap + 4);
}

TEST(CommentaryTexts, TablesAnswerTheirCaptionsAndRows) {
    for (std::string_view caption : kTweakCaptions) {
        for (int row = 0; row < 10; ++row) EXPECT_TRUE(!tweakCommentary(caption, row).value_or("").empty());
        EXPECT_TRUE(!tweakCommentary(caption, -1));
        EXPECT_TRUE(!tweakCommentary(caption, 10));
        EXPECT_TRUE(!toolCommentary(caption, 0));
    }
    for (std::string_view caption : kToolCaptions) {
        for (int row = 0; row < 10; ++row) EXPECT_TRUE(!toolCommentary(caption, row).value_or("").empty());
        EXPECT_TRUE(!toolCommentary(caption, -1));
        EXPECT_TRUE(!toolCommentary(caption, 10));
        EXPECT_TRUE(!tweakCommentary(caption, 0));
    }
    for (std::string_view other : {"不要サービス", "", "システム "}) {
        EXPECT_TRUE(!tweakCommentary(other, 0));
        EXPECT_TRUE(!toolCommentary(other, 0));
    }
    // Every row explains its own item: no text stands in two places.
    const std::vector<NamedText> texts = everyText();
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_NE(texts[i].text, texts[j].text) << texts[i].name << " = " << texts[j].name;

    EXPECT_EQ(tweakCommentary("起動・終了", 0).value_or(""),
              "XPには、パソコン起動時に読み込まれるシステムファイルを、\r\n"
              "ハードディスク上に、読み込まれる順に並べ替えておくことで、\r\n"
              "パソコンの起動を、できるだけ高速化しようという機能があります。\r\n\r\n"
              "XPにアップグレードした場合など、この機能が無効になっていることがあります。\r\n"
              "この項目がチェックされていない場合は、チェックしておきましょう。");
    EXPECT_EQ(toolCommentary("パソコン情報", 4).value_or(""),
              "パソコンにインストールされているWindowsのバージョンが表示されます。\r\n"
              "お使いのWindowsの種類や、Service Packの適用/未適用、\r\n"
              "Windows Updateによる更新状況などにより、異なります。\r\n\r\n"
              "アプリケーションソフトや不具合の修正パッチの中には、\r\n"
              "対応OSのほかに、対応バージョンまで特定している場合があります。");
    EXPECT_EQ(kCommentIntroduction,
              "「Hastelyn」で高速化できる項目について、より詳しい解説を表示します。\r\n\r\n"
              "よくわからない高速化項目があれば、その項目を選択して解説を読むことで、\r\n"
              "安心してパソコン設定の変更を行うことができます。\r\n\r\n"
              "また、解説のほかにも、参考になる情報がいくつか表示されますので、\r\n"
              "パソコン設定に関するスキルの向上にもつながります。");

    // The three editable fields close on how to empty them; the product key says why it
    // may read "NULL".
    for (int row = 0; row < 3; ++row) {
        const std::string_view note = lastParagraph(toolCommentary("パソコン情報", row).value_or(""));
        EXPECT_TRUE(note.starts_with("※ ") && note.find("「NULL」") != std::string_view::npos) << row;
    }
    EXPECT_TRUE(toolCommentary("パソコン情報", 6).value_or("").find("NULL") != std::string_view::npos);

    // The [e] button is shown on the utilities page for rows 2 and 4 only, so only their
    // texts point to it.
    for (int row = 0; row < 10; ++row) {
        const std::string_view commentary = toolCommentary("ユーティリティ", row).value_or("");
        const bool pointsToButton = commentary.find("[e]") != std::string_view::npos;
        EXPECT_EQ(pointsToButton, row == 2 || row == 4) << row;
    }
    for (std::string_view caption : kTweakCaptions)
        for (int row = 0; row < 10; ++row)
            EXPECT_TRUE(tweakCommentary(caption, row).value_or("").find("[e]") == std::string_view::npos);
}

TEST(CommentaryTexts, EveryTextKeepsTheForm) {
    for (const NamedText& t : everyText()) {
        const std::string fault = formFault(t.text);
        EXPECT_TRUE(fault.empty()) << t.name << ": " << fault;
    }
}

}  // namespace
}  // namespace hastelyn::ui::model
