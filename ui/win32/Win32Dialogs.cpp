#include "ui/win32/Win32Dialogs.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {

using foundation::DialogKind;

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kTextMaxWidth = 420;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonGap = 8;

struct Request {
    DialogKind kind;
    std::wstring text;
    HFONT font;
};

// The system icons' ids (the IDI_ macros are the ANSI functions' pointers).
HICON systemIcon(DialogKind kind) {
    LPSTR id = IDI_INFORMATION;
    switch (kind) {
        case DialogKind::Confirmation: id = IDI_QUESTION; break;
        case DialogKind::Information: id = IDI_INFORMATION; break;
        case DialogKind::Error: id = IDI_ERROR; break;
        case DialogKind::Warning: id = IDI_WARNING; break;
    }
    return LoadIconW(nullptr, MAKEINTRESOURCEW(LOWORD(reinterpret_cast<ULONG_PTR>(id))));
}

UINT systemSound(DialogKind kind) {
    switch (kind) {
        case DialogKind::Confirmation: return MB_ICONQUESTION;
        case DialogKind::Information: return MB_ICONINFORMATION;
        case DialogKind::Error: return MB_ICONHAND;
        case DialogKind::Warning: return MB_ICONEXCLAMATION;
    }
    return MB_OK;
}

struct Button {
    int id;
    const wchar_t* caption;
};

std::vector<Button> buttons(DialogKind kind) {
    if (kind == DialogKind::Confirmation) return {{IDYES, L"はい(&Y)"}, {IDNO, L"いいえ(&N)"}};
    return {{IDOK, L"OK"}};
}

HWND child(HWND dialog, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, HFONT font) {
    HWND control = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// Text and icon side by side, the buttons centred below, the dialog centred on its owner.
void layOut(HWND dialog, const Request& request) {
    HDC dc = GetDC(dialog);
    HGDIOBJ previous = SelectObject(dc, request.font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT text{0, 0, kTextMaxWidth, 0};
    DrawTextW(dc, request.text.c_str(), static_cast<int>(request.text.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    const std::vector<Button> row = buttons(request.kind);
    int buttonWidth = kButtonMinWidth;
    for (const Button& button : row) {
        SIZE size{};
        GetTextExtentPoint32W(dc, button.caption, static_cast<int>(wcslen(button.caption)), &size);
        buttonWidth = std::max<int>(buttonWidth, static_cast<int>(size.cx) + 2 * kButtonGap);
    }
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);

    const int buttonHeight = metrics.tmHeight + 11;
    const int textLeft = kMargin + kIconSize + kMargin;
    const int bodyHeight = std::max<int>(kIconSize, text.bottom);
    const int rowWidth = static_cast<int>(row.size()) * buttonWidth + (static_cast<int>(row.size()) - 1) * kButtonGap;
    const int width = std::max<int>(textLeft + text.right + kMargin, rowWidth + 2 * kMargin);
    const int buttonTop = kMargin + bodyHeight + kMargin;
    const int height = buttonTop + buttonHeight + kMargin;

    MoveWindow(GetDlgItem(dialog, kDialogIconId), kMargin, kMargin, kIconSize, kIconSize, FALSE);
    MoveWindow(GetDlgItem(dialog, kDialogTextId), textLeft, kMargin + std::max<int>(0, (kIconSize - text.bottom) / 2),
               text.right, text.bottom, FALSE);
    int left = (width - rowWidth) / 2;
    for (const Button& button : row) {
        MoveWindow(GetDlgItem(dialog, button.id), left, buttonTop, buttonWidth, buttonHeight, FALSE);
        left += buttonWidth + kButtonGap;
    }

    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;
    RECT area{};
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !IsWindowVisible(owner) || IsIconic(owner) || !GetWindowRect(owner, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int x = area.left + (area.right - area.left - frameWidth) / 2;
    const int y = area.top + (area.bottom - area.top - frameHeight) / 2;
    SetWindowPos(dialog, nullptr, std::max<int>(0, x), std::max<int>(0, y), frameWidth, frameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void build(HWND dialog, const Request& request) {
    SetWindowTextW(dialog, Win32Dialogs::title(request.kind).c_str());
    HWND icon = child(dialog, L"STATIC", nullptr, SS_ICON, kDialogIconId, request.font);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(systemIcon(request.kind)), 0);
    child(dialog, L"STATIC", request.text.c_str(), SS_LEFT | SS_NOPREFIX, kDialogTextId, request.font);
    bool first = true;
    for (const Button& button : buttons(request.kind)) {
        child(dialog, L"BUTTON", button.caption,
              WS_TABSTOP | (first ? WS_GROUP | BS_DEFPUSHBUTTON : BS_PUSHBUTTON), button.id, request.font);
        first = false;
    }
    layOut(dialog, request);
    const int defaultId = buttons(request.kind).front().id;
    SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
    SetFocus(GetDlgItem(dialog, defaultId));
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* request = reinterpret_cast<const Request*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            build(dialog, *request);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            const auto* request = reinterpret_cast<const Request*>(GetWindowLongPtrW(dialog, DWLP_USER));
            const int id = LOWORD(wParam);
            if (id == IDYES || id == IDNO || id == IDOK) {
                EndDialog(dialog, id);
                return TRUE;
            }
            if (id == IDCANCEL) {  // Escape or the close box
                EndDialog(dialog, request && request->kind == DialogKind::Confirmation ? IDNO : IDOK);
                return TRUE;
            }
            return FALSE;
        }
        default: return FALSE;
    }
}

// An empty dialog template: the controls are made when the dialog starts, sized to the text.
std::vector<WORD> emptyTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);  // then no menu, class, title
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    // In front and with the keyboard even when the program's own windows are not (in the tray).
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK | DS_SETFOREGROUND;
    dialog->dwExtendedStyle = WS_EX_DLGMODALFRAME;
    return words;
}

}  // namespace

std::wstring Win32Dialogs::title(DialogKind kind) {
    switch (kind) {
        case DialogKind::Confirmation: return L"確認";
        case DialogKind::Information: return L"情報";
        case DialogKind::Error: return L"エラー";
        case DialogKind::Warning: return L"警告";
    }
    return {};
}

bool Win32Dialogs::show(DialogKind kind, std::string_view text) {
    const Request request{kind, hastelyn::win32::widen(text),
                          font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))};
    MessageBeep(systemSound(kind));
    std::vector<WORD> dialog = emptyTemplate();
    INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()),
                                             GetActiveWindow(), dialogProc, reinterpret_cast<LPARAM>(&request));
    if (answer <= 0) {
        // No dialog could be made (out of memory or window handles): the system's message box
        // still asks, rather than the question going unanswered.
        const UINT buttons = kind == DialogKind::Confirmation ? MB_YESNO : MB_OK;
        answer = MessageBoxW(GetActiveWindow(), request.text.c_str(), title(kind).c_str(), buttons | systemSound(kind));
    }
    return kind != DialogKind::Confirmation || answer == IDYES;
}

}  // namespace hastelyn::winui
