#pragma once
// The raw registry interface in short calls: a value set from its bytes (a string's with its NUL,
// a DWORD's little-endian), a value read through the usual two calls (the size, then a buffer of
// that size) as (type, bytes), and a key's subkey and value names in the order they are listed.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "platform/Win32Types.h"

namespace hastelyn::testing {

using RegValue = std::pair<std::uint32_t, std::string>;

// A string value's bytes: the text and its NUL.
inline std::string sz(std::string_view text) { return std::string(text) + '\0'; }

// A DWORD's bytes, little-endian; and the DWORD at an offset of registry data or a table.
inline std::string le32(std::uint32_t n) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    return bytes;
}

inline std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}

inline long set(platform::Registry& r, platform::KeyHandle h, std::string_view name, std::uint32_t type,
                std::string_view bytes) {
    return r.setValue(h, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                      static_cast<std::uint32_t>(bytes.size()));
}

inline std::optional<RegValue> query(platform::Registry& r, platform::KeyHandle h, std::string_view name) {
    std::uint32_t type = 0, size = 0;
    if (r.queryValue(h, name, &type, nullptr, &size) != platform::win32error::Success) return std::nullopt;
    std::string data(size, '\0');
    const long result = r.queryValue(h, name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
    EXPECT_EQ(result, platform::win32error::Success) << "a buffer of the size reported must do for " << name;
    if (result != platform::win32error::Success) return std::nullopt;
    data.resize(size);
    return RegValue{type, data};
}

// The names one of the two listing calls (enumKey, enumValue) gives, index by index.
inline std::vector<std::string> listed(platform::Registry& r, platform::KeyHandle h,
                                       long (platform::Registry::*list)(platform::KeyHandle, std::uint32_t, std::string&)) {
    std::vector<std::string> names;
    std::string name;
    while ((r.*list)(h, static_cast<std::uint32_t>(names.size()), name) == platform::win32error::Success)
        names.push_back(name);
    return names;
}

inline std::vector<std::string> subkeys(platform::Registry& r, platform::KeyHandle h) {
    return listed(r, h, &platform::Registry::enumKey);
}

inline std::vector<std::string> valueNames(platform::Registry& r, platform::KeyHandle h) {
    return listed(r, h, &platform::Registry::enumValue);
}

}  // namespace hastelyn::testing
