// The windows' font in the test prefix, where "MS PGothic" is IPAPGothic under the Windows name
// (tools/wine/test-windows-build.sh): found by that name, 12 pixels high, with Japanese letters.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/win32/UiFont.h"

namespace hastelyn::win32test {
namespace {

using winui::chooseUiFace;

TEST(UiFont, TakesTheFirstJapaneseGothicTheSystemLists) {
    ASSERT_TRUE(winui::fontFamilyInstalled(L"MS PGothic")) << "the prefix lacks the font replacements";
    EXPECT_FALSE(winui::fontFamilyInstalled(L"Hastelyn No Such Face"));
    EXPECT_EQ(chooseUiFace({L"Hastelyn No Such Face", L"MS PGothic", L"MS Gothic"}), L"MS PGothic");
    // With none of the wanted faces, some proportional face with Japanese letters.
    const std::wstring stand_in = chooseUiFace({L"Hastelyn No Such Face"});
    EXPECT_FALSE(stand_in.empty());
    EXPECT_NE(stand_in.front(), L'@');

    const winui::UiFont font;
    EXPECT_EQ(font.face(), L"MS PGothic");
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font.handle());
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 12);
    WORD glyphs[3] = {};
    EXPECT_EQ(GetGlyphIndicesW(dc, L"確認あ", 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 3u);
    for (WORD glyph : glyphs) EXPECT_NE(glyph, 0xFFFF);
    SelectObject(dc, previous);
    DeleteDC(dc);
}

}  // namespace
}  // namespace hastelyn::win32test
