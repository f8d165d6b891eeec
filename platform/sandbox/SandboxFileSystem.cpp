#include "platform/sandbox/SandboxFileSystem.h"

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/DosWildcard.h"
#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
namespace win32error = platform::win32error;
namespace fileattr = platform::fileattr;
namespace drivetype = platform::drivetype;

constexpr std::uint32_t kSettable = fileattr::ReadOnly | fileattr::Hidden | fileattr::System | fileattr::Archive |
                                    fileattr::Temporary | fileattr::Offline | fileattr::NotContentIndexed;

bool isSeparator(char c) { return c == '\\' || c == '/'; }

platform::CallResult fail(long code) { return platform::CallResult(code); }

long errorOfErrno(int err) { return win32ErrorOf(err, win32error::FileNotFound); }

// FileNotFound when the folder exists and only the entry is missing, else PathNotFound.
long missingError(const MappedPath& mapped) {
    const FileStamp folder = stampOf(mapped.host.parent_path());
    return folder.exists && folder.directory ? win32error::FileNotFound : win32error::PathNotFound;
}

}  // namespace

SandboxFileSystem::SandboxFileSystem(SandboxMachine& machine)
    : machine_(machine), claimOwner_(static_cast<long>(::getpid())) {}

std::uint32_t SandboxFileSystem::attributesOf(const MappedPath& mapped, bool directory) {
    if (mapped.root) return fileattr::Directory;
    const std::uint32_t stored = machine_.attributes().find(mapped.windows).value_or(0) & kSettable;
    if (directory) return fileattr::Directory | stored;
    return stored != 0 ? stored : fileattr::Normal;
}

std::uint32_t SandboxFileSystem::getFileAttributes(std::string_view path) {
    long error = 0;
    const auto mapped = machine_.mapPath(path, &error);
    if (!mapped) return fileattr::Invalid;
    const FileStamp stamp = stampOf(mapped->host);
    if (!stamp.exists) return fileattr::Invalid;
    return attributesOf(*mapped, stamp.directory);
}

platform::CallResult SandboxFileSystem::setFileAttributes(std::string_view path, std::uint32_t attributes) {
    long error = 0;
    const auto mapped = machine_.mapPath(path, &error);
    if (!mapped) return fail(error);
    if (!stampOf(mapped->host).exists) return fail(missingError(*mapped));
    if (mapped->root) return fail(win32error::AccessDenied);
    const std::uint32_t bits = attributes & kSettable;
    if (!machine_.attributes().set(mapped->windows, bits != 0 ? std::optional<std::uint32_t>(bits) : std::nullopt)) {
        return fail(errorOfErrno(errno));
    }
    return {};
}

