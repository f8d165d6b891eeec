#include "engine/BootFile.h"

#include "foundation/CommandError.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {

using foundation::kNull;

bool BootFile::found() const {
    return foundation::fileFound(session_.platform.files, path());
}

std::string BootFile::read(std::string_view section, std::string_view key) const {
    if (!found()) return std::string(kNull);
    return session_.profiles.ReadProfileValue(path(), section, key);
}

std::string BootFile::defaultLine() const {
    // Without a default there is no line to look up: a key literally named "NULL" is not it.
    const std::string key = defaultKey();
    if (key == kNull) return key;
    return systemLine(key);
}

namespace {

// A blank and a slash begin a switch.
bool hasSwitch(std::string_view line) { return line.starts_with('/') || line.find(" /") != std::string_view::npos; }

// The text the profile reader gives for a value written as it stands: blanks around it and one
// pair of enclosing quotes gone.
std::string_view asRead(std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::string BootFile::withTitleQuotes(std::string line) {
    if (line != kNull && (line.empty() || (line.front() != '"' && !hasSwitch(line)))) line = '"' + line + '"';
    return line;
}

std::string BootFile::withoutSwitch(std::string line, std::string_view switchText) {
    for (std::size_t at = line.find(switchText); at != std::string::npos; at = line.find(switchText, at)) {
        const std::size_t end = at + switchText.size();
        if (end == line.size() || line[end] == ' ')
            line.erase(at, switchText.size());
        else
            at = end;
    }
    return line;
}

void BootFile::write(std::string_view section, std::string_view key, std::string_view value) {
    if (value == kNull || read(section, key) == asRead(value)) return;
    keepCopy();
    session_.profiles.WriteProfileValue(path(), section, key, value);
}

void BootFile::remove(std::string_view section, std::string_view key) {
    if (read(section, key) == kNull) return;
    keepCopy();
    session_.profiles.DeleteProfileKey(path(), section, key);
}

void BootFile::keepCopy() {
    platform::FileSystem& files = session_.platform.files;
    const std::string copy = copyPath();
    // The copy takes the file's attributes, so it stays as protected as the original.
    const platform::CallResult copied = files.copyFile(path(), copy, true);
    // A copy kept by an earlier edit stays: it holds the file as it was before the first one.
    if (copied.ok() || files.getFileAttributes(copy) != platform::fileattr::Invalid) return;
    throw foundation::CommandError("ファイル \"" + path() + "\" の控えを \"" + copy + "\" に作れませんでした。" +
                                   session_.platform.system.errorText(copied.code()));
}

}  // namespace hastelyn::engine
