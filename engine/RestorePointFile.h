#pragma once
// What the items write into a restore point and read back from it, key by key.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "foundation/ProfileValues.h"
#include "platform/FileSystem.h"

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
    // Whether about this many more bytes keep the file within what a restore reads
    // (kMaxRestorePointBytes).
    virtual bool roomFor(std::size_t /*bytes*/) { return true; }
};

// The largest restore point a restore reads: sixteen times a machine's worth of exact values of
// ordinary size, yet small enough that a file from elsewhere cannot make a restore take
// gigabytes or minutes. The program's own files stay below kMaxWrittenBytes: a value that would
// go beyond gets no exact entry, as a value over kMaxExactBytes gets none.
inline constexpr std::uint64_t kMaxRestorePointBytes = 16u << 20;
inline constexpr std::uint64_t kMaxWrittenBytes = 12u << 20;
// Lines and sections a restore point may hold (the program writes about a thousand lines, and
// some thousands more for the continuation lines of large exact values, in a dozen sections).
inline constexpr std::size_t kMaxRestorePointLines = 20000;
inline constexpr std::size_t kMaxRestorePointSections = 100;

// Throws CommandError naming the file, before anything is read into memory or changed, when it
// is larger than kMaxRestorePointBytes, holds more lines or sections than a restore point, or
// ends in the middle of a line that holds a value (the file was cut short: its last value may be
// a part of a word).
void checkRestorePointShape(platform::FileSystem& files, std::string_view path);

// A documented key's text can stand in one line and reads back as it was written: valid UTF-8,
// no line break or NUL, no blanks or quotes around it that the reader takes off, not longer than the
// reader returns. A text that cannot keeps in its key what reads back up to its first line break
// (what older programs read) and its exact bytes in kExactSection under "<section>:<key>", an
// entry of type 1 (ExactValues.h), which the reader returns in its place.
bool documentedKeyHolds(std::string_view text);

// Whether a presence key ("true" or "false", as every restore point the program writes holds
// one) records anything: a key missing from a file cut short, or any other word, leaves the key
// or value it stands for as it is.
inline bool recordsPresence(std::string_view saved) { return saved == "true" || saved == "false"; }

class RestorePointReader {
public:
    virtual ~RestorePointReader() = default;
    // The saved text, or "NULL" when the file has no such key. A text kept in kExactSection for
    // a key that could not hold it (documentedKeyHolds) is returned whole.
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
    // The keys of kExactSection, case-folded, listed at the first get(): a documented key has its
    // text there only when its "<section>:<key>" is among them.
    std::optional<std::unordered_set<std::string>> exactKeys_;
};

// The keys of a new restore point, collected in the order they are put and written in one go:
// the file ends exactly as after one profile write per key (existing keys overwritten, nothing
// deleted), without rewriting it hundreds of times. "NULL" is never kept.
class RestorePointBatch : public RestorePointWriter {
public:
    void put(std::string_view section, std::string_view key, std::string_view value) override;
    // Kept apart and written after the other keys, so that the section ends the file.
    void putExact(std::string_view key, std::string_view value) override;
    bool roomFor(std::size_t bytes) override;
    // Throws CommandError naming the file when the write is refused; then nothing is written.
    void writeTo(foundation::ProfileValues& profiles, std::string_view path) const;

private:
    void add(std::vector<platform::ProfileWrite>& to, std::string_view section, std::string_view key,
             std::string_view value);

    std::vector<platform::ProfileWrite> writes_;
    std::vector<platform::ProfileWrite> exactWrites_;
    std::uint64_t bytes_ = 0;  // about what the file will hold
};

}  // namespace hastelyn::engine
