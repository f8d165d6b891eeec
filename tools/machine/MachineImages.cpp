#include "tools/machine/MachineImages.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/Text.h"
#include "tools/machine/EmbeddedFiles.h"

namespace hastelyn::images {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHiveHeader = "Windows Registry Editor Version 5.00";

std::optional<std::string_view> embeddedText(std::string_view path) {
    for (const EmbeddedFile& file : embeddedImageFiles()) {
        if (file.path == path) return file.text();
    }
    return std::nullopt;
}

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// An INI text as its sections in file order, each with its lines in order (blank lines and
// ";" comments dropped). Lines before the first section are ignored.
using Section = std::pair<std::string, std::vector<std::string>>;

std::vector<Section> readSections(std::string_view text) {
    std::vector<Section> sections;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            sections.emplace_back(std::string(line.substr(1, line.size() - 2)), std::vector<std::string>{});
        } else if (!sections.empty()) {
            sections.back().second.emplace_back(line);
        }
    }
    return sections;
}

std::pair<std::string_view, std::string_view> splitKeyValue(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return {trim(line), {}};
    return {trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

// Registry fragments joined into one hive file. A fragment may start with the regedit header
// line (so each fragment is also a file regedit takes); its ";" comment lines are left out.
std::string joinFragments(const std::vector<std::string_view>& fragments) {
    std::string out(kHiveHeader);
    out += "\n";
    for (std::string_view fragment : fragments) {
        out += "\n";
        bool first = true;
        bool leading = true;  // blank lines before the first key are left out
        while (!fragment.empty()) {
            const auto end = fragment.find('\n');
            std::string_view line = fragment.substr(0, end);
            fragment = end == std::string_view::npos ? std::string_view{} : fragment.substr(end + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (first && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
            if (first && trim(line) == kHiveHeader) line = {};
            first = false;
            if (!line.empty() && line.front() == ';') continue;
            if (leading && trim(line).empty()) continue;
            leading = false;
            out += line;
            out += '\n';
        }
    }
    return out;
}

// Where the files of each drive letter live in the machine folder, from machine.ini [Drives]
// ("C=Fixed,NTFS,drives/C,label,serial"); drives without a host folder have no entry.
std::map<char, std::string> driveFolders(const std::vector<Section>& machineIni) {
    std::map<char, std::string> folders;
    for (const auto& [name, lines] : machineIni) {
        if (!text::equalsNoCase(name, "Drives")) continue;
        for (const std::string& line : lines) {
            const auto [letter, value] = splitKeyValue(line);
            if (letter.size() != 1) continue;
            std::string_view rest = value;
            for (int field = 0; field < 2 && !rest.empty(); ++field) {
                const auto comma = rest.find(',');
                rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
            }
            const std::string_view host = trim(rest.substr(0, rest.find(',')));
            if (!host.empty()) folders[text::upperAscii(letter)[0]] = std::string(host);
        }
    }
    return folders;
}

class Builder {
public:
    Builder(std::string_view image, fs::path target) : image_(image), target_(std::move(target)) {}

    std::string build() {
        const auto description = embeddedText(image_ + "/image.ini");
        if (!description) return "unknown machine image \"" + image_ + "\"";
        if (fs::exists(target_ / "machine.ini")) return "a machine already exists in " + target_.string();
        if (const std::string problem = unusableTarget(); !problem.empty()) return problem;

        std::string machineIni;
        std::map<std::string, std::vector<std::string_view>> hives;  // root name -> fragments
        std::vector<std::pair<std::string, std::string>> files;     // Windows path -> image file
        std::vector<std::string> folders;
        std::vector<std::string> attributes;
        for (const auto& [section, lines] : readSections(*description)) {
            if (text::equalsNoCase(section, "Image")) {
                for (const std::string& line : lines) {
                    const auto [key, value] = splitKeyValue(line);
                    if (!text::equalsNoCase(key, "Machine")) continue;
                    const auto content = source(value);
                    if (!content) return error_;
                    machineIni = std::string(*content);
                }
            } else if (section.starts_with("HKEY_")) {
                for (const std::string& line : lines) {
                    const auto content = source(line);
                    if (!content) return error_;
                    hives[section].push_back(*content);
                }
            } else if (text::equalsNoCase(section, "Files")) {
                for (const std::string& line : lines) {
                    const auto [path, from] = splitKeyValue(line);
                    files.emplace_back(path, from);
                }
            } else if (text::equalsNoCase(section, "Folders")) {
                folders.insert(folders.end(), lines.begin(), lines.end());
            } else if (text::equalsNoCase(section, "Attributes")) {
                attributes.insert(attributes.end(), lines.begin(), lines.end());
            }
        }
        if (machineIni.empty()) return "image \"" + image_ + "\" names no machine.ini";
        drives_ = driveFolders(readSections(machineIni));

        for (const auto& [root, fragments] : hives) {
            if (!write(target_ / "registry" / (root + ".reg"), joinFragments(fragments))) return error_;
        }
        for (const auto& [letter, folder] : drives_) {
            if (!makeFolder(target_ / folder)) return error_;
        }
        for (const auto& [windowsPath, from] : files) {
            const auto content = source(from);
            const auto path = hostPath(windowsPath);
            if (!content || !path || !write(*path, *content)) return error_;
        }
        for (const std::string& windowsPath : folders) {
            const auto path = hostPath(windowsPath);
            if (!path || !makeFolder(*path)) return error_;
        }
        if (!attributes.empty()) {
            std::string ini = "[Attributes]\n";
            for (const std::string& line : attributes) ini += line + "\n";
            if (!write(target_ / "attributes.ini", ini)) return error_;
        }
        if (!write(target_ / "machine.ini", machineIni)) return error_;
        return {};
    }

private:
    // What keeps the target from taking a new machine: only a missing or empty folder does. A
    // folder holding anything else may be a machine whose machine.ini went missing; its
    // registry and drives are not written over.
    std::string unusableTarget() const {
        std::error_code ec;
        const fs::file_status status = fs::status(target_, ec);
        if (status.type() == fs::file_type::not_found) return {};
        if (ec) return "cannot look at " + target_.string() + ": " + ec.message();
        if (!fs::is_directory(status)) return target_.string() + " is not a folder";
        const bool empty = fs::is_empty(target_, ec);
        if (ec) return "cannot look into " + target_.string() + ": " + ec.message();
        if (!empty) return target_.string() + " holds files but no machine.ini: a machine is made only in an empty folder";
        return {};
    }

    std::optional<std::string_view> source(std::string_view path) {
        auto content = embeddedText(path);
        if (!content) error_ = "image \"" + image_ + "\" names a missing file: " + std::string(path);
        return content;
    }

    // "C:\WINDOWS\inf\sysoc.inf" -> <target>/drives/C/WINDOWS/inf/sysoc.inf
    std::optional<fs::path> hostPath(std::string_view windowsPath) {
        const auto drive = windowsPath.size() >= 2 && windowsPath[1] == ':'
                               ? drives_.find(text::upperAscii(windowsPath.substr(0, 1))[0])
                               : drives_.end();
        if (drive == drives_.end()) {
            error_ = "no drive folder for " + std::string(windowsPath);
            return std::nullopt;
        }
        fs::path path = target_ / drive->second;
        std::string_view rest = windowsPath.substr(2);
        while (!rest.empty()) {
            const auto sep = rest.find_first_of("\\/");
            const std::string_view part = rest.substr(0, sep);
            rest = sep == std::string_view::npos ? std::string_view{} : rest.substr(sep + 1);
            if (part.empty() || part == ".") continue;
            if (part == "..") {
                error_ = "path leaves its drive: " + std::string(windowsPath);
                return std::nullopt;
            }
            path /= std::string(part);
        }
        return path;
    }

    bool makeFolder(const fs::path& path) {
        std::error_code ec;
        fs::create_directories(path, ec);
        if (ec) error_ = "cannot create " + path.string() + ": " + ec.message();
        return !ec;
    }

    bool write(const fs::path& path, std::string_view content) {
        if (!makeFolder(path.parent_path())) return false;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) error_ = "cannot write " + path.string();
        return static_cast<bool>(out);
    }

    std::string image_;
    fs::path target_;
    std::map<char, std::string> drives_;
    std::string error_;
};

}  // namespace

std::vector<ImageInfo> listImages() {
    std::vector<ImageInfo> images;
    for (const EmbeddedFile& file : embeddedImageFiles()) {
        const auto slash = file.path.find('/');
        if (slash == std::string_view::npos || file.path.substr(slash + 1) != "image.ini") continue;
        ImageInfo info{std::string(file.path.substr(0, slash)), {}};
        for (const auto& [section, lines] : readSections(file.text())) {
            if (!text::equalsNoCase(section, "Image")) continue;
            for (const std::string& line : lines) {
                const auto [key, value] = splitKeyValue(line);
                if (text::equalsNoCase(key, "Title")) info.title = value;
            }
        }
        images.push_back(std::move(info));
    }
    std::sort(images.begin(), images.end(), [](const ImageInfo& a, const ImageInfo& b) { return a.name < b.name; });
    return images;
}

std::string buildMachine(std::string_view imageName, const std::filesystem::path& targetFolder) {
    try {
        return Builder(imageName, targetFolder).build();
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace hastelyn::images
