#pragma once
// The commands of hastelyn-cli, one file each. Each prints its result (plain lines, or one JSON
// object with --json) and returns the exit status; errors that end a command are thrown.
#include <stdexcept>
#include <string>

#include "app/cli/CliOptions.h"
#include "engine/RestorePoint.h"
#include "engine/Session.h"
#include "platform/recording/ChangeLog.h"

namespace hastelyn::cli {

struct CommandContext {
    engine::Session& session;
    const Options& options;
    // What the run changed or would change, for the commands that record (else null).
    recording::ChangeLog* log = nullptr;
};

// An error whose message the dialogs already showed: it ends the command with status 1, and
// with --json its text goes into the error object.
struct ReportedError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int runStatus(CommandContext& context);
int runAccelerate(CommandContext& context);  // accelerate, and plan (a dry run that needs no --yes)
int runBackup(CommandContext& context);
int runRestore(CommandContext& context);
int runVerify(CommandContext& context);
int runInfo(CommandContext& context);
int runSetInfo(CommandContext& context);
int runMailRules(CommandContext& context);

// A file named without a folder lies in the program's folder.
std::string machinePath(engine::Session& session, const std::string& file);
// Refuses, before anything is read from it, a file that is missing or not named as a restore
// point (the latter through the error dialog, as the save-and-restore window does).
void refuseNonRestorePoint(engine::Session& session, const std::string& file);
// A restore point is this PC's own: one whose recorded computer name is another is refused
// (CommandError naming both names and --allow-other-pc) unless allowOtherPc, which restores it
// keeping this PC's boot line (said on stderr).
engine::RestoreOptions restoreOptionsFor(engine::Session& session, const std::string& file, bool allowOtherPc);

}  // namespace hastelyn::cli
