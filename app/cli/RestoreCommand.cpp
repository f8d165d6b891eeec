#include <cstdio>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "app/cli/RestoreDrift.h"
#include "engine/MachineChanges.h"
#include "engine/RestorePoint.h"
#include "foundation/CommandError.h"
#include "platform/Text.h"

namespace hastelyn::cli {

std::string machinePath(engine::Session& session, const std::string& file) {
    if (file.find('\\') != std::string::npos || file.find(':') != std::string::npos) return file;
    return engine::programFolder(session) + file;
}

void refuseNonRestorePoint(engine::Session& session, const std::string& file) {
    if (session.platform.files.getFileAttributes(file) == platform::fileattr::Invalid)
        throw foundation::CommandError("ファイル \"" + file + "\" が見つかりません。");
    if (!engine::IsRestorePoint(file)) {
        constexpr std::string_view kNotARestorePoint = "選択されたファイルは、復元ポイントではありません。";
        session.dialogs.error("", "\r\n" + std::string(kNotARestorePoint));
        throw ReportedError(std::string(kNotARestorePoint));
    }
}

engine::RestoreOptions restoreOptionsFor(engine::Session& session, const std::string& file, bool allowOtherPc) {
    const std::string recorded = engine::recordedComputerName(session, file);
    const std::string here = engine::machineComputerName(session);
    // A restore point that names no computer (cut short, or made by hand) is taken as this PC's.
    if (recorded == foundation::kNull || recorded.empty() || text::equalsNoCase(recorded, here)) return {};
    const std::string names =
        "コンピュータ名 \"" + recorded + "\" の PC で作成されたもので、この PC (コンピュータ名 \"" + here + "\")";
    if (!allowOtherPc)
        throw foundation::CommandError("復元ポイント \"" + file + "\" は、" + names +
                                       " のものではありません。ほかの PC の復元ポイントを使うには --allow-other-pc を指定してください。何も変更しませんでした。");
    std::fprintf(stderr, "復元ポイント \"%s\" は、%s のものではありません。起動行はこの PC のものに [起動・終了]5 の設定だけを戻します。\n",
                 file.c_str(), names.c_str());
    return {.fromOtherPc = true};
}

int runBackup(CommandContext& context) {
    engine::Session& session = context.session;
    const std::string file = machinePath(session, context.options.files.front());
    // A file restore would refuse is no backup; an existing one (a baseline) is never written over.
    if (!engine::IsRestorePoint(file))
        throw foundation::CommandError("\"" + file + "\" は復元ポイントとして読めない名前です。ファイル名 (またはフォルダ名) に「" +
                                       std::string(engine::kRestorePointMark) + "」を含めてください。");
    // The name is claimed before the write, so that no other run takes it meanwhile.
    platform::FileSystem& files = session.platform.files;
    const bool taken = files.getFileAttributes(file) != platform::fileattr::Invalid;
    const platform::CallResult claimed = taken ? platform::CallResult() : files.createNewFile(file);
    if (taken || claimed.code() == platform::win32error::FileExists)
        throw foundation::CommandError("ファイル \"" + file + "\" はすでにあります。上書きしないため、別の名前を指定してください。");
    try {
        engine::WriteRestorePoint(session, file);
    } catch (...) {
        // Only the file this run made goes; the error that ended the write is the one to tell.
        if (claimed.ok()) (void)session.platform.files.deleteFile(file);
        throw;
    }
    if (context.options.json) printJson(commandObject("backup").set("file", file));
    else std::printf("%s\n", file.c_str());
    return 0;
}

int runRestore(CommandContext& context) {
    engine::Session& session = context.session;
    const Options& o = context.options;
    const std::string file = machinePath(session, o.files.front());
    refuseNonRestorePoint(session, file);
    // A folder, or a file that records nothing, is refused before the question; so is another
    // PC's restore point unless asked for.
    engine::checkRestorePoint(session, file);
    const engine::RestoreOptions options = restoreOptionsFor(session, file, o.allowOtherPc);
    const bool confirmed = session.dialogs.confirm("", "\r\nお使いのパソコンを、以前の状態に戻しますか？");
    // Nothing to put back: nothing is run again (the registration tool, the services), so that a
    // restore repeated on a schedule settles.
    engine::RestoreResult restored;
    const bool drifted =
        confirmed && (o.dryRun || !restoreDrift(session.platform, file, o.yesAll, options, restored).empty());
    if (drifted) {
        restored = engine::ApplyRestorePoint(session, file, options);
        if (!o.dryRun) engine::stampChanges(session);
    }
    const bool changes = drifted && (!o.dryRun || !differences(session, *context.log).empty());
    const char* result = !confirmed ? "cancelled" : changes ? "restored" : "unchanged";
    const std::vector<recording::RowChanges> rows =
        changes ? rowsOnly(context.log->byRow()) : std::vector<recording::RowChanges>();
    // Services the program does not list are never touched: say which ones the file named.
    if (!restored.ignoredServices.empty()) {
        std::string names;
        for (const std::string& name : restored.ignoredServices) names += (names.empty() ? "" : ", ") + name;
        std::fprintf(stderr, "一覧にないサービスは復元しませんでした: %s\n", names.c_str());
    }
    if (o.json) {
        Json ignored = Json::array();
        for (const std::string& name : restored.ignoredServices) ignored.push(name);
        Json json = commandObject("restore")
                        .set("result", result)
                        .set("rows", rowsJson(rows, session.model))
                        .set("ignored_services", std::move(ignored))
                        .set("reboot_required", changes && rebootRequired(session, context.log->byRow()));
        if (o.dryRun) json.set("dry_run", true);
        printJson(json);
    } else {
        std::printf("%s\n", result);
        printRows(o.dryRun ? stdout : stderr, rows, session.model);
    }
    return 0;
}

}  // namespace hastelyn::cli
