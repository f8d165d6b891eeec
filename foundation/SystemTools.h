#pragma once
// Registry export and import through the system's tools, the restart of Windows, and small
// text and folder helpers.
#include <string>
#include <string_view>

#include "foundation/Edition.h"
#include "platform/Platform.h"

namespace hastelyn::foundation {

// What ExportRegKey and ImportRegKey start: verb, program and parameters of the shell.
struct RegistryToolStart {
    std::string verb;
    std::string program;
    std::string parameters;
};
RegistryToolStart registryToolStart(const EditionCodes& codes, bool exporting, std::string_view rootName,
                                    std::string_view keyPath, std::string_view file);

// Starts the system's registry tool to save key rootName + keyPath into file (a hive file
// with "reg" on XP, a text export with the registry editor elsewhere). Does not wait.
void ExportRegKey(platform::Platform& platform, const EditionCodes& codes, std::string_view rootName,
                  std::string_view keyPath, std::string_view file);
// The reverse of ExportRegKey.
void ImportRegKey(platform::Platform& platform, const EditionCodes& codes, std::string_view rootName,
                  std::string_view keyPath, std::string_view file);

// Asks Windows to reboot, with the shutdown privilege enabled first. Callers ask the user.
void RestartWindows(platform::Platform& platform);

// Number of files and folders below a folder, hidden and system ones included; 0 when missing.
long long CountFolderEntries(platform::FileSystem& files, std::string_view folder);

// True when the text holds one of the characters of the set (ASCII case folded).
bool ContainsAnyChar(std::string_view text, std::string_view characters);

}  // namespace hastelyn::foundation
