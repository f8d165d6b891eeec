#pragma once
// Text helpers shared by every layer: the program keeps UTF-8 inside and meets Shift_JIS
// (code page 932) in files made on a Japanese Windows system.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace hastelyn::text {

bool isValidUtf8(std::string_view bytes);

// Bytes of a file as UTF-8: valid UTF-8 stays as it is (a leading byte-order mark is dropped);
// anything else is read as Shift_JIS, with bytes that are not Shift_JIS either becoming U+FFFD.
std::string decodeFileText(std::string_view bytes);

// UTF-16LE bytes as UTF-8; an unpaired surrogate becomes U+FFFD, an odd last byte is dropped.
std::string utf16leToUtf8(std::string_view bytes);

// UTF-8 to Shift_JIS; characters Shift_JIS lacks become "?".
std::string toShiftJis(std::string_view utf8);
// Shift_JIS to UTF-8; invalid bytes become U+FFFD.
std::string fromShiftJis(std::string_view sjis);

// Number of bytes the UTF-8 text takes in Shift_JIS: an ASCII or half-width katakana
// character counts 1, every other character 2.
std::size_t shiftJisLength(std::string_view utf8);
// The longest prefix of the text, cut on a character boundary, whose Shift_JIS length is at
// most maxBytes.
std::string_view cutToShiftJisLength(std::string_view utf8, std::size_t maxBytes);
// Appends the UTF-8 bytes of a code point (below 0x110000, the caller's to check).
void appendUtf8(std::string& out, std::uint32_t codePoint);
// Length in bytes of the UTF-8 character starting at text[pos] (1 for an invalid byte).
std::size_t utf8CharLength(std::string_view text, std::size_t pos);

// A text cut at its first NUL byte, as a C string sees it.
std::string_view cutAtNul(std::string_view s);

// ASCII case folding, the one way every case-insensitive comparison and order of the program
// is made. Which way the letters fold matters for order only: the six characters between "Z" and
// "a" sort after the letters when they fold to upper case (the registry's order of key names on
// NT) and before them when they fold to lower case (the services list).
enum class CaseFold { ToUpper, ToLower };

constexpr char foldCase(char c, CaseFold fold) {
    if (fold == CaseFold::ToUpper) return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Negative, zero or positive as a sorts before, with or after b once both are folded; bytes
// compare unsigned, and a text sorts before any longer text it begins.
constexpr int compareFolded(std::string_view a, std::string_view b, CaseFold fold) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    std::size_t i = 0;
    // Bytes equal as they are are equal folded: a common beginning (names of one family, such
    // as "Service001" and "Service002") is passed over eight bytes at a time.
    if (!std::is_constant_evaluated()) {
        while (i + 8 <= n && std::memcmp(a.data() + i, b.data() + i, 8) == 0) i += 8;
    }
    for (; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(foldCase(a[i], fold));
        const auto cb = static_cast<unsigned char>(foldCase(b[i], fold));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string upperAscii(std::string_view s);
std::string lowerAscii(std::string_view s);
bool equalsNoCase(std::string_view a, std::string_view b);
// The registry's order of names on NT: folded to upper case.
constexpr int compareNoCase(std::string_view a, std::string_view b) {
    return compareFolded(a, b, CaseFold::ToUpper);
}
// Position of needle in haystack compared case-insensitively, or npos.
std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);
bool containsNoCase(std::string_view haystack, std::string_view needle);

}  // namespace hastelyn::text
