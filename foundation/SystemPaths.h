#pragma once
// The system files the program works on, found once at start-up and kept for the run.
#include <string>

#include "foundation/Edition.h"
#include "foundation/Settings.h"
#include "platform/Platform.h"

namespace hastelyn::foundation {

struct SystemPaths {
    std::string answerFile;  // Windows folder + "\System32\$winnt$.inf"
    std::string sysoc = "NULL";  // sysoc.inf, or "NULL" when none was found
    std::string boot = "NULL";   // boot.ini (NT family) or Msdos.sys (9x), or "NULL"
};

// A path as found at start ("NULL" when none was) whose file is there now.
bool fileFound(platform::FileSystem& files, std::string_view path);
// Whether any file matches the pattern ("C:\dir\OE*.hiv"); a folder that cannot be listed holds
// none.
bool anyFileMatching(platform::FileSystem& files, std::string_view pattern);

// Reads "SysocPath" and "BootPath" from the settings; where one is "NULL", looks for the file
// and writes what it found. The paths are filled in as they are found, so a settings write that
// is refused (CommandError) still leaves them known for this run.
void detectSystemPaths(platform::Platform& platform, const EditionCodes& codes, Settings& settings,
                       SystemPaths& paths);

}  // namespace hastelyn::foundation
