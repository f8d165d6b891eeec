// hastelyn-cli: the main job without a window, on the same machine and program folder as the
// program. See README.md for the commands.
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/ConsoleSurfaces.h"
#include "app/cli/OptionsCommand.h"
#include "app/cli/PcInfoCommands.h"
#include "app/cli/RowNames.h"
#include "engine/Accelerate.h"
#include "engine/MailRules.h"
#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "engine/Startup.h"
#ifdef _WIN32
#include "platform/win32/Console.h"
#include "platform/win32/Win32Platform.h"
#else
#include "app/MachineStartup.h"
#endif

using namespace hastelyn;
using namespace hastelyn::cli;

namespace {

#ifdef _WIN32
// On Windows the command line works on the system it runs on.
std::unique_ptr<win32::Win32Platform> openMachine() { return std::make_unique<win32::Win32Platform>(); }
#else
std::unique_ptr<sandbox::SandboxPlatform> openMachine() { return app::openMachine(); }
#endif

constexpr const char* kUsage =
    "usage: hastelyn-cli status [--json]\n"
    "       hastelyn-cli accelerate [--tick ROW]... [--untick ROW]... [--tick-all] [--yes] [--yes-all]\n"
    "       hastelyn-cli backup FILE\n"
    "       hastelyn-cli restore FILE [--yes] [--yes-all]\n"
    "       hastelyn-cli info [--json]\n"
    "       hastelyn-cli set-info [--user TEXT] [--organization TEXT] [--computer TEXT] [--yes] [--yes-all]\n"
    "       hastelyn-cli mail-rules backup|restore [--yes]\n"
    "       hastelyn-cli options [--json] | [--set KEY=VALUE]... [--lock ROW]... [--unlock ROW]...\n";

struct UsageError {
    std::string text;
};

struct Options {
    std::string command;
    std::vector<std::string> files;
    std::vector<std::pair<std::string, bool>> tickChanges;  // row name, ticked
    bool tickAll = false;
    bool json = false;
    bool yes = false;
    bool yesAll = false;
    PcInfoTexts pcInfo;
    OptionsRequest optionsRequest;
};

Options parse(int argc, char** argv) {
    if (argc < 2) throw UsageError{"no command"};
    Options o;
    o.command = argv[1];
    if (o.command == "options") {
        if (auto error = parseOptionsArguments(argc, argv, o.optionsRequest)) throw UsageError{*error};
        return o;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError{arg + (o.command == "set-info" ? " needs a text" : " needs a row")};
            return argv[++i];
        };
        const bool asks =
            o.command == "accelerate" || o.command == "restore" || o.command == "set-info" || o.command == "mail-rules";
        if (arg == "--json" && (o.command == "status" || o.command == "info")) o.json = true;
        else if (arg == "--user" && o.command == "set-info") o.pcInfo.user = value();
        else if (arg == "--organization" && o.command == "set-info") o.pcInfo.organization = value();
        else if (arg == "--computer" && o.command == "set-info") o.pcInfo.computer = value();
        else if (arg == "--tick" && o.command == "accelerate") o.tickChanges.emplace_back(value(), true);
        else if (arg == "--untick" && o.command == "accelerate") o.tickChanges.emplace_back(value(), false);
        else if (arg == "--tick-all" && o.command == "accelerate") o.tickAll = true;
        else if (arg == "--yes" && asks) o.yes = true;
        else if (arg == "--yes-all" && asks) o.yesAll = true;
        else if (!arg.starts_with("--") && (o.command == "backup" || o.command == "restore")) o.files.push_back(arg);
        else if ((arg == "backup" || arg == "restore") && o.command == "mail-rules" && o.files.empty()) o.files.push_back(arg);
        else throw UsageError{"unexpected argument: " + arg};
    }
    if (o.command != "status" && o.command != "accelerate" && o.command != "backup" && o.command != "restore" &&
        o.command != "info" && o.command != "set-info" && o.command != "mail-rules")
        throw UsageError{"unknown command: " + o.command};
    if ((o.command == "backup" || o.command == "restore") && o.files.size() != 1)
        throw UsageError{o.command + " needs one FILE"};
    if (o.command == "mail-rules" && o.files.size() != 1) throw UsageError{"mail-rules needs backup or restore"};
    return o;
}

// A file named without a folder lies in the program's folder.
std::string machinePath(engine::Session& session, const std::string& file) {
    if (file.find('\\') != std::string::npos || file.find(':') != std::string::npos) return file;
    const std::string program = session.platform.system.programPath();
    return program.substr(0, program.find_last_of('\\') + 1) + file;
}

