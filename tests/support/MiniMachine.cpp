#include "tests/support/MiniMachine.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace hastelyn::testing {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, std::string_view content) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The attributes.ini entry name of a path.
std::string entryName(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '/') c = '\\';
    }
    return out;
}

}  // namespace

MiniMachine& MiniMachine::edition(std::string_view name) {
    struct Edition {
        std::string_view name;
        std::uint32_t platformId, major, minor, build;
        std::string_view csd, windowsFolder;
    };
    static constexpr Edition kEditions[] = {
        {"95", 1, 4, 0, 950, "", "C:\\WINDOWS"},
        {"98", 1, 4, 10, 2222, " A ", "C:\\WINDOWS"},
        {"me", 1, 4, 90, 3000, " ", "C:\\WINDOWS"},
        {"nt4", 2, 4, 0, 1381, "Service Pack 6", "C:\\WINNT"},
        {"2000", 2, 5, 0, 2195, "Service Pack 4", "C:\\WINNT"},
        {"xp", 2, 5, 1, 2600, "Service Pack 2", "C:\\WINDOWS"},
        {"2003", 2, 5, 2, 3790, "Service Pack 1", "C:\\WINDOWS"},
        {"vista", 2, 6, 0, 6001, "Service Pack 1", "C:\\Windows"},
    };
    for (const Edition& e : kEditions) {
        if (e.name != name) continue;
        platformId = e.platformId;
        major = e.major;
        minor = e.minor;
        build = e.build;
        csdVersion = e.csd;
        windowsFolder = e.windowsFolder;
        return *this;
    }
    throw std::invalid_argument("unknown edition " + std::string(name));
}

MiniMachine& MiniMachine::restrictedAccount(bool on) {
    restricted = on;
    return *this;
}

MiniMachine& MiniMachine::drive(Drive d) {
    for (Drive& existing : drives) {
        if (existing.letter == d.letter) {
            existing = std::move(d);
            return *this;
        }
    }
    drives.push_back(std::move(d));
    return *this;
}

MiniMachine& MiniMachine::drive(char letter, std::string type, std::string fileSystem, std::string label,
                                std::string serial) {
    Drive d;
    d.letter = letter;
    d.type = std::move(type);
    d.fileSystem = std::move(fileSystem);
    d.label = std::move(label);
    d.serial = std::move(serial);
    return drive(std::move(d));
}

MiniMachine& MiniMachine::driveWithoutMedium(char letter, std::string type, std::string fileSystem) {
    drive(letter, std::move(type), std::move(fileSystem));
    driveOf(letter).medium = false;
    return *this;
}

MiniMachine::Drive& MiniMachine::driveOf(char letter) {
    for (Drive& d : drives) {
        if (d.letter == letter) return d;
    }
    throw std::invalid_argument("no drive " + std::string(1, letter));
}

MiniMachine& MiniMachine::driveFolder(char letter, std::string hostFolder) {
    driveOf(letter).hostFolder = std::move(hostFolder);
    return *this;
}

MiniMachine& MiniMachine::driveSpace(char letter, std::uint64_t total, std::uint64_t free) {
    driveOf(letter).space = std::pair<std::uint64_t, std::uint64_t>{total, free};
    return *this;
}

MiniMachine& MiniMachine::file(std::string windowsPath, std::string content, std::uint32_t attributes) {
    entries_.push_back({std::move(windowsPath), std::move(content), attributes});
    return *this;
}

MiniMachine& MiniMachine::folder(std::string windowsPath, std::uint32_t attributes) {
    entries_.push_back({std::move(windowsPath), std::nullopt, attributes});
    return *this;
}

MiniMachine& MiniMachine::hive(platform::RootKey root, std::initializer_list<std::string_view> lines) {
    std::string& text = hives_[root];
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return *this;
}

MiniMachine& MiniMachine::hive(platform::RootKey root, std::string_view text) {
    hives_[root] += text;
    return *this;
}

MiniMachine& MiniMachine::service(std::string_view keyName, std::string_view displayName,
                                  std::optional<std::uint32_t> start, std::string_view objectName) {
    std::string text = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\" + std::string(keyName) + "]\r\n";
    std::string escaped;
    for (char c : displayName) {
        if (c == '"' || c == '\\') escaped += '\\';
        escaped += c;
    }
    text += "\"DisplayName\"=\"" + escaped + "\"\r\n";
    if (start) {
        char dword[16];
        std::snprintf(dword, sizeof(dword), "%08x", static_cast<unsigned>(*start));
        text += std::string("\"Start\"=dword:") + dword + "\r\n";
    }
    if (!objectName.empty()) text += "\"ObjectName\"=\"" + std::string(objectName) + "\"\r\n";
    return hive(platform::RootKey::LocalMachine, text + "\r\n");
}

MiniMachine& MiniMachine::shell(std::string key, std::string value) {
    shellSettings_.emplace_back(std::move(key), std::move(value));
    return *this;
}

