#pragma once
// The program's own window classes: each registered once, the first time a window of it is made.
#include <windows.h>

namespace hastelyn::winui {

// Registers the class (arrow cursor, no background of its own: the procedure paints) unless
// this program has it already.
inline void registerWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &c)) return;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    c.lpszClassName = name;
    RegisterClassExW(&c);
}

}  // namespace hastelyn::winui
