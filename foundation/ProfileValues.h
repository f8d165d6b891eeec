#pragma once
// Profile (INI) files read and written one key at a time, as texts. Absent files and keys read
// "NULL"; writing "NULL" does nothing; a read-only file is made writable by a write.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace hastelyn::foundation {

class ProfileValues {
public:
    explicit ProfileValues(platform::Platform& platform) : platform_(platform) {}

    // The value, at most 2047 characters, or "NULL".
    std::string ReadProfileValue(std::string_view file, std::string_view section, std::string_view key);
    // Throws CommandError naming the file when the write is refused.
    void WriteProfileValue(std::string_view file, std::string_view section, std::string_view key,
                           std::string_view value);
    // Several keys written in one go, with the same result as writing them one by one; "NULL"
    // values are skipped. Throws CommandError naming the file when the write is refused.
    void WriteProfileValues(std::string_view file, const std::vector<platform::ProfileWrite>& writes);
    // Key names in file order, as many as a 16384-byte list holds.
    std::unique_ptr<std::vector<std::string>> GetProfileSectionKeys(std::string_view file, std::string_view section);
    // Throws CommandError naming the file when the removal is refused.
    void DeleteProfileKey(std::string_view file, std::string_view section, std::string_view key);

private:
    void clearReadOnly(std::string_view file);
    [[noreturn]] void throwRefused(std::string_view file, platform::CallResult result);

    platform::Platform& platform_;
};

}  // namespace hastelyn::foundation
