#pragma once
// Profile (INI) files of the sandbox machine, with the private-profile functions' rules
// (ProfileDocument.h). The sandbox stands for a Japanese system: lengths are counted in
// Shift_JIS (code page 932) bytes. Files are read as UTF-8, or as Shift_JIS when they are not
// valid UTF-8, and written in UTF-8 with CR LF line ends, always as a whole new file that
// replaces the old one atomically.
//
// A file name without a folder lies in the Windows folder, as on Windows; other relative names
// lie under the current directory. Parsed files stay in memory until they change on disk.
//
// Writing, as WritePrivateProfileStringA does on NT:
// - fails with PathNotFound when the folder does not exist, AccessDenied for a read-only file
//   (attributes.ini), a folder, or an empty file name;
// - makes the file when missing, even when the call only removes something (it stays empty);
// - leaves the file untouched when nothing changes;
// - reads, changes and saves the file under an exclusive flock on the machine folder's
//   .profiles.lock, so that processes writing one file at the same time lose nothing.
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/ProfileFiles.h"
#include "platform/sandbox/ProfileCache.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/util/AtomicFile.h"

namespace hastelyn::sandbox {

class SandboxProfiles final : public platform::ProfileFiles {
public:
    explicit SandboxProfiles(SandboxMachine& machine);

    std::string getString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) override;
    std::vector<std::string> getKeyNames(std::string_view file, std::string_view section,
                                         std::size_t bufferSize) override;
    platform::CallResult writeString(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                     std::optional<std::string_view> value) override;
    platform::CallResult writeStrings(std::string_view file, const std::vector<platform::ProfileWrite>& writes) override;

    // Times a file was read and parsed (the rest came from memory).
    std::uint64_t fileLoads() const { return cache_.loads(); }

private:
    std::optional<MappedPath> locate(std::string_view file, long* error, bool forWrite = false) const;
    const ProfileDocument* read(std::string_view file);
    // Opens the file's document for changes, applies change to it and saves it when it changed.
    template <typename Change>
    platform::CallResult update(std::string_view file, Change&& change);

    SandboxMachine& machine_;
    // Where a file name given with its drive led, when every part of the path existed as
    // written: it leads there again as long as the file is there.
    std::unordered_map<std::string, MappedPath> located_;
    static constexpr std::size_t kMaxLocated = 64;
    ProfileCache cache_;
    FileReplacer files_;
};

}  // namespace hastelyn::sandbox
