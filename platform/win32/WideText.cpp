#include "platform/win32/WideText.h"

#include <windows.h>

namespace hastelyn::win32 {
namespace {

bool isHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), needed);
    return out;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, out.data(), needed, nullptr, nullptr);
    return out;
}

std::size_t ansiLength(std::wstring_view utf16) {
    if (utf16.empty()) return 0;
    return static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, utf16.data(), static_cast<int>(utf16.size()),
                                                        nullptr, 0, nullptr, nullptr));
}

std::wstring_view cutToAnsiLength(std::wstring_view utf16, std::size_t maxBytes) {
    if (ansiLength(utf16) <= maxBytes) return utf16;
    std::size_t total = 0;
    std::size_t i = 0;
    while (i < utf16.size()) {
        const std::size_t units =
            (isHighSurrogate(utf16[i]) && i + 1 < utf16.size() && isLowSurrogate(utf16[i + 1])) ? 2 : 1;
        const std::size_t width = ansiLength(utf16.substr(i, units));
        if (total + width > maxBytes) break;
        total += width;
        i += units;
    }
    return utf16.substr(0, i);
}

}  // namespace hastelyn::win32
