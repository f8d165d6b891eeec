#pragma once
// The restore-point page of the save-and-restore window without its window: making a restore
// point on request, and putting one back with its questions, checks and the refresh after it.
#include <functional>
#include <string>

#include "engine/FileOpenDialog.h"
#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::string_view kRestorePointDialogTitle = "復元ポイントを指定してください。";
inline constexpr std::string_view kRestorePointDialogFilter = "復元ポイント|復元ポイント*|Iniファイル|*.ini";

// BtnBackup: question, a restore point under a free name, and the message that names it.
// Returns the restore point's full path, or empty after No.
std::string BtnBackupClick(Session& session);

// What the window shows again after a restore, in the order the steps call them.
struct AfterRestore {
    std::function<void()> showPcInformation;  // after the ticks were cleared, before the read pass
    std::function<void()> showCounts;         // after the read pass
};

enum class RecoveryOutcome {
    NoRestorePoint,    // none in the program folder: the error was shown, no dialog opened
    Declined,          // No to the question
    Cancelled,         // the file dialog was cancelled
    NotARestorePoint,  // the chosen path holds no "復元ポイント": the error was shown
    Restored,
};

// BtnRecovery: the steps from the check for a restore point to the final question or message.
// A CommandError of the restore ("Exec Error ", a refused write) propagates at once: nothing
// is refreshed and no final message is shown.
RecoveryOutcome BtnRecoveryClick(Session& session, FileOpenDialog& dialog, const AfterRestore& after);

// The shown name of a chosen file: its path with the first occurrence of the program folder
// taken out.
std::string shownRestorePointName(std::string_view chosen, std::string_view programFolder);

}  // namespace hastelyn::engine
