#pragma once
// Helpers for tests that run on a Windows system (Wine in the cross build): a scratch folder and
// a scratch registry key of their own, raw file access, and whether Wine is what runs them.
#include <optional>
#include <string>
#include <string_view>

namespace hastelyn::win32test {

// True under Wine (its ntdll exports wine_get_version).
bool runningUnderWine();

// A fresh folder under the user's temporary folder, its name holding `tag` (which may be
// Japanese), removed with everything in it (read-only files too) when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(std::string_view tag);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // A Windows path without a trailing backslash, as UTF-8.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A key below HKEY_CURRENT_USER\Software named after `tag` and this process, absent when made
// and removed with everything below it when the object goes.
class ScratchKey {
public:
    explicit ScratchKey(std::string_view tag);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // "Software\<tag> <pid>", as UTF-8.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A file's bytes, read directly; nothing when it cannot be read.
std::optional<std::string> readFileBytes(std::string_view path);
// Makes or replaces a file with these bytes; false when it cannot.
bool writeFileBytes(std::string_view path, std::string_view bytes);
// Removes a folder with everything in it, read-only entries too.
void removeTree(std::string_view path);

}  // namespace hastelyn::win32test
