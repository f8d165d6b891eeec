#include "platform/sandbox/SandboxMachine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileLock.h"
#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
namespace win32error = platform::win32error;
namespace drivetype = platform::drivetype;

constexpr std::string_view kDefaultProgram = "C:\\Program Files\\Hastelyn\\Hastelyn.exe";

bool isSeparator(char c) { return c == '\\' || c == '/'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char upper(char c) { return text::foldCase(c, text::CaseFold::ToUpper); }

bool isBadNameChar(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' ||
           c == '?' || c == '*';
}

std::uint32_t driveTypeOf(std::string_view name) {
    if (const auto n = parseDecimal(name)) return *n <= drivetype::RamDisk ? static_cast<std::uint32_t>(*n) : 0;
    struct Named {
        std::string_view name;
        std::uint32_t type;
    };
    static constexpr Named kNames[] = {
        {"Removable", drivetype::Removable}, {"Fixed", drivetype::Fixed},     {"Remote", drivetype::Remote},
        {"CdRom", drivetype::CdRom},         {"CD-ROM", drivetype::CdRom},    {"RamDisk", drivetype::RamDisk},
        {"Unknown", drivetype::Unknown},     {"NoRootDir", drivetype::NoRootDir},
    };
    for (const Named& n : kNames) {
        if (text::equalsNoCase(n.name, name)) return n.type;
    }
    return drivetype::Unknown;
}

std::vector<std::string_view> splitFields(std::string_view value) {
    std::vector<std::string_view> fields;
    while (true) {
        const std::size_t comma = value.find(',');
        fields.push_back(trimSpaces(value.substr(0, comma)));
        if (comma == std::string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    return fields;
}

// Parts of a path between separators, empty ones skipped.
void appendParts(std::string_view path, std::vector<std::string>& parts) {
    std::size_t pos = 0;
    while (pos < path.size()) {
        while (pos < path.size() && isSeparator(path[pos])) ++pos;
        std::size_t end = pos;
        while (end < path.size() && !isSeparator(path[end])) ++end;
        if (end > pos) parts.emplace_back(path.substr(pos, end - pos));
        pos = end;
    }
}

// What the machine keeps in its own folder beside the drives. A drive's folder is none of
// them, holds none of them and lies in none of them: else a write on the Windows side could
// reach the hives, machine.ini or the locks. Names starting with a dot (the lock files, the
// temporary files of every replaced file) are the machine's too.
constexpr std::string_view kMachineOwnNames[] = {"machine.ini",  "registry", "windows",     "locks",     "attributes.ini",
                                                 "services.ini", "dlls.ini", "journal.log", "meters.ini"};

bool isMachineOwnName(const std::string& name) {
    if (name.starts_with('.')) return true;
    for (const std::string_view own : kMachineOwnNames)
        if (text::equalsNoCase(name, own)) return true;
    return false;
}

// The name in folder that equals part case-insensitively: part itself when it exists as
// written, else the first such entry in name order.
std::optional<std::string> findEntryNoCase(const fs::path& folder, const std::string& part) {
    std::error_code ec;
    if (fs::symlink_status(folder / part, ec).type() != fs::file_type::not_found && !ec) return part;
    std::optional<std::string> best;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (text::equalsNoCase(name, part) && (!best || name < *best)) best = std::move(name);
    }
    return best;
}

}  // namespace

MachineLocation locateMachineFolder() {
    if (const char* env = std::getenv("HASTELYN_MACHINE"); env != nullptr) return {fs::path(env), true};
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {fs::current_path(ec) / "machine", false};
    return {exe.parent_path() / "machine", false};
}

SandboxMachine::SandboxMachine(fs::path folder)
    : folder_(std::move(folder)), attributes_(folder_ / "attributes.ini") {
    const auto bytes = readWholeFile(folder_ / "machine.ini");
    if (!bytes) {
        throw std::runtime_error("No sandbox machine in \"" + folder_.string() + "\": machine.ini is missing");
    }
    ini_ = ProfileDocument::parse(*bytes);
    std::error_code ec;
    canonicalFolder_ = fs::weakly_canonical(folder_, ec);
    if (ec) canonicalFolder_ = fs::absolute(folder_, ec).lexically_normal();

    version_.platformId = settingNumber("Version", "PlatformId", 2);
    version_.major = settingNumber("Version", "Major", 5);
    version_.minor = settingNumber("Version", "Minor", 1);
    version_.build = settingNumber("Version", "Build", 2600);
    version_.csdVersion = setting("Version", "CSDVersion").value_or("Service Pack 2");

    const auto nonEmpty = [&](std::string_view key, std::string_view fallback) {
        const auto value = setting("System", key);
        return value && !value->empty() ? *value : std::string(fallback);
    };
    windowsDirectory_ = nonEmpty("WindowsFolder", "C:\\WINDOWS");
    programPath_ = nonEmpty("ProgramPath", kDefaultProgram);
    const auto account = setting("System", "Account");
    restricted_ = account && text::equalsNoCase(*account, "Restricted");

    readDrives();
}

fs::path SandboxMachine::hostFolderOf(char letter, std::string_view field) const {
    const fs::path relative = fs::path(std::string(field)).lexically_normal();
    const bool climbs = !relative.empty() && *relative.begin() == "..";
    const fs::path host = folder_ / relative;
    const std::string named = "machine.ini of \"" + folder_.string() + "\": the folder of drive " +
                              std::string(1, letter) + ": \"" + std::string(field) + "\"";
    if (relative.has_root_path() || climbs || !insideMachine(host))
        throw std::runtime_error(named + " lies outside the machine folder");
    // Its first level below the machine folder, links followed: the machine folder itself
    // (".") or one of the machine's own files and folders would put them on the drive.
    std::error_code ec;
    const fs::path inside = fs::weakly_canonical(host, ec).lexically_relative(canonicalFolder_);
    const std::string first = ec || inside.empty() ? std::string(".") : inside.begin()->string();
    if (first == "." || isMachineOwnName(first))
        throw std::runtime_error(named + " is, holds or lies in the machine's own files (machine.ini, registry, "
                                         "windows, locks, the .ini files and journal.log): give the drive a "
                                         "folder of its own, such as drives/" + std::string(1, letter));
    return host;
}

bool SandboxMachine::insideMachine(const fs::path& hostPath) const {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(hostPath, ec);
    if (ec) return false;
    const fs::path relative = real.lexically_relative(canonicalFolder_);
    return !relative.empty() && *relative.begin() != "..";
}

bool SandboxMachine::onADrive(const fs::path& hostPath) const {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(hostPath, ec);
    if (ec) return false;
    for (const fs::path& base : canonicalHosts_) {
        if (base.empty()) continue;
        const fs::path relative = real.lexically_relative(base);
        if (!relative.empty() && *relative.begin() != "..") return true;
    }
    return false;
}

std::optional<MappedPath> SandboxMachine::mapPathForWrite(std::string_view windowsPath, long* error) const {
    auto mapped = mapPath(windowsPath, error);
    if (mapped && !onADrive(mapped->host)) {
        if (error != nullptr) *error = win32error::AccessDenied;
        return std::nullopt;
    }
    return mapped;
}

void SandboxMachine::readDrives() {
    for (std::string_view name : ini_.keyNames("Drives")) {
        if (name.size() != 1 || !isLetter(name[0]) || drive(name[0]) != nullptr) continue;
        const std::string value = setting("Drives", name).value_or("");
        const std::vector<std::string_view> fields = splitFields(value);
        Drive d;
        d.letter = upper(name[0]);
        d.type = driveTypeOf(fields[0]);
        if (fields.size() > 1) d.fileSystem = fields[1];
        if (fields.size() > 2 && !fields[2].empty()) d.hostFolder = hostFolderOf(d.letter, fields[2]);
        if (fields.size() > 3) d.label = fields[3];
        if (fields.size() > 4) {
            const auto serial = parseHex(fields[4]);
            if (serial && *serial <= 0xFFFFFFFFu) d.serialNumber = static_cast<std::uint32_t>(*serial);
        }
        if (const auto space = setting("DriveSpace", name)) {
            const std::vector<std::string_view> sizes = splitFields(*space);
            const auto total = parseDecimal(sizes[0]);
            const auto free = sizes.size() > 1 ? parseDecimal(sizes[1]) : std::nullopt;
            if (total && free) {
                d.totalBytes = *total;
                d.freeBytes = *free <= *total ? *free : *total;
            }
        }
        drives_.push_back(std::move(d));
    }
    if (drives_.empty()) {
        Drive c;
        c.letter = 'C';
        c.type = drivetype::Fixed;
        c.fileSystem = "NTFS";
        c.hostFolder = folder_ / "drives" / "C";
        drives_.push_back(std::move(c));
    }
    for (const Drive& d : drives_) {
        std::error_code ec;
        canonicalHosts_.push_back(d.hostFolder ? fs::weakly_canonical(*d.hostFolder, ec) : fs::path());
        if (ec) canonicalHosts_.back() = d.hostFolder->lexically_normal();
    }
}

bool SandboxMachine::setDriveFileSystem(char letter, std::string_view fileSystem) {
    Drive* changed = nullptr;
    for (Drive& d : drives_)
        if (d.letter == upper(letter)) changed = &d;
    if (changed == nullptr) return false;
    // Read again under the lock, so that a change another process made meanwhile stays.
    const fs::path path = folder_ / "machine.ini";
    const FileLock lock(folder_ / ".state.lock", true);
    const auto bytes = readWholeFile(path);
    if (!lock.held() || !bytes) return false;
    ProfileDocument ini = ProfileDocument::parse(*bytes);
    const std::string key(1, changed->letter);
    const auto value = ini.value("Drives", key);
    if (!value) return false;
    std::vector<std::string_view> fields = splitFields(withoutComment(*value));
    if (fields.size() < 2) fields.resize(2);
    fields[1] = fileSystem;
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i > 0 ? "," : "") + std::string(fields[i]);
    if (!ini.setValue("Drives", key, line) || !writeFileAtomically(path, ini.text())) return false;
    ini_ = std::move(ini);
    changed->fileSystem = std::string(fileSystem);
    return true;
}

