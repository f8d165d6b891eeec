#include "ui/win32/WindowScroller.h"

#include <algorithm>

namespace hastelyn::winui {
namespace {

constexpr int kLine = 16;
constexpr int kMargin = 4;

// The new position for a scroll bar's request.
int positionFor(HWND window, int bar, WORD request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    const int page = static_cast<int>(info.nPage);
    switch (request) {
        case SB_LINEUP: return info.nPos - kLine;
        case SB_LINEDOWN: return info.nPos + kLine;
        case SB_PAGEUP: return info.nPos - page;
        case SB_PAGEDOWN: return info.nPos + page;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: return info.nTrackPos;
        case SB_TOP: return 0;
        case SB_BOTTOM: return info.nMax;
        default: return info.nPos;
    }
}

// The furthest a bar moves: what does not fit in the client area.
int limit(int content, LONG client) { return std::max(0, content - static_cast<int>(client)); }

}  // namespace

void WindowScroller::enable() {
    enabled_ = true;
    update();
}

void WindowScroller::update() {
    if (!enabled_ || updating_) return;
    updating_ = true;
    // Showing one bar narrows the client area, which may call for the other: twice is enough.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        GetClientRect(window_, &client);
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMax = content_.cx - 1;
        info.nPage = static_cast<UINT>(client.right);
        SetScrollInfo(window_, SB_HORZ, &info, TRUE);
        info.nMax = content_.cy - 1;
        info.nPage = static_cast<UINT>(client.bottom);
        SetScrollInfo(window_, SB_VERT, &info, TRUE);
    }
    RECT client{};
    GetClientRect(window_, &client);
    scrollTo(std::min(static_cast<int>(offset_.x), limit(content_.cx, client.right)),
             std::min(static_cast<int>(offset_.y), limit(content_.cy, client.bottom)));
    updating_ = false;
}

void WindowScroller::scrollTo(int x, int y) {
    RECT client{};
    GetClientRect(window_, &client);
    x = std::clamp(x, 0, limit(content_.cx, client.right));
    y = std::clamp(y, 0, limit(content_.cy, client.bottom));
    SetScrollPos(window_, SB_HORZ, x, TRUE);
    SetScrollPos(window_, SB_VERT, y, TRUE);
    if (x == offset_.x && y == offset_.y) return;
    ScrollWindowEx(window_, offset_.x - x, offset_.y - y, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    offset_ = {x, y};
}

bool WindowScroller::handle(UINT message, WPARAM wParam) {
    if (!enabled_) return false;
    switch (message) {
        case WM_SIZE: update(); return false;  // the window may want its size too
        case WM_HSCROLL: scrollTo(positionFor(window_, SB_HORZ, LOWORD(wParam)), offset_.y); return true;
        case WM_VSCROLL: scrollTo(offset_.x, positionFor(window_, SB_VERT, LOWORD(wParam))); return true;
        default: return false;
    }
}

void WindowScroller::bringIntoView(HWND control) {
    if (!enabled_ || control == nullptr || !IsChild(window_, control)) return;
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    RECT client{};
    GetClientRect(window_, &client);
    // Its place on the whole layout, then the least move that shows it (its top left first).
    const auto axis = [](LONG low, LONG high, LONG offset, LONG size) {
        const LONG from = low + offset - kMargin;
        const LONG to = high + offset + kMargin;
        if (from < offset) return static_cast<int>(from);
        if (to > offset + size) return static_cast<int>(std::min(from, to - size));
        return static_cast<int>(offset);
    };
    scrollTo(axis(r.left, r.right, offset_.x, client.right), axis(r.top, r.bottom, offset_.y, client.bottom));
}

}  // namespace hastelyn::winui
