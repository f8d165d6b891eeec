#pragma once
// The system files the program works on, found once at start-up and kept for the run.
#include <string>

#include "foundation/Edition.h"
#include "foundation/Settings.h"
#include "platform/Platform.h"

namespace hastelyn::foundation {

struct SystemPaths {
    std::string answerFile;  // Windows folder + "\System32\$winnt$.inf"
    std::string sysoc;       // sysoc.inf, or "NULL" when none was found
    std::string boot;        // boot.ini (NT family) or Msdos.sys (9x), or "NULL"
};

// Reads "SysocPath" and "BootPath" from the settings; where one is "NULL", looks for the file
// and writes what it found.
SystemPaths detectSystemPaths(platform::Platform& platform, const EditionCodes& codes, Settings& settings);

}  // namespace hastelyn::foundation
