#include "foundation/RegistryValues.h"

#include <array>
#include <cstdio>
#include <utility>

#include "foundation/CommandError.h"
#include "foundation/OpenKey.h"
#include "platform/Text.h"

namespace hastelyn::foundation {

using platform::KeyAccess;
namespace regtype = platform::regtype;
namespace win32error = platform::win32error;

namespace {

constexpr std::uint32_t kMultiStringBuffer = 255;

std::string readMultiString(platform::Registry& registry, const OpenKey& key, std::string_view name) {
    std::array<std::uint8_t, kMultiStringBuffer> buffer{};
    std::uint32_t size = kMultiStringBuffer;
    if (registry.queryValue(key.handle(), name, nullptr, buffer.data(), &size) != win32error::Success)
        return std::string(kNull);
    // Each NUL that ends a string becomes CR; the NUL right after such a CR ends the list.
    std::size_t end = buffer.size();
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        if (buffer[i] != 0) continue;
        if (i > 0 && buffer[i - 1] == '\r') {
            end = i;
            break;
        }
        buffer[i] = '\r';
    }
    return std::string(reinterpret_cast<const char*>(buffer.data()), end);
}

std::string hex8(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

// Up to four bytes as the registry keeps a number: little-endian.
std::uint32_t littleEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return value;
}

bool isStringType(std::uint32_t type) { return type == regtype::Sz || type == regtype::ExpandSz; }

// A value's text by the rules of ReadRegValue, from a key already opened for it.
std::string valueText(platform::Registry& registry, const OpenKey& key, std::string_view name, RegType asType) {
    if (!key) return std::string(kNull);
    if (asType == RegType::MultiString) return readMultiString(registry, key, name);
    if (asType == RegType::ExString) return std::string(kNull);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry.queryValue(key.handle(), name, &type, nullptr, &size) != win32error::Success)
        return std::string(kNull);
    std::string data(size, '\0');
    if (size > 0 &&
        registry.queryValue(key.handle(), name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size) !=
            win32error::Success)
        return std::string(kNull);
    data.resize(size);

    if (asType == RegType::String) {
        if (!isStringType(type)) return std::string(kUnfitType);
        const std::string text(text::cutAtNul(data));
        return text.empty() ? std::string(kNull) : text;
    }
    if (asType == RegType::Binary) {
        if (isStringType(type) || type == regtype::Dword || data.size() > 4) return std::string(kUnfitType);
        return hex8(littleEndian(data));
    }
    // RegType::DWORD
    if (type != regtype::Dword || data.size() > 4) return std::string(kUnfitType);
    return std::to_string(static_cast<std::int32_t>(littleEndian(data)));
}

// A value's type by the rules of GetRegValueType, from a key already opened for it.
std::optional<RegType> valueType(platform::Registry& registry, const OpenKey& key, std::string_view name) {
    if (!key) return std::nullopt;
    std::uint32_t type = 0;
    if (registry.queryValue(key.handle(), name, &type, nullptr, nullptr) != win32error::Success) return std::nullopt;
    switch (type) {
        case regtype::Sz: return RegType::String;
        case regtype::ExpandSz: return RegType::ExString;
        case regtype::Dword: return RegType::DWORD;
        case regtype::Binary: return RegType::Binary;
        default: return std::nullopt;
    }
}

std::string refusedWriteMessage(platform::Platform& platform, RootKey root, std::string_view keyPath,
                                std::string_view name, long code) {
    return "レジストリの値 \"" + std::string(name) + "\" (" + std::string(platform::rootKeyName(root)) + "\\" +
           std::string(apiKeyPath(keyPath)) + ") に書き込めませんでした。" + platform.system.errorText(code);
}