const Drive* SandboxMachine::drive(char letter) const {
    for (const Drive& d : drives_) {
        if (d.letter == upper(letter)) return &d;
    }
    return nullptr;
}

std::optional<std::string> SandboxMachine::setting(std::string_view section, std::string_view key) const {
    const auto value = ini_.value(section, key);
    if (!value) return std::nullopt;
    return std::string(withoutQuotes(withoutComment(*value)));
}

std::uint32_t SandboxMachine::settingNumber(std::string_view section, std::string_view key,
                                            std::uint32_t fallback) const {
    const auto text = setting(section, key);
    const auto n = text ? parseDecimal(*text) : std::nullopt;
    return n && *n <= std::numeric_limits<std::uint32_t>::max() ? static_cast<std::uint32_t>(*n) : fallback;
}

std::vector<std::string> SandboxMachine::settingList(std::string_view section, std::string_view key) const {
    std::vector<std::string> names;
    const std::optional<std::string> value = setting(section, key);
    if (!value) return names;
    for (const std::string_view name : splitFields(*value))
        if (!name.empty()) names.emplace_back(name);
    return names;
}

std::string SandboxMachine::currentDirectory() const {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (!ec) {
        if (auto windows = windowsPathOf(cwd)) return *windows;
    }
    if (auto configured = setting("System", "CurrentDirectory"); configured && !configured->empty()) return *configured;
    const std::size_t slash = programPath_.find_last_of("\\/");
    if (slash == std::string::npos || slash < 2) return "C:\\";
    return programPath_.substr(0, slash == 2 ? 3 : slash);
}

