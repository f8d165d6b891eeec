#include <gtest/gtest.h>

#include <string>

#include "foundation/CommandError.h"
#include "foundation/HelpSearch.h"
#include "tests/support/CommandErrorText.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::foundation {
namespace {

using testing::MiniMachine;
using testing::SandboxFixture;

const char* const kHelp = "C:\\Program Files\\Hastelyn\\help\\";

std::string page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>" + title +
           " - Hastelyn ヘルプ</title>\r\n<style>p { speech: none; }</style>\r\n</head>\r\n<body>\r\n" + body +
           "\r\n<script>var speech = 1;</script>\r\n</body>\r\n</html>\r\n";
}

MiniMachine helpMachine() {
    MiniMachine m;
    m.file(std::string(kHelp) + "usage.htm",
           page("使い方", "<h2>音声</h2><p>Speech-Dispatcher で読み上げます。<kbd>F6</kbd>キーで有効。\r\n"
                          "speech\r\n  dispatcher &amp; &lt;tag&gt; &#x97F3;声</p>"));
    m.file(std::string(kHelp) + "keys.htm", page("キー操作と音声", "<p>F1キー: ヘルプ。speech は音声。</p>"));
    m.file(std::string(kHelp) + "cli.htm", page("コマンドライン", "<p>hastelyn-cli status</p>"));
    m.file(std::string(kHelp) + "style.css", "speech { }");
    return m;
}

TEST(HelpSearch, FindsTheWordInThePagesTextAsAReaderSeesItAndWritesTheResultsAmongThem) {
    SandboxFixture fx(helpMachine());
    // ASCII letters in any case; pages in name order; the head, styles and scripts are no text.
    auto hits = searchHelpPages(fx.platform().files, kHelp, "SPEECH");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].page, "keys.htm");
    EXPECT_EQ(hits[0].title, "キー操作と音声");
    EXPECT_EQ(hits[0].places, 1);
    EXPECT_EQ(hits[0].excerpt, "F1キー: ヘルプ。<mark>speech</mark> は音声。");
    EXPECT_EQ(hits[1].page, "usage.htm");
    EXPECT_EQ(hits[1].places, 2);
    EXPECT_TRUE(hits[1].excerpt.starts_with("音声 <mark>Speech</mark>-Dispatcher で読み上げます。F6キーで有効。"))
        << hits[1].excerpt;

    // Line breaks and blanks in the selection count as one blank, as in the page; references
    // are decoded for the search and escaped again in the excerpt; inline tags join words.
    hits = searchHelpPages(fx.platform().files, kHelp, " speech\r\ndispatcher & <tag> 音声 ");
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_NE(hits[0].excerpt.find("<mark>speech dispatcher &amp; &lt;tag&gt; 音声</mark>"), std::string::npos);
    EXPECT_EQ(searchHelpPages(fx.platform().files, kHelp, "F6キー").size(), 1u);

    for (const char* nowhere : {"var speech", "none;", "Hastelyn ヘルプ", "", " \r\n"})
        EXPECT_TRUE(searchHelpPages(fx.platform().files, kHelp, nowhere).empty()) << nowhere;
    EXPECT_TRUE(searchHelpPages(fx.platform().files, "C:\\No Help\\", "speech").empty());

    // The results page, the word escaped in it.
    const std::string word = "<script>alert(\"音声\")</script> & speech";
    const std::string results = searchHelp(fx.platform(), word);
    EXPECT_EQ(results, std::string(kHelp) + "search.htm");
    const std::string html = testing::fileText(fx.hostPath(results));
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\r\n<html lang=\"ja\">"));
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find("<title>「&lt;script&gt;alert(&quot;音声&quot;)&lt;/script&gt; &amp; speech」の検索結果"),
              std::string::npos);
    EXPECT_NE(html.find("を含むページは見つかりませんでした。"), std::string::npos);

    // Found pages are listed with their links; the results page itself is never a result.
    searchHelp(fx.platform(), "speech");
    const std::string found = testing::fileText(fx.hostPath(results));
    EXPECT_NE(found.find("「speech」を含むページ : 2 件"), std::string::npos);
    EXPECT_NE(found.find("<li><a href=\"keys.htm\">キー操作と音声</a> (1 か所)<br>"), std::string::npos);
    EXPECT_NE(found.find("<li><a href=\"usage.htm\">使い方</a> (2 か所)<br>"), std::string::npos);
    EXPECT_EQ(searchHelpPages(fx.platform().files, kHelp, "speech").size(), 2u);
}

// A page is read in one pass, whatever it holds: a page read once per element or per '&' would
// take hours on these 20 MB (a 1.3 MB page took a minute), far past the test's timeout, while
// one pass takes seconds at most, sanitizers and all.
TEST(HelpSearch, PageTextIsOnePassThroughAnyNumberOfSkippedElementsAndAmpersands) {
    std::string html;
    for (const char* skipped : {"<HEAD></head>", "<style>x</STYLE>", "<script></script >"})
        for (int i = 0; i < 300'000; ++i) html += skipped;
    html += std::string(6'000'000, '&') + "&amp;<p>end";
    const std::string text = pageText(html);
    EXPECT_EQ(text.size(), 6'000'005u);
    EXPECT_TRUE(text.ends_with("&&& end"));
}

TEST(HelpSearch, AResultsPageThatCannotBeWrittenEndsTheCommand) {
    MiniMachine m;  // no help folder at all
    SandboxFixture fx(m);
    EXPECT_EQ(testing::commandErrorOf([&] { searchHelp(fx.platform(), "speech"); })
                  .find("ファイル \"C:\\Program Files\\Hastelyn\\help\\search.htm\" に検索結果を書き込めませんでした。"),
              0u);
}

}  // namespace
}  // namespace hastelyn::foundation