platform::CallResult SandboxFileSystem::findFiles(std::string_view pattern, std::vector<platform::FindData>& out) {
    out.clear();
    pattern = text::cutAtNul(pattern);
    std::size_t cut = pattern.find_last_of("\\/");
    if (cut == std::string_view::npos && pattern.size() >= 2 && pattern[1] == ':') cut = 1;
    const std::string folderText =
        cut == std::string_view::npos ? machine_.currentDirectory() : std::string(pattern.substr(0, cut + 1));
    const std::string_view namePattern = cut == std::string_view::npos ? pattern : pattern.substr(cut + 1);
    if (namePattern.empty()) return fail(win32error::FileNotFound);

    long error = 0;
    const auto folder = machine_.mapPath(folderText, &error);
    if (!folder) return fail(error);
    const FileStamp folderStamp = stampOf(folder->host);
    if (!folderStamp.exists || !folderStamp.directory) return fail(win32error::PathNotFound);

    std::vector<platform::FindData> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder->host, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isAtomicTempName(name) || !matchesDosPattern(namePattern, name)) continue;
        MappedPath child;
        child.host = it->path();
        child.windows = folder->windows + (folder->root ? "" : "\\") + name;
        child.drive = folder->drive;
        const FileStamp stamp = stampOf(child.host);
        if (!stamp.exists) continue;  // a dangling link, or gone meanwhile
        platform::FindData data;
        data.name = name;
        data.attributes = attributesOf(child, stamp.directory);
        data.size = stamp.directory ? 0 : stamp.size;
        found.push_back(std::move(data));
    }
    std::sort(found.begin(), found.end(), [](const platform::FindData& a, const platform::FindData& b) {
        const int order = text::compareNoCase(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    if (!folder->root) {
        for (const char* dots : {".", ".."}) {
            if (matchesDosPattern(namePattern, dots)) out.push_back({dots, fileattr::Directory, 0});
        }
    }
    out.insert(out.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    if (out.empty()) return fail(win32error::FileNotFound);
    return {};
}

platform::CallResult SandboxFileSystem::deleteFile(std::string_view path) {
    long error = 0;
    const auto mapped = machine_.mapPathForWrite(path, &error);
    if (!mapped) return fail(error);
    const FileStamp stamp = stampOf(mapped->host);
    if (!stamp.exists) return fail(missingError(*mapped));
    if (stamp.directory) return fail(win32error::AccessDenied);
    if ((attributesOf(*mapped, false) & fileattr::ReadOnly) != 0) return fail(win32error::AccessDenied);
    if (::unlink(mapped->host.c_str()) != 0) return fail(errorOfErrno(errno));
    machine_.attributes().set(mapped->windows, std::nullopt);
    return {};
}

platform::CallResult SandboxFileSystem::createNewFile(std::string_view path) {
    long error = 0;
    const auto mapped = machine_.mapPathForWrite(path, &error);
    if (!mapped) return fail(error);
    if (mapped->root) return fail(win32error::AccessDenied);
    const FileStamp folder = stampOf(mapped->host.parent_path());
    if (!folder.exists || !folder.directory) return fail(win32error::PathNotFound);
    // Of processes making the same name at once, exactly one gets it; the note that says this
    // process made it stays while the process runs (claimNewFile).
    const auto note = claimNewFile(mapped->host);
    if (!note) return fail(errno == EEXIST ? win32error::FileExists : errorOfErrno(errno));
    if (!note->empty()) claimNotes_.push_back(*note);
    return {};
}

SandboxFileSystem::~SandboxFileSystem() {
    if (claimOwner_ != static_cast<long>(::getpid())) return;  // a fork's copy: the notes are its parent's
    for (const fs::path& note : claimNotes_) ::unlink(note.c_str());
}

platform::CallResult SandboxFileSystem::copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    long error = 0;
    const auto source = machine_.mapPath(from, &error);
    if (!source) return fail(error);
    const auto target = machine_.mapPathForWrite(to, &error);
    if (!target) return fail(error);

    const FileStamp sourceStamp = stampOf(source->host);
    if (!sourceStamp.exists) return fail(missingError(*source));
    if (sourceStamp.directory) return fail(win32error::AccessDenied);
    const FileStamp targetFolder = stampOf(target->host.parent_path());
    if (!targetFolder.exists || !targetFolder.directory) return fail(win32error::PathNotFound);
    const FileStamp targetStamp = stampOf(target->host);
    if (targetStamp.exists) {
        if (targetStamp.device == sourceStamp.device && targetStamp.inode == sourceStamp.inode) {
            return fail(win32error::SharingViolation);
        }
        if (failIfExists) return fail(win32error::FileExists);
        if (targetStamp.directory) return fail(win32error::AccessDenied);
        // CopyFile does not replace a read-only or a hidden file.
        if ((attributesOf(*target, false) & (fileattr::ReadOnly | fileattr::Hidden)) != 0)
            return fail(win32error::AccessDenied);
    }

    const auto content = readReplacedFile(source->host);
    if (!content) return fail(win32error::AccessDenied);
    if (!writeFileAtomically(target->host, *content)) return fail(errorOfErrno(errno));
    // The copy takes the attributes of its source, as CopyFile gives them.
    const auto bits = machine_.attributes().find(source->windows);
    if (!machine_.attributes().set(target->windows, bits ? std::optional<std::uint32_t>(*bits & kSettable) : std::nullopt)) {
        return fail(errorOfErrno(errno));
    }
    return {};
}

platform::CallResult SandboxFileSystem::readFile(std::string_view path, std::string& content) {
    content.clear();
    long error = 0;
    const auto mapped = machine_.mapPath(path, &error);
    if (!mapped) return platform::CallResult(error);
    const FileStamp stamp = stampOf(mapped->host);
    if (!stamp.exists) return platform::CallResult(missingError(*mapped));
    if (stamp.directory) return platform::CallResult(win32error::AccessDenied);
    auto read = readReplacedFile(mapped->host);
    if (!read) return platform::CallResult(win32error::AccessDenied);
    content = std::move(*read);
    return platform::CallResult(win32error::Success);
}

platform::CallResult SandboxFileSystem::replaceFile(std::string_view path, std::string_view content) {
    long error = 0;
    const auto mapped = machine_.mapPathForWrite(path, &error);
    if (!mapped) return platform::CallResult(error);
    if (mapped->root) return platform::CallResult(win32error::AccessDenied);
    const FileStamp folder = stampOf(mapped->host.parent_path());
    if (!folder.exists || !folder.directory) return platform::CallResult(win32error::PathNotFound);
    const FileStamp stamp = stampOf(mapped->host);
    if (stamp.exists && (stamp.directory || (attributesOf(*mapped, false) & fileattr::ReadOnly) != 0))
        return platform::CallResult(win32error::AccessDenied);
    if (!writeFileAtomically(mapped->host, content)) return platform::CallResult(errorOfErrno(errno));
    return platform::CallResult(win32error::Success);
}

const Drive* SandboxFileSystem::driveOfRoot(std::string_view root) const {
    root = text::cutAtNul(root);
    std::string current;
    if (root.empty()) {
        current = machine_.currentDirectory();
        root = std::string_view(current).substr(0, 3);
    }
    if (root.size() < 2 || root[1] != ':' || root.size() > 3) return nullptr;
    if (root.size() == 3 && !isSeparator(root[2])) return nullptr;
    return machine_.drive(root[0]);
}

std::uint32_t SandboxFileSystem::getDriveType(std::string_view root) {
    const Drive* drive = driveOfRoot(root);
    return drive != nullptr ? drive->type : drivetype::NoRootDir;
}

const Drive* SandboxFileSystem::readyDrive(std::string_view root, long& error) const {
    const Drive* drive = driveOfRoot(root);
    if (drive == nullptr) {
        error = win32error::PathNotFound;
        return nullptr;
    }
    if (!drive->hostFolder || !stampOf(*drive->hostFolder).directory) {
        error = kErrorNotReady;
        return nullptr;
    }
    return drive;
}

platform::CallResult SandboxFileSystem::getVolumeInformation(std::string_view root, platform::VolumeInfo& out) {
    long error = win32error::Success;
    const Drive* drive = readyDrive(root, error);
    if (drive == nullptr) return fail(error);
    out.label = drive->label;
    out.serialNumber = drive->serialNumber;
    out.maxComponentLength = 255;
    out.fileSystem = drive->fileSystem;
    return {};
}

platform::CallResult SandboxFileSystem::getDiskFreeSpace(std::string_view root, platform::DiskSpace& out) {
    long error = win32error::Success;
    const Drive* drive = readyDrive(root, error);
    if (drive == nullptr) return fail(error);
    if (drive->totalBytes && drive->freeBytes) {
        out.total = *drive->totalBytes;
        out.freeToCaller = *drive->freeBytes;
        out.totalFree = *drive->freeBytes;
        return {};
    }
    struct statvfs vfs {};
    if (::statvfs(drive->hostFolder->c_str(), &vfs) != 0) return fail(kErrorNotReady);
    const std::uint64_t unit = vfs.f_frsize != 0 ? vfs.f_frsize : vfs.f_bsize;
    out.total = static_cast<std::uint64_t>(vfs.f_blocks) * unit;
    out.freeToCaller = static_cast<std::uint64_t>(vfs.f_bavail) * unit;
    out.totalFree = static_cast<std::uint64_t>(vfs.f_bfree) * unit;
    return {};
}

}  // namespace hastelyn::sandbox