std::optional<MappedPath> SandboxMachine::mapPath(std::string_view path, long* error) const {
    const auto fail = [&](long code) -> std::optional<MappedPath> {
        if (error != nullptr) *error = code;
        return std::nullopt;
    };
    path = text::cutAtNul(path);
    if (path.empty()) return fail(win32error::PathNotFound);

    char letter = 0;
    std::vector<std::string> parts;
    std::string_view rest = path;
    bool fromDriveRoot = false;  // "C:\...": no current folder plays a part
    if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':') {
        letter = upper(path[0]);
        rest = path.substr(2);
        fromDriveRoot = !rest.empty() && isSeparator(rest[0]);
        if (!fromDriveRoot) {
            // "C:name": relative to the current folder when that is on the same drive.
            const std::string cwd = currentDirectory();
            if (cwd.size() >= 2 && upper(cwd[0]) == letter && cwd[1] == ':') appendParts(std::string_view(cwd).substr(2), parts);
        }
    } else {
        if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) return fail(win32error::PathNotFound);
        const std::string cwd = currentDirectory();
        if (cwd.size() < 2 || cwd[1] != ':' || !isLetter(cwd[0])) return fail(win32error::PathNotFound);
        letter = upper(cwd[0]);
        if (!isSeparator(path[0])) appendParts(std::string_view(cwd).substr(2), parts);
    }

    std::vector<std::string> given;
    appendParts(rest, given);
    const bool endsWithSeparator = !rest.empty() && isSeparator(rest.back());
    for (std::size_t i = 0; i < given.size(); ++i) {
        std::string& part = given[i];
        if (part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        if (i + 1 == given.size() && !endsWithSeparator) {
            // Windows drops trailing dots and spaces of the last part.
            while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
            if (part.empty()) continue;
        }
        parts.push_back(std::move(part));
    }
    for (const std::string& part : parts) {
        for (char c : part) {
            if (isBadNameChar(c)) return fail(win32error::InvalidName);
        }
    }

    const Drive* d = drive(letter);
    if (d == nullptr || !d->hostFolder) return fail(win32error::PathNotFound);

    MappedPath mapped;
    mapped.drive = letter;
    mapped.root = parts.empty();
    mapped.host = *d->hostFolder;
    mapped.windows = std::string(1, letter) + ":\\";
    // Mostly every part exists as written: then one look at the whole path settles them all.
    if (!parts.empty()) {
        fs::path whole = mapped.host;
        for (const std::string& part : parts) whole /= part;
        struct stat st {};
        if (::lstat(whole.c_str(), &st) == 0) {
            mapped.host = std::move(whole);
            mapped.asWritten = fromDriveRoot;
            for (std::size_t i = 0; i < parts.size(); ++i) {
                if (i > 0) mapped.windows += '\\';
                mapped.windows += parts[i];
            }
            return mapped;
        }
    }
    bool exists = true;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string name = parts[i];
        if (exists) {
            if (auto found = findEntryNoCase(mapped.host, name)) name = std::move(*found);
            else exists = false;
        }
        mapped.host /= name;
        if (i > 0) mapped.windows += '\\';
        mapped.windows += name;
    }
    return mapped;
}

