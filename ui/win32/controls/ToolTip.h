#pragma once
// A tooltip (TOOLTIPS_CLASS) that shows one control's hint while the mouse rests on it; lines
// broken with CR LF are shown as lines.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {

class ToolTip {
public:
    ToolTip() = default;
    // A tooltip for the control, with no text yet (it shows nothing until it has one). It has no
    // owner: Wine does not make a window topmost (stay on top) while it owns a topmost popup, so
    // whoever makes it destroys it with the window it serves.
    explicit ToolTip(HWND control)
        : h_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr)),
          control_(control) {
        TOOLINFOW tool = info();
        tool.uFlags |= TTF_SUBCLASS;
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(h_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        // A width makes the tooltip break its lines (at CR LF and where they are too long).
        SendMessageW(h_, TTM_SETMAXTIPWIDTH, 0, 480);
    }
    HWND handle() const { return h_; }

    void setText(std::string_view text) {
        text_ = win32::widen(text);
        TOOLINFOW tool = info();
        tool.lpszText = text_.data();
        SendMessageW(h_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // The text the tooltip shows now.
    std::string text() const {
        std::wstring buffer(text_.size() + 1, L'\0');
        TOOLINFOW tool = info();
        tool.lpszText = buffer.data();
        SendMessageW(h_, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
        return win32::narrow(buffer.c_str());
    }

private:
    TOOLINFOW info() const {
        TOOLINFOW tool{};
        // The size without the fields comctl32 6 added, which 5.8 (Windows 2000) refuses.
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = GetParent(control_);
        tool.uId = reinterpret_cast<UINT_PTR>(control_);
        return tool;
    }

    HWND h_ = nullptr;
    HWND control_ = nullptr;
    std::wstring text_;
};

}  // namespace hastelyn::winui
