// "reg save|restore" and the registry editor's "/E" export and "/s" import.
//
// The hive file of "reg save" is, in the sandbox, the same regedit text that "regedit /E"
// writes: it stands for the binary hive Windows writes, and only reg restore reads it back.
#include <optional>
#include <string>
#include <string_view>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxCommands.h"
#include "platform/sandbox/SavedKeyText.h"
#include "platform/sandbox/registry/KeyNames.h"
#include "platform/sandbox/util/AtomicFile.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;

struct FullKey {
    platform::RootKey root = platform::RootKey::CurrentUser;
    std::string subKey;  // without a leading backslash; empty for the root
    std::string name;    // the long root name, a backslash and subKey
};

// "HKCU\a\b" or "HKEY_CURRENT_USER\a\b".
std::optional<FullKey> parseFullKey(std::string_view text) {
    const std::size_t slash = text.find('\\');
    const auto root = rootKeyFromName(text.substr(0, slash));
    if (!root) return std::nullopt;
    std::string_view subKey = slash == std::string_view::npos ? std::string_view{} : text.substr(slash + 1);
    while (subKey.starts_with('\\')) subKey.remove_prefix(1);
    while (subKey.ends_with('\\')) subKey.remove_suffix(1);
    FullKey key{*root, std::string(subKey), std::string(platform::rootKeyName(*root))};
    if (!subKey.empty()) key.name += "\\" + key.subKey;
    return key;
}

// The file at a Windows path of the machine, unless it is read-only; nothing when the path does
// not lead anywhere in the machine.
std::optional<std::filesystem::path> writableFile(SandboxMachine& machine, std::string_view windowsPath) {
    const auto mapped = machine.mapPathForWrite(windowsPath);
    if (!mapped || mapped->root) return std::nullopt;
    if (machine.attributes().readOnly(mapped->windows)) return std::nullopt;
    return mapped->host;
}

std::optional<std::string> readFile(SandboxMachine& machine, std::string_view windowsPath) {
    const auto mapped = machine.mapPath(windowsPath);
    if (!mapped || mapped->root) return std::nullopt;
    return readReplacedFile(mapped->host);
}

// reg save "KEY" "FILE" [/y] and reg restore "KEY" "FILE". Like Windows' reg, save does not
// replace an existing file unless /y is given (reg would ask, and nobody answers a hidden
// window), and restore needs the file, a saved key in it (anything else fails and changes
// nothing) and an existing key, whose content it replaces. A whole root is neither saved nor
// restored.
class RegCommand final : public CommandInterpreter {
public:
    RegCommand(SandboxMachine& machine, SandboxRegistry& registry) : machine_(machine), registry_(registry) {}

    std::optional<long> run(const CommandStart& start) override {
        if (programName(start.program) != "reg") return std::nullopt;
        std::vector<std::string> words = splitArguments(start.arguments);
        if (words.empty()) return std::nullopt;
        const bool save = text::equalsNoCase(words[0], "save");
        if (!save && !text::equalsNoCase(words[0], "restore")) return std::nullopt;  // query, add, ...
        bool overwrite = false;
        std::erase_if(words, [&overwrite](const std::string& w) {
            const bool yes = isOption(w, "y");
            overwrite = overwrite || yes;
            return yes;
        });
        if (words.size() == 3) {
            const auto key = parseFullKey(words[1]);
            if (key && !key->subKey.empty()) {
                if (save) saveKey(*key, words[2], overwrite);
                else restoreKey(*key, words[2]);
            }
        }
        return win32error::Success;
    }

private:
    void saveKey(const FullKey& key, std::string_view file, bool overwrite) {
        const auto host = writableFile(machine_, file);
        std::error_code ec;
        if (!host || (!overwrite && std::filesystem::exists(*host, ec))) return;
        std::string text;
        if (registry_.exportKey(key.root, key.subKey, text) != win32error::Success) return;
        writeProgramFile(machine_, "reg", *host, file, text);
    }

    void restoreKey(const FullKey& key, std::string_view file) {
        const auto content = readFile(machine_, file);
        if (!content) return;
        platform::KeyHandle handle;
        if (registry_.openKey(key.root, key.subKey, platform::KeyAccess::Query, handle) != win32error::Success) return;
        (void)registry_.closeKey(handle);  // opened only to be found
        if (const auto text = restoredKeyText(*content, key.name)) registry_.importFile(*text);
    }

    SandboxMachine& machine_;
    SandboxRegistry& registry_;
};

// regedit /E "FILE" "KEY" exports a key (an existing file is replaced); regedit [/s] "FILE"
// imports a file. Without a key the export would hold the whole registry: the sandbox does
// not write that.
class RegeditCommand final : public CommandInterpreter {
public:
    RegeditCommand(SandboxMachine& machine, SandboxRegistry& registry) : machine_(machine), registry_(registry) {}

    std::optional<long> run(const CommandStart& start) override {
        if (programName(start.program) != "regedit") return std::nullopt;
        bool exporting = false;
        std::vector<std::string> words;
        for (std::string& word : splitArguments(start.arguments)) {
            const bool option = word.size() >= 2 && (word[0] == '/' || word[0] == '-');
            if (!option) words.push_back(std::move(word));
            else if (isOption(word, "e")) exporting = true;
        }
        if (exporting && words.size() == 2) exportKey(words[0], words[1]);
        else if (!exporting && words.size() == 1) importFile(words[0]);
        return win32error::Success;
    }

private:
    void exportKey(std::string_view file, std::string_view keyName) {
        const auto key = parseFullKey(keyName);
        const auto host = writableFile(machine_, file);
        std::string text;
        if (!key || !host || registry_.exportKey(key->root, key->subKey, text) != win32error::Success) return;
        writeProgramFile(machine_, "regedit", *host, file, text);
    }

    void importFile(std::string_view file) {
        if (const auto content = readFile(machine_, file)) registry_.importFile(*content);
    }

    SandboxMachine& machine_;
    SandboxRegistry& registry_;
};

}  // namespace

std::unique_ptr<CommandInterpreter> makeRegCommand(SandboxMachine& machine, SandboxRegistry& registry) {
    return std::make_unique<RegCommand>(machine, registry);
}

std::unique_ptr<CommandInterpreter> makeRegeditCommand(SandboxMachine& machine, SandboxRegistry& registry) {
    return std::make_unique<RegeditCommand>(machine, registry);
}

}  // namespace hastelyn::sandbox