std::string refusedDeletionMessage(platform::Platform& platform, RootKey root, std::string_view keyPath,
                                   std::string_view name, long code) {
    const std::string key = std::string(platform::rootKeyName(root)) + "\\" + std::string(apiKeyPath(keyPath));
    const std::string what = name.empty() ? "レジストリキー \"" + key + "\"" : "レジストリの値 \"" + std::string(name) + "\" (" + key + ")";
    return what + " を削除できませんでした。" + platform.system.errorText(code);
}

bool missing(long code) { return code == win32error::FileNotFound || code == win32error::PathNotFound; }

// A number as the registry keeps it: four bytes, least significant first.
std::string littleEndianBytes(std::uint32_t number) {
    return {static_cast<char>(number & 0xFF), static_cast<char>((number >> 8) & 0xFF),
            static_cast<char>((number >> 16) & 0xFF), static_cast<char>(number >> 24)};
}

// A string as the registry keeps it: with its ending NUL.
std::string withNul(std::string_view text) {
    std::string bytes(text);
    bytes.push_back('\0');
    return bytes;
}

// The number of a "Binary" text; the error names the value the text was meant for.
std::uint32_t binaryNumber(std::string_view name, std::string_view text) {
    try {
        return static_cast<std::uint32_t>(HexTextToInt(text));
    } catch (const CommandError& e) {
        throw CommandError("レジストリの値 \"" + std::string(name) + "\" に書き込むデータが正しくありません。" + e.what());
    }
}

// The one write of a value's bytes, creating the key: the Windows error, or Success.
long setData(platform::Registry& registry, RootKey root, std::string_view keyPath, std::string_view name,
             const RegData& data) {
    const OpenKey key(registry, root, keyPath, OpenKey::Create);
    if (!key) return key.error();
    return registry.setValue(key.handle(), name, data.type, reinterpret_cast<const std::uint8_t*>(data.bytes.data()),
                             static_cast<std::uint32_t>(data.bytes.size()));
}

}  // namespace

std::string_view apiKeyPath(std::string_view keyPath) {
    while (!keyPath.empty() && keyPath.front() == '\\') keyPath.remove_prefix(1);
    while (!keyPath.empty() && keyPath.back() == '\\') keyPath.remove_suffix(1);
    return keyPath;
}

std::string RegistryValues::ReadRegValue(RootKey root, std::string_view keyPath, std::string_view name,
                                         RegType type) {
    const OpenKey key(platform_.registry, root, keyPath,
                      type == RegType::MultiString ? KeyAccess::Query : KeyAccess::Full);
    return valueText(platform_.registry, key, name, type);
}

void RegistryValues::WriteRegValue(RootKey root, std::string_view keyPath, std::string_view name,
                                   std::string_view value, RegType type) {
    if (value == kNull || value == kUnfitType) return;
    switch (type) {
        case RegType::String: return WriteRegData(root, keyPath, name, {regtype::Sz, withNul(value)});
        case RegType::ExString: return WriteRegData(root, keyPath, name, {regtype::ExpandSz, withNul(value)});
        case RegType::Binary:
            return WriteRegData(root, keyPath, name, {regtype::Binary, littleEndianBytes(binaryNumber(name, value))});
        case RegType::DWORD: {
            std::uint32_t number = 0;
            if (!parseDwordText(value, number)) break;
            // A refused number is skipped, as the Windows program skipped it; the refusal is noted.
            const long result = setData(platform_.registry, root, keyPath, name, {regtype::Dword, littleEndianBytes(number)});
            if (result != win32error::Success)
                noteSkippedRefusal(refusedWriteMessage(platform_, root, keyPath, name, result));
            return;
        }
        case RegType::MultiString: break;
    }
    // Nothing to write (a list, or a number that is not one): the key is still made, as opening
    // it for the write makes it.
    const OpenKey key(platform_.registry, root, keyPath, OpenKey::Create);
}

