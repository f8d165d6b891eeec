#include "ui/win32/Win32Clipboard.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {
namespace {

// Moveable global memory holding `bytes` bytes copied from `data`; null when there is none.
HGLOBAL globalCopy(const void* data, std::size_t bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(memory);
    return memory;
}

// Hands the memory to the clipboard, which then owns it; frees it when the clipboard refuses.
void put(UINT format, HGLOBAL memory) {
    if (memory && !SetClipboardData(format, memory)) GlobalFree(memory);
}

}  // namespace

Win32Clipboard::Win32Clipboard() {
    // An owner of our own: a clipboard emptied without one has no owner, and then Windows may
    // refuse the data.
    owner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
}

Win32Clipboard::~Win32Clipboard() {
    if (owner_) DestroyWindow(owner_);
}

bool Win32Clipboard::open() {
    // A clipboard reader opens the clipboard for a moment whenever it changes: a few short tries
    // before the text is given up for lost.
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (OpenClipboard(owner_)) return true;
        Sleep(10);
    }
    return false;
}

std::string Win32Clipboard::text() {
    if (!open()) return {};
    std::string result;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(memory))) {
            const std::size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
            result = hastelyn::win32::narrow(std::wstring_view(text, wcsnlen(text, capacity)));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return result;
}

void Win32Clipboard::setText(std::string_view text) {
    const std::wstring wide = hastelyn::win32::widen(text);
    // The system's locale decides the code page of the CF_TEXT Windows makes from the Unicode
    // text; without it Windows takes the keyboard's, which on a Japanese system set to an English
    // keyboard would turn every Japanese letter into '?'.
    const LCID locale = GetSystemDefaultLCID();
    if (!open()) return;
    if (EmptyClipboard()) {
        put(CF_UNICODETEXT, globalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
        put(CF_LOCALE, globalCopy(&locale, sizeof locale));
    }
    CloseClipboard();
}

}  // namespace hastelyn::winui
