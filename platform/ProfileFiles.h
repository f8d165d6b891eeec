#pragma once
// Profile (INI) files through the private-profile functions of Windows.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CallResult.h"

namespace hastelyn::platform {

// One key written by writeStrings.
struct ProfileWrite {
    std::string section;
    std::string key;
    std::string value;
};

class ProfileFiles {
public:
    virtual ~ProfileFiles() = default;

    // GetPrivateProfileStringA with a key: the value (blanks around it trimmed, one pair of
    // enclosing quotes removed), cut to fit bufferSize - 1 bytes of the system code page;
    // defaultValue when the file, section or key is absent. Section and key names compare
    // case-insensitively.
    virtual std::string getString(std::string_view file, std::string_view section, std::string_view key,
                                  std::string_view defaultValue, std::size_t bufferSize) = 0;
    // GetPrivateProfileStringA with a null key: the key names of the section in file order,
    // as many as fit a buffer of bufferSize bytes (each name and its NUL, plus the final NUL).
    virtual std::vector<std::string> getKeyNames(std::string_view file, std::string_view section,
                                                 std::size_t bufferSize) = 0;
    // WritePrivateProfileStringA. A key adds or replaces the line; no key (nullopt) removes the
    // whole section; a key with no value removes that key. Creates the file and the section
    // when needed. The error when the write is refused.
    [[nodiscard]] virtual CallResult writeString(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                             std::optional<std::string_view> value) = 0;
    // The same as writeString for each key in order, done in one go: the file ends exactly as
    // after the single writes (on Windows, one WritePrivateProfileStringA per key, the first refused one ending it).
    [[nodiscard]] virtual CallResult writeStrings(std::string_view file, const std::vector<ProfileWrite>& writes) = 0;
};

}  // namespace hastelyn::platform
