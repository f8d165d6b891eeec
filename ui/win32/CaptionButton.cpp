#include "ui/win32/CaptionButton.h"

#include "platform/win32/WideText.h"

namespace hastelyn::winui {
namespace {

// The visual styles of XP and later, looked up: Windows 2000 has no uxtheme.dll, and without a
// theme (the classic look, and Wine's default) OpenThemeData gives nothing.
using OpenTheme = HANDLE(WINAPI*)(HWND, const wchar_t*);
using DrawBackground = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
using CloseTheme = HRESULT(WINAPI*)(HANDLE);

struct Themes {
    OpenTheme open = nullptr;
    DrawBackground draw = nullptr;
    CloseTheme close = nullptr;
};

const Themes& themes() {
    static const Themes found = [] {
        Themes t;
        if (const HMODULE module = LoadLibraryW(L"uxtheme.dll")) {
            t.open = reinterpret_cast<OpenTheme>(reinterpret_cast<void*>(GetProcAddress(module, "OpenThemeData")));
            t.draw = reinterpret_cast<DrawBackground>(
                reinterpret_cast<void*>(GetProcAddress(module, "DrawThemeBackground")));
            t.close = reinterpret_cast<CloseTheme>(reinterpret_cast<void*>(GetProcAddress(module, "CloseThemeData")));
        }
        return t;
    }();
    return found;
}

// The push button's part and states in the visual styles (vssym32.h: BP_PUSHBUTTON, PBS_*).
constexpr int kPushButtonPart = 1;
constexpr int kNormal = 1, kPressed = 3, kDisabled = 4;

bool drawThemed(const DRAWITEMSTRUCT& item, bool pushed, bool disabled) {
    const Themes& t = themes();
    if (t.open == nullptr || t.draw == nullptr || t.close == nullptr) return false;
    const HANDLE theme = t.open(item.hwndItem, L"BUTTON");
    if (theme == nullptr) return false;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    t.draw(theme, item.hDC, kPushButtonPart, disabled ? kDisabled : pushed ? kPressed : kNormal, &item.rcItem, nullptr);
    t.close(theme);
    return true;
}

}  // namespace

void makeCaptionButton(HWND button, std::string_view name) {
    SendMessageW(button, BM_SETSTYLE, BS_OWNERDRAW, FALSE);
    SetWindowTextW(button, win32::widen(name).c_str());
}

void drawCaptionButton(const DRAWITEMSTRUCT& item, std::string_view caption) {
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    RECT r = item.rcItem;
    if (!drawThemed(item, pushed, disabled))
        DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(item.hDC, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    RECT text = r;
    if (pushed) OffsetRect(&text, 1, 1);
    std::wstring shown = win32::widen(caption);
    DrawTextW(item.hDC, shown.c_str(), static_cast<int>(shown.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, old);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        InflateRect(&r, -3, -3);
        DrawFocusRect(item.hDC, &r);
    }
}

}  // namespace hastelyn::winui
