// "convert X: /fs:ntfs [/v] [/cvtarea:FILE]", and the console ("cmd /k LINE", "command.com /c
// LINE") that runs such a line, as the utilities start them.
//
// convert turns a FAT or FAT32 drive with a medium into NTFS in machine.ini. A drive that is
// NTFS already, or of another file system, stays as it is (convert says so in its window). With
// /cvtarea the file must exist: the master file table takes its place, so the file is gone
// afterwards; without it convert stops and changes nothing. A restricted account changes
// nothing (convert needs an administrator).
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxCommands.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;

class ConvertCommand final : public CommandInterpreter {
public:
    explicit ConvertCommand(SandboxMachine& machine) : machine_(machine) {}

    std::optional<long> run(const CommandStart& start) override {
        if (programName(start.program) != "convert") return std::nullopt;
        std::string volume;
        std::string placeholder;
        bool toNtfs = false;
        for (const std::string& word : splitArguments(start.arguments)) {
            if (text::equalsNoCase(word, "/fs:ntfs")) toNtfs = true;
            else if (word.size() > 9 && text::equalsNoCase(word.substr(0, 9), "/cvtarea:")) placeholder = word.substr(9);
            else if (word.size() == 2 && word[1] == ':') volume = word;
        }
        // Without a volume or the file system, convert only shows how it is used.
        if (volume.empty() || !toNtfs || machine_.restrictedAccount()) return win32error::Success;
        const Drive* drive = machine_.drive(volume[0]);
        if (drive == nullptr || !drive->hostFolder || !isFat(drive->fileSystem)) return win32error::Success;
        if (!placeholder.empty() && !takePlaceholder(placeholder)) return win32error::Success;
        // What convert could not record leaves the drive as it was; nobody reads its outcome.
        (void)machine_.setDriveFileSystem(drive->letter, "NTFS");
        return win32error::Success;
    }

private:
    static bool isFat(std::string_view fileSystem) {
        return text::equalsNoCase(fileSystem, "FAT") || text::equalsNoCase(fileSystem, "FAT32");
    }

    // The placeholder file becomes the master file table: it must be there, and is gone after.
    bool takePlaceholder(std::string_view windowsPath) {
        const auto mapped = machine_.mapPathForWrite(windowsPath);
        std::error_code ec;
        if (!mapped || !std::filesystem::is_regular_file(mapped->host, ec)) return false;
        if (!std::filesystem::remove(mapped->host, ec)) return false;
        // An attribute kept for the file goes with it; a stale entry would only mark a name.
        (void)machine_.attributes().set(mapped->windows, std::nullopt);
        return true;
    }

    SandboxMachine& machine_;
};

// "cmd /k LINE", "cmd /c LINE", "command.com /k LINE": the console runs LINE, with %SystemRoot%
// (any case) standing for the Windows folder, and stays open or closes; what LINE starts is
// looked for among the programs given. A program the machine lacks is not found by the console
// either, which says so in its window.
class ConsoleCommand final : public CommandInterpreter {
public:
    ConsoleCommand(SandboxMachine& machine, std::unique_ptr<CommandInterpreter> inner)
        : machine_(machine), inner_(std::move(inner)) {}

    std::optional<long> run(const CommandStart& start) override {
        const std::string name = programName(start.program);
        if (name != "cmd" && name != "command.com" && name != "command") return std::nullopt;
        std::string_view rest = start.arguments;
        if (rest.size() < 2 || !(isOption(rest.substr(0, 2), "k") || isOption(rest.substr(0, 2), "c")))
            return win32error::Success;
        const std::string line = expandSystemRoot(rest.substr(2));
        const auto [program, arguments] = splitCommandLine(line);
        for (const std::string& missing : machine_.settingList("Shell", "Missing"))
            if (programName(missing) == programName(program)) return win32error::Success;
        CommandStart inner = start;
        inner.program = program;
        inner.arguments = arguments;
        // The console has started: what its line does, or fails to do, shows only in its window.
        (void)inner_->run(inner);
        return win32error::Success;
    }

private:
    std::string expandSystemRoot(std::string_view line) const {
        constexpr std::string_view kVariable = "%systemroot%";
        std::string out;
        while (!line.empty()) {
            if (line.size() >= kVariable.size() && text::equalsNoCase(line.substr(0, kVariable.size()), kVariable)) {
                out += machine_.windowsDirectory();
                line.remove_prefix(kVariable.size());
            } else {
                out += line.front();
                line.remove_prefix(1);
            }
        }
        return out;
    }

    SandboxMachine& machine_;
    std::unique_ptr<CommandInterpreter> inner_;
};

}  // namespace

std::unique_ptr<CommandInterpreter> makeConvertCommand(SandboxMachine& machine) {
    return std::make_unique<ConvertCommand>(machine);
}

std::unique_ptr<CommandInterpreter> makeConsoleCommand(SandboxMachine& machine) {
    return std::make_unique<ConsoleCommand>(machine, makeConvertCommand(machine));
}

}  // namespace hastelyn::sandbox
