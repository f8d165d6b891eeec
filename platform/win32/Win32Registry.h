#pragma once
// The registry through the wide API (RegOpenKeyExW and friends, SHDeleteKeyW, SHCopyKeyW).
//
// Key and value names cross as UTF-8 and go to Windows as UTF-16, so Japanese names work
// whatever the system's ANSI code page. String data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ)
// crosses as the bytes the ANSI API gives for it, with the program's UTF-8 standing for the
// ANSI code page: queryValue converts the stored UTF-16 to UTF-8, every NUL kept, and reports
// sizes (the one needed, the one copied, MoreData) in bytes of that UTF-8; setValue converts
// the bytes it is given to UTF-16, NULs included, and stores exactly those (Windows itself adds
// a terminating NUL to a string set without one when the memory after the data happens to hold
// a NUL; this backend never looks past the data). Data of every other type passes as it is.
// Error results are the Win32 error numbers.
#include "platform/Registry.h"

namespace hastelyn::win32 {

class Win32Registry final : public platform::Registry {
public:
    long openKey(platform::RootKey root, std::string_view subKey, platform::KeyAccess access,
                 platform::KeyHandle& out) override;
    long createKey(platform::RootKey root, std::string_view subKey, platform::KeyHandle& out) override;
    long closeKey(platform::KeyHandle key) override;
    long queryValue(platform::KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
    long setValue(platform::KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long deleteValue(platform::KeyHandle key, std::string_view name) override;
    long enumKey(platform::KeyHandle key, std::uint32_t index, std::string& name) override;
    long enumValue(platform::KeyHandle key, std::uint32_t index, std::string& name) override;
    long deleteTree(platform::KeyHandle key, std::string_view subKey) override;
    long copyTree(platform::KeyHandle key, std::string_view subKey, platform::KeyHandle dest) override;
};

}  // namespace hastelyn::win32