void RegistryValues::DeleteRegValue(RootKey root, std::string_view keyPath, std::string_view name) {
    OpenKey key(platform_.registry, root, keyPath, KeyAccess::Full);
    // A refused or needless deletion is skipped; a refused one of a value that is there is noted.
    const long result = key ? platform_.registry.deleteValue(key.handle(), name) : key.error();
    if (result == win32error::Success || missing(result)) return;
    const OpenKey readable(platform_.registry, root, keyPath, KeyAccess::Query);
    if (readable && platform_.registry.queryValue(readable.handle(), name, nullptr, nullptr, nullptr) == win32error::Success)
        noteSkippedRefusal(refusedDeletionMessage(platform_, root, keyPath, name, result));
}

std::optional<RegType> RegistryValues::GetRegValueType(RootKey root, std::string_view keyPath,
                                                      std::string_view name) {
    const OpenKey key(platform_.registry, root, keyPath, KeyAccess::Full);
    return valueType(platform_.registry, key, name);
}

std::unique_ptr<std::vector<std::string>> RegistryValues::GetRegSubKeys(RootKey root, std::string_view keyPath) {
    auto names = std::make_unique<std::vector<std::string>>();
    OpenKey key(platform_.registry, root, keyPath, KeyAccess::Full);
    if (!key) return names;
    std::string name;
    for (std::uint32_t index = 0; platform_.registry.enumKey(key.handle(), index, name) == win32error::Success;
         ++index)
        names->push_back(name);
    return names;
}

void RegistryValues::DeleteRegKey(RootKey root, std::string_view keyPath) {
    const std::string_view path = apiKeyPath(keyPath);
    if (path.empty()) return;  // never a whole root
    OpenKey key(platform_.registry, root, path, KeyAccess::Full);
    // A refused deletion is skipped and noted, as a refused value deletion is.
    if (!key) {
        if (!missing(key.error())) noteSkippedRefusal(refusedDeletionMessage(platform_, root, path, "", key.error()));
        return;
    }
    const std::size_t cut = path.rfind('\\');
    const std::string_view parentPath = cut == std::string_view::npos ? std::string_view() : path.substr(0, cut);
    const std::string_view leaf = cut == std::string_view::npos ? path : path.substr(cut + 1);
    OpenKey parent(platform_.registry, root, parentPath, KeyAccess::Full);
    const long result = parent ? platform_.registry.deleteTree(parent.handle(), leaf) : parent.error();
    if (result != win32error::Success && !missing(result))
        noteSkippedRefusal(refusedDeletionMessage(platform_, root, path, "", result));
}

void RegistryValues::MoveRegKey(RootKey root, std::string_view oldKeyPath, std::string_view newKeyPath) {
    const std::string_view from = apiKeyPath(oldKeyPath);
    const std::string_view to = apiKeyPath(newKeyPath);
    if (from.empty()) return;
    OpenKey oldKey(platform_.registry, root, from, KeyAccess::Full);
    if (!oldKey) return;
    if (text::equalsNoCase(from, to)) return;
    if (to.size() > from.size() && to[from.size()] == '\\' && text::equalsNoCase(to.substr(0, from.size()), from))
        throw CommandError("レジストリキー \"" + std::string(from) + "\" を、その下のキーに移動することはできません。");
    OpenKey newKey(platform_.registry, root, to, OpenKey::Create);
    long result = newKey ? platform_.registry.copyTree(oldKey.handle(), "", newKey.handle()) : newKey.error();
    if (result != win32error::Success)
        throw CommandError("レジストリキー \"" + std::string(from) + "\" を \"" + std::string(to) +
                           "\" に移動できませんでした。" + platform_.system.errorText(result));
    oldKey.close();
    DeleteRegKey(root, from);
}

bool RegistryValues::RegKeyOrValueExists(RootKey root, std::string_view keyPath, std::string_view name,
                                         Exists what) {
    OpenKey key(platform_.registry, root, keyPath, KeyAccess::Full);
    if (!key) return false;
    if (what == Exists::Key) {
        platform::KeyHandle sub;
        if (platform_.registry.openKey(root, std::string(apiKeyPath(keyPath)) + "\\" + std::string(name),
                                       KeyAccess::Query, sub) != win32error::Success)
            return false;
        (void)platform_.registry.closeKey(sub);  // opened only to be found: closing it tells nothing more
        return true;
    }
    return platform_.registry.queryValue(key.handle(), name, nullptr, nullptr, nullptr) == win32error::Success;
}