void addShellSetting(const fs::path& machineFolder, std::string_view key, std::string_view value) {
    const fs::path path = machineFolder / "machine.ini";
    std::string ini;
    {
        std::ifstream in(path, std::ios::binary);
        ini.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string line = std::string(key) + "=" + std::string(value) + "\r\n";
    const std::size_t section = ini.find("[Shell]");
    const std::size_t end = section == std::string::npos ? std::string::npos : ini.find('\n', section);
    if (end != std::string::npos) {
        ini.insert(end + 1, line);
    } else {
        ini += "\r\n[Shell]\r\n" + line;
    }
    writeFile(path, ini);
}

void keepShellOpensInside(const fs::path& machineFolder) { addShellSetting(machineFolder, "OpenOnHost", "No"); }

fs::path MiniMachine::hostPath(const fs::path& machineFolder, std::string_view windowsPath) const {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') throw std::invalid_argument("not a full Windows path");
    char letter = windowsPath[0];
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    fs::path host;
    for (const Drive& d : drives) {
        if (d.letter != letter) continue;
        if (!d.medium) throw std::invalid_argument("drive without a medium");
        host = machineFolder / (d.hostFolder.empty() ? "drives/" + std::string(1, letter) : d.hostFolder);
    }
    if (host.empty()) throw std::invalid_argument("no such drive");
    std::string_view rest = windowsPath.substr(2);
    while (!rest.empty()) {
        const std::size_t sep = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, sep);
        if (!part.empty()) host /= std::string(part);
        if (sep == std::string_view::npos) break;
        rest.remove_prefix(sep + 1);
    }
    return host;
}

fs::path MiniMachine::writeTo(const fs::path& machineFolder) const {
    fs::create_directories(machineFolder);
    std::string ini;
    ini += "[Version]\r\n";
    ini += "PlatformId=" + std::to_string(platformId) + "\r\n";
    ini += "Major=" + std::to_string(major) + "\r\n";
    ini += "Minor=" + std::to_string(minor) + "\r\n";
    ini += "Build=" + std::to_string(build) + "\r\n";
    ini += "CSDVersion=\"" + csdVersion + "\"\r\n";  // quoted: " A " keeps its blanks
    ini += "\r\n[System]\r\n";
    ini += "WindowsFolder=" + windowsFolder + "\r\n";
    ini += std::string("Account=") + (restricted ? "Restricted" : "Administrator") + "\r\n";
    ini += "ProgramPath=" + programPath + "\r\n";
    if (!currentDirectory.empty()) ini += "CurrentDirectory=" + currentDirectory + "\r\n";
    ini += "\r\n[Drives]\r\n";
    std::string space;
    for (const Drive& d : drives) {
        const std::string host =
            !d.medium ? std::string() : d.hostFolder.empty() ? "drives/" + std::string(1, d.letter) : d.hostFolder;
        ini += std::string(1, d.letter) + "=" + d.type + "," + d.fileSystem + "," + host + "," + d.label + "," +
               d.serial + "\r\n";
        if (d.medium) fs::create_directories(machineFolder / host);
        if (d.space) {
            space += std::string(1, d.letter) + "=" + std::to_string(d.space->first) + "," +
                     std::to_string(d.space->second) + "\r\n";
        }
    }
    if (!space.empty()) ini += "\r\n[DriveSpace]\r\n" + space;
    ini += "\r\n[Shell]\r\n";
    bool openOnHostGiven = false;
    for (const auto& [key, value] : shellSettings_) {
        ini += key + "=" + value + "\r\n";
        openOnHostGiven = openOnHostGiven || key == "OpenOnHost";
    }
    if (!openOnHostGiven) ini += "OpenOnHost=No\r\n";
    ini += extraIni;

    for (const std::string& path : {windowsFolder, programPath.substr(0, programPath.find_last_of('\\'))}) {
        try {
            fs::create_directories(hostPath(machineFolder, path));
        } catch (const std::invalid_argument&) {
            // A machine whose Windows lies on no drive with a medium: nothing to make.
        }
    }

    std::string attributes;
    for (const Entry& e : entries_) {
        const fs::path host = hostPath(machineFolder, e.windowsPath);
        if (e.content) writeFile(host, *e.content);
        else fs::create_directories(host);
        if (e.attributes != 0) {
            char hex[16];
            std::snprintf(hex, sizeof(hex), "%X", static_cast<unsigned>(e.attributes));
            attributes += entryName(e.windowsPath) + "=" + hex + "\r\n";
        }
    }
    if (!attributes.empty()) writeFile(machineFolder / "attributes.ini", "[Attributes]\r\n" + attributes);

    fs::create_directories(machineFolder / "registry");
    for (const auto& [root, text] : hives_) {
        writeFile(machineFolder / "registry" / (std::string(platform::rootKeyName(root)) + ".reg"),
                  "Windows Registry Editor Version 5.00\r\n\r\n" + text);
    }
    if (meters) writeFile(machineFolder / "meters.ini", *meters);
    writeFile(machineFolder / "machine.ini", machineIni ? *machineIni : ini);
    return machineFolder;
}

}  // namespace hastelyn::testing
