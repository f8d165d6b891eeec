#include "engine/SaveAndRestore.h"

#include <string_view>
#include <vector>

#include "engine/MachineChanges.h"
#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "foundation/SystemPaths.h"
#include "foundation/SystemTools.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kBackupSpoken = "確認のメッセージ。復元ポイントを作成して、パソコンの状態を保存しますか？Yキーを押すと 復元ポイントを作成します。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kBackupQuestion = "\r\n復元ポイントを作成して、パソコンの状態を保存しますか？";
constexpr std::string_view kBackedUpSpoken = "情報のメッセージ。復元ポイントを作成して、パソコンの状態を保存しました。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kBackedUpText = "復元ポイントを作成して、パソコンの状態を保存しました。\r\nパソコンの調子がおかしくなった場合、復元ポイントを指定することで、\r\nお使いのパソコンを、復元ポイント作成時の状態に戻すことができます。\r\n\r\n作成フォルダ：";

constexpr std::string_view kNoneSpoken = "エラーのメッセージ。作成された復元ポイントが、見つかりません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNoneText = "\r\n作成された復元ポイントが、見つかりません。";
constexpr std::string_view kRecoverySpoken = "確認のメッセージ。お使いのパソコンを、以前の状態に戻しますか？Yキーを押すと 復元ポイントを選択します。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kRecoveryQuestion = "\r\nお使いのパソコンを、以前の状態に戻しますか？";
constexpr std::string_view kNotRestorePointSpoken = "エラーのメッセージ。選択されたファイルは、復元ポイントではありません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNotRestorePointText = "\r\n選択されたファイルは、復元ポイントではありません。";
constexpr std::string_view kRestartSpoken = "確認のメッセージ。お使いのパソコンを、復元ポイント作成時の状態に戻しました。Yキーを押すと パソコンを再起動します。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kRestartText = "お使いのパソコンを、復元ポイント作成時の状態に戻しました。\r\n一部の項目では、設定を有効にするために、\r\nWindowsへの再ログオン、または、Windowsの再起動が必要です。\r\n再起動しますか？\r\n\r\n指定ファイル：";
constexpr std::string_view kRestoredSpoken = "情報のメッセージ。お使いのパソコンを、復元ポイント作成時の状態に戻しました。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kRestoredText = "お使いのパソコンを、復元ポイント作成時の状態に戻しました。\r\n一部の項目では、設定を有効にするために、\r\nWindowsへの再ログオン、または、Windowsの再起動が必要です。\r\n\r\n指定ファイル：";

bool anyRestorePoint(Session& session) {
    return foundation::anyFileMatching(session.platform.files,
                                       programFolder(session) + std::string(kRestorePointMark) + "*.ini");
}

void call(const std::function<void()>& step) {
    if (step) step();
}

}  // namespace

std::string BtnBackupClick(Session& session) {
    if (!session.dialogs.confirm(kBackupSpoken, kBackupQuestion)) return {};
    const std::string path = RestorePointFileName(session, "");
    try {
        WriteRestorePoint(session, path);
    } catch (...) {
        // The name was claimed for this click alone; an empty file it could not fill goes, and
        // should that fail too, the error being reported matters more than the empty file.
        (void)session.platform.files.deleteFile(path);
        throw;
    }
    const std::string folder = programFolder(session);
    session.dialogs.inform(kBackedUpSpoken, std::string(kBackedUpText) + folder + "\r\n" + "作成ファイル：" +
                                                shownRestorePointName(path, folder));
    return path;
}

RecoveryOutcome BtnRecoveryClick(Session& session, FileOpenDialog& dialog, const AfterRestore& after) {
    if (!anyRestorePoint(session)) {
        session.dialogs.error(kNoneSpoken, kNoneText);
        return RecoveryOutcome::NoRestorePoint;
    }
    if (!session.dialogs.confirm(kRecoverySpoken, kRecoveryQuestion)) return RecoveryOutcome::Declined;
    const std::string folder = programFolder(session);
    const std::optional<std::string> chosen = dialog.choose(kRestorePointDialogTitle, kRestorePointDialogFilter, folder);
    if (!chosen) return RecoveryOutcome::Cancelled;
    if (!IsRestorePoint(*chosen)) {
        session.dialogs.error(kNotRestorePointSpoken, kNotRestorePointText);
        return RecoveryOutcome::NotARestorePoint;
    }

    const RestoreResult restored = ApplyRestorePoint(session, *chosen);
    stampChanges(session);
    clearTicks(session);
    call(after.showPcInformation);
    readPass(session);
    call(after.showCounts);

    std::string shown = shownRestorePointName(*chosen, folder);
    // Services the program does not list were never touched: the message names them.
    for (std::size_t i = 0; i < restored.ignoredServices.size(); ++i)
        shown += (i == 0 ? "\r\n\r\n一覧にないため復元しなかったサービス：" : ", ") + restored.ignoredServices[i];
    if (session.settings.general("DlgReboot") == "On") {
        if (session.dialogs.confirm(kRestartSpoken, std::string(kRestartText) + shown))
            foundation::RestartWindows(session.platform);
    } else {
        session.dialogs.informIfAllowed(kRestoredSpoken, std::string(kRestoredText) + shown);
    }
    return RecoveryOutcome::Restored;
}

std::string shownRestorePointName(std::string_view chosen, std::string_view programFolder) {
    std::string shown(chosen);
    const std::size_t at = programFolder.empty() ? std::string::npos : shown.find(programFolder);
    if (at != std::string::npos) shown.erase(at, programFolder.size());
    return shown;
}

}  // namespace hastelyn::engine
