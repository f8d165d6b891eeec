#pragma once
// Files behind the recording: every file made, replaced, copied or deleted and every attribute
// change, recorded by the lines that changed; in a dry run they stay in an overlay of whole
// files that the run's own reads see. Drives and volumes are only read and pass through.
#include <map>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/recording/ChangeLog.h"

namespace hastelyn::recording {

class RecordingFiles : public platform::FileSystem {
public:
    RecordingFiles(platform::FileSystem& real, RecordingMode mode, ChangeLog& log) : real_(real), mode_(mode), log_(log) {}

    std::uint32_t getFileAttributes(std::string_view path) override;
    [[nodiscard]] platform::CallResult setFileAttributes(std::string_view path, std::uint32_t attributes) override;
    [[nodiscard]] platform::CallResult findFiles(std::string_view pattern, std::vector<platform::FindData>& out) override;
    [[nodiscard]] platform::CallResult deleteFile(std::string_view path) override;
    [[nodiscard]] platform::CallResult createNewFile(std::string_view path) override;
    [[nodiscard]] platform::CallResult copyFile(std::string_view from, std::string_view to, bool failIfExists) override;
    [[nodiscard]] platform::CallResult readFile(std::string_view path, std::string& content) override;
    [[nodiscard]] platform::CallResult replaceFile(std::string_view path, std::string_view content) override;
    std::uint32_t getDriveType(std::string_view root) override { return real_.getDriveType(root); }
    [[nodiscard]] platform::CallResult getVolumeInformation(std::string_view root, platform::VolumeInfo& out) override {
        return real_.getVolumeInformation(root, out);
    }
    [[nodiscard]] platform::CallResult getDiskFreeSpace(std::string_view root, platform::DiskSpace& out) override {
        return real_.getDiskFreeSpace(root, out);
    }

private:
    struct File {
        std::string path;                    // as first written
        std::optional<std::string> content;  // nullopt: deleted
        std::uint32_t attributes = platform::fileattr::Archive;
    };
    const File* overlaid(std::string_view path) const;
    // The content as this run sees it; nullopt when there is no such file (or it is a folder).
    std::optional<std::string> content(std::string_view path);
    // Records a file's new content (nullopt: deleted) and, in a dry run, keeps it.
    void put(std::string_view path, const std::optional<std::string>& before, std::optional<std::string> after);

    platform::FileSystem& real_;
    RecordingMode mode_;
    ChangeLog& log_;
    std::map<std::string, File> files_;  // by path in upper case
};

}  // namespace hastelyn::recording
