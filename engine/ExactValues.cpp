#include "engine/ExactValues.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "engine/RestoreRefusal.h"
#include "foundation/RegistryValues.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using foundation::RegData;
using platform::KeyAccess;

constexpr std::string_view kAbsent = kExactAbsent;
// Characters per line: the profile reader gives at most 2047.
constexpr std::size_t kLineChars = 2000;

std::string continuationKey(const std::string& key, std::size_t line) { return key + "/" + std::to_string(line); }

bool keyOpens(Session& session, platform::RootKey root, std::string_view path, KeyAccess access) {
    return session.registry.RegKeyOpens(root, path, access);
}

// The path without its last level ("" for a key right below the root).
std::string_view parentPath(std::string_view path) {
    const std::size_t cut = path.rfind('\\');
    return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut);
}

// How many of the last levels of the path do not exist.
int missingLevels(Session& session, platform::RootKey root, std::string_view path) {
    int missing = 0;
    while (!path.empty() && !keyOpens(session, root, path, KeyAccess::Query)) {
        ++missing;
        path = parentPath(path);
    }
    return missing;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A decimal number that fills the whole text.
template <typename Number>
bool parseNumber(std::string_view text, Number& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// Data of a type the row's own kind of value takes: a number as REG_DWORD or as the few bytes of
// REG_BINARY (the form some Windows versions keep a row's number in), bytes as REG_BINARY or a
// REG_DWORD, a text as either string type.
bool dataFits(foundation::RegType type, const RegData& data) {
    const bool dword = data.type == platform::regtype::Dword && data.bytes.size() == 4;
    const bool binary = data.type == platform::regtype::Binary;
    switch (type) {
        case foundation::RegType::DWORD: return dword || (binary && data.bytes.size() <= 4);
        case foundation::RegType::Binary: return dword || binary;
        case foundation::RegType::String:
        case foundation::RegType::ExString:
            return data.type == platform::regtype::Sz || data.type == platform::regtype::ExpandSz;
        case foundation::RegType::MultiString: return false;
    }
    return false;
}

}  // namespace

// "T:S:HEX" and its continuation lines, or nothing when the entry is not whole and well formed.
std::optional<RegData> readExactData(RestorePointReader& file, const std::string& key, std::string_view first) {
    const std::size_t typeEnd = first.find(':');
    const std::size_t sizeEnd = typeEnd == std::string_view::npos ? typeEnd : first.find(':', typeEnd + 1);
    if (sizeEnd == std::string_view::npos) return std::nullopt;
    RegData data;
    std::size_t size = 0;
    if (!parseNumber(first.substr(0, typeEnd), data.type) ||
        !parseNumber(first.substr(typeEnd + 1, sizeEnd - typeEnd - 1), size) || size > kMaxExactBytes)
        return std::nullopt;
    std::string hex(first.substr(sizeEnd + 1));
    for (std::size_t line = 2; hex.size() < size * 2; ++line) {
        const std::string more = file.get(kExactSection, continuationKey(key, line));
        if (more == kNull || more.empty()) return std::nullopt;
        hex += more;
    }
    if (hex.size() != size * 2) return std::nullopt;
    std::optional<std::string> bytes = bytesOfHex(hex);
    if (!bytes) return std::nullopt;
    data.bytes = std::move(*bytes);
    return data;
}

bool putExactData(RestorePointWriter& file, const std::string& key, const RegData& data) {
    if (data.bytes.size() > kMaxExactBytes) return false;
    const std::string hex = hexText(data.bytes);
    const std::string line = std::to_string(data.type) + ":" + std::to_string(data.bytes.size()) + ":";
    // Room for the hexadecimal digits and about one key's worth per continuation line.
    if (!file.roomFor(hex.size() + (hex.size() / kLineChars + 1) * (key.size() + 16))) return false;
    const std::size_t firstPart = std::min(hex.size(), kLineChars - line.size());
    file.putExact(key, line + hex.substr(0, firstPart));
    std::size_t number = 2;
    for (std::size_t at = firstPart; at < hex.size(); at += kLineChars)
        file.putExact(continuationKey(key, number++), hex.substr(at, kLineChars));
    return true;
}

std::string hexText(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += kDigits[byte >> 4];
        out += kDigits[byte & 15];
    }
    return out;
}

std::optional<std::string> bytesOfHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigit(hex[i]);
        const int low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

std::string exactKey(std::string_view section, std::string_view rowKey, std::string_view name) {
    return std::string(section) + ":" + std::string(rowKey) + ":" + std::string(name);
}

void backupExactValue(Session& session, RestorePointWriter& file, const std::string& key, const RegValue& value) {
    const std::string_view path = foundation::apiKeyPath(value.key);
    if (const std::optional<RegData> data = session.registry.ReadRegData(value.root, path, value.name)) {
        putExactData(file, key, *data);
        return;
    }
    if (keyOpens(session, value.root, path, KeyAccess::Full)) {
        file.putExact(key, kAbsent);
        return;
    }
    // A key that exists but may not be written: the restore could change nothing here.
    if (keyOpens(session, value.root, path, KeyAccess::Query)) return;
    file.putExact(key, std::string(kAbsent) + ":" + std::to_string(missingLevels(session, value.root, path)));
}

std::optional<ExactEntry> readExactEntry(RestorePointReader& file, const std::string& key) {
    const std::string entry = file.get(kExactSection, key);
    if (entry == kNull) return std::nullopt;
    ExactEntry out;
    if (entry == kAbsent || entry.starts_with(std::string(kAbsent) + ":")) {
        if (entry != kAbsent && !parseNumber(std::string_view(entry).substr(kAbsent.size() + 1), out.levels))
            return std::nullopt;
        out.absent = true;
        return out;
    }
    std::optional<RegData> data = readExactData(file, key, entry);
    if (!data) return std::nullopt;
    out.data = std::move(*data);
    return out;
}

bool exactSectionApplies(Session& session, RestorePointReader& file) {
    return file.get(kExactSection, kExactPlatformKey) == session.codes.platform;
}

bool takenOnOtherFamily(Session& session, RestorePointReader& file) {
    const std::string family = file.get(kExactSection, kExactPlatformKey);
    return family != kNull && family != session.codes.platform;
}

void restoreExactValue(Session& session, RestorePointReader& file, const std::string& key, const RegValue& value) {
    const std::optional<ExactEntry> entry = readExactEntry(file, key);
    if (!entry) return;
    const std::string_view path = foundation::apiKeyPath(value.key);
    if (entry->absent) {
        session.registry.DeleteRegValue(value.root, path, value.name);
        // The keys the value's writes made, from the deepest up, as long as they hold nothing.
        std::string_view level = path;
        for (int i = 0; i < entry->levels && !level.empty() && session.registry.RegKeyIsEmpty(value.root, level); ++i) {
            session.registry.DeleteRegKey(value.root, level);
            level = parentPath(level);
        }
        return;
    }
    session.registry.WriteRegData(value.root, path, value.name, entry->data);
}

void checkExactValue(Session& session, RestorePointReader& file, const std::string& key, const RegValue& value,
                     std::string_view row) {
    if (!exactSectionApplies(session, file)) return;
    const std::optional<ExactEntry> entry = readExactEntry(file, key);
    if (!entry || entry->absent || dataFits(value.type, entry->data)) return;
    if (entry->data == session.registry.ReadRegData(value.root, foundation::apiKeyPath(value.key), value.name)) return;
    throw restoreRefusal(row, kExactSection, key);
}

}  // namespace hastelyn::engine
