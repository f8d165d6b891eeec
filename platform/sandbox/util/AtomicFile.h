#pragma once
// Whole-file writes that a crash cannot tear: the new content goes to a temporary file in the
// same folder, which then replaces the old file in one rename.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hastelyn::sandbox {

// Writes content to path atomically; false (and errno set) when it could not.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// Appends one line to a log file with a single write, so that lines from several processes
// never interleave.
bool appendLine(const std::filesystem::path& path, std::string_view line);

}  // namespace hastelyn::sandbox
