// Hastelyn.exe's resources (linked into this test program too): every picture loads as the
// windows ask for it, at its size, and the manifest names the common controls and asInvoker.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/win32/Resources.h"

namespace hastelyn::win32test {
namespace {

TEST(Resources, PicturesLoadAtTheirSizesAndTheManifestIsThere) {
    HINSTANCE program = GetModuleHandleW(nullptr);
    struct Bitmap {
        int id, width, height, bits;
    };
    for (const Bitmap& b : {Bitmap{IDB_TITLE, 555, 50, 24}, Bitmap{IDB_ABOUT, 140, 36, 24},
                            Bitmap{IDB_RESTORE, 300, 60, 24}, Bitmap{IDB_ABOUT_VERSION, 81, 15, 32}}) {
        SCOPED_TRACE(b.id);
        auto* bitmap = static_cast<HBITMAP>(LoadImageW(program, MAKEINTRESOURCEW(b.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_TRUE(bitmap);
        BITMAP facts{};
        GetObjectW(bitmap, sizeof facts, &facts);
        EXPECT_EQ(facts.bmWidth, b.width);
        EXPECT_EQ(facts.bmHeight, b.height);
        EXPECT_EQ(facts.bmBitsPixel, b.bits);
        DeleteObject(bitmap);
    }

    // Each icon at the size it is made for: the program icon's three, 32 pixels for the
    // save-and-restore window's, 16 for the other glyphs.
    const auto iconWidth = [program](int id, int size) {
        auto* icon = static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
        ICONINFO info{};
        if (!icon || !GetIconInfo(icon, &info)) return 0L;
        BITMAP facts{};
        GetObjectW(info.hbmMask, sizeof facts, &facts);
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DestroyIcon(icon);
        return facts.bmWidth;
    };
    for (int size : {16, 32, 48}) EXPECT_EQ(iconWidth(IDI_HASTELYN, size), size);
    int glyphs = 0;
    for (int id = IDI_MENU_SYSTEM; id <= IDI_RESTORE_MAIL; ++id) {
        if (!FindResourceW(program, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14))) continue;  // RT_GROUP_ICON
        const int size = id >= IDI_RESTORE_BACKUP ? 32 : 16;
        EXPECT_EQ(iconWidth(id, size), size) << id;
        ++glyphs;
    }
    EXPECT_EQ(glyphs, 27);  // every glyph tools/pictures draws
    EXPECT_TRUE(FindResourceW(program, MAKEINTRESOURCEW(IDR_ABOUT_VERSION_ADVANCES), MAKEINTRESOURCEW(10)));  // RT_RCDATA

    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_TRUE(found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(program, found))), SizeofResource(program, found));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

}  // namespace
}  // namespace hastelyn::win32test