int status(engine::Session& session, bool json) {
    const std::vector<RowView> rows = listRows(session.model);
    if (json) {
        std::printf("[");
        for (std::size_t i = 0; i < rows.size(); ++i)
            std::printf("%s\n  {\"row\": %s, \"ticked\": %s, \"enabled\": %s, \"label\": %s}", i ? "," : "",
                        jsonText(rows[i].name).c_str(), rows[i].row->ticked ? "true" : "false",
                        rows[i].row->enabled ? "true" : "false", jsonText(rows[i].row->label).c_str());
        std::printf("\n]\n");
        return 0;
    }
    for (const RowView& r : rows)
        std::printf("%s\t%d\t%d\t%s\n", r.name.c_str(), r.row->ticked ? 1 : 0, r.row->enabled ? 1 : 0, r.row->label.c_str());
    return 0;
}

int accelerate(engine::Session& session, const Options& o) {
    bool refused = false;
    if (o.tickAll)
        for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
            for (engine::Row& row : session.model.tweakList(c).rows)
                if (row.enabled) row.ticked = true;
    for (const auto& [name, ticked] : o.tickChanges) {
        engine::Row* row = findRow(session.model, name);
        if (row == nullptr) throw UsageError{"no such row: " + name};
        if (!row->enabled) {
            std::fprintf(stderr, "%s はロックされているか、この Windows では使えないため、変更できません。\n", name.c_str());
            refused = true;
            continue;
        }
        row->ticked = ticked;
    }
    const engine::AccelerateOutcome outcome = engine::BtnAccelerateClick(session);
    if (!outcome.confirmed) std::printf("cancelled\n");
    else std::printf(outcome.changed ? "changed\n" : "unchanged\n");
    if (!outcome.restorePoint.empty()) std::printf("restore-point\t%s\n", outcome.restorePoint.c_str());
    return refused ? 1 : 0;
}

int restore(engine::Session& session, const std::string& file) {
    if (session.platform.files.getFileAttributes(file) == platform::fileattr::Invalid) {
        std::fprintf(stderr, "ファイル \"%s\" が見つかりません。\n", file.c_str());
        return 1;
    }
    if (!engine::IsRestorePoint(file)) {
        session.dialogs.error("", "\r\n選択されたファイルは、復元ポイントではありません。");
        return 1;
    }
    // A folder, or a file that records nothing, is refused before the question.
    engine::checkRestorePoint(session, file);
    if (!session.dialogs.confirm("", "\r\nお使いのパソコンを、以前の状態に戻しますか？")) {
        std::printf("cancelled\n");
        return 0;
    }
    engine::ApplyRestorePoint(session, file);
    engine::clearTicks(session);
    engine::readPass(session);
    std::printf("restored\n");
    return 0;
}

// The mail-rule page's two buttons: the tool is started, not awaited.
int mailRules(engine::Session& session, const std::string& action) {
    const engine::MailRuleOutcome outcome =
        action == "backup" ? engine::BtnBackupOEClick(session) : engine::BtnRecoveryOEClick(session);
    switch (outcome) {
        case engine::MailRuleOutcome::Started: std::printf("%s\n", engine::mailRuleBackupPath(session).c_str()); return 0;
        case engine::MailRuleOutcome::Declined: std::printf("cancelled\n"); return 0;
        default: return 1;  // the message went to stderr
    }
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The arguments as UTF-8, whatever the system's code page.
    const win32::Utf8Console console;
    std::vector<std::string> arguments = win32::programArguments();
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    argc = static_cast<int>(arguments.size());
    argv = pointers.data();
#endif
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s\n%s", e.text.c_str(), kUsage);
        return 2;
    }
    try {
        const auto machine = openMachine();
        cli::ConsoleClipboard clipboard;
        cli::AnsweringDialogs dialogs(options.yes, options.yesAll);
        engine::Session session(machine->platform(), clipboard, dialogs);
        engine::startWithoutWindows(session);
        if (options.command == "status") return status(session, options.json);
        if (options.command == "accelerate") return accelerate(session, options);
        if (options.command == "info") return printPcInformation(session, options.json);
        if (options.command == "set-info") return setPcInformation(session, options.pcInfo);
        if (options.command == "mail-rules") return mailRules(session, options.files.front());
        if (options.command == "options") return runOptions(session, options.optionsRequest);
        const std::string file = machinePath(session, options.files.front());
        if (options.command == "backup") {
            engine::WriteRestorePoint(session, file);
            std::printf("%s\n", file.c_str());
            return 0;
        }
        return restore(session, file);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s\n%s", e.text.c_str(), kUsage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
