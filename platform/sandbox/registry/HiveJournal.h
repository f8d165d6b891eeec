#pragma once
// The changes made to a hive since its file was last written whole: one record per change,
// appended to a journal file beside the hive (registry/HKEY_CURRENT_USER.journal), so that a
// change costs about the size of what changed, not of the whole hive.
//
// The journal starts with the stamp of the hive file it follows (device, inode, size and
// modification time): once the hive file is written whole again, by the sandbox or by anyone,
// the old journal no longer matches it and counts for nothing. Each record carries its length
// and a hash of its bytes, so that a record torn by a process killed while appending is
// recognised and, with everything after it, ignored (and cut off by the next writer). A record
// that the registry could not have written (a path deeper than 512 levels, a key name it would
// refuse, an unknown operation, a journal past its size limit) ends the journal in the same way:
// whatever a journal holds, reading it is bounded and never recurses.
//
// Readers and writers of a journal hold the registry's lock (SandboxRegistry): it never
// changes while it is read.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sandbox/registry/HiveKey.h"
#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {

class HiveJournal {
public:
    explicit HiveJournal(std::filesystem::path file) : file_(std::move(file)) {}

    // Records of the changes, each of a key given by its path below the hive's root.
    static std::string keyRecord(const std::vector<std::string>& path);
    static std::string setRecord(const std::vector<std::string>& path, std::string_view name, std::uint32_t type,
                                 std::string_view data);
    static std::string deleteValueRecord(const std::vector<std::string>& path, std::string_view name);
    static std::string deleteTreeRecord(const std::vector<std::string>& path);
    // Every key and value of tree merged into the key at path, as one record.
    static std::string mergeTreeRecord(const std::vector<std::string>& path, const HiveKey& tree);

    // How long the journal of a hive file may grow (records and their frames aside): the hive
    // file is written whole before a record would take it past this, and a reader reads no
    // further.
    static std::uint64_t sizeLimit(const FileStamp& hive);

    // Whether the file changed since it was last read or written here.
    bool changedOnDisk() const { return !(stampOf(file_) == stamp_); }

    // Applies the records that follow the hive file of stamp `hive` to root: all of them after
    // forget(), else those added since the last read (false when that cannot be done because
    // the journal was replaced: read the hive again and then the whole journal). *applied
    // tells whether any record was applied.
    bool read(const FileStamp& hive, HiveKey& root, bool* applied);
    // Appends a record for the hive file of stamp `hive` (a new journal when the one there
    // follows another hive file). False, errno set, when the file cannot be written.
    bool append(const FileStamp& hive, std::string_view record);
    // Removes the file (the hive file now holds everything) and forgets what was read.
    void remove();
    // Forgets what was read: the next read starts from the beginning.
    void forget();

    // Bytes of valid records (header included) read or written so far.
    std::uint64_t size() const { return valid_; }
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    FileStamp stamp_;          // of the file as last read or written
    std::uint64_t valid_ = 0;  // end of the last whole record (0: nothing valid read)
};

}  // namespace hastelyn::sandbox
