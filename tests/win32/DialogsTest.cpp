// The message dialogs answered from the keyboard: each case's keys are posted to the focused
// control whenever the dialog waits for input (its owner hears of that through WM_ENTERIDLE).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/WideText.h"
#include "ui/win32/Win32Dialogs.h"

namespace hastelyn::win32test {
namespace {

using foundation::DialogKind;
using winui::Win32Dialogs;

// A key as the dialog gets it: a key going down and up, or a typed letter.
struct Key {
    UINT message;
    WPARAM code;
};
constexpr Key kEnter{WM_KEYDOWN, VK_RETURN}, kEscape{WM_KEYDOWN, VK_ESCAPE}, kTab{WM_KEYDOWN, VK_TAB},
    kSpace{WM_KEYDOWN, VK_SPACE};
constexpr Key letter(wchar_t c) { return {WM_CHAR, static_cast<WPARAM>(c)}; }

struct Seen {
    std::vector<Key> keys;
    std::size_t next = 0;
    std::wstring caption, text, firstButton, secondButton;
    int focusedAtStart = 0;
};

std::wstring windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

LRESULT CALLBACK ownerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* seen = reinterpret_cast<Seen*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX && seen && seen->next < seen->keys.size()) {
        const auto dialog = reinterpret_cast<HWND>(lParam);
        if (seen->next == 0) {
            seen->caption = windowText(dialog);
            seen->text = windowText(GetDlgItem(dialog, winui::kDialogTextId));
            const bool confirmation = GetDlgItem(dialog, IDYES) != nullptr;
            seen->firstButton = windowText(GetDlgItem(dialog, confirmation ? IDYES : IDOK));
            seen->secondButton = confirmation ? windowText(GetDlgItem(dialog, IDNO)) : L"";
            seen->focusedAtStart = GetDlgCtrlID(GetFocus());
        }
        const Key key = seen->keys[seen->next++];
        HWND focus = GetFocus();
        PostMessageW(focus, key.message, key.code, 1);
        if (key.message == WM_KEYDOWN) PostMessageW(focus, WM_KEYUP, key.code, static_cast<LPARAM>(0xC0000001));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(MessageDialogs, ShowTheirTextsAndAnswerByKeyboard) {
    WNDCLASSW type{};
    type.lpfnWndProc = ownerProc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"HastelynDialogOwner";
    RegisterClassW(&type);
    HWND owner = CreateWindowExW(0, type.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                 nullptr, type.hInstance, nullptr);
    ASSERT_TRUE(owner);
    ShowWindow(owner, SW_SHOW);
    SetActiveWindow(owner);
    ASSERT_EQ(GetActiveWindow(), owner);

    struct Case {
        DialogKind kind;
        std::vector<Key> keys;
        bool answer;
        const char* caption;
    };
    const Case cases[] = {
        {DialogKind::Confirmation, {kEnter}, true, "確認"},          // the default button is Yes
        {DialogKind::Confirmation, {kEscape}, false, "確認"},
        {DialogKind::Confirmation, {kTab, kSpace}, false, "確認"},
        {DialogKind::Confirmation, {kTab, kEnter}, false, "確認"},   // Enter presses the focused button
        {DialogKind::Confirmation, {kTab, letter(L'y')}, true, "確認"},
        {DialogKind::Confirmation, {letter(L'n')}, false, "確認"},
        {DialogKind::Information, {kEnter}, true, "情報"},
        {DialogKind::Error, {kEscape}, true, "エラー"},
        {DialogKind::Warning, {kSpace}, true, "警告"},
    };
    const std::string text = "\r\nチェックされた項目を高速化しますか？";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption + std::string(" keys ") + std::to_string(c.keys.size()) + " first " +
                     std::to_string(c.keys.front().code));
        Seen seen;
        seen.keys = c.keys;
        SetWindowLongPtrW(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
        EXPECT_EQ(Win32Dialogs().show(c.kind, text), c.answer);
        EXPECT_EQ(seen.next, c.keys.size());
        EXPECT_EQ(win32::narrow(seen.caption), c.caption);
        EXPECT_EQ(win32::narrow(seen.text), text);
        const bool confirmation = c.kind == DialogKind::Confirmation;
        EXPECT_EQ(win32::narrow(seen.firstButton), confirmation ? "はい(&Y)" : "OK");
        EXPECT_EQ(win32::narrow(seen.secondButton), confirmation ? "いいえ(&N)" : "");
        EXPECT_EQ(seen.focusedAtStart, confirmation ? IDYES : IDOK);
        EXPECT_TRUE(IsWindowEnabled(owner));  // given back when the dialog ends
    }
    SetWindowLongPtrW(owner, GWLP_USERDATA, 0);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace hastelyn::win32test
