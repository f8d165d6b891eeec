#include "platform/sandbox/SandboxCommands.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileLock.h"
#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;
namespace servicestate = platform::servicestate;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// net start|stop NAME. NAME is a display name or a key name; in double quotes it is everything
// between the first and the last quote, so a name holding quotes passes unchanged.
class NetCommand final : public CommandInterpreter {
public:
    NetCommand(SandboxMachine& machine, SandboxServiceManager& services) : machine_(machine), services_(services) {}

    std::optional<long> run(const CommandStart& start) override {
        if (programName(start.program) != "net") return std::nullopt;
        std::string_view rest = start.arguments;
        std::size_t verbEnd = 0;
        while (verbEnd < rest.size() && !isBlank(rest[verbEnd])) ++verbEnd;
        const std::string verb = text::lowerAscii(rest.substr(0, verbEnd));
        if (verb != "start" && verb != "stop") return std::nullopt;  // net's other work is not kept
        const std::string name = serviceName(trimSpaces(rest.substr(verbEnd)));
        if (name.empty()) return std::nullopt;  // lists the services
        // A restricted account may look at services but not start or stop them.
        const long result = machine_.restrictedAccount() ? win32error::AccessDenied : changeState(name, verb == "start");
        machine_.journal("Net", {verb, name, std::to_string(result)});
        return win32error::Success;
    }

    void exitWindows(std::uint32_t flags) override {
        if ((flags & platform::exitflag::Reboot) != 0) services_.boot();
    }

private:
    static std::string serviceName(std::string_view text) {
        if (text.starts_with('"')) {
            const std::size_t close = text.rfind('"');
            return std::string(close == 0 ? text.substr(1) : text.substr(1, close - 1));
        }
        // Options such as /y after the name are no part of it.
        while (true) {
            const std::size_t blank = text.find_last_of(" \t");
            if (blank == std::string_view::npos || text[blank + 1] != '/') break;
            text = trimSpaces(text.substr(0, blank));
        }
        return std::string(text.starts_with('/') ? std::string_view{} : text);
    }

    long changeState(const std::string& name, bool start) {
        const auto key = services_.findService(name);
        if (!key) return neterror::BadServiceName;
        const std::uint32_t wanted = start ? servicestate::Running : servicestate::Stopped;
        if (services_.state(*key) == wanted) return start ? neterror::ServiceActive : neterror::ServiceNotStarted;
        if (start && services_.startType(*key) == 4u) return serviceerror::ServiceDisabled;
        return services_.setState(*key, wanted) ? win32error::Success : win32error::AccessDenied;
    }

    SandboxMachine& machine_;
    SandboxServiceManager& services_;
};

// regsvr32 [/u] [/s] FILE...: keeps whether each DLL is registered in dlls.ini ([Registered],
// file name in lower case = 1 or 0; one not listed is registered) and, unless /s, shows its
// result box, which comes up [Shell] RegSvr32DelayMs after the start. In a restricted account
// nothing changes.
class RegSvr32Command final : public CommandInterpreter {
public:
    RegSvr32Command(SandboxMachine& machine, SandboxWindowSystem& windows) : machine_(machine), windows_(windows) {}

    std::optional<long> run(const CommandStart& start) override {
        if (programName(start.program) != "regsvr32") return std::nullopt;
        bool unregister = false;
        bool silent = false;
        std::vector<std::string> files;
        for (std::string& word : splitArguments(start.arguments)) {
            if (isOption(word, "u")) unregister = true;
            else if (isOption(word, "s")) silent = true;
            else if (!word.starts_with('/') && !word.starts_with('-')) files.push_back(std::move(word));
        }
        // A restricted account may not change what is registered: the box then tells of failure.
        if (!machine_.restrictedAccount()) {
            for (const std::string& file : files) record(file, !unregister);
        }
        // Without a file the box shows how to use the tool.
        if (!silent) {
            const auto delay = std::chrono::milliseconds(machine_.settingNumber("Shell", "RegSvr32DelayMs"));
            for (std::size_t i = 0; i < std::max<std::size_t>(files.size(), 1); ++i)
                windows_.createSandboxWindow(kResultBoxClass, kRegSvr32Title, delay);
        }
        return win32error::Success;
    }

private:
    void record(std::string_view file, bool registered) {
        const std::size_t slash = file.find_last_of("\\/");
        const std::string name = text::lowerAscii(slash == std::string_view::npos ? file : file.substr(slash + 1));
        if (name.empty()) return;
        const std::filesystem::path path = machine_.folder() / "dlls.ini";
        const FileLock lock(machine_.folder() / ".state.lock", true);
        if (!lock.held()) return;
        ProfileDocument doc = ProfileDocument::parse(readWholeFile(path).value_or(""));
        if (doc.setValue("Registered", name, registered ? "1" : "0"))
            writeProgramFile(machine_, "regsvr32", path, "dlls.ini", doc.text());
    }

    SandboxMachine& machine_;
    SandboxWindowSystem& windows_;
};

