// The least a plain Win32 program does to show a window like Hastelyn.exe's main window: a
// 659 x 525 window with a two-row page control, a list view with check boxes and Japanese rows,
// buttons, a memo and a Japanese UI font; the floor bench/wine-start.sh measures against.
#include <windows.h>
#include <commctrl.h>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND child(HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int w, int h, HFONT font) {
    const HWND c = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = procedure;
    c.hInstance = instance;
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = L"BareWindow";
    RegisterClassExW(&c);
    const HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS PGothic");
    const HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, L"BareWindow", L"BareWindow", WS_POPUP | WS_BORDER,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 659, 525, nullptr, nullptr, instance, nullptr);

    const HWND tabs = child(window, WC_TABCONTROLW, L"", WS_TABSTOP | TCS_MULTILINE, 150, 60, 500, 330, font);
    const wchar_t* pages[] = {L"システム", L"デスクトップ", L"エクスプローラ", L"電源", L"その他", L"サービス", L"ユーティリティ", L"PC情報"};
    for (int i = 0; i < 8; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(pages[i]);
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    const HWND list = child(window, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL,
                            160, 110, 480, 270, font);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 450;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 10; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(L"メニューの表示を速くする");
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    const wchar_t* menu[] = {L"システム", L"デスクトップ", L"エクスプローラ", L"電源", L"その他", L"閉じる"};
    for (int i = 0; i < 6; ++i) child(window, WC_BUTTONW, menu[i], WS_TABSTOP | BS_PUSHBUTTON, 8, 60 + 36 * i, 130, 32, font);
    child(window, WC_EDITW, L"ここに解説が出ます。", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER, 150, 400, 500, 80, font);
    child(window, WC_BUTTONW, L"高速化", WS_TABSTOP | BS_PUSHBUTTON, 540, 488, 110, 28, font);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return 0;
}