std::optional<std::string> SandboxMachine::windowsPathOf(const fs::path& hostPath) const {
    std::error_code ec;
    fs::path absolute = hostPath.is_absolute() ? hostPath : fs::current_path(ec) / hostPath;
    absolute = absolute.lexically_normal();
    std::optional<std::string> best;
    std::size_t bestDepth = 0;
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (!drives_[i].hostFolder) continue;
        for (const fs::path& base : {canonicalHosts_[i], drives_[i].hostFolder->lexically_normal()}) {
            const fs::path relative = absolute.lexically_relative(base);
            if (relative.empty() || *relative.begin() == "..") continue;
            const std::size_t depth = static_cast<std::size_t>(std::distance(base.begin(), base.end()));
            if (best && depth <= bestDepth) continue;
            std::string windows = std::string(1, drives_[i].letter) + ":\\";
            bool first = true;
            for (const fs::path& part : relative) {
                if (part == "." || part.empty()) continue;
                if (!first) windows += '\\';
                windows += part.string();
                first = false;
            }
            best = std::move(windows);
            bestDepth = depth;
        }
    }
    return best;
}

void SandboxMachine::removeLeftoverTempFiles() const {
    for (const char* folder : {"", "registry", "windows"}) removeDeadTempFiles(folder_ / folder);
    for (const Drive& d : drives_) {
        if (d.hostFolder) removeDeadTempFiles(*d.hostFolder, true);
    }
}

bool SandboxMachine::journal(std::string_view kind, std::initializer_list<std::string_view> fields) {
    std::string line;
    const auto add = [&line](std::string_view field) {
        for (char c : text::cutAtNul(field)) line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    };
    add(kind);
    for (std::string_view field : fields) {
        line += '\t';
        add(field);
    }
    return appendLine(journalPath(), line);
}

}  // namespace hastelyn::sandbox
