#include "platform/Text.h"

namespace hastelyn::text {
namespace {

// Length of a valid UTF-8 sequence at pos, or 0 when the bytes there are not one.
std::size_t validSequenceLength(std::string_view s, std::size_t pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) return 1;
    std::size_t len = 0;
    unsigned min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) { len = 2; min = 0x80; }
    else if (b0 >= 0xE0 && b0 <= 0xEF) { len = 3; min = 0x800; }
    else if (b0 >= 0xF0 && b0 <= 0xF4) { len = 4; min = 0x10000; }
    else return 0;
    if (pos + len > s.size()) return 0;
    unsigned cp = b0 & (0xFF >> (len + 1));
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

unsigned decodeCodePoint(std::string_view s, std::size_t pos, std::size_t len) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (len == 1) return b0;
    unsigned cp = b0 & (0xFF >> (len + 1));
    for (std::size_t i = 1; i < len; ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
    return cp;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {  // most text is ASCII: the quick way
            ++i;
            continue;
        }
        const std::size_t n = validSequenceLength(bytes, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string decodeFileText(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return fromShiftJis(bytes);
}

void appendUtf8(std::string& out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::size_t utf8CharLength(std::string_view text, std::size_t pos) {
    const std::size_t n = validSequenceLength(text, pos);
    return n == 0 ? 1 : n;
}

namespace {
std::size_t shiftJisWidth(std::string_view s, std::size_t pos, std::size_t len) {
    if (len == 1) return 1;
    const unsigned cp = decodeCodePoint(s, pos, len);
    if (cp >= 0xFF61 && cp <= 0xFF9F) return 1;  // half-width katakana
    return 2;
}
}  // namespace

std::size_t shiftJisLength(std::string_view utf8) {
    std::size_t total = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = validSequenceLength(utf8, i);
        total += n == 0 ? 1 : shiftJisWidth(utf8, i, n);
        i += n == 0 ? 1 : n;
    }
    return total;
}

std::string_view cutToShiftJisLength(std::string_view utf8, std::size_t maxBytes) {
    std::size_t total = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t n = validSequenceLength(utf8, i);
        const std::size_t w = n == 0 ? 1 : shiftJisWidth(utf8, i, n);
        if (total + w > maxBytes) break;
        total += w;
        i += n == 0 ? 1 : n;
    }
    return utf8.substr(0, i);
}

std::string_view cutAtNul(std::string_view s) { return s.substr(0, s.find('\0')); }

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = foldCase(c, CaseFold::ToUpper);
    return out;
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = foldCase(c, CaseFold::ToLower);
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareFolded(a, b, CaseFold::ToUpper) == 0;
}

std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= haystack.size() ? from : std::string_view::npos;
    if (needle.size() > haystack.size()) return std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= haystack.size(); ++i)
        if (equalsNoCase(haystack.substr(i, needle.size()), needle)) return i;
    return std::string_view::npos;
}

bool containsNoCase(std::string_view haystack, std::string_view needle) {
    return findNoCase(haystack, needle) != std::string_view::npos;
}

std::string utf16leToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&bytes](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        std::uint32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return out;
}

}  // namespace hastelyn::text
