#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string_view withoutComment(std::string_view value) {
    value = trimSpaces(value);
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == ';' && (i == 0 || value[i - 1] == ' ' || value[i - 1] == '\t')) {
            return trimSpaces(value.substr(0, i));
        }
    }
    return value;
}

std::string_view withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

namespace {

std::optional<std::uint64_t> parseDigits(std::string_view text, unsigned base) {
    if (text.empty()) return std::nullopt;
    std::uint64_t n = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return std::nullopt;
        if (n > (UINT64_MAX - digit) / base) return std::nullopt;
        n = n * base + digit;
    }
    return n;
}

}  // namespace

std::optional<std::uint64_t> parseDecimal(std::string_view text) { return parseDigits(trimSpaces(text), 10); }

std::optional<std::uint64_t> parseHex(std::string_view text) {
    text = trimSpaces(text);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
    return parseDigits(text, 16);
}

}  // namespace hastelyn::sandbox
