#include "engine/Accelerate.h"

#include <string_view>

#include "engine/MachineChanges.h"
#include "engine/Passes.h"
#include "engine/RestorePoint.h"
#include "foundation/SystemTools.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kConfirmText = "\r\nチェックされた項目を高速化しますか？";
constexpr std::string_view kNoChangeSpoken = "情報のメッセージ。変更された設定はありません。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kNoChangeText = "\r\n変更された設定はありません。";
constexpr std::string_view kRestartSpoken = "確認のメッセージ。チェックされた項目の設定を変更して、パソコンを高速化しました。Yキーを押すと パソコンを再起動します。Nキーを押すと 画面を閉じます。";
constexpr std::string_view kRestartText = "チェックされた項目の設定を変更して、パソコンを高速化しました。\r\n一部の項目では、設定を有効にするために、\r\nWindowsへの再ログオン、または、Windowsの再起動が必要です。\r\n今すぐ、再起動しますか？";
constexpr std::string_view kChangedSpoken = "情報のメッセージ。チェックされた項目の設定を変更して、パソコンを高速化しました。Enterキーを押すと 画面を閉じます。";
constexpr std::string_view kChangedText = "チェックされた項目の設定を変更して、パソコンを高速化しました。\r\n一部の項目では、設定を有効にするために、\r\nWindowsへの再ログオン、または、Windowsの再起動が必要です。";
// The note about the automatic restore point: an empty line, then two lines.
constexpr std::string_view kRestoreNote = "\r\n" "\r\n" "※ 自動的に作成された、設定前の復元ポイントを指定することで、" "\r\n" "　「保存と復元」から、変更前の状態に戻すことができます。";

// Said with the final message when rows were left or did not take: on the screen an empty line,
// the note and a row a line; spoken, the note and the rows in one sentence.
constexpr std::string_view kLeftNote = "次の項目は、ほかのプログラムが先に変更していたため、そのままにしました。";
constexpr std::string_view kFailedNote = "次の項目は、Windows が書き込みを拒否したため、変更できませんでした。";

constexpr std::string_view kWarningSpoken = "警告のメッセージ。";
constexpr std::string_view kEnterCloses = "Enterキーを押すと 画面を閉じます。";

struct RowsNote {
    std::string text;
    std::string spoken;

    RowsNote& operator+=(const RowsNote& other) {
        text += other.text;
        spoken += other.spoken;
        return *this;
    }
};

RowsNote rowsNote(const Session& session, std::string_view heading, const std::vector<std::size_t>& indexes) {
    if (indexes.empty()) return {};
    RowsNote note{"\r\n\r\n" + std::string(heading), std::string(heading)};
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        const std::size_t index = indexes[i];
        std::string name;
        if (index >= kFirstServiceState) {
            name = session.model.services().rows.at(index - kFirstServiceState).label;
        } else {
            const std::size_t c = index / kRowsPerCategory;
            const std::string& label = session.model.tweakList(c).rows.at(index % kRowsPerCategory).label;
            name = std::string(tweakCategories()[c].caption) + " " + label.substr(0, label.find(' '));
        }
        note.text += "\r\n　" + name;
        note.spoken += (i == 0 ? "" : "、") + name;
    }
    note.spoken += "。";
    return note;
}

bool on(const Session& session, std::string_view key) { return session.settings.general(key) == "On"; }
bool off(const Session& session, std::string_view key) { return session.settings.general(key) == "Off"; }

}  // namespace

void accelerate(Session& session, AccelerateOutcome& outcome, const AccelerateRun& run) {
    // What another run changed since the rows were read is shown before the question; of those
    // rows, the ones the user had changed are left.
    for (const RereadRow& row : rereadChangedRows(session))
        if (row.userChanged) outcome.left.push_back(row.index);

    if (!session.dialogs.confirm(kAccelerateQuestionSpoken, kConfirmText)) return;
    outcome.confirmed = true;

    std::string restorePoint;
    if (!off(session, "AutoRestore")) {
        restorePoint = RestorePointFileName(session, kAutomaticSuffix);
        try {
            WriteRestorePoint(session, restorePoint);
        } catch (...) {
            // The name was claimed for this run: a restore point it could not write goes. Should
            // that fail too, the error that ended the write is still the one to tell.
            (void)session.platform.files.deleteFile(restorePoint);
            throw;
        }
    }
    // Kept from here on, unless the run turns out to change nothing.
    outcome.restorePoint = restorePoint;
    auto before = session.model.state();
    PassResult pass;
    try {
        applyPass(session, pass);
    } catch (...) {
        outcome.left.insert(outcome.left.end(), pass.left.begin(), pass.left.end());
        outcome.failed = std::move(pass.failed);
        throw;
    }
    // A row left takes its state from the machine: that is no change of this run.
    for (const std::size_t index : pass.left) before[index] = session.model.state()[index];
    outcome.left.insert(outcome.left.end(), pass.left.begin(), pass.left.end());
    outcome.failed = std::move(pass.failed);
    outcome.changed = session.model.state() != before;

    std::vector<std::size_t> failedRows;
    for (const FailedRow& failed : outcome.failed) failedRows.push_back(failed.index);
    RowsNote notes = rowsNote(session, kLeftNote, outcome.left);
    notes += rowsNote(session, kFailedNote, failedRows);
    const auto inform = [&](std::string_view spoken, std::string_view text) {
        if (run.dryRun) return;
        if (failedRows.empty() || !off(session, "DlgInform")) {
            session.dialogs.informIfAllowed(std::string(spoken) + notes.spoken, std::string(text) + notes.text);
            return;
        }
        // A row that did not take is told even where the information messages are off: alone,
        // as a warning.
        const RowsNote failed = rowsNote(session, kFailedNote, failedRows);
        session.dialogs.warning(std::string(kWarningSpoken) + failed.spoken + std::string(kEnterCloses),
                                failed.text.substr(2));
    };

    if (!outcome.changed) {
        inform(kNoChangeSpoken, kNoChangeText);
        // Only this run's own file goes: its name was claimed for it alone. One that cannot go
        // is kept and named, as any restore point this command leaves.
        if (!restorePoint.empty() && session.platform.files.deleteFile(restorePoint).ok()) outcome.restorePoint.clear();
        return;
    }

    if (run.changed) run.changed();
    // The note goes with the restore point this run made.
    const std::string note = restorePoint.empty() ? std::string() : std::string(kRestoreNote);
    if (run.dryRun) return;
    if (on(session, "DlgReboot")) {
        if (session.dialogs.confirm(std::string(kRestartSpoken) + notes.spoken, std::string(kRestartText) + note + notes.text))
            foundation::RestartWindows(session.platform);
    } else {
        inform(kChangedSpoken, std::string(kChangedText) + note);
    }
}

AccelerateOutcome BtnAccelerateClick(Session& session, const std::function<void()>& changed) {
    AccelerateOutcome outcome;
    accelerate(session, outcome, {changed});
    return outcome;
}

}  // namespace hastelyn::engine
