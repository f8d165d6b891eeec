#include "foundation/SystemTools.h"

#include "platform/Text.h"

namespace hastelyn::foundation {
namespace {

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

constexpr int kMaxFolderDepth = 128;

long long countEntries(platform::FileSystem& files, const std::string& folder, int depth) {
    std::vector<platform::FindData> entries;
    if (depth > kMaxFolderDepth || !files.findFiles(folder + "\\*.*", entries).ok()) return 0;
    long long count = 0;
    for (const platform::FindData& entry : entries) {
        if (entry.name == "." || entry.name == "..") continue;
        ++count;
        if ((entry.attributes & platform::fileattr::Directory) != 0)
            count += countEntries(files, folder + "\\" + entry.name, depth + 1);
    }
    return count;
}

}  // namespace

// "reg save|restore" on XP, the registry editor's "/E" export or "/s" import elsewhere.
RegistryToolStart registryToolStart(const EditionCodes& codes, bool exporting, std::string_view rootName,
                                    std::string_view keyPath, std::string_view file) {
    const std::string fullKey = std::string(rootName) + std::string(keyPath);
    if (codes.edition == "XP")
        return {"open", "reg", (exporting ? "save " : "restore ") + quoted(fullKey) + " " + quoted(file)};
    return {"Open", "Regedit.exe", exporting ? "/E " + quoted(file) + " " + quoted(fullKey) : "/s " + quoted(file)};
}

namespace {

void startRegistryTool(platform::Platform& platform, const EditionCodes& codes, bool exporting,
                       std::string_view rootName, std::string_view keyPath, std::string_view file) {
    const RegistryToolStart start = registryToolStart(codes, exporting, rootName, keyPath, file);
    platform.shell.shellExecute(start.verb, start.program, start.parameters, "", platform::showcmd::Hide);
}

}  // namespace

void ExportRegKey(platform::Platform& platform, const EditionCodes& codes, std::string_view rootName,
                  std::string_view keyPath, std::string_view file) {
    startRegistryTool(platform, codes, true, rootName, keyPath, file);
}

void ImportRegKey(platform::Platform& platform, const EditionCodes& codes, std::string_view rootName,
                  std::string_view keyPath, std::string_view file) {
    startRegistryTool(platform, codes, false, rootName, keyPath, file);
}

void RestartWindows(platform::Platform& platform) {
    platform.shell.enableShutdownPrivilege();
    platform.shell.exitWindows(platform::exitflag::Reboot);
}

long long CountFolderEntries(platform::FileSystem& files, std::string_view folder) {
    std::string path(folder);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return countEntries(files, path, 0);
}

bool ContainsAnyChar(std::string_view text, std::string_view characters) {
    // Whole characters are compared: a UTF-8 sequence only ever matches at a character
    // boundary, so the trailing byte of a double-byte character never counts.
    for (std::size_t i = 0; i < characters.size();) {
        const std::size_t length = text::utf8CharLength(characters, i);
        if (text::containsNoCase(text, characters.substr(i, length))) return true;
        i += length;
    }
    return false;
}

}  // namespace hastelyn::foundation