// explorer: with the shell gone, it starts the shell again (its "Progman" window comes back);
// with the shell running it would only open a folder window. A restart brings up a new shell
// and ends the sandbox's other windows.
class ExplorerCommand final : public CommandInterpreter {
public:
    explicit ExplorerCommand(SandboxWindowSystem& windows) : windows_(windows) {}

    std::optional<long> run(const CommandStart& start) override {
        if (programName(start.program) != "explorer") return std::nullopt;
        if (!windows_.findWindow(kShellWindowClass, "")) windows_.createSandboxWindow(kShellWindowClass, kShellWindowTitle);
        return win32error::Success;
    }

    void exitWindows(std::uint32_t flags) override {
        if ((flags & platform::exitflag::Reboot) == 0) return;
        for (const WindowEntry& w : windows_.sandboxWindows()) windows_.destroySandboxWindow({w.handle});
        windows_.createSandboxWindow(kShellWindowClass, kShellWindowTitle);
    }

private:
    SandboxWindowSystem& windows_;
};

// fsutil file createnew PATH SIZE: a new file of SIZE zero bytes (sparse); an existing file
// stays as it is.
class FsutilCommand final : public CommandInterpreter {
public:
    explicit FsutilCommand(SandboxMachine& machine) : machine_(machine) {}

    std::optional<long> run(const CommandStart& start) override {
        if (programName(start.program) != "fsutil") return std::nullopt;
        const std::vector<std::string> words = splitArguments(start.arguments);
        if (words.size() < 2 || !text::equalsNoCase(words[0], "file") || !text::equalsNoCase(words[1], "createnew"))
            return std::nullopt;
        if (words.size() != 4) return win32error::Success;  // fsutil shows its usage
        const auto size = parseDecimal(words[3]);
        const auto mapped = machine_.mapPathForWrite(words[2]);
        if (!size || *size > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()) || !mapped || mapped->root) return win32error::Success;
        // Made whole beside it, then linked in: link fails where a file already is, and a crash
        // leaves no half-made file (a temporary one is no file of the machine).
        const std::filesystem::path temp = temporaryPathFor(mapped->host);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) return win32error::Success;
        const bool made = ::ftruncate(fd, static_cast<off_t>(*size)) == 0;
        ::close(fd);
        if (made) (void)::link(temp.c_str(), mapped->host.c_str());
        ::unlink(temp.c_str());
        return win32error::Success;
    }

private:
    SandboxMachine& machine_;
};

// A window that goes on one message (the result box on WM_CLOSE, the shell on WM_QUIT).
class GoesOnMessage final : public SandboxWindowProcedure {
public:
    explicit GoesOnMessage(std::uint32_t ending) : ending_(ending) {}
    std::intptr_t message(SandboxWindowSystem& windows, const WindowEntry& window, std::uint32_t message,
                          std::uint64_t, std::int64_t) override {
        if (message == ending_) windows.destroySandboxWindow({window.handle});
        return 0;
    }

private:
    std::uint32_t ending_;
};

}  // namespace

std::vector<std::string> splitArguments(std::string_view arguments) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < arguments.size() && isBlank(arguments[i])) ++i;
        if (i == arguments.size()) return words;
        std::string word;
        bool quoted = false;
        for (; i < arguments.size() && (quoted || !isBlank(arguments[i])); ++i) {
            if (arguments[i] == '"') quoted = !quoted;
            else word += arguments[i];
        }
        words.push_back(std::move(word));
    }
}

bool isOption(std::string_view word, std::string_view letters) {
    return word.size() >= 2 && (word[0] == '/' || word[0] == '-') && text::equalsNoCase(word.substr(1), letters);
}

void writeProgramFile(SandboxMachine& machine, std::string_view program, const std::filesystem::path& host,
                      std::string_view shownName, std::string_view content) {
    if (writeFileAtomically(host, content)) return;
    const long error = win32ErrorOf(errno, win32error::PathNotFound);
    // The journal is the only witness of a hidden program's failure; should it fail as well,
    // nothing is left to tell.
    (void)machine.journal("NotWritten", {program, shownName, std::to_string(error)});
}

void installSandboxCommands(SandboxMachine& machine, SandboxRegistry& registry, SandboxShell& shell,
                            SandboxWindowSystem& windows, SandboxServiceManager& services) {
    shell.addInterpreter(std::make_unique<NetCommand>(machine, services));
    shell.addInterpreter(std::make_unique<RegSvr32Command>(machine, windows));
    shell.addInterpreter(std::make_unique<ExplorerCommand>(windows));
    shell.addInterpreter(makeRegCommand(machine, registry));
    shell.addInterpreter(makeRegeditCommand(machine, registry));
    shell.addInterpreter(std::make_unique<FsutilCommand>(machine));
    shell.addInterpreter(makeConvertCommand(machine));
    shell.addInterpreter(makeConsoleCommand(machine));
    windows.setWindowProcedure(kResultBoxClass, std::make_unique<GoesOnMessage>(platform::wm::Close));
    windows.setWindowProcedure(kShellWindowClass, std::make_unique<GoesOnMessage>(platform::wm::Quit));
}

}  // namespace hastelyn::sandbox
