#pragma once
// Restore points: INI files in the program's folder that record the value of every item, the
// state and start type of every listed service and the owner, organisation and computer name,
// and put them all back.
#include <string>
#include <string_view>

#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::string_view kAutomaticSuffix = " (高速化設定前)";

// Writes the current state of the machine into the file (created when missing; keys of an
// existing file are overwritten, nothing is deleted).
void WriteRestorePoint(Session& session, std::string_view path);

// Puts back everything the file records, asking its questions through the session's dialogs.
// Throws CommandError when a write is refused or a service command cannot be started.
void ApplyRestorePoint(Session& session, std::string_view path);

// The full path of a new restore point in the program's folder, from today's date and the time
// now and a suffix ("" or kAutomaticSuffix). A name that an existing file already has is never
// given: a free one is chosen instead.
std::string RestorePointFileName(Session& session, std::string_view suffix);

// True when the path contains "復元ポイント".
bool IsRestorePoint(std::string_view path);

}  // namespace hastelyn::engine
