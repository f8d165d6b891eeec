// Spoken texts on the clipboard of a Japanese system: read back as they were put, the clipboard's
// earlier content gone, and offered as Shift_JIS plain text to a reader that asks for CF_TEXT.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "ui/win32/Win32Clipboard.h"

namespace hastelyn::win32test {
namespace {

std::string plainText() {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return "(busy)";
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        if (const auto* text = static_cast<const char*>(GlobalLock(memory))) {
            bytes = text;
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return bytes;
}

TEST(JapaneseSystemClipboard, SpokenTextReplacesTheClipboardAndReadsAsShiftJis) {
    ASSERT_EQ(GetACP(), 932u);
    const UINT other = RegisterClipboardFormatW(L"HastelynEarlierContent");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
    ASSERT_TRUE(SetClipboardData(other, memory));
    CloseClipboard();

    winui::Win32Clipboard clipboard;
    clipboard.setText("確認のメッセージ。はい");
    EXPECT_EQ(clipboard.text(), "確認のメッセージ。はい");
    EXPECT_FALSE(IsClipboardFormatAvailable(other));
    EXPECT_EQ(plainText(), "\x8a\x6d\x94\x46\x82\xcc\x83\x81\x83\x62\x83\x5a\x81\x5b\x83\x57\x81\x42\x82\xcd\x82\xa2");

    clipboard.setText("");  // F4 on an empty commentary
    EXPECT_EQ(clipboard.text(), "");
}

}  // namespace
}  // namespace hastelyn::win32test
