#include "platform/recording/RecordingFiles.h"

#include <algorithm>

#include "platform/Text.h"
#include "platform/recording/ValueText.h"

namespace hastelyn::recording {
namespace {

using platform::CallResult;
namespace win32error = platform::win32error;

std::string folded(std::string_view path) {
    std::string out = text::upperAscii(path);
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

std::string_view folderOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

// "*" and "?" as FindFirstFileA matches a name, without case.
bool matches(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern.front() == '*')
        for (std::size_t skip = 0; skip <= name.size(); ++skip)
            if (matches(pattern.substr(1), name.substr(skip))) return true;
    if (name.empty()) return pattern == "*" || pattern == "*.*";
    if (pattern.front() != '?' && text::foldCase(pattern.front(), text::CaseFold::ToUpper) !=
                                      text::foldCase(name.front(), text::CaseFold::ToUpper))
        return false;
    return matches(pattern.substr(1), name.substr(1));
}

}  // namespace

const RecordingFiles::File* RecordingFiles::overlaid(std::string_view path) const {
    const auto found = files_.find(folded(path));
    return found == files_.end() ? nullptr : &found->second;
}

std::optional<std::string> RecordingFiles::content(std::string_view path) {
    if (const File* file = overlaid(path)) return file->content;
    std::string text;
    if (!real_.readFile(path, text).ok()) return std::nullopt;
    return text;
}

void RecordingFiles::put(std::string_view path, const std::optional<std::string>& before, std::optional<std::string> after) {
    const LineChange lines = changedLines(before, after);
    // A file made empty, or emptied, still shows that it is there.
    if (before != after) log_.record(ChangeKind::File, std::string(path), lines.before, lines.after);
    if (mode_ == RecordingMode::PassThrough) return;
    if (overlaid(path) == nullptr) {
        // A file of the machine keeps its attributes when the run replaces it.
        const std::uint32_t attributes = real_.getFileAttributes(path);
        files_[folded(path)] = {std::string(path), std::nullopt,
                                attributes == platform::fileattr::Invalid ? platform::fileattr::Archive : attributes};
    }
    files_[folded(path)].content = std::move(after);
}

std::uint32_t RecordingFiles::getFileAttributes(std::string_view path) {
    const File* file = overlaid(path);
    if (file == nullptr) return real_.getFileAttributes(path);
    return file->content ? file->attributes : platform::fileattr::Invalid;
}

CallResult RecordingFiles::setFileAttributes(std::string_view path, std::uint32_t attributes) {
    const std::uint32_t before = getFileAttributes(path);
    if (before == platform::fileattr::Invalid) return CallResult(win32error::FileNotFound);
    CallResult result;
    if (mode_ == RecordingMode::PassThrough) {
        result = real_.setFileAttributes(path, attributes);
    } else {
        if (overlaid(path) == nullptr) {
            // Read before the entry exists: an empty entry would stand for a deleted file.
            std::optional<std::string> text = content(path);
            files_[folded(path)] = {std::string(path), std::move(text), attributes};
        }
        files_[folded(path)].attributes = attributes;
    }
    if (result.ok() && before != attributes)
        log_.record(ChangeKind::File, std::string(path), "attributes " + std::to_string(before),
                    "attributes " + std::to_string(attributes));
    return result;
}

CallResult RecordingFiles::findFiles(std::string_view pattern, std::vector<platform::FindData>& out) {
    out.clear();
    const CallResult real = real_.findFiles(pattern, out);
    if (mode_ == RecordingMode::PassThrough || files_.empty()) return real;
    const std::string folder = folded(folderOf(pattern));
    const std::string_view namePattern = pattern.substr(folderOf(pattern).size());
    for (const auto& [key, file] : files_) {
        if (!key.starts_with(folder) || key.find('\\', folder.size()) != std::string::npos) continue;
        const std::string name = file.path.substr(file.path.find_last_of("\\/") + 1);
        std::erase_if(out, [&](const platform::FindData& d) { return text::equalsNoCase(d.name, name); });
        if (file.content && matches(namePattern, name))
            out.push_back({name, file.attributes, static_cast<std::uint64_t>(file.content->size())});
    }
    if (!out.empty()) return CallResult();
    return real.code() == win32error::PathNotFound ? real : CallResult(win32error::FileNotFound);
}

CallResult RecordingFiles::deleteFile(std::string_view path) {
    const std::optional<std::string> before = content(path);
    if (mode_ == RecordingMode::PassThrough) {
        const CallResult result = real_.deleteFile(path);
        if (result.ok()) put(path, before, std::nullopt);
        return result;
    }
    if (!before) return CallResult(win32error::FileNotFound);
    put(path, before, std::nullopt);
    return CallResult();
}

CallResult RecordingFiles::createNewFile(std::string_view path) {
    if (mode_ == RecordingMode::PassThrough) {
        const CallResult result = real_.createNewFile(path);
        if (result.ok()) put(path, std::nullopt, std::string());
        return result;
    }
    if (getFileAttributes(path) != platform::fileattr::Invalid) return CallResult(win32error::FileExists);
    put(path, std::nullopt, std::string());
    return CallResult();
}

CallResult RecordingFiles::copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    const std::optional<std::string> source = content(from);
    const std::optional<std::string> before = content(to);
    if (mode_ == RecordingMode::PassThrough) {
        const CallResult result = real_.copyFile(from, to, failIfExists);
        if (result.ok()) put(to, before, source);
        return result;
    }
    if (!source) return CallResult(win32error::FileNotFound);
    if (failIfExists && getFileAttributes(to) != platform::fileattr::Invalid) return CallResult(win32error::FileExists);
    put(to, before, source);
    return CallResult();
}

CallResult RecordingFiles::readFile(std::string_view path, std::string& out) {
    const File* file = overlaid(path);
    if (file == nullptr) return real_.readFile(path, out);
    if (!file->content) return CallResult(win32error::FileNotFound);
    out = *file->content;
    return CallResult();
}

CallResult RecordingFiles::replaceFile(std::string_view path, std::string_view text) {
    const std::optional<std::string> before = content(path);
    if (mode_ == RecordingMode::PassThrough) {
        const CallResult result = real_.replaceFile(path, text);
        if (result.ok()) put(path, before, std::string(text));
        return result;
    }
    put(path, before, std::string(text));
    return CallResult();
}

}  // namespace hastelyn::recording