std::optional<RegData> RegistryValues::ReadRegData(RootKey root, std::string_view keyPath, std::string_view name) {
    const OpenKey key(platform_.registry, root, keyPath, KeyAccess::Full);
    if (!key) return std::nullopt;
    RegData out;
    std::uint32_t size = 0;
    if (platform_.registry.queryValue(key.handle(), name, &out.type, nullptr, &size) != win32error::Success)
        return std::nullopt;
    out.bytes.resize(size);
    if (size > 0 && platform_.registry.queryValue(key.handle(), name, &out.type,
                                                  reinterpret_cast<std::uint8_t*>(out.bytes.data()),
                                                  &size) != win32error::Success)
        return std::nullopt;
    out.bytes.resize(size);
    return out;
}

void RegistryValues::WriteRegData(RootKey root, std::string_view keyPath, std::string_view name, const RegData& data) {
    const long result = setData(platform_.registry, root, keyPath, name, data);
    if (result != win32error::Success)
        throw CommandError(refusedWriteMessage(platform_, root, keyPath, name, result));
}

std::optional<std::string> RegistryValues::takeSkippedRefusal() { return std::exchange(skippedRefusal_, std::nullopt); }

void RegistryValues::noteSkippedRefusal(std::string message) {
    if (!skippedRefusal_) skippedRefusal_ = std::move(message);
}

bool RegistryValues::RegKeyOpens(RootKey root, std::string_view keyPath, KeyAccess access) {
    return static_cast<bool>(OpenKey(platform_.registry, root, keyPath, access));
}

bool RegistryValues::RegKeyIsEmpty(RootKey root, std::string_view keyPath) {
    const OpenKey key(platform_.registry, root, keyPath, KeyAccess::Query);
    if (!key) return false;
    std::string name;
    return platform_.registry.enumValue(key.handle(), 0, name) != win32error::Success &&
           platform_.registry.enumKey(key.handle(), 0, name) != win32error::Success;
}

RegKeyValues::RegKeyValues(RegistryValues& values, RootKey root, std::string_view keyPath)
    : registry_(values.platform_.registry), key_(registry_, root, keyPath, KeyAccess::Full) {}

std::string RegKeyValues::read(std::string_view name, RegType type) const {
    return valueText(registry_, key_, name, type);
}

std::optional<RegType> RegKeyValues::type(std::string_view name) const { return valueType(registry_, key_, name); }

std::int32_t HexTextToInt(std::string_view hexText) {
    const bool valid = !hexText.empty() && hexText.size() <= 8 &&
                       hexText.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
    if (!valid) throw CommandError("'$" + std::string(hexText) + "' は正しい整数値ではありません。");
    std::uint32_t value = 0;
    for (char c : hexText) {
        const int digit = (c >= '0' && c <= '9') ? c - '0' : (text::foldCase(c, text::CaseFold::ToUpper) - 'A' + 10);
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

bool parseDwordText(std::string_view text, std::uint32_t& out) {
    if (!text.empty() && text.front() == '$') {
        const std::string_view digits = text.substr(1);
        if (digits.empty() || digits.size() > 8 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
            return false;
        out = static_cast<std::uint32_t>(HexTextToInt(digits));
        return true;
    }
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    if (pos == text.size()) return false;
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        if (text[pos] < '0' || text[pos] > '9') return false;
        value = value * 10 + (text[pos] - '0');
        if (value > 2147483648LL) return false;
    }
    if (negative) value = -value;
    if (value > 2147483647LL || value < -2147483648LL) return false;
    out = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    return true;
}

}  // namespace hastelyn::foundation
