#pragma once
// Reading back what a test machine wrote: a whole file, its lines, every file of a folder, and
// how often a part occurs in a text.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace hastelyn::testing {

// The bytes of a file; empty when it cannot be read.
inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The lines of a text without their ends (LF or CR LF); those beginning with `prefix` only.
inline std::vector<std::string> linesOf(std::string_view text, std::string_view prefix = {}) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with(prefix)) lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

// The journal of a machine folder, line by line; those of one kind of event ("WinExec") only.
inline std::vector<std::string> journalLines(const std::filesystem::path& machineFolder, std::string_view kind = {}) {
    return linesOf(fileText(machineFolder / "journal.log"), kind.empty() ? std::string() : std::string(kind) + "\t");
}

// Every file below a folder (path relative to it, with forward slashes) and its bytes.
inline std::map<std::string, std::string> filesBelow(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), folder).generic_string()] = fileText(entry.path());
    return files;
}

// How often `part` occurs in `text`, overlapping occurrences included.
inline std::size_t countOf(std::string_view text, std::string_view part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace hastelyn::testing
