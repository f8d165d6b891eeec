#pragma once
// A child control made from a control row: its class, text, style and place on the parent.
#include <windows.h>

#include <string_view>

#include "platform/win32/WideText.h"
#include "ui/model/Control.h"

namespace hastelyn::winui {

inline HWND makeChild(HWND parent, const wchar_t* className, std::string_view text, DWORD style,
                      const ui::model::Rect& r, int id, DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, className, win32::widen(text).c_str(), WS_CHILD | style, r.left, r.top,
                           r.width, r.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

inline void setFont(HWND control, HFONT font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// Whether the window is the ancestor or one of its children, at any depth.
inline bool within(HWND ancestor, HWND window) {
    return window != nullptr && (window == ancestor || IsChild(ancestor, window));
}

// A window's text as UTF-8.
inline std::string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return win32::narrow(text);
}

}  // namespace hastelyn::winui
