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

std::string BootFile::withTitleQuotes(std::string line) {
    if (line != kNull && (line.empty() || line.front() != '"')) line = '"' + line + '"';
    return line;
}

void BootFile::write(std::string_view section, std::string_view key, std::string_view value) {
    if (value == kNull) return;
    keepCopy();
    session_.profiles.WriteProfileValue(path(), section, key, value);
}

void BootFile::keepCopy() {
    platform::FileSystem& files = session_.platform.files;
    const std::string copy = copyPath();
    // The copy takes the file's attributes, so it stays as protected as the original.
    if (files.copyFile(path(), copy, true)) return;
    const long error = files.lastError();
    if (files.getFileAttributes(copy) != platform::fileattr::Invalid) return;
    throw foundation::CommandError("ファイル \"" + path() + "\" の控えを \"" + copy + "\" に作れませんでした。" +
                                   session_.platform.system.errorText(error));
}

}  // namespace hastelyn::engine
