#pragma once
// The state of a machine as the program sees it through the platform, to compare before and
// after a run: every registry value under the roots that hold the items.
#include <map>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace hastelyn::testing {

// "HKEY_LOCAL_MACHINE\KEY\...\NAME" in upper case -> the value as the recording shows it.
std::map<std::string, std::string> registryState(platform::Platform& platform);

// The targets whose value differs between two states: target -> the value after (nullopt: gone).
std::map<std::string, std::optional<std::string>> stateChanges(const std::map<std::string, std::string>& before,
                                                               const std::map<std::string, std::string>& after);

}  // namespace hastelyn::testing
