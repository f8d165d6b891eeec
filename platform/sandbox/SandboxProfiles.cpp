#include "platform/sandbox/SandboxProfiles.h"

#include <cerrno>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileLock.h"
#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {

namespace {

namespace win32error = platform::win32error;

platform::CallResult fail(long code) { return platform::CallResult(code); }

}  // namespace

SandboxProfiles::SandboxProfiles(SandboxMachine& machine) : machine_(machine) {}

std::optional<MappedPath> SandboxProfiles::locate(std::string_view file, long* error, bool forWrite) const {
    file = text::cutAtNul(file);
    if (file.empty()) {
        if (error != nullptr) *error = win32error::AccessDenied;
        return std::nullopt;
    }
    std::string path(file);
    if (file.find_first_of("\\/:") == std::string_view::npos) path = machine_.windowsDirectory() + "\\" + path;
    return forWrite ? machine_.mapPathForWrite(path, error) : machine_.mapPath(path, error);
}

const ProfileDocument* SandboxProfiles::read(std::string_view file) {
    file = text::cutAtNul(file);
    const std::string name(file);
    if (const auto it = located_.find(name); it != located_.end()) {
        if (const ProfileDocument* doc = cache_.document(it->second.host)) return doc;
        located_.erase(it);  // gone: looked for afresh
    }
    const auto mapped = locate(file, nullptr);
    if (!mapped) return nullptr;
    const ProfileDocument* doc = cache_.document(mapped->host);
    if (doc != nullptr && mapped->asWritten) {
        if (located_.size() >= kMaxLocated) located_.clear();
        located_.emplace(name, *mapped);
    }
    return doc;
}

std::string SandboxProfiles::getString(std::string_view file, std::string_view section, std::string_view key,
                                       std::string_view defaultValue, std::size_t bufferSize) {
    if (const ProfileDocument* doc = read(file)) {
        if (const auto value = doc->value(section, key)) return profileValueForBuffer(*value, bufferSize);
    }
    return profileValueForBuffer(profileDefaultValue(defaultValue), bufferSize);
}

std::vector<std::string> SandboxProfiles::getKeyNames(std::string_view file, std::string_view section,
                                                      std::size_t bufferSize) {
    const ProfileDocument* doc = read(file);
    if (doc == nullptr) return {};
    return profileNamesForBuffer(doc->keyNames(section), bufferSize);
}

template <typename Change>
platform::CallResult SandboxProfiles::update(std::string_view file, Change&& change) {
    long error = 0;
    const auto mapped = locate(file, &error, true);
    if (!mapped) return fail(error);
    const FileStamp folder = stampOf(mapped->host.parent_path());
    if (!folder.exists || !folder.directory) return fail(win32error::PathNotFound);
    // From the look at the file to its save, no other process changes a profile file of this
    // machine: what it wrote in the meantime would be lost.
    const FileLock lock(machine_.folder() / ".profiles.lock", true);
    const FileStamp target = stampOf(mapped->host);
    if (target.exists) {
        if (target.directory) return fail(win32error::AccessDenied);
        if (machine_.attributes().readOnly(mapped->windows)) return fail(win32error::AccessDenied);
    }

    ProfileDocument* doc = target.exists ? cache_.document(mapped->host, target) : nullptr;
    if (target.exists && doc == nullptr) return fail(win32error::AccessDenied);  // unreadable
    const bool created = doc == nullptr;
    if (created) doc = &cache_.fresh(mapped->host);

    const bool changed = change(*doc);
    if (!changed && !created) return {};

    FileStamp written;
    if (!files_.write(mapped->host, doc->text(), written)) {
        const int err = errno;
        cache_.forget(mapped->host);
        return fail(win32ErrorOf(err, win32error::PathNotFound));
    }
    cache_.written(mapped->host, written);
    return {};
}

platform::CallResult SandboxProfiles::writeString(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                                  std::optional<std::string_view> value) {
    return update(file, [&](ProfileDocument& doc) {
        if (!key) return doc.removeSection(section);
        if (!value) return doc.removeKey(section, *key);
        return doc.setValue(section, *key, *value);
    });
}

platform::CallResult SandboxProfiles::writeStrings(std::string_view file, const std::vector<platform::ProfileWrite>& writes) {
    return update(file, [&](ProfileDocument& doc) { return doc.setValues(writes); });
}

}  // namespace hastelyn::sandbox
