#pragma once
// What the items write into a restore point and read back from it, key by key.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/ProfileValues.h"

namespace hastelyn::engine {

// The section after all others that holds, for the values whose keys above cannot say exactly
// what they were, "absent" or their type and bytes (ExactValues.h). Readers that know only the
// other sections never look at it.
inline constexpr std::string_view kExactSection = "正確な値";

class RestorePointWriter {
public:
    virtual ~RestorePointWriter() = default;
    // Writes one key; "NULL" (an absent value) writes no line at all.
    virtual void put(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Writes one key of kExactSection, which comes after every other section of a new file.
    virtual void putExact(std::string_view key, std::string_view value) { put(kExactSection, key, value); }
};

class RestorePointReader {
public:
    virtual ~RestorePointReader() = default;
    // The saved text, or "NULL" when the file has no such key.
    virtual std::string get(std::string_view section, std::string_view key) = 0;
    // The keys of a section in file order.
    virtual std::vector<std::string> keys(std::string_view section) = 0;
};

// A restore point in an INI file, through the profile functions.
class RestorePointFile : public RestorePointWriter, public RestorePointReader {
public:
    RestorePointFile(foundation::ProfileValues& profiles, std::string path)
        : profiles_(profiles), path_(std::move(path)) {}

    void put(std::string_view section, std::string_view key, std::string_view value) override;
    std::string get(std::string_view section, std::string_view key) override;
    std::vector<std::string> keys(std::string_view section) override;
    const std::string& path() const { return path_; }

private:
    foundation::ProfileValues& profiles_;
    std::string path_;
};

// The keys of a new restore point, collected in the order they are put and written in one go:
// the file ends exactly as after one profile write per key (existing keys overwritten, nothing
// deleted), without rewriting it hundreds of times. "NULL" is never kept.
class RestorePointBatch : public RestorePointWriter {
public:
    void put(std::string_view section, std::string_view key, std::string_view value) override;
    // Kept apart and written after the other keys, so that the section ends the file.
    void putExact(std::string_view key, std::string_view value) override;
    // Throws CommandError naming the file when the write is refused; then nothing is written.
    void writeTo(foundation::ProfileValues& profiles, std::string_view path) const;

private:
    std::vector<platform::ProfileWrite> writes_;
    std::vector<platform::ProfileWrite> exactWrites_;
};

}  // namespace hastelyn::engine
