#pragma once
// Whole-file writes that a crash cannot tear: the new content goes to a temporary file in the
// same folder, which then replaces the old file in one rename.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {

// Writes content to path atomically; false (and errno set) when it could not.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);
// The same, giving the stamp of the file written (taken before it replaced the old one, so that
// a later change by another process still shows).
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, FileStamp& written);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// True for the name of a temporary file writeFileAtomically makes (".name.tmp<pid>_<n>"); one
// may be left behind when a process is killed in the middle of a write.
bool isAtomicTempName(std::string_view fileName);

// Appends one line to a log file with a single write, so that lines from several processes
// never interleave.
bool appendLine(const std::filesystem::path& path, std::string_view line);

}  // namespace hastelyn::sandbox
