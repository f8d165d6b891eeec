#pragma once
// Short calls for the registry tests: values as (type, bytes) pairs, subkeys and values as lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"

namespace hastelyn::sandbox::test {

using platform::KeyAccess;
using platform::KeyHandle;
using platform::Registry;
using platform::RootKey;
namespace err = platform::win32error;
namespace regtype = platform::regtype;

using Value = std::pair<std::uint32_t, std::string>;

inline KeyHandle create(Registry& r, RootKey root, std::string_view path) {
    KeyHandle h;
    EXPECT_EQ(r.createKey(root, path, h), err::Success) << path;
    return h;
}

inline KeyHandle open(Registry& r, RootKey root, std::string_view path, KeyAccess access = KeyAccess::Query) {
    KeyHandle h;
    EXPECT_EQ(r.openKey(root, path, access, h), err::Success) << path;
    return h;
}

inline long set(Registry& r, KeyHandle h, std::string_view name, std::uint32_t type, std::string_view bytes) {
    return r.setValue(h, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                      static_cast<std::uint32_t>(bytes.size()));
}

inline std::optional<Value> query(Registry& r, KeyHandle h, std::string_view name) {
    std::uint32_t type = 0, size = 0;
    if (r.queryValue(h, name, &type, nullptr, &size) != err::Success) return std::nullopt;
    std::string data(size, '\0');
    if (r.queryValue(h, name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size) != err::Success)
        return std::nullopt;
    return Value{type, data};
}

inline std::vector<std::string> subkeys(Registry& r, KeyHandle h) {
    std::vector<std::string> names;
    std::string name;
    while (r.enumKey(h, static_cast<std::uint32_t>(names.size()), name) == err::Success) names.push_back(name);
    return names;
}

inline std::vector<std::string> valueNames(Registry& r, KeyHandle h) {
    std::vector<std::string> names;
    std::string name;
    while (r.enumValue(h, static_cast<std::uint32_t>(names.size()), name) == err::Success) names.push_back(name);
    return names;
}

inline std::string sz(std::string_view text) { return std::string(text) + '\0'; }

inline std::string dword(std::uint32_t n) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    return bytes;
}

inline std::string readFile(const std::filesystem::path& file) { return readWholeFile(file).value_or("<missing>"); }

}  // namespace hastelyn::sandbox::test
