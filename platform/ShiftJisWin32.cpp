// Shift_JIS conversion through code page 932 of Windows, with the results of the iconv version:
// an invalid byte becomes U+FFFD, a character code page 932 lacks becomes "?".
#include <windows.h>

#include <string>

#include "platform/Text.h"

namespace hastelyn::text {
namespace {

constexpr UINT kShiftJis = 932;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

void appendUtf8(std::string& out, const wchar_t* text, int length) {
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(needed));
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data() + at, needed, nullptr, nullptr);
}

// The bytes as UTF-8 when they are valid Shift_JIS throughout.
bool convertWhole(std::string_view sjis, std::string& out) {
    const int size = static_cast<int>(sjis.size());
    const int needed = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, sjis.data(), size, nullptr, 0);
    if (needed <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, sjis.data(), size, wide.data(), needed);
    appendUtf8(out, wide.data(), needed);
    return true;
}

}  // namespace

std::string fromShiftJis(std::string_view sjis) {
    std::string out;
    if (sjis.empty() || convertWhole(sjis, out)) return out;
    // Character by character: one that does not convert becomes U+FFFD and only its first byte
    // is stepped over, so that what follows is read in step again.
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = isLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
        wchar_t wide[2];
        const int converted = MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, sjis.data() + i,
                                                  static_cast<int>(length), wide, 2);
        if (converted > 0) {
            appendUtf8(out, wide, converted);
            i += length;
        } else {
            out.append(kReplacement);
            i += 1;
        }
    }
    return out;
}

std::string toShiftJis(std::string_view utf8) {
    std::wstring wide;
    if (isValidUtf8(utf8)) {
        const int size = static_cast<int>(utf8.size());
        wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)));
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    } else {
        // Each invalid byte stands for one character that code page 932 lacks.
        for (std::size_t i = 0; i < utf8.size();) {
            const std::size_t length = utf8CharLength(utf8, i);
            if (length == 1 && static_cast<unsigned char>(utf8[i]) >= 0x80) {
                wide.push_back(L'\xFFFD');
            } else {
                wchar_t units[2];
                const int converted =
                    MultiByteToWideChar(CP_UTF8, 0, utf8.data() + i, static_cast<int>(length), units, 2);
                wide.append(units, static_cast<std::size_t>(converted));
            }
            i += length;
        }
    }
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?", nullptr);
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), needed, "?", nullptr);
    return out;
}

}  // namespace hastelyn::text
