#include "platform/sandbox/registry/KeyNames.h"

#include <array>
#include <utility>

#include "platform/Text.h"
#include "platform/sandbox/registry/RegistryText.h"

namespace hastelyn::sandbox {
namespace {

bool isAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace

bool hasLineBreak(std::string_view text) {
    for (const char c : text)
        if (c == '\r' || c == '\n') return true;
    return false;
}

bool forEachKeyName(std::string_view path, const std::function<bool(std::string_view)>& take) {
    path = text::cutAtNul(path);
    std::size_t depth = 0;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view raw = path.substr(start, end - start);
        start = end + 1;
        if (raw.empty()) continue;
        if (depth++ == kMaxKeyDepth || hasLineBreak(raw)) return false;
        if (isAscii(raw)) {
            if (raw.size() > kMaxKeyNameLength || !take(raw)) return false;
            continue;
        }
        const std::string name = replaceInvalidUtf8(raw);
        if (characterCount(name) > kMaxKeyNameLength || !take(name)) return false;
    }
    return true;
}

bool splitKeyPath(std::string_view path, std::vector<std::string>& names) {
    names.clear();
    return forEachKeyName(path, [&names](std::string_view name) {
        names.emplace_back(name);
        return true;
    });
}

bool isKeyName(std::string_view name) {
    return !name.empty() && name.size() == text::cutAtNul(name).size() && name.find('\\') == std::string_view::npos &&
           !hasLineBreak(name) && replaceInvalidUtf8(name) == name && characterCount(name) <= kMaxKeyNameLength;
}

std::string cleanValueName(std::string_view name) { return replaceInvalidUtf8(text::cutAtNul(name)); }

std::optional<platform::RootKey> rootKeyFromName(std::string_view name) {
    using platform::RootKey;
    static constexpr std::array<std::pair<std::string_view, RootKey>, 7> kShort{{
        {"HKCR", RootKey::ClassesRoot},
        {"HKCU", RootKey::CurrentUser},
        {"HKLM", RootKey::LocalMachine},
        {"HKU", RootKey::Users},
        {"HKCC", RootKey::CurrentConfig},
        {"HKDD", RootKey::DynData},
        {"HKPD", RootKey::PerformanceData},
    }};
    for (const auto& [shortName, root] : kShort)
        if (text::equalsNoCase(name, shortName) || text::equalsNoCase(name, platform::rootKeyName(root))) return root;
    return std::nullopt;
}

}  // namespace hastelyn::sandbox
