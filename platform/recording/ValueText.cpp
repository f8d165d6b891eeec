#include "platform/recording/ValueText.h"

#include <cstring>
#include <vector>

#include "platform/Win32Types.h"

namespace hastelyn::recording {
namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t cut = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(0, cut);
        text.remove_prefix(cut);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

std::string joined(const std::vector<std::string_view>& lines, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from) out += '\n';
        out += lines[i];
    }
    return out;
}

}  // namespace

std::string registryValueText(std::uint32_t type, std::string_view bytes) {
    if (type == platform::regtype::Sz || type == platform::regtype::ExpandSz) {
        while (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
        return std::string(bytes);
    }
    if (type == platform::regtype::Dword && bytes.size() == 4) {
        std::int32_t value = 0;
        std::memcpy(&value, bytes.data(), 4);
        return std::to_string(value);
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "hex(" + std::to_string(type) + "):";
    for (const char c : bytes) {
        out += kDigits[static_cast<unsigned char>(c) >> 4];
        out += kDigits[static_cast<unsigned char>(c) & 0xF];
    }
    return out;
}

LineChange changedLines(const std::optional<std::string>& before, const std::optional<std::string>& after) {
    // The lines point into the contents, which must outlive them.
    const std::string beforeText = before.value_or("");
    const std::string afterText = after.value_or("");
    const std::vector<std::string_view> a = splitLines(beforeText);
    const std::vector<std::string_view> b = splitLines(afterText);
    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
    LineChange change;
    if (before) change.before = joined(a, head, a.size() - tail);
    if (after) change.after = joined(b, head, b.size() - tail);
    return change;
}

}  // namespace hastelyn::recording
