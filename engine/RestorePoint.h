#pragma once
// Restore points: INI files in the program's folder that record the value of every item, the
// state and start type of every listed service and the owner, organisation and computer name,
// and put them all back.
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::string_view kAutomaticSuffix = " (高速化設定前)";
// The text that makes a file a restore point, wherever it stands in the path.
inline constexpr std::string_view kRestorePointMark = "復元ポイント";

// Writes the current state of the machine into the file (created when missing; keys of an
// existing file are overwritten, nothing is deleted). Everything is read first and the file is
// written once, at the end.
void WriteRestorePoint(Session& session, std::string_view path);

// Throws CommandError, before anything is changed, when the path is no restore point that can be
// put back: no such file, a folder, a file over the size, line or section bounds or cut short in
// a value (checkRestorePointShape), or a file without a single key in any restore-point section.
void checkRestorePoint(Session& session, std::string_view path);

// Puts back everything the file records, asking its questions through the session's dialogs:
// the documented sections in file order, then the exact values of the last section. Rows the
// edition disables are left as they are. Throws CommandError when the file is refused
// (checkRestorePoint), a write is refused or a service command cannot be started; what was
// put back before stays. A service the file names that has no display name any more (it was
// removed) is skipped.
// Only services of the program's own list (listedServiceKeys) are started, stopped or given a
// start type; the other keys of the two service sections are touched in no way and named in the
// result. Before any change, a listed service whose status is not one of the status names, or
// whose start type is not 0 to 4, refuses the file (CommandError naming section and key). The PC
// information question writes only the fields the file records, never an empty one.
//
// A restore point taken on another PC (fromOtherPc) keeps this PC's own values: rows that hold
// them (TweakItem::holdsPcOwnValues) put back only their own setting onto this PC's values. The
// PC information goes by its question, which names what it puts back, as always.
struct RestoreResult {
    std::vector<std::string> ignoredServices;  // as the file spells them, in file order
};
struct RestoreOptions {
    bool fromOtherPc = false;
};
RestoreResult ApplyRestorePoint(Session& session, std::string_view path, const RestoreOptions& options = {});

// The computer name the restore point records ("NULL" when it records none), and this machine's.
std::string recordedComputerName(Session& session, std::string_view path);
std::string machineComputerName(Session& session);

// The full path of a new restore point in the program's folder, from today's date and the time
// now (one clock read) and a suffix ("" or kAutomaticSuffix), claimed for this caller: the file
// is made empty there, exclusively. A name that an existing file already has is never given:
// " (2)", " (3)", ... goes before ".ini" until a name is free.
std::string RestorePointFileName(Session& session, std::string_view suffix);
// The same for a given local time.
std::string RestorePointFileName(Session& session, std::string_view suffix, const std::tm& now);

// "2006-05-14 9：03：27": the Japanese short date (yyyy/MM/dd) with "-" for "/", a blank, and the
// long time (H:mm:ss) with the full-width "：" for ":".
std::string restorePointTimeText(const std::tm& time);

// The program's folder with its trailing backslash (empty for a bare file name).
std::string programFolder(Session& session);

// True when the path contains "復元ポイント".
bool IsRestorePoint(std::string_view path);

}  // namespace hastelyn::engine
