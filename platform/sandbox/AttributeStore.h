#pragma once
// The Windows file attributes of a machine's files, kept in attributes.ini in the machine folder
// (the host file system has no place for them): section [Attributes], one entry per Windows path
// in lower case, the FILE_ATTRIBUTE_* bits in hexadecimal. A path without an entry is a plain
// file or folder.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sandbox/ProfileCache.h"

namespace hastelyn::sandbox {

class AttributeStore {
public:
    explicit AttributeStore(std::filesystem::path file);

    // The bits kept for a full Windows path (any case), if any.
    std::optional<std::uint32_t> find(std::string_view windowsPath);
    // Whether the path is read-only (which the sandbox enforces itself).
    bool readOnly(std::string_view windowsPath);
    // Keeps bits for the path, or drops its entry (nullopt). The file is replaced atomically;
    // false (errno set) when it could not be written.
    bool set(std::string_view windowsPath, std::optional<std::uint32_t> bits);

private:
    std::filesystem::path file_;
    ProfileCache cache_;
};

}  // namespace hastelyn::sandbox
